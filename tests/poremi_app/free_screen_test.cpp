// The free-design screen "アレンジ" in the main window: its protocol, tools, style toolbar,
// arrangement commands, status bar, ribbon and keys.

#include "app/screens/free_screen.h"
#include "app/screens/free_screen_arrange.h"
#include "app/screens/free_screen_commands.h"
#include "app/screens/free_screen_grid.h"
#include "app/screens/free_screen_route.h"
#include "app/screens/free_screen_status.h"
#include "app/screens/free_screen_tools.h"
#include "app/screens/label_view.h"
#include "app/screens/screen_zoom.h"
#include "document/model/action_history.h"
#include "document/model/designer.h"
#include "document/model/grid_guide.h"
#include "document/model/label_object.h"
#include "document/model/object_list.h"
#include "edit/arrange/arrange_mode_dialog.h"
#include "edit/draw_site_widget.h"
#include "edit/edit_command_actions.h"
#include "edit/ghost.h"
#include "edit/style/object_style.h"
#include "edit/style/style_editor.h"
#include "edit/style/style_tool_bar.h"
#include "edit/style/toolbar_style.h"
#include "objects/dialogs/jan_property_dialog.h"
#include "objects/shape_rect.h"
#include "objects/text_date_object.h"
#include "objects/text_object.h"
#include "render/text/font_library.h"
#include "render/text/point_based_font.h"
#include "tests/poremi_app/window_fixture.h"
#include "tests/support/test_environment.h"

#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtGui/QAction>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QToolButton>
#include <map>

namespace poremi {
namespace {

using test::WindowTest;

class FreeScreenTest : public WindowTest {
protected:
    void SetUp() override {
        // Texts find their Windows face names through the mapping the program ships.
        static const bool fonts = [] {
            FontConfiguration configuration;
            configuration.files << QStringLiteral(POREMI_SOURCE_DIR "/data/fonts/poremi-fonts.conf");
            FontLibrary::configure(configuration);
            return true;
        }();
        (void)fonts;
        WindowTest::SetUp();
        window->startWith(QString());
        window->resize(1000, 760);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        if (QGuiApplication::platformName() != u"xcb") ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(window->action(QStringLiteral("actQelEditFree"))->isEnabled());
        window->action(QStringLiteral("actQelEditFree"))->trigger();
        ASSERT_NE(screen(), nullptr);
        QApplication::processEvents();
    }

    void TearDown() override {
        TActionList::instance().clear();
        WindowTest::TearDown();
        // The zoom a screen remembers lives as long as the process: leave it as found.
        ScreenZoom automatic(ScreenKind::FreeDesign);
        automatic.choose(ScreenZoom::kAutomatic);
        automatic.remember(0);
    }

    TfrmQelFree* screen() const { return qobject_cast<TfrmQelFree*>(window->hostedScreen()); }
    TDrawSite& site() const { return screen()->site(); }

    // The objects of the label itself (not the paper's fixed designs).
    std::vector<TDrawObject*> labelObjects() const {
        std::vector<TDrawObject*> found;
        for (TDrawObject* object : site().drawObjects())
            if (object->layerGroup() != kPaperTemplateLayer) found.push_back(object);
        return found;
    }

    template <class T>
    T* add(const TRect& r) {
        auto* object = new T(&site());
        object->setRect(r);
        site().addDrawObject(*object);
        return object;
    }

    TLOText* addText(const TRect& r, const QStringList& lines) {
        auto* text = add<TLOText>(r);
        text->setText(lines);
        return text;
    }

    void select(std::initializer_list<TDrawObject*> objects) {
        site().deselectAll();
        for (TDrawObject* object : objects) object->setSelected(true);
        screen()->refreshNow();
    }

    static void runCommand(QAction* command) {
        ASSERT_NE(command, nullptr);
        ASSERT_TRUE(command->isEnabled()) << command->text().toStdString();
        command->trigger();
    }
};

// Accepts the property dialog a tool opens once it shows (a tool may ask for a file first),
// giving an empty text some lines.
void acceptNextDialog(int triesLeft = 300) {
    QTimer::singleShot(10, [triesLeft] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ASSERT_GT(triesLeft, 0) << "no dialog showed";
            return acceptNextDialog(triesLeft - 1);
        }
        for (QPlainTextEdit* lines : dialog->findChildren<QPlainTextEdit*>())
            if (lines->isVisibleTo(dialog) && lines->toPlainText().isEmpty()) lines->setPlainText(QStringLiteral("見本"));
        if (qobject_cast<TfrmJANCodeProperty*>(dialog))
            for (QLineEdit* digits : dialog->findChildren<QLineEdit*>())
                if (!qobject_cast<QComboBox*>(digits->parentWidget())) digits->setText(QStringLiteral("490123456789"));
        dialog->accept();
        // A dialog that refused OK would leave the test hanging.
        if (dialog->isVisible()) dialog->reject();
    });
}

QStringList menuTitles(QMenuBar& bar) {
    QStringList titles;
    for (QAction* entry : bar.actions())
        if (entry->menu()) titles << entry->menu()->title();
    return titles;
}

// ---- protocol and switching ----------------------------------------------------------------

TEST_F(FreeScreenTest, SwitchingToTheMenuAndBackKeepsTheLabelsEdits) {
    const int face = window->document().currentLabelNo();
    add<TLORect>({100, 120, 300, 260});
    EXPECT_TRUE(screen()->isModified());

    ASSERT_TRUE(window->ShowScreen(ScreenKind::Menu));
    TDOList stored;
    window->document().LoadLabelObjects(face, stored);
    ASSERT_EQ(stored.count(), 1);
    EXPECT_EQ(dynamic_cast<TLORect&>(*stored.items().front()).getRect(), (TRect{100, 120, 300, 260}));
    stored.freeAll();
    EXPECT_EQ(TActionList::instance().count(), 0);

    window->action(QStringLiteral("actQelEditFree"))->trigger();
    ASSERT_NE(screen(), nullptr);
    const std::vector<TDrawObject*> shown = labelObjects();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(dynamic_cast<TLORect&>(*shown.front()).getRect(), (TRect{100, 120, 300, 260}));
    EXPECT_FALSE(screen()->isModified());
    EXPECT_FALSE(TActionList::instance().repeatMode());
}

TEST_F(FreeScreenTest, DatesFollowingTheDocumentsTimesShowTheDocumentsTimes) {
    ASSERT_TRUE(window->ShowScreen(ScreenKind::Menu));
    TLabelData& document = window->document();
    const int face = document.currentLabelNo();
    document.setLastPrint(40000.25);
    document.setLastSave(41000.5);
    TDOList objects;
    for (TDateUpdateFlag flag : {dufPrint, dufSave}) {
        auto* date = new TLODate;
        date->setRect({100, 100 + 200 * int(flag), 600, 250 + 200 * int(flag)});
        date->setDate(30000);
        date->setUpdateFlag(flag);
        objects.add(date);
    }
    document.SaveLabelObjects(face, objects);
    objects.freeAll();

    window->action(QStringLiteral("actQelEditFree"))->trigger();
    std::map<int, double> shown;
    for (TDrawObject* object : labelObjects())
        if (auto* date = dynamic_cast<TLODate*>(object)) shown[date->updateFlag()] = date->date();
    EXPECT_EQ(shown, (std::map<int, double>{{dufPrint, 40000.25}, {dufSave, 41000.5}}));
}

TEST_F(FreeScreenTest, TheScreenPutsItsMenusBetweenFileAndHelpWhileItIsShown) {
    QMenuBar& bar = *window->menuBar();
    EXPECT_EQ(menuTitles(bar), (QStringList{"ファイル(&F)", "編集(&E)", "文字(&S)", "画像(&I)", "位置(&L)", "設定(&D)",
                                            "表示(&V)", "モード(&M)", "ツール(&T)", "ヘルプ(&H)"}));
    ASSERT_TRUE(window->ShowScreen(ScreenKind::Menu));
    QApplication::processEvents();
    // The next screen may bring menus of its own, but none of these stays behind.
    const QStringList after = menuTitles(bar);
    for (const QString& gone : {"文字(&S)", "画像(&I)", "位置(&L)", "設定(&D)"}) EXPECT_FALSE(after.contains(gone)) << gone.toStdString();
    for (const QString& title : after) EXPECT_EQ(after.count(title), 1) << title.toStdString();
    EXPECT_EQ(after.front(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(after.back(), QStringLiteral("ヘルプ(&H)"));
}

TEST_F(FreeScreenTest, LeavingRemembersTheZoomAndSavesTheDefaultTextStyle) {
    screen()->zoom().choose(200);
    EXPECT_EQ(screen()->view().scale(), 200);
    // Nothing selected: the toolbar edits the default style.
    screen()->styleToolBar().fontStyleButton(fsBold)->click();
    ASSERT_TRUE(window->ShowScreen(ScreenKind::Menu));
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::FreeDesign), 200);
    EXPECT_EQ(readDefaultTextStyle().fontStyle & fsBold, fsBold);

    window->action(QStringLiteral("actQelEditFree"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(screen()->view().scale(), 200);
    EXPECT_TRUE(screen()->zoom().actions().at(5)->isChecked());
    screen()->zoom().choose(ScreenZoom::kAutomatic);
    ASSERT_TRUE(window->ShowScreen(ScreenKind::Menu));
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::FreeDesign), ScreenZoom::kAutomatic);
}

TEST_F(FreeScreenTest, TheSiteSnapsToTheDocumentsGridAndGuidesAndStylesNewObjects) {
    EXPECT_EQ(site().grid(), &window->document().grid());
    EXPECT_EQ(site().guide(), &window->document().guide());
    ASSERT_TRUE(site().snapFunction);
    ASSERT_TRUE(site().objectAdded);
    // The snap command sets a guide across and down the middle when there is none.
    screen()->commands().grid().snapToGuides()->trigger();
    const TGuide& guide = window->document().guide();
    EXPECT_TRUE(guide.enabled());
    EXPECT_TRUE(guide.visible());
    EXPECT_EQ(guide.guide(0), QPoint(0, site().logHeight() / 2));
    EXPECT_EQ(guide.guide(1), QPoint(site().logWidth() / 2, 0));
    EXPECT_EQ(site().snapFunction(QPoint(site().logWidth() / 2 + 3, 17)).dx, -3);
    screen()->commands().grid().snapToGuides()->trigger();
    EXPECT_FALSE(guide.enabled());

    ASSERT_TRUE(window->ShowScreen(ScreenKind::Menu));
    EXPECT_EQ(window->hostedScreen()->kind(), ScreenKind::Menu);
}

TEST_F(FreeScreenTest, TheMoveModesSwitchTheGridAndTheCircleMove) {
    FreeScreenGridCommands& grid = screen()->commands().grid();
    const TGrid& documentGrid = window->document().grid();
    site().moveOptions.axisLock = true;
    grid.moveModes().at(1)->trigger();  // "グリッド"
    EXPECT_TRUE(documentGrid.visible());
    EXPECT_TRUE(documentGrid.enabled());
    EXPECT_FALSE(site().moveOptions.axisLock);
    EXPECT_FALSE(site().moveOptions.circle);
    grid.moveModes().at(2)->trigger();  // "円周"
    EXPECT_FALSE(documentGrid.visible());
    EXPECT_FALSE(documentGrid.enabled());
    EXPECT_TRUE(site().moveOptions.circle);
    grid.steps().at(3)->trigger();  // 45 degrees
    EXPECT_TRUE(site().moveOptions.angleSnap);
    EXPECT_EQ(site().moveOptions.angleStep, 45);
    grid.steps().at(0)->trigger();
    EXPECT_FALSE(site().moveOptions.angleSnap);
    grid.moveModes().at(0)->trigger();  // "通常"
    EXPECT_FALSE(site().moveOptions.circle);

    grid.setDialogRunner([](GridSettingsDialog& dialog) {
        dialog.spacingBox()->setValue(25);
        dialog.dotsBox()->setChecked(false);
        return true;
    });
    grid.gridSettings()->trigger();
    EXPECT_EQ(documentGrid.size(), 250);
    EXPECT_TRUE(documentGrid.lineShape());
}

// ---- tools --------------------------------------------------------------------------------

TEST_F(FreeScreenTest, EveryAvailableToolCreatesItsObjectWithTheToolbarsStyle) {
    StyleToolBar& bar = screen()->styleToolBar();
    // Nothing is selected, so the toolbar changes the default style new objects take.
    bar.fontSizeBox()->lineEdit()->setText(QStringLiteral("36"));
    QMetaObject::invokeMethod(bar.fontSizeBox()->lineEdit(), "editingFinished");
    bar.fontStyleButton(fsItalic)->click();
    ASSERT_EQ(screen()->styleEditor().defaultStyle().fontSize, 36);

    const QString picture = root + QStringLiteral("/mark.png");
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(picture));

    // The decorated rule is left out: its dialog needs the installed rule patterns.
    const char* const tools[] = {"actText", "actAlphaMask", "actImageFile", "actBackground", "actDate", "actJANCode",
                                 "actLine", "actArc", "actRect", "actCircle"};
    for (const char* command : tools) {
        // The picture tools ask for their file first.
        if (QByteArray(command) == "actAlphaMask" || QByteArray(command) == "actImageFile") ui.answerFile(picture);
        SCOPED_TRACE(command);
        QAction* tool = screen()->commands().tools().action(QString::fromLatin1(command));
        ASSERT_NE(tool, nullptr);
        EXPECT_TRUE(tool->isEnabled());
        site().deselectAll();
        const std::size_t before = labelObjects().size();
        acceptNextDialog();
        tool->trigger();
        QApplication::processEvents();
        const std::vector<TDrawObject*> after = labelObjects();
        ASSERT_EQ(after.size(), before + 1);
        TDrawObject* made = nullptr;
        for (TDrawObject* object : after)
            if (!made || object->isSelected()) made = object;
        // What the object has of the style is the toolbar's.
        const TStyleToolSpec expected = screen()->styleEditor().defaultStyle();
        const TStyleToolSpec has = objectStyle(*made, TStyleToolSpec{});
        if (hasStyleProperty(*made, StyleProperty::FontSize)) {
            EXPECT_EQ(has.fontSize, 36);
            EXPECT_EQ(has.fontStyle & fsItalic, fsItalic);
        }
        if (hasStyleProperty(*made, StyleProperty::PenColor)) EXPECT_EQ(has.penColor, expected.penColor);
    }
    const TDrawObject* text = nullptr;
    for (TDrawObject* object : labelObjects())
        if (dynamic_cast<TLOText*>(object)) text = object;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(objectStyle(*text, TStyleToolSpec{}).fontSize, 36);
}

TEST_F(FreeScreenTest, ToolsTheProgramCannotMakeYetAreShownDisabled) {
    FreeScreenTools& tools = screen()->commands().tools();
    for (const char* command : {"actOnePoint", "actTwain", "actInsertionText", "actInsertionImage",
                                "actInsertionBarcode", "actNumbering", "actDecoString"}) {
        SCOPED_TRACE(command);
        QAction* tool = tools.action(QString::fromLatin1(command));
        ASSERT_NE(tool, nullptr);
        EXPECT_TRUE(tool->isVisible());
        EXPECT_FALSE(tool->isEnabled());
    }
    // Only with the special menu setting.
    EXPECT_FALSE(tools.action(QStringLiteral("actWizardText"))->isVisible());
    for (const QString& caption : {QStringLiteral("イラスト集"), QStringLiteral("TWAIN画像")}) {
        QToolButton* button = screen()->button(caption);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled());
    }
    for (const QString& caption : {QStringLiteral("文字"), QStringLiteral("背景柄"), QStringLiteral("画像ファイル"),
                                   QStringLiteral("カラーマーク"), QStringLiteral("直線"), QStringLiteral("JANコード")}) {
        QToolButton* button = screen()->button(caption);
        ASSERT_NE(button, nullptr) << caption.toStdString();
        EXPECT_TRUE(button->isEnabled()) << caption.toStdString();
    }
}

TEST_F(FreeScreenTest, TheBackgroundToolEditsTheLabelsBackgroundOnceItHasOne) {
    QAction* background = screen()->commands().tools().action(QStringLiteral("actBackground"));
    acceptNextDialog();
    background->trigger();
    ASSERT_NE(labelBackground(site()), nullptr);
    const std::size_t count = labelObjects().size();
    const qsizetype steps = TActionList::instance().count();

    // The second run opens the existing background's editor; a cancel records nothing.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    background->trigger();
    EXPECT_EQ(labelObjects().size(), count);
    EXPECT_EQ(TActionList::instance().count(), steps);
}

TEST_F(FreeScreenTest, EscAbandonsAToolThatWaitsForItsRectangle) {
    // A tool waiting for the user to draw: a hidden object with its creating ghost.
    auto* waiting = add<TLORect>({0, 0, 10, 10});
    waiting->setVisible(false);
    site().setSiteCursor(Qt::CrossCursor);
    waiting->beginDrag(-2);
    ASSERT_FALSE(TGhostList::instance().isEmpty());

    QLineEdit* size = screen()->styleToolBar().fontSizeBox()->lineEdit();
    size->setFocus();
    QTest::keyClick(size, Qt::Key_Escape);
    EXPECT_TRUE(TGhostList::instance().isEmpty());
    screen()->refreshNow();
    EXPECT_EQ(site().cursor().shape(), Qt::ArrowCursor);
    for (TDrawObject* object : labelObjects()) EXPECT_TRUE(object->isVisible());
}

TEST_F(FreeScreenTest, EnterInTheToolbarBoxesHandsTheFocusToTheSite) {
    for (QComboBox* box : {screen()->styleToolBar().fontSizeBox(), screen()->styleToolBar().fontNameBox()}) {
        box->setFocus();
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, &site());
        QTest::keyClick(focused, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), &site());
    }
}

// ---- style toolbar and arrangement --------------------------------------------------------

TEST_F(FreeScreenTest, AToolbarChangeIsOneSettingsChangeStep) {
    TLOText* first = addText({100, 100, 600, 300}, {QStringLiteral("一")});
    TLOText* second = addText({100, 400, 600, 600}, {QStringLiteral("二")});
    TActionList::instance().clear();
    select({first, second});
    screen()->styleToolBar().fontStyleButton(fsUnderline)->click();
    ASSERT_EQ(TActionList::instance().count(), 1);
    EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("設定変更"));
    EXPECT_EQ(objectStyle(*first, {}).fontStyle & fsUnderline, fsUnderline);
    EXPECT_EQ(objectStyle(*second, {}).fontStyle & fsUnderline, fsUnderline);
    // With a selection the default style stays.
    EXPECT_EQ(screen()->styleEditor().defaultStyle().fontStyle & fsUnderline, 0);
    TActionList::instance().undo();
    EXPECT_EQ(objectStyle(*first, {}).fontStyle & fsUnderline, 0);
}

TEST_F(FreeScreenTest, EachArrangementCommandIsOneUndoStep) {
    FreeScreenArrangeCommands& arrange = screen()->commands().arrange();
    int chosenMode = 0;
    arrange.setModeChooser([&chosenMode](ArrangeModeDialog&) { return std::optional<int>(chosenMode); });
    TLORect* a = add<TLORect>({100, 100, 200, 150});
    TLORect* b = add<TLORect>({300, 400, 380, 480});
    TLOText* text = addText({50, 600, 500, 800}, {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});

    struct Step {
        const char* name;
        std::function<void()> prepare;
        QAction* command;
        QString caption;
    };
    const std::vector<Step> steps{
        {"position", [&] { chosenMode = 5; select({a}); }, arrange.position(), QStringLiteral("設定変更")},
        {"align", [&] { chosenMode = 0; select({a, b}); }, arrange.align(), QStringLiteral("位置合わせ")},
        {"group", [&] { select({a, b}); }, arrange.group(), QStringLiteral("グループ化")},
        {"ungroup", [] {}, arrange.ungroup(), QStringLiteral("グループ化解除")},
        {"split", [&] { select({text}); }, arrange.splitText(), QStringLiteral("文字列の分割")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.prepare();
        arrange.updateStates();
        const qsizetype before = TActionList::instance().count();
        runCommand(step.command);
        EXPECT_EQ(TActionList::instance().count(), before + 1);
        EXPECT_EQ(TActionList::instance().undoCaption(), step.caption);
    }
    // The split left the source and added one text per line.
    std::size_t texts = 0;
    for (TDrawObject* object : labelObjects()) texts += dynamic_cast<TLOText*>(object) != nullptr;
    EXPECT_EQ(texts, 4u);
    // The position step centred the rectangle across the label.
    const int width = site().logWidth();
    EXPECT_EQ(TActionList::instance().count(), 5);
    for (int i = 0; i < 4; ++i) TActionList::instance().undo();
    EXPECT_EQ(a->getRect().left, (width - 100) / 2);
    TActionList::instance().undo();
    EXPECT_EQ(a->getRect(), (TRect{100, 100, 200, 150}));
}

TEST_F(FreeScreenTest, ArrangementCommandsFollowTheSelection) {
    FreeScreenArrangeCommands& arrange = screen()->commands().arrange();
    TLORect* a = add<TLORect>({100, 100, 200, 150});
    TLORect* b = add<TLORect>({300, 400, 380, 480});
    select({});
    EXPECT_FALSE(arrange.position()->isEnabled());
    EXPECT_FALSE(arrange.group()->isEnabled());
    EXPECT_FALSE(screen()->button(QStringLiteral("削除"))->isEnabled());
    select({a});
    EXPECT_TRUE(arrange.position()->isEnabled());
    EXPECT_FALSE(arrange.align()->isEnabled());
    EXPECT_FALSE(arrange.group()->isEnabled());
    EXPECT_TRUE(screen()->button(QStringLiteral("削除"))->isEnabled());
    EXPECT_TRUE(screen()->button(QStringLiteral("前面に移動"))->isEnabled());
    select({a, b});
    EXPECT_TRUE(arrange.align()->isEnabled());
    EXPECT_TRUE(arrange.group()->isEnabled());
    EXPECT_FALSE(arrange.ungroup()->isEnabled());
    EXPECT_FALSE(arrange.splitText()->isEnabled());
}

// ---- status bar -----------------------------------------------------------------------------

TEST(FreeScreenStatusText, LengthsAlwaysShowTheTenths) {
    const std::pair<int, const char*> cases[] = {
        {-5, "-0.5mm"}, {120, "12.0mm"}, {0, "0.0mm"}, {125, "12.5mm"}, {-125, "-12.5mm"}, {9999, "999.9mm"}, {7, "0.7mm"}};
    for (const auto& [units, text] : cases) EXPECT_EQ(statusMillimetres(units), QString::fromUtf8(text)) << units;
}

TEST_F(FreeScreenTest, TheStatusBarDescribesThePointerAndTheFrontSelectedObject) {
    FreeScreenStatusBar* panels = screen()->statusPanels();
    ASSERT_NE(panels, nullptr);
    const auto texts = [&] {
        screen()->refreshNow();
        QStringList shown;
        for (int i = 0; i < 4; ++i) shown << panels->panel(i)->text();
        return shown;
    };
    TLORect* back = add<TLORect>({10, 20, 30, 40});
    TLORect* front = add<TLORect>({-5, 120, 995, 1125});
    select({});
    EXPECT_EQ(texts(), (QStringList{"ﾏｳｽ(0.0mm,0.0mm)", "", "", ""}));

    QTest::mouseMove(&site(), site().logToPixel(QPoint(400, 300)));
    select({back, front});
    front->setMovable(false);
    front->setDontPrint(true);
    const QStringList shown = texts();
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("ﾏｳｽ("))) << shown[0].toStdString();
    EXPECT_EQ(shown.mid(1), (QStringList{"位置(-0.5mm,12.0mm),ｻｲｽﾞ(100.0mm,100.5mm)", "固定", "印刷しない"}));
    EXPECT_EQ(freeScreenStatus(site(), QPoint(-5, 120)).pointer, QStringLiteral("ﾏｳｽ(-0.5mm,12.0mm)"));

    screen()->zoom().choose(150);
    screen()->refreshNow();
    EXPECT_EQ(panels->panel(4)->text(), QStringLiteral("150%"));
    // The panels are sized for their widest texts.
    EXPECT_GT(panels->panel(1)->width(), panels->panel(0)->width());
}

// ---- ribbon and back command -----------------------------------------------------------------

TEST(FreeScreenRouteTable, TheScreenEnteredFromDecidesStepsAndBack) {
    struct Row {
        std::optional<ScreenKind> from;
        QStringList steps;
        const char* back;
    };
    const Row rows[] = {
        {ScreenKind::Template, {"メニュー", "テンプレート", "文字入力", "アレンジ"}, "actQelEditInput"},
        {ScreenKind::TextInput, {"メニュー", "テンプレート", "文字入力", "アレンジ"}, "actQelEditInput"},
        {ScreenKind::Image, {"メニュー", "イメージ", "アレンジ"}, "actQelEditImage"},
        {ScreenKind::Menu, {"メニュー", "アレンジ"}, "actQelMenu"},
        {std::nullopt, {"メニュー", "アレンジ"}, "actQelMenu"},
    };
    for (const Row& row : rows) {
        const FreeScreenRoute route = freeScreenRoute(row.from);
        EXPECT_EQ(route.steps, row.steps);
        EXPECT_EQ(route.backCommand, QString::fromLatin1(row.back));
    }
    EXPECT_EQ(ribbonStepCommand(QStringLiteral("テンプレート")), QStringLiteral("actQelEditTemplate"));
    EXPECT_EQ(ribbonStepCommand(QStringLiteral("イメージ")), QStringLiteral("actQelEditImage"));
}

TEST_F(FreeScreenTest, BackAndTheRibbonRunTheMainWindowsScreenCommands) {
    // Entered from the menu screen.
    EXPECT_EQ(screen()->ribbonSteps(), (QStringList{"メニュー", "アレンジ"}));
    // The counted commands stand in for their screens here: they switch nothing.
    const auto counted = [this](const char* name) {
        QAction* command = window->action(QString::fromLatin1(name));
        command->setEnabled(true);
        QObject::disconnect(command, &QAction::triggered, window.get(), nullptr);
        return std::make_unique<QSignalSpy>(command, &QAction::triggered);
    };
    auto menu = counted("actQelMenu");
    auto image = counted("actQelEditImage");
    auto input = counted("actQelEditInput");
    auto templates = counted("actQelEditTemplate");

    screen()->button(QStringLiteral("戻る"))->click();
    EXPECT_EQ(menu->count(), 1);
    screen()->setEnteredFrom(ScreenKind::Image);
    screen()->button(QStringLiteral("戻る"))->click();
    EXPECT_EQ(image->count(), 1);
    screen()->setEnteredFrom(ScreenKind::Template);
    EXPECT_EQ(screen()->ribbonSteps(), (QStringList{"メニュー", "テンプレート", "文字入力", "アレンジ"}));
    screen()->commands().back()->trigger();
    EXPECT_EQ(input->count(), 1);
    screen()->button(QStringLiteral("テンプレート"))->click();
    EXPECT_EQ(templates->count(), 1);
    screen()->button(QStringLiteral("メニュー"))->click();
    EXPECT_EQ(menu->count(), 2);
}

TEST_F(FreeScreenTest, ObjectsStayInPlaceWhenTheViewIsScrolled) {
    TLORect* rect = add<TLORect>({300, 700, 800, 1000});
    screen()->zoom().choose(400);
    screen()->view().ensureVisible(rect->getRect());
    QApplication::processEvents();
    const QPoint edge = site().logToPixel(QPoint(550, 700));
    ASSERT_TRUE(site().visibleRegion().contains(edge));
    // The window as painted, where the site shows only its visible part.
    const QImage shown = window->grab().toImage();
    const auto darkNear = [&](QPoint logical) {
        const QPoint centre = site().mapTo(window.get(), site().logToPixel(logical));
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (qGray(shown.pixel(centre + QPoint(dx, dy))) < 100) return true;
        return false;
    };
    // Each visible edge where the rulers say, and nothing 2 mm beside it.
    for (const auto& [edge, beside] : {std::pair{QPoint(550, 700), QPoint(550, 680)}, std::pair{QPoint(550, 1000), QPoint(550, 1020)},
                                       std::pair{QPoint(300, 850), QPoint(320, 850)}, std::pair{QPoint(800, 850), QPoint(780, 850)}}) {
        if (!site().visibleRegion().contains(site().logToPixel(edge))) continue;
        EXPECT_TRUE(darkNear(edge)) << edge.x() << "," << edge.y();
        EXPECT_FALSE(darkNear(beside)) << beside.x() << "," << beside.y();
    }
}

// ---- pictures on a real X server ---------------------------------------------------------------

TEST_F(FreeScreenTest, PictureOfTheScreenWithATextAndARectangle) {
    TLOText* text = addText({200, 300, 900, 500}, {QStringLiteral("アレンジ見本")});
    // Styled as the text tool styles its new objects.
    site().objectAdded(*text);
    TLORect* rect = add<TLORect>({300, 700, 800, 1000});
    select({rect});
    QDir().mkpath(test::outputFolder());
    for (const int percent : {ScreenZoom::kAutomatic, 400}) {
        screen()->zoom().choose(percent);
        screen()->refreshNow();
        QApplication::processEvents();
        QTest::qWait(50);
        const QImage shot = window->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        const QString name = percent == ScreenZoom::kAutomatic ? QStringLiteral("auto") : QStringLiteral("400");
        EXPECT_TRUE(shot.save(test::outputFolder() +
                              QStringLiteral("/free_screen_%1_%2.png").arg(name, QGuiApplication::platformName())));

    }
}

}  // namespace
}  // namespace poremi
