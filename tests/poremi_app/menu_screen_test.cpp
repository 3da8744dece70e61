// The menu screen: the whole sheet with every label, choosing the current label, copying and
// moving labels by dragging, the edit commands with their questions, undo and redo, and what
// the screen hands back to the document.

#include "app/module/class_registration.h"
#include "app/screens/menu_screen.h"
#include "app/screens/menu_sheet_site.h"
#include "app/screens/screen_zoom.h"
#include "document/model/action_history.h"
#include "document/model/label_data.h"
#include "document/model/label_transfer.h"
#include "document/model/object_list.h"
#include "document/model/rect_object.h"
#include "objects/jan_object.h"
#include "objects/shape_rect.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"
#include "tests/poremi_app/window_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QBuffer>
#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::ScriptedUserInterface;
using Mark = TLOFaceForSheet::DragMark;

// Three faces of 400 × 300 side by side on a 1500 × 600 sheet.
std::unique_ptr<TMatrixPaperInfo> threeFacePaper() {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("三面テスト"));
    paper->setPhysicalSize(1500, 600);
    paper->setFaceCountX(3);
    paper->setFaceCountY(1);
    paper->setFaceWidth(400);
    paper->setFaceHeight(300);
    paper->setLeftOffset(100);
    paper->setTopOffset(150);
    paper->setRightMargin(50);
    paper->setBottomMargin(50);
    return paper;
}

QString hex8(int value) { return QStringLiteral("%1").arg(quint32(value), 8, 16, QLatin1Char('0')).toUpper(); }

// A label on the clipboard as copied from a face of the given size.
std::unique_ptr<QMimeData> clipOfSize(QSize size) {
    TDOList list;
    auto* shape = new TLORect;
    shape->setRect({10, 10, 60, 40});
    shape->setName(QStringLiteral("Size") + hex8(size.width()) + hex8(size.height()));
    list.add(shape);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    list.writeTo(buffer);
    list.freeAll();
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(kSheetLabelMimeType), bytes);
    return mime;
}

void putRect(TLabelData& data, int face, const TRect& rect) {
    TDOList list;
    auto* shape = new TLORect;
    shape->setRect(rect);
    list.add(shape);
    data.SaveLabelObjects(face, list);
    list.freeAll();
}

// The rectangle of a rectangle object, without its pen.
TRect rectOf(const TDrawObject* object) {
    const auto* shape = dynamic_cast<const TLORectBase*>(object);
    return shape ? shape->rect() : TRect{};
}

TRect firstRect(TLabelData& data, int face) {
    TDOList list;
    data.LoadLabelObjects(face, list);
    const TRect rect = list.count() ? rectOf(list.item(0)) : TRect{};
    list.freeAll();
    return rect;
}

class MenuScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerAllClasses();
        TActionList::instance().clear();
        document.SetPaper(*threeFacePaper());
        document.setSeparatelyDesign(true);
        putRect(document, 0, {20, 30, 120, 90});
        document.setModified(false);
        screen.resize(900, 500);
        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
        screen.load(document);
    }
    void TearDown() override {
        TActionList::instance().clear();
        QGuiApplication::clipboard()->clear();
    }

    TMenuSheetSite& site() { return screen.site(); }
    TLabelData& copy() { return screen.copy().data(); }
    QPoint onFace(int face) {
        const TRect outer = copy().Paper()->getFaceOuterRect(face);
        return site().logToPixel({(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2});
    }
    void mouse(QEvent::Type type, QPoint pixel, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(type, QPointF(pixel), QPointF(site().mapToGlobal(pixel)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, modifiers);
        QApplication::sendEvent(&site(), &event);
    }
    void press(QPoint pixel) { mouse(QEvent::MouseButtonPress, pixel, Qt::LeftButton); }
    void drag(int from, int to, Qt::KeyboardModifiers modifiers = {}) {
        press(onFace(from));
        mouse(QEvent::MouseMove, onFace(to), Qt::LeftButton, modifiers);
        mouse(QEvent::MouseButtonRelease, onFace(to), Qt::NoButton, modifiers);
    }
    std::vector<bool> labelled() {
        std::vector<bool> faces;
        for (int face = 0; face < 3; ++face) faces.push_back(copy().HasLabelData(face));
        return faces;
    }

    ScriptedUserInterface ui;
    TLabelData document{nullptr};
    TfrmQelMenu screen;
};

TEST_F(MenuScreenTest, TheSheetShowsEveryFaceInFrontOfTheDesignsMovedOntoTheirFaces) {
    EXPECT_EQ(site().logicalSize(), QSize(1500, 600));
    ASSERT_EQ(site().faces().size(), 3u);
    EXPECT_TRUE(site().faces()[0]->isFaceSelected());
    // The design of face 0 lies at its place on the sheet, behind the faces and out of reach.
    const std::vector<TDrawObject*> objects = site().drawObjects();
    ASSERT_EQ(objects.size(), 4u);
    const TRect outer = copy().Paper()->getFaceOuterRect(0);
    EXPECT_EQ(rectOf(objects[0]), (TRect{outer.left + 20, outer.top + 30, outer.left + 120, outer.top + 90}));
    EXPECT_FALSE(objects[0]->selectable());
    EXPECT_FALSE(objects[0]->isEnabled());
    for (int face = 0; face < 3; ++face) EXPECT_EQ(site().faceAt(onFace(face)), face);
    EXPECT_EQ(screen.modelText(), QStringLiteral("型番：三面テスト"));
    EXPECT_EQ(screen.makerText(), QStringLiteral("メーカー："));
    EXPECT_FALSE(screen.isModified());
}

TEST_F(MenuScreenTest, DragCopyShiftMoveAndClearAreEachOneUndoableStep) {
    // Copy onto the empty face 1: no question.
    drag(0, 1);
    EXPECT_TRUE(ui.questions().isEmpty());
    EXPECT_EQ(labelled(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(firstRect(copy(), 1), (TRect{20, 30, 120, 90}));
    EXPECT_TRUE(screen.isModified());
    ASSERT_TRUE(screen.actUndo->isEnabled());
    screen.actUndo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(screen.actRedo->isEnabled());
    screen.actRedo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{true, true, false}));

    // Shift moves face 0's label onto face 2; the source becomes empty.
    press(onFace(0));
    EXPECT_EQ(copy().currentLabelNo(), 0);
    mouse(QEvent::MouseMove, onFace(2), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(site().faces()[2]->dragMark(), Mark::Move);
    mouse(QEvent::MouseButtonRelease, onFace(2), Qt::NoButton, Qt::ShiftModifier);
    EXPECT_EQ(site().faces()[2]->dragMark(), Mark::None);
    EXPECT_EQ(labelled(), (std::vector<bool>{false, true, true}));
    screen.actUndo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(firstRect(copy(), 0), (TRect{20, 30, 120, 90}));
    screen.actRedo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, true, true}));

    // Clear face 2 after Yes; No before it changes nothing and records nothing.
    press(onFace(2));
    ASSERT_TRUE(screen.actClear->isEnabled());
    ui.answer(mrNo);
    screen.actClear->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, true, true}));
    ui.answer(mrYes);
    screen.actClear->trigger();
    EXPECT_EQ(ui.questions().size(), 2);
    EXPECT_EQ(ui.questions().last().text, labelDeleteQuestion());
    EXPECT_EQ(labelled(), (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(screen.actClear->isEnabled());
    screen.actUndo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, true, true}));
    screen.actRedo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, true, false}));
    // Three steps back reach the start.
    for (int step = 0; step < 3; ++step) screen.actUndo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(screen.actUndo->isEnabled());
}

TEST_F(MenuScreenTest, CutAndPasteCarryTheLabelAndAreUndone) {
    ASSERT_TRUE(screen.actCut->isEnabled());
    EXPECT_FALSE(screen.actPaste->isEnabled());
    ui.answer(mrYes);
    screen.actCut->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(screen.actPaste->isEnabled());
    press(onFace(2));
    screen.actPaste->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(firstRect(copy(), 2), (TRect{20, 30, 120, 90}));
    screen.actUndo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{false, false, false}));
    screen.actUndo->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{true, false, false}));
    // Copy leaves the label and records no step.
    press(onFace(0));
    screen.actCopy->trigger();
    EXPECT_EQ(labelled(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(kSheetLabelMimeType)));
    EXPECT_TRUE(screen.actRedo->isEnabled());
}

TEST_F(MenuScreenTest, PasteAsksAsTheSizesAndTheTargetRequire) {
    struct Row {
        const char* what;
        QSize source;
        bool targetLabelled;
        int answer;
        QString question;  // empty: none asked
        bool pasted;
    };
    const QSize face(400, 300);
    const Row rows[] = {
        {"same size onto an empty face", face, false, mrNone, {}, true},
        {"21 wider onto an empty face", face + QSize(21, 0), false, mrYes, labelSizeDiffersQuestion(), true},
        {"21 lower, answered No", face + QSize(0, -21), false, mrNo, labelSizeDiffersQuestion(), false},
        {"exactly 20 off onto an empty face", face + QSize(20, -20), false, mrNone, {}, true},
        {"exactly 20 off onto a design", face + QSize(-20, 20), true, mrYes, labelReplaceQuestion(), true},
        {"same size onto a design, answered No", face, true, mrNo, labelReplaceQuestion(), false},
        {"same size onto a design, box closed", face, true, mrCancel, labelReplaceQuestion(), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.targetLabelled)
            putRect(copy(), 1, {1, 2, 3, 4});
        else
            copy().DeleteLabel(1);
        screen.load(document);  // the history starts empty
        if (row.targetLabelled) putRect(copy(), 1, {1, 2, 3, 4});
        press(onFace(1));
        QGuiApplication::clipboard()->setMimeData(clipOfSize(row.source).release());
        const qsizetype asked = ui.questions().size();
        if (!row.question.isEmpty()) ui.answer(row.answer);
        screen.actPaste->trigger();
        if (row.question.isEmpty()) {
            EXPECT_EQ(ui.questions().size(), asked);
        } else {
            ASSERT_EQ(ui.questions().size(), asked + 1);
            EXPECT_EQ(ui.questions().last().text, row.question);
            EXPECT_EQ(ui.questions().last().buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));
        }
        EXPECT_EQ(firstRect(copy(), 1) == (TRect{10, 10, 60, 40}), row.pasted);
        EXPECT_EQ(screen.actUndo->isEnabled(), row.pasted);
    }
}

TEST_F(MenuScreenTest, StoreWritesTheLabelsAndAReloadShowsThem) {
    // Unmodified, only the current label goes back.
    press(onFace(2));
    document.setCurrentLabelNo(0);
    EXPECT_FALSE(screen.store(document));
    EXPECT_EQ(document.currentLabelNo(), 2);
    EXPECT_FALSE(document.modified());

    press(onFace(0));
    drag(0, 1);
    drag(0, 2, Qt::ShiftModifier);
    ASSERT_EQ(labelled(), (std::vector<bool>{false, true, true}));
    ASSERT_TRUE(screen.isModified());
    EXPECT_TRUE(screen.store(document));
    EXPECT_FALSE(TActionList::instance().canUndo());
    EXPECT_FALSE(document.HasLabelData(0));
    EXPECT_EQ(firstRect(document, 1), (TRect{20, 30, 120, 90}));
    EXPECT_EQ(firstRect(document, 2), (TRect{20, 30, 120, 90}));
    EXPECT_EQ(document.currentLabelNo(), 0);

    TfrmQelMenu again;
    again.load(document);
    const std::vector<TDrawObject*> shown = again.site().drawObjects();
    std::vector<TRect> designs;
    for (TDrawObject* object : shown)
        if (!dynamic_cast<TLOFaceForSheet*>(object)) designs.push_back(rectOf(object));
    const TRect second = document.Paper()->getFaceOuterRect(1);
    const TRect third = document.Paper()->getFaceOuterRect(2);
    EXPECT_EQ(designs, (std::vector<TRect>{{second.left + 20, second.top + 30, second.left + 120, second.top + 90},
                                           {third.left + 20, third.top + 30, third.left + 120, third.top + 90}}));
    EXPECT_FALSE(again.isModified());
}

TEST_F(MenuScreenTest, OneDesignForAllFacesDisablesTheSheetAndItsCommands) {
    document.setSeparatelyDesign(false);
    screen.load(document);
    EXPECT_FALSE(site().isEnabled());
    EXPECT_EQ(site().chosenFace(), -1);
    QGuiApplication::clipboard()->setMimeData(clipOfSize({400, 300}).release());
    for (QAction* command : {screen.actCut, screen.actCopy, screen.actPaste, screen.actClear})
        EXPECT_FALSE(command->isEnabled()) << command->text().toStdString();
    // Every face shows face 0's design.
    int designs = 0;
    for (TDrawObject* object : site().drawObjects()) designs += dynamic_cast<TLOFaceForSheet*>(object) ? 0 : 1;
    EXPECT_EQ(designs, 3);
    screen.dropLabel(1, false);
    EXPECT_FALSE(screen.isModified());
}

TEST_F(MenuScreenTest, APressBesideEveryFaceKeepsTheCurrentLabel) {
    press(onFace(1));
    ASSERT_EQ(copy().currentLabelNo(), 1);
    EXPECT_EQ(document.currentLabelNo(), 1);
    press(site().logToPixel({20, 20}));
    EXPECT_EQ(copy().currentLabelNo(), 1);
    EXPECT_EQ(site().chosenFace(), 1);
    EXPECT_EQ(site().pressedFace(), -1);
}

TEST_F(MenuScreenTest, EscapeCancelsADragAndShiftChangesItsMark) {
    press(onFace(0));
    mouse(QEvent::MouseMove, onFace(1), Qt::LeftButton);
    ASSERT_EQ(site().targetFace(), 1);
    EXPECT_EQ(site().faces()[1]->dragMark(), Mark::Copy);
    QTest::keyPress(&site(), Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(site().faces()[1]->dragMark(), Mark::Move);
    QTest::keyRelease(&site(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(site().faces()[1]->dragMark(), Mark::Copy);
    // Onto another face the old mark goes.
    mouse(QEvent::MouseMove, onFace(2), Qt::LeftButton);
    EXPECT_EQ(site().faces()[1]->dragMark(), Mark::None);
    EXPECT_EQ(site().faces()[2]->dragMark(), Mark::Copy);
    QTest::keyClick(&site(), Qt::Key_Escape);
    EXPECT_EQ(site().faces()[2]->dragMark(), Mark::None);
    EXPECT_EQ(site().pressedFace(), -1);
    EXPECT_EQ(site().targetFace(), -1);
    mouse(QEvent::MouseButtonRelease, onFace(2), Qt::NoButton);
    EXPECT_EQ(labelled(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(ui.questions().isEmpty());
    // Released on its own face after wandering, or beside every face, nothing happens either.
    press(onFace(0));
    mouse(QEvent::MouseMove, onFace(1), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, onFace(0), Qt::NoButton);
    press(onFace(0));
    mouse(QEvent::MouseMove, onFace(1), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, site().logToPixel({5, 5}), Qt::NoButton);
    EXPECT_EQ(labelled(), (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(screen.isModified());
}

TEST_F(MenuScreenTest, TheZoomChoicesScaleTheSheetAndAutomaticFitsIt) {
    ASSERT_TRUE(screen.zoom().automatic());
    const QSize room = screen.scrollArea().viewport()->size();
    EXPECT_LE(site().width(), room.width());
    EXPECT_LE(site().height(), room.height());
    EXPECT_TRUE(site().width() > room.width() * 3 / 4 || site().height() > room.height() * 3 / 4);
    EXPECT_EQ(screen.scrollArea().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    screen.zoom().choose(200);
    EXPECT_EQ(site().scaler().scale(), 200);
    EXPECT_EQ(screen.scrollArea().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    screen.resize(700, 400);
    EXPECT_EQ(site().scaler().scale(), 200);
    screen.zoom().choose(ScreenZoom::kAutomatic);
    const int fitted = site().scaler().scale();
    screen.resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_GT(site().scaler().scale(), fitted);
    // The next menu screen starts with the zoom of the last one.
    {
        TfrmQelMenu other;
        other.zoom().choose(75);
    }
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::Menu), 75);
    {
        TfrmQelMenu other;
        EXPECT_EQ(other.zoom().percent(), 75);
        other.zoom().choose(ScreenZoom::kAutomatic);
    }
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::Menu), ScreenZoom::kAutomatic);
    QStringList captions;
    for (QAction* choice : screen.viewMenu().actions()) captions << choice->text();
    EXPECT_EQ(captions, (QStringList{"25%", "50%", "75%", "100%", "150%", "200%", "400%", "自動(&A)"}));
}

// ---- in the main window ----------------------------------------------------------------

using MenuScreenWindowTest = test::WindowTest;

QStringList barTexts(QMenuBar* bar) {
    QStringList texts;
    for (QAction* menu : bar->actions()) texts << menu->text();
    return texts;
}

void putBarcode(TLabelData& document, int face) {
    const TRect outer = document.Paper()->getFaceInfo(face).outerRect();
    auto* code = new TLOJANCode;
    code->setJANCode(QStringLiteral("4901234567894"));
    code->setRect({outer.left + 200, outer.top + 500, outer.left + 800, outer.top + 700});
    TDOList list;
    list.add(code);
    document.SaveLabelObjects(face, list);
    list.freeAll();
}

TEST_F(MenuScreenWindowTest, TheMainWindowHostsTheMenuScreenWithItsMenusAndButtons) {
    window->startWith(QString());
    auto* menu = dynamic_cast<TfrmQelMenu*>(window->hostedScreen());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(barTexts(window->menuBar()),
              (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "モード(&M)", "ツール(&T)", "ヘルプ(&H)"}));
    QStringList edit;
    for (QAction* item : menu->editMenu().actions())
        if (!item->isSeparator()) edit << item->text() + QLatin1Char('|') + item->shortcut().toString();
    EXPECT_EQ(edit, (QStringList{"取り消し(&U)|Ctrl+Z", "やり直し(&R)|", "切り取り(&T)|Ctrl+X", "コピー(&C)|Ctrl+C",
                                 "貼り付け(&P)|Ctrl+V", "クリア(&D)|Del"}));
    EXPECT_TRUE(window->action(QStringLiteral("actQelMenu"))->isEnabled());
    EXPECT_FALSE(window->ShowScreen(ScreenKind::Menu));

    QStringList buttons;
    for (QPushButton* button : menu->findChildren<QPushButton*>()) buttons << button->text();
    EXPECT_EQ(buttons, (QStringList{"テンプレート", "イメージから", "自由に作る", "印刷", "用紙を変更", "終了"}));
    EXPECT_EQ(menu->findChild<QPushButton*>(QStringLiteral("btnExit"))->toolTip(), QStringLiteral("ぽれみを終了します"));
    // Buttons follow their commands: the template screen is not there yet.
    EXPECT_FALSE(menu->findChild<QPushButton*>(QStringLiteral("btnTemplate"))->isEnabled());
    EXPECT_TRUE(menu->findChild<QPushButton*>(QStringLiteral("btnPrint"))->isEnabled());
    const TPaperInfo* paper = window->document().Paper();
    EXPECT_EQ(menu->findChild<QLabel*>(QStringLiteral("lblModel"))->text(), QStringLiteral("型番：") + paper->paperName());
    EXPECT_EQ(menu->findChild<QLabel*>(QStringLiteral("lblMaker"))->text(),
              QStringLiteral("メーカー：") + window->document().ExtraPaperInfo().company());

    // A new document replaces the screen's content, not its menus.
    ASSERT_TRUE(window->NewDocument());
    EXPECT_EQ(barTexts(window->menuBar()).count(QStringLiteral("編集(&E)")), 1);
}

TEST_F(MenuScreenWindowTest, ButtonsDoubleClicksAndTheContextMenuReachTheCommands) {
    window->resize(900, 700);
    window->startWith(QString());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* menu = dynamic_cast<TfrmQelMenu*>(window->hostedScreen());
    ASSERT_NE(menu, nullptr);
    QAction* free = window->action(QStringLiteral("actQelEditFree"));
    auto* freeButton = menu->findChild<QPushButton*>(QStringLiteral("btnFree"));
    int runs = 0;
    QObject::connect(free, &QAction::triggered, [&runs] { ++runs; });
    free->disconnect(window.get());  // counted only: the menu screen stays
    free->setEnabled(false);
    // A disabled command runs from nowhere.
    QTest::mouseClick(freeButton, Qt::LeftButton);
    EXPECT_EQ(runs, 0);
    free->setEnabled(true);
    ASSERT_TRUE(freeButton->isEnabled());
    QTest::mouseClick(freeButton, Qt::LeftButton);
    EXPECT_EQ(runs, 1);

    const TLabelData& document = window->document();
    const auto centre = [&](int face) {
        const TRect outer = document.Paper()->getFaceOuterRect(face);
        return menu->site().logToPixel({(outer.left + outer.right) / 2, (outer.top + outer.bottom) / 2});
    };
    // The first click of a double click chooses the face.
    QTest::mouseClick(&menu->site(), Qt::LeftButton, {}, centre(1));
    QTest::mouseDClick(&menu->site(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(menu->copy().currentLabel(), 1);
    QTest::mouseDClick(&menu->site(), Qt::LeftButton, {}, menu->site().logToPixel({5, 5}));
    EXPECT_EQ(runs, 2);

    // The context menu over a face makes it the current label first.
    QContextMenuEvent request(QContextMenuEvent::Mouse, centre(0), menu->site().mapToGlobal(centre(0)));
    QApplication::sendEvent(&menu->site(), &request);
    EXPECT_EQ(menu->copy().currentLabel(), 0);
    EXPECT_EQ(menu->site().chosenFace(), 0);
    EXPECT_TRUE(menu->editMenu().isVisible());
    menu->editMenu().close();
}

TEST_F(MenuScreenWindowTest, TheSheetShowsEachFacesDesignOnlyOnThatFace) {
    window->resize(900, 700);
    window->startWith(QString());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    putBarcode(window->document(), 0);
    window->LoadScreen();
    auto* menu = dynamic_cast<TfrmQelMenu*>(window->hostedScreen());
    ASSERT_NE(menu, nullptr);
    const QImage sheet = menu->site().grab().toImage();
    const TLabelData& document = window->document();
    const auto darkPixels = [&](int face) {
        const QRect area = menu->site().logToPixelRect(document.Paper()->getFaceOuterRect(face));
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (sheet.rect().contains(x, y) && qGray(sheet.pixel(x, y)) < 60) ++dark;
        return dark;
    };
    // The barcode darkens the first face; the second shows only its outline.
    EXPECT_GT(darkPixels(0), 100);
    EXPECT_LT(darkPixels(1), darkPixels(0) / 4);
}

// Run again under Xvfb: the screen on the default CD paper with one designed face and another
// chosen, kept for people to look at.
TEST_F(MenuScreenWindowTest, ScreenshotOfTheDefaultPaper) {
    window->resize(1000, 720);
    window->startWith(QString());
    putBarcode(window->document(), 0);
    window->LoadScreen();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* menu = dynamic_cast<TfrmQelMenu*>(window->hostedScreen());
    ASSERT_NE(menu, nullptr);
    ASSERT_GT(window->document().Paper()->getFaceCount(), 1);
    const TRect second = window->document().Paper()->getFaceOuterRect(1);
    const QPoint onSecond = menu->site().logToPixel({(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    QTest::mouseClick(&menu->site(), Qt::LeftButton, {}, onSecond);
    EXPECT_EQ(menu->site().chosenFace(), 1);
    QTest::qWait(200);
    const auto keep = [&](const char* name) {
        const QPixmap shot = QGuiApplication::platformName() == u"xcb" ? window->screen()->grabWindow(window->winId())
                                                                       : window->grab();
        EXPECT_TRUE(shot.toImage().save(test::outputFolder() + QLatin1Char('/') + QLatin1String(name)));
    };
    keep("menu_screen.png");

    // The designed face's label dragged with Shift over the chosen one: the move hatch.
    const TRect first = window->document().Paper()->getFaceOuterRect(0);
    const QPoint onFirst = menu->site().logToPixel({(first.left + first.right) / 2, (first.top + first.bottom) / 2});
    QTest::mousePress(&menu->site(), Qt::LeftButton, {}, onFirst);
    QMouseEvent over(QEvent::MouseMove, QPointF(onSecond), QPointF(menu->site().mapToGlobal(onSecond)), Qt::NoButton,
                     Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&menu->site(), &over);
    EXPECT_EQ(menu->site().faces()[1]->dragMark(), TLOFaceForSheet::DragMark::Move);
    QTest::qWait(200);
    keep("menu_screen_drag.png");
    QTest::keyClick(&menu->site(), Qt::Key_Escape);
}

}  // namespace
}  // namespace poremi
