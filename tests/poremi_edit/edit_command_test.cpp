// The edit commands on a shown site beside a line edit and an editable combo box.

#include "base/error.h"
#include "document/model/action_history.h"
#include "document/model/designer.h"
#include "document/model/label_object.h"
#include "document/stream/stream_error.h"
#include "edit/clipboard_objects.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command_actions.h"
#include "objects/object_classes.h"
#include "objects/picture_image.h"
#include "objects/shape_rect.h"
#include "objects/text_object.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QMimeData>
#include <QtCore/QtEndian>
#include <QtGui/QClipboard>
#include <QtGui/QImage>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QVBoxLayout>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace poremi {
namespace {

class EditCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered = [] {
            registerObjectClasses();
            return true;
        }();
        (void)registered;
        TDODesignerList::instance().clear();
        TDODesignerList::instance().registerDesigner(std::make_shared<TLOCreator>());
        TActionList::instance().clear();
        QGuiApplication::clipboard()->clear();

        site = makeSite(1200, 1200);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(site);
        lineEdit = new QLineEdit(&window);
        layout->addWidget(lineEdit);
        fontSize = new QComboBox(&window);
        fontSize->setEditable(true);
        fontSize->addItems({QStringLiteral("10"), QStringLiteral("12")});
        layout->addWidget(fontSize);
        commands = new EditCommands(&window);
        for (QAction* action : commands->actions()) window.addAction(action);
        commands->watchSite(*site);
        window.resize(600, 700);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // An X server without a window manager activates the window only when told (xdotool).
        if (QGuiApplication::platformName() != u"xcb") ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        site->setFocus();
        QApplication::processEvents();
    }

    void TearDown() override {
        TActionList::instance().clear();
        TDODesignerList::instance().clear();
        QGuiApplication::clipboard()->clear();
    }

    TDrawSite* makeSite(int width, int height, QWidget* parent = nullptr) {
        auto* made = new TDrawSite(parent);
        made->setResolution({96, 96});
        made->scaler().setUnitDpi(254);
        made->setLogSize(width, height);
        return made;
    }

    template <class T>
    T* add(const TRect& r, TDrawSite* on = nullptr) {
        TDrawSite* target = on ? on : site.data();
        auto* object = new T(target);
        object->setRect(r);
        target->addDrawObject(*object);
        return object;
    }

    void select(std::initializer_list<TDrawObject*> objects) {
        site->deselectAll();
        for (TDrawObject* object : objects) object->setSelected(true);
    }

    // The captions of the enabled commands.
    std::set<QString> enabledCommands() {
        commands->updateStates();
        std::set<QString> enabled;
        for (TDrawSiteActionBase* action : commands->actions())
            if (action->isEnabled()) enabled.insert(action->text());
        return enabled;
    }

    static void setClipboard(const QString& format, const QByteArray& bytes) {
        auto* mime = new QMimeData;
        mime->setData(format, bytes);
        QGuiApplication::clipboard()->setMimeData(mime);
    }

    QWidget window;
    QPointer<TDrawSite> site;
    QLineEdit* lineEdit = nullptr;
    QComboBox* fontSize = nullptr;
    EditCommands* commands = nullptr;
};

const QString kFront = QStringLiteral("前面に移動(&W)");
const QString kBack = QStringLiteral("背面に移動(&K)");
const QString kCopy = QStringLiteral("コピー(&C)");
const QString kCut = QStringLiteral("切り取り(&T)");
const QString kClear = QStringLiteral("クリア(&D)");
const QString kPaste = QStringLiteral("貼り付け(&P)");
const QString kSelectAll = QStringLiteral("すべて選択(&A)");
const QString kLock = QStringLiteral("固定する(&O)");
const QString kUnlock = QStringLiteral("固定しない(&U)");
const QString kUndo = QStringLiteral("取り消し(&U)");
const QString kRedo = QStringLiteral("やり直し(&R)");
const QString kDontPrint = QStringLiteral("印刷禁止にする(&N)");
const QString kDoPrint = QStringLiteral("印刷禁止にしない(&I)");
const QString kVert = QStringLiteral("縦書き(&V)");
const QString kHorz = QStringLiteral("横書き(&H)");
const QString kProperty = QStringLiteral("プロパティ(&O)");

TEST_F(EditCommandTest, EachCommandHasItsCaptionAndTheStandardShortcut) {
    const std::map<QString, QKeySequence> expected{
        {kFront, QKeySequence(QStringLiteral("Ctrl+F"))}, {kBack, QKeySequence(QStringLiteral("Ctrl+B"))},
        {kCopy, QKeySequence(QStringLiteral("Ctrl+C"))},  {kCut, QKeySequence(QStringLiteral("Ctrl+X"))},
        {kClear, QKeySequence(QStringLiteral("Del"))},     {kPaste, QKeySequence(QStringLiteral("Ctrl+V"))},
        {kSelectAll, QKeySequence(QStringLiteral("Ctrl+A"))}, {kLock, {}}, {kUnlock, {}},
        {kUndo, QKeySequence(QStringLiteral("Ctrl+Z"))}, {kRedo, QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
        {kDontPrint, {}}, {kDoPrint, {}}, {kVert, {}}, {kHorz, {}}, {kProperty, {}},
    };
    std::map<QString, QKeySequence> actual;
    for (TDrawSiteActionBase* action : commands->actions()) actual[action->text()] = action->shortcut();
    EXPECT_EQ(actual, expected);
}

TEST_F(EditCommandTest, EnabledStatesFollowTheSelectionAndTheFocus) {
    TLORect* rect = add<TLORect>({100, 100, 300, 300});
    TLOText* text = add<TLOText>({400, 400, 700, 600});
    text->setText({QStringLiteral("あいう")});

    struct Situation {
        const char* name;
        std::function<void()> arrange;
        std::set<QString> enabled;
    };
    const std::vector<Situation> situations{
        {"nothing selected", [&] { select({}); }, {kSelectAll}},
        {"one rectangle",
         [&] { select({rect}); },
         {kFront, kBack, kCopy, kCut, kClear, kSelectAll, kLock, kDontPrint, kProperty}},
        {"a locked rectangle left out of print",
         [&] {
             rect->setMovable(false);
             rect->setDontPrint(true);
             select({rect});
         },
         {kFront, kBack, kCopy, kCut, kClear, kSelectAll, kUnlock, kDoPrint, kProperty}},
        {"two objects, the text horizontal",
         [&] {
             rect->setMovable(true);
             rect->setDontPrint(false);
             select({rect, text});
         },
         {kFront, kBack, kCopy, kCut, kClear, kSelectAll, kLock, kDontPrint, kVert}},
        {"a vertical text",
         [&] {
             text->setVertical(true);
             select({text});
         },
         {kFront, kBack, kCopy, kCut, kClear, kSelectAll, kLock, kDontPrint, kHorz, kProperty}},
        {"a text box with selected text, objects selected",
         [&] {
             select({rect, text});
             lineEdit->setText(QStringLiteral("12"));
             lineEdit->setFocus();
             lineEdit->selectAll();
         },
         {kCopy, kCut, kClear, kSelectAll}},
        {"a read-only text box",
         [&] {
             lineEdit->setReadOnly(true);
             lineEdit->selectAll();
         },
         {kCopy, kSelectAll}},
        {"the font-size box without selected text",
         [&] {
             fontSize->setFocus();
             fontSize->lineEdit()->deselect();
         },
         {kSelectAll}},
    };
    for (const Situation& situation : situations) {
        SCOPED_TRACE(situation.name);
        situation.arrange();
        QApplication::processEvents();
        EXPECT_EQ(enabledCommands(), situation.enabled);
    }
}

// Alt+letter on the menu bar takes the focus; the menu's commands keep their target.
TEST_F(EditCommandTest, CommandsOpenedFromTheMenuBarByKeyboardKeepTheirTarget) {
    auto* bar = new QMenuBar(&window);
    bar->addMenu(QStringLiteral("編集(&E)"));
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->show();
    TLORect* rect = add<TLORect>({100, 100, 300, 300});
    select({rect});
    site->setFocus();
    bar->setFocus(Qt::MenuBarFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), bar);
    EXPECT_EQ(enabledCommands(), (std::set<QString>{kFront, kBack, kCopy, kCut, kClear, kSelectAll, kLock, kDontPrint, kProperty}));
    commands->clear->trigger();
    EXPECT_TRUE(site->drawObjects().empty());
    EXPECT_EQ(enabledCommands(), (std::set<QString>{kUndo}));
    commands->undo->trigger();
    EXPECT_EQ(site->drawObjects().size(), 1u);

    // From a text box (which drops its text selection on leaving) the box stays the target,
    // not the site with its selected rectangle.
    select({site->drawObjects().front()});
    lineEdit->setText(QStringLiteral("12"));
    lineEdit->setFocus();
    bar->setFocus(Qt::MenuBarFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(enabledCommands(), (std::set<QString>{kSelectAll}));
}

TEST_F(EditCommandTest, PasteIsEnabledByTheClipboardFormatsAlone) {
    select({});
    const QByteArray damaged = QByteArray::fromHex("05000000545046300007");
    struct Case {
        const char* name;
        QString format;
        QByteArray bytes;
        bool enabled;
    };
    const std::vector<Case> cases{
        {"damaged objects", QString::fromLatin1(kDrawObjectsMimeType), damaged, true},
        {"text", QStringLiteral("text/plain"), "abc", true},
        {"a picture", QStringLiteral("image/png"), "not read", true},
        {"something else", QStringLiteral("application/x-other"), "abc", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setClipboard(c.format, c.bytes);
        // Damaged bytes neither raise nor make anything while the states are updated.
        EXPECT_EQ(enabledCommands().count(kPaste), c.enabled ? 1u : 0u);
        EXPECT_TRUE(site->drawObjects().empty());
    }
}

TEST_F(EditCommandTest, CutAndPasteMoveObjectsToASmallerSiteAsOneStepEach) {
    TLORect* far = add<TLORect>({900, 900, 1100, 1100});
    TLORect* near = add<TLORect>({100, 100, 200, 200});
    TLORect* kept = add<TLORect>({300, 300, 400, 400});
    far->setName(QStringLiteral("Far"));
    select({far, near});
    commands->cut->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), std::vector<TDrawObject*>{kept});

    // One undo brings both back, in their places in the order.
    commands->undo->executeOn(*site);
    ASSERT_EQ(site->drawObjects().size(), 3u);
    commands->redo->executeOn(*site);
    ASSERT_EQ(site->drawObjects().size(), 1u);

    std::unique_ptr<TDrawSite> other(makeSite(500, 500));
    const qsizetype steps = TActionList::instance().count();
    commands->paste->executeOn(*other);
    ASSERT_EQ(other->drawObjects().size(), 2u);
    EXPECT_EQ(TActionList::instance().count(), steps + 1);
    auto* pastedFar = dynamic_cast<TLORect*>(other->drawObjects()[0]);
    auto* pastedNear = dynamic_cast<TLORect*>(other->drawObjects()[1]);
    ASSERT_TRUE(pastedFar && pastedNear);
    EXPECT_EQ(pastedFar->name(), QStringLiteral("Far"));
    EXPECT_TRUE(pastedFar->isSelected() && pastedNear->isSelected());
    EXPECT_EQ(pastedNear->rect(), (TRect{100, 100, 200, 200}));
    // The centre outside the smaller site is pulled 10 units inside.
    EXPECT_EQ(rectCenter(pastedFar->rect()), QPoint(490, 490));
    for (TDrawObject* object : other->drawObjects()) EXPECT_EQ(object->owner(), other.get());

    // Undo and redo take both off and put both back, each once.
    commands->undo->executeOn(*other);
    EXPECT_TRUE(other->drawObjects().empty());
    commands->redo->executeOn(*other);
    EXPECT_EQ(other->drawObjects(), (std::vector<TDrawObject*>{pastedFar, pastedNear}));
    commands->undo->executeOn(*other);
    commands->undo->executeOn(*site);
    EXPECT_EQ(site->drawObjects().size(), 3u);
}

TEST_F(EditCommandTest, PastingTwiceMakesNewObjectsEachTime) {
    TLORect* rect = add<TLORect>({100, 100, 200, 200});
    select({rect});
    commands->copy->executeOn(*site);
    commands->paste->executeOn(*site);
    commands->paste->executeOn(*site);
    const std::vector<TDrawObject*> shown = site->drawObjects();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(std::set<TDrawObject*>(shown.begin(), shown.end()).size(), 3u);
    EXPECT_EQ(site->selection(), std::vector<TDrawObject*>{shown.back()});
    commands->undo->executeOn(*site);
    commands->undo->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), std::vector<TDrawObject*>{rect});
}

TEST_F(EditCommandTest, DamagedClipboardBytesRaiseTheReadErrorAndChangeNothing) {
    TLORect* rect = add<TLORect>({100, 100, 200, 200});
    select({rect});
    commands->copy->executeOn(*site);
    const QByteArray good = QGuiApplication::clipboard()->mimeData()->data(QString::fromLatin1(kDrawObjectsMimeType));
    QByteArray twoClaimed = good;
    qToLittleEndian<qint32>(2, twoClaimed.data());
    QByteArray huge = good.left(4);
    qToLittleEndian<qint32>(0x7FFFFFFF, huge.data());
    const std::vector<std::pair<const char*, QByteArray>> cases{
        {"cut short", good.left(good.size() - 5)},
        {"a second object claimed", twoClaimed},
        {"a huge count and no objects", huge},
        {"three bytes", good.left(3)},
    };
    const qsizetype steps = TActionList::instance().count();
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        setClipboard(QString::fromLatin1(kDrawObjectsMimeType), bytes);
        EXPECT_THROW(commands->paste->executeOn(*site), EReadError);
        EXPECT_EQ(site->drawObjects(), std::vector<TDrawObject*>{rect});
        EXPECT_EQ(TActionList::instance().count(), steps);
    }
}

TEST_F(EditCommandTest, AnEmptyObjectListPastesNothing) {
    setClipboard(QString::fromLatin1(kDrawObjectsMimeType), QByteArray(4, '\0'));
    commands->paste->executeOn(*site);
    EXPECT_TRUE(site->drawObjects().empty());
    EXPECT_FALSE(TActionList::instance().canUndo());
}

TEST_F(EditCommandTest, LayeringSeveralObjectsKeepsTheirOrderAndUndoesInOneStep) {
    std::vector<TDrawObject*> objects;
    for (int i = 0; i < 5; ++i) objects.push_back(add<TLORect>({100 * i, 0, 100 * i + 80, 80}));
    TDrawObject *a = objects[0], *b = objects[1], *c = objects[2], *d = objects[3], *e = objects[4];
    const std::vector<TDrawObject*> original = objects;

    select({a, c});
    commands->bringToFront->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), (std::vector<TDrawObject*>{b, d, e, a, c}));
    EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("最前面"));
    commands->undo->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), original);

    select({b, e});
    commands->sendToBack->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), (std::vector<TDrawObject*>{b, e, a, c, d}));
    commands->undo->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), original);
    commands->redo->executeOn(*site);
    EXPECT_EQ(site->drawObjects(), (std::vector<TDrawObject*>{b, e, a, c, d}));
}

TEST_F(EditCommandTest, TurningByAQuarterStepsStaysInOneTurnAndUndoesInOneStep) {
    for (const int offset : {90, 180, 270}) {
        SCOPED_TRACE(offset);
        TActionList::instance().clear();
        TLORect* upright = add<TLORect>({100, 100, 300, 200});
        TLOText* turned = add<TLOText>({400, 400, 700, 500});
        turned->setText({QStringLiteral("A")});
        turned->setAngle(300);
        TLORect* unselected = add<TLORect>({800, 800, 900, 900});
        select({upright, turned});
        TDSAOffsetAngle turn(QStringLiteral("回転"), offset);
        turn.executeOn(*site);
        EXPECT_EQ(upright->angle(), offset);
        EXPECT_EQ(turned->angle(), (300 + offset) % 360);
        EXPECT_EQ(unselected->angle(), 0);
        commands->undo->executeOn(*site);
        EXPECT_EQ(upright->angle(), 0);
        EXPECT_EQ(turned->angle(), 300);
        EXPECT_FALSE(TActionList::instance().canUndo());
        delete upright;
        delete turned;
        delete unselected;
    }
}

TEST_F(EditCommandTest, PrintFlagsChangeOnlyTheirTargetsAndUndoTogether) {
    TLORect* a = add<TLORect>({100, 100, 200, 200});
    TLORect* b = add<TLORect>({300, 300, 400, 400});
    TLORect* already = add<TLORect>({500, 500, 600, 600});
    already->setDontPrint(true);
    select({a, b, already});
    commands->dontPrint->executeOn(*site);
    EXPECT_TRUE(a->dontPrint() && b->dontPrint() && already->dontPrint());
    EXPECT_EQ(enabledCommands().count(kDontPrint), 0u);
    commands->undo->executeOn(*site);
    EXPECT_FALSE(a->dontPrint() || b->dontPrint());
    EXPECT_TRUE(already->dontPrint());

    select({a, already});
    commands->doPrint->executeOn(*site);
    EXPECT_FALSE(already->dontPrint());
    commands->lock->executeOn(*site);
    EXPECT_FALSE(a->movable() || already->movable());
    EXPECT_TRUE(b->movable());
    commands->undo->executeOn(*site);
    EXPECT_TRUE(a->movable() && already->movable());
}

TEST_F(EditCommandTest, SelectAllSkipsObjectsThatCannotBeSelected) {
    TLORect* background = add<TLORect>({0, 0, 1200, 1200});
    background->setSelectable(false);
    TLORect* a = add<TLORect>({100, 100, 200, 200});
    TLOText* b = add<TLOText>({300, 300, 400, 400});
    select({});
    commands->selectAll->executeOn(*site);
    EXPECT_EQ(site->selection(), (std::vector<TDrawObject*>{a, b}));
    EXPECT_FALSE(TActionList::instance().canUndo());
}

TEST_F(EditCommandTest, PlainTextPastesAsATextObjectWithItsLines) {
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("一行目\r\n二行目\n"));
    QGuiApplication::clipboard()->setMimeData(mime);
    commands->paste->executeOn(*site);
    ASSERT_EQ(site->drawObjects().size(), 1u);
    auto* text = dynamic_cast<TLOText*>(site->drawObjects()[0]);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text(), (QStringList{QStringLiteral("一行目"), QStringLiteral("二行目")}));
    EXPECT_TRUE(text->isSelected());
    commands->undo->executeOn(*site);
    EXPECT_TRUE(site->drawObjects().empty());
}

QByteArray pngBytes(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST_F(EditCommandTest, APicturePastesAsAPictureObject) {
    setClipboard(QStringLiteral("image/png"), pngBytes({360, 180}));
    commands->paste->executeOn(*site);
    ASSERT_EQ(site->drawObjects().size(), 1u);
    auto* image = dynamic_cast<TLOImage*>(site->drawObjects()[0]);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->imageData().picture().width(), 360);
    // 180 pixels to the inch.
    EXPECT_EQ(rectWidth(image->rect()), 508);
    EXPECT_EQ(rectHeight(image->rect()), 254);
}

TEST_F(EditCommandTest, APictureBeyondTheBudgetIsRefusedBeforeItsPixels) {
    QByteArray bytes = pngBytes({4, 4});
    // The header's width and height (big-endian, after the signature and the chunk head).
    qToBigEndian<quint32>(60000, bytes.data() + 16);
    setClipboard(QStringLiteral("image/png"), bytes);
    EXPECT_THROW(commands->paste->executeOn(*site), Exception);
    EXPECT_TRUE(site->drawObjects().empty());
}

TEST_F(EditCommandTest, ALineEditKeepsItsOwnTextCommandsAndShortcuts) {
    TLORect* rect = add<TLORect>({100, 100, 200, 200});
    select({rect});
    commands->dontPrint->executeOn(*site);  // an object edit to undo
    ASSERT_TRUE(TActionList::instance().canUndo());

    lineEdit->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(lineEdit, QStringLiteral("abc"));
    QTest::keyClick(lineEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(lineEdit->text(), QString());
    EXPECT_TRUE(rect->dontPrint());

    // The menu's commands act on the box too.
    lineEdit->setText(QStringLiteral("12pt"));
    lineEdit->selectAll();
    commands->updateStates();
    commands->copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12pt"));
    EXPECT_EQ(site->drawObjects().size(), 1u);
    lineEdit->setSelection(0, 2);
    commands->updateStates();
    commands->clear->trigger();
    EXPECT_EQ(lineEdit->text(), QStringLiteral("pt"));
    EXPECT_EQ(site->drawObjects().size(), 1u);
}

TEST_F(EditCommandTest, ShortcutsReachTheSiteOrTheFocusedBoxWithoutAmbiguity) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        warnings << text;
    });
    TLORect* rect = add<TLORect>({100, 100, 200, 200});
    select({rect});
    commands->updateStates();
    QTest::keyClick(site, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(site, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(site->drawObjects().size(), 2u);
    QTest::keyClick(site, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(site->selection().size(), 2u);
    QTest::keyClick(site, Qt::Key_Delete);
    EXPECT_TRUE(site->drawObjects().empty());
    QTest::keyClick(site, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(site->drawObjects().size(), 2u);

    fontSize->setFocus();
    QApplication::processEvents();
    fontSize->lineEdit()->selectAll();
    QTest::keyClick(fontSize->lineEdit(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(fontSize->lineEdit(), Qt::Key_Delete);
    QTest::keyClick(fontSize->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(fontSize->lineEdit(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(fontSize->currentText(), QStringLiteral("10"));
    EXPECT_EQ(site->drawObjects().size(), 2u);
    qInstallMessageHandler(previous);
    for (const QString& warning : warnings) EXPECT_FALSE(warning.contains(QStringLiteral("Ambiguous"))) << warning.toStdString();
}


TEST_F(EditCommandTest, OperationTargetsFollowTheClassRule) {
    TLORect* rect = add<TLORect>({100, 100, 200, 200});
    TLOText* text = add<TLOText>({300, 300, 400, 400});
    select({rect, text});
    struct Case {
        const char* name;
        QString className;
        bool classOnly;
        bool multiSelect;
        std::vector<TDrawObject*> targets;  // front to back; none: the operation does not run
    };
    const std::vector<Case> cases{
        {"any class", {}, false, true, {text, rect}},
        {"texts, others dropped", QStringLiteral("TLOText"), false, true, {text}},
        {"texts only", QStringLiteral("TLOText"), true, true, {}},
        {"a base class", QStringLiteral("TLabelObject"), true, true, {text, rect}},
        {"one target asked, two selected", {}, false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TargetRule rule;
        rule.targetClassName = c.className;
        rule.targetClassOnly = c.classOnly;
        rule.multiSelect = c.multiSelect;
        TDSOperation operation(rule);
        std::vector<TDrawObject*> visited;
        operation.OnEachObject = [&](DrawSite&, TDrawObject& object) { visited.push_back(&object); };
        EXPECT_EQ(operation.prepare(*site), !c.targets.empty());
        operation.execute(*site);
        // Back to front.
        EXPECT_EQ(visited, std::vector<TDrawObject*>(c.targets.rbegin(), c.targets.rend()));
    }
}

TEST_F(EditCommandTest, AFailingStepStopsTheRestAndKeepsWhatWasDone) {
    std::vector<TLORect*> rects;
    for (int i = 0; i < 3; ++i) rects.push_back(add<TLORect>({100 * i, 0, 100 * i + 80, 80}));
    select({rects[0], rects[1], rects[2]});
    TargetRule rule;
    rule.actionType = atChange;
    TDSOperation operation(rule);
    operation.OnEachObject = [](DrawSite&, TDrawObject& object) {
        auto& label = static_cast<TLabelObject&>(object);
        label.setDontPrint(true);
        if (object.site()->indexOf(object) == 1) throw Exception(QStringLiteral("失敗"));
    };
    EXPECT_THROW(operation.execute(*site), Exception);
    // Back to front: the first changed and recorded, the second failed, the third untouched.
    EXPECT_TRUE(rects[0]->dontPrint());
    EXPECT_FALSE(rects[2]->dontPrint());
    ASSERT_TRUE(TActionList::instance().canUndo());
    TActionList::instance().undo();
    EXPECT_FALSE(rects[0]->dontPrint());
    // The group was closed: a later command is a step of its own.
    commands->lock->executeOn(*site);
    TActionList::instance().undo();
    EXPECT_TRUE(rects[0]->movable());
    EXPECT_FALSE(TActionList::instance().canUndo());
}

// The clipboard of a real X server, read and filled by xclip.
class XclipClipboard : public EditCommandTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != u"xcb") GTEST_SKIP() << "needs an X server";
        if (QStandardPaths::findExecutable("xclip").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "needs xclip and xdotool";
        EditCommandTest::SetUp();
        ASSERT_EQ(QProcess::execute("xdotool", {"windowfocus", "--sync", QString::number(window.winId())}), 0);
        QTest::qWait(100);
        site->setFocus();
    }
    void TearDown() override {
        // Taking the clipboard back ends the xclip that served it.
        QGuiApplication::clipboard()->setText(QStringLiteral("done"));
        QTest::qWait(50);
        EditCommandTest::TearDown();
    }

    // Runs xclip while our event loop answers the X server's clipboard requests.
    static QByteArray xclip(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess process;
        process.start(QStringLiteral("xclip"), QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} + arguments);
        EXPECT_TRUE(process.waitForStarted());
        if (!input.isNull()) {
            process.write(input);
            process.closeWriteChannel();
        }
        for (int i = 0; i < 500 && process.state() != QProcess::NotRunning; ++i) QTest::qWait(10);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }

    // Waits until the clipboard offers the format, as another program set it.
    static bool clipboardOffers(const QString& format) {
        for (int i = 0; i < 100; ++i) {
            const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
            if (mime && mime->formats().contains(format)) return true;
            QTest::qWait(20);
        }
        return false;
    }

    void saveShot(const QString& name) {
        const QString dir = qEnvironmentVariable("POREMI_TEST_OUTPUT_DIR");
        QDir().mkpath(dir);
        window.screen()->grabWindow(window.winId()).toImage().save(dir + QLatin1Char('/') + name);
    }
};

TEST_F(XclipClipboard, CtrlCOffersTheObjectsToOtherPrograms) {
    TLORect* rect = add<TLORect>({100, 100, 400, 300});
    select({rect});
    commands->updateStates();
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "ctrl+c"}), 0);
    QTest::qWait(100);

    const QByteArray targets = xclip({QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")});
    EXPECT_TRUE(targets.split('\n').contains(QByteArray(kDrawObjectsMimeType))) << targets.toStdString();
    QByteArray bytes = xclip({QStringLiteral("-t"), QString::fromLatin1(kDrawObjectsMimeType), QStringLiteral("-o")});
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TDOList read;
    read.readFrom(buffer);
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(read.item(0)->className(), QStringLiteral("TLORect"));
    read.freeAll();
}

TEST_F(XclipClipboard, TextAndPicturesOfOtherProgramsPasteAsNewObjects) {
    xclip({QStringLiteral("-i")}, QStringLiteral("他のプログラム").toUtf8());
    ASSERT_TRUE(clipboardOffers(QStringLiteral("text/plain")));
    commands->paste->executeOn(*site);
    ASSERT_EQ(site->drawObjects().size(), 1u);
    auto* text = dynamic_cast<TLOText*>(site->drawObjects()[0]);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text(), QStringList{QStringLiteral("他のプログラム")});

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("red.png"));
    QFile file(png);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pngBytes({360, 180}));
    file.close();
    xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i"), png});
    ASSERT_TRUE(clipboardOffers(QStringLiteral("image/png")));
    commands->paste->executeOn(*site);
    ASSERT_EQ(site->drawObjects().size(), 2u);
    auto* image = dynamic_cast<TLOImage*>(site->drawObjects()[1]);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->imageData().picture().width(), 360);
    QTest::qWait(50);
    saveShot(QStringLiteral("xcb_edit_commands_pasted.png"));
}

}  // namespace
}  // namespace poremi
