// The style toolbar on a site: its size box, one undo step per change on the selection, the
// default style while nothing is selected, the object-added hook and synchronising.

#include "edit/style/style_editor.h"
#include "edit/style/style_tool_bar.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/color_grid_popup.h"
#include "render/raster/fill_color.h"
#include "render/text/point_based_font.h"
#include "tests/poremi_style/style_test_support.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFontComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

class StyleToolBarTest : public test::StyleSiteTest {
protected:
    void SetUp() override {
        StyleSiteTest::SetUp();
        auto* layout = new QVBoxLayout(&window);
        toolBar = new StyleToolBar(&window);
        layout->addWidget(toolBar);
        site->setParent(&window);
        layout->addWidget(site);
        TStyleToolSpec defaults;
        editor = new StyleEditor(*toolBar, defaults, &window);
        editor->setSite(site);
        window.resize(760, 420);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The screen keeps the focus on its site; the boxes take it only while used.
        if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    }
    void TearDown() override {
        TfrmColorGrid::instance().hide();
        delete editor;
        StyleSiteTest::TearDown();
    }

    void typeSize(const QString& size) {
        QLineEdit* edit = toolBar->fontSizeBox()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, size);
        QTest::keyClick(edit, Qt::Key_Return);
        edit->clearFocus();
    }
    void chooseColor(QToolButton* button, int cell) {
        QTest::mouseClick(button, Qt::LeftButton);
        TfrmColorGrid& grid = TfrmColorGrid::instance();
        ASSERT_TRUE(grid.isVisible());
        ASSERT_TRUE(button->isChecked());
        if (cell < 0)
            QTest::mouseClick(grid.transparentButton(), Qt::LeftButton);
        else
            QTest::mouseClick(grid.grid(), Qt::LeftButton, {}, grid.grid()->cellRect(cell).center());
        EXPECT_FALSE(button->isChecked());
    }
    qsizetype steps() const { return TActionList::instance().count(); }

    QWidget window;
    StyleToolBar* toolBar = nullptr;
    StyleEditor* editor = nullptr;
};

TEST_F(StyleToolBarTest, FontNamesComeFromOurFontServices) {
    EXPECT_EQ(qobject_cast<QFontComboBox*>(toolBar->fontNameBox()), nullptr);
    const QStringList usable = FontLibrary::instance().usableFonts();
    ASSERT_FALSE(usable.isEmpty());
    for (const QString& name : usable) EXPECT_GE(toolBar->fontNameBox()->findText(name), 0) << name.toStdString();
    // The default face is known through the face-name mapping, so it shows by its own name.
    ASSERT_TRUE(FontLibrary::instance().isUsable(QStringLiteral("ＭＳ Ｐゴシック")));
    EXPECT_EQ(toolBar->fontNameBox()->currentText(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(toolBar->spec().fontName, QStringLiteral("ＭＳ Ｐゴシック"));

    // A face that is not installed shows as the face drawn in its place, the first fallback.
    TStyleToolSpec missing;
    missing.fontName = QStringLiteral("Arial");
    ASSERT_FALSE(FontLibrary::instance().isUsable(missing.fontName));
    toolBar->showSpec(missing);
    EXPECT_EQ(toolBar->fontNameBox()->currentText(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(toolBar->fontNameBox()->findText(QStringLiteral("Arial")), -1);
}

TEST_F(StyleToolBarTest, SizeBoxAcceptsSixToNineHundredNinetyEight) {
    QStringList offered;
    for (int i = 0; i < toolBar->fontSizeBox()->count(); ++i) offered << toolBar->fontSizeBox()->itemText(i);
    EXPECT_EQ(offered, QString("6 7 8 9 10 11 12 14 16 18 20 22 24 26 28 32 36 48 72").split(u' '));

    struct Case {
        const char* typed;
        std::optional<int> size;
    };
    for (const Case c : {Case{"6", 6}, Case{"998", 998}, Case{" 13 ", 13}, Case{"5", {}}, Case{"999", {}},
                         Case{"abc", {}}, Case{"", {}}, Case{"12.5", {}}}) {
        toolBar->fontSizeBox()->setCurrentText(QString::fromLatin1(c.typed));
        EXPECT_EQ(toolBar->typedFontSize(), c.size) << c.typed;
        EXPECT_EQ(toolBar->spec().fontSize, c.size.value_or(24)) << c.typed;
    }
}

TEST_F(StyleToolBarTest, AnUnreadableSizeChangesNoSelectedObjectButGivesNewObjectsTwentyFour) {
    select({text});
    const int before = text->font().size();
    typeSize(QStringLiteral("1000"));
    EXPECT_EQ(text->font().size(), before);
    EXPECT_EQ(steps(), 0);
    typeSize(QStringLiteral("40"));
    EXPECT_EQ(text->font().size(), 40);
    EXPECT_EQ(steps(), 1);

    site->deselectAll();
    typeSize(QStringLiteral("x"));
    EXPECT_EQ(editor->defaultStyle().fontSize, 24);
    EXPECT_EQ(steps(), 1);
}

TEST_F(StyleToolBarTest, EachToolbarChangeIsOneUndoStepOnTheSelection) {
    select({text, rect});
    const TColor textColor = text->textColor().color();
    const TColor frameColor = rect->frameColor().color();

    // Red for the text and the rectangle's frame together.
    chooseColor(toolBar->textColorButton(), 1);
    EXPECT_EQ(text->textColor().color(), 0x0000FF);
    EXPECT_EQ(rect->frameColor().color(), 0x0000FF);
    ASSERT_EQ(steps(), 1);
    EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("設定変更"));

    QTest::mouseClick(toolBar->fontStyleButton(fsBold), Qt::LeftButton);
    EXPECT_TRUE(text->font().bold());
    QTest::mouseClick(toolBar->alignButton(1), Qt::LeftButton);
    EXPECT_EQ(text->align(), 1);
    EXPECT_EQ(steps(), 3);

    // The rectangle has no font: the step holds the text alone.
    TActionList::instance().undo();
    EXPECT_EQ(text->align(), 0);
    TActionList::instance().undo();
    EXPECT_FALSE(text->font().bold());
    TActionList::instance().undo();
    EXPECT_EQ(text->textColor().color(), textColor);
    EXPECT_EQ(rect->frameColor().color(), frameColor);
    TActionList::instance().redo();
    EXPECT_EQ(text->textColor().color(), 0x0000FF);
    EXPECT_EQ(rect->frameColor().color(), 0x0000FF);
}

TEST_F(StyleToolBarTest, FillColourAndTransparentGoToShapesOnly) {
    toolBar->fillColorButton()->show();
    select({text, rect});
    chooseColor(toolBar->fillColorButton(), 5);
    EXPECT_EQ(rect->fillColor().color(), 0xFF0000);
    EXPECT_TRUE(rect->fillInside());
    EXPECT_EQ(steps(), 1);
    chooseColor(toolBar->fillColorButton(), -1);
    EXPECT_FALSE(rect->fillInside());
    EXPECT_EQ(rect->fillColor().color(), 0xFF0000);
    EXPECT_TRUE(toolBar->spec().transparent);
    EXPECT_EQ(steps(), 2);
    TActionList::instance().undo();
    EXPECT_TRUE(rect->fillInside());

    // Only the selected text: nothing has a fill, so nothing is recorded (a recorded step would
    // drop the step that can be redone).
    select({text});
    chooseColor(toolBar->fillColorButton(), 3);
    EXPECT_TRUE(TActionList::instance().canRedo());
}

TEST_F(StyleToolBarTest, TheTextColourGridOffersNoTransparency) {
    QTest::mouseClick(toolBar->textColorButton(), Qt::LeftButton);
    EXPECT_FALSE(TfrmColorGrid::instance().transparentButton()->isVisible());
    QTest::keyClick(&TfrmColorGrid::instance(), Qt::Key_Escape);
    EXPECT_FALSE(toolBar->textColorButton()->isChecked());
    EXPECT_EQ(steps(), 0);
}

TEST_F(StyleToolBarTest, WithNothingSelectedTheToolbarBecomesTheDefaultStyle) {
    site->deselectAll();
    const TPointBasedFont font = text->font();
    QTest::mouseClick(toolBar->alignButton(2), Qt::LeftButton);
    QTest::mouseClick(toolBar->fontStyleButton(fsItalic), Qt::LeftButton);
    chooseColor(toolBar->textColorButton(), 5);
    const int dejaVu = toolBar->fontNameBox()->findText(QStringLiteral("DejaVu Sans"));
    ASSERT_GE(dejaVu, 0);
    toolBar->fontNameBox()->setCurrentIndex(dejaVu);
    emit toolBar->fontNameBox()->activated(dejaVu);
    EXPECT_EQ(editor->defaultStyle().align, 2);
    EXPECT_EQ(editor->defaultStyle().fontStyle, fsItalic);
    EXPECT_EQ(editor->defaultStyle().penColor, 0xFF0000);
    EXPECT_EQ(editor->defaultStyle().fontName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(steps(), 0);
    EXPECT_EQ(text->font(), font);

    // A new object takes it.
    auto* made = add<TLOText>({0, 0, 100, 100});
    editor->styleNewObject(*made);
    EXPECT_EQ(made->align(), 2);
    EXPECT_TRUE(made->font().italic());
    EXPECT_EQ(made->font().name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(made->font().charset(), 0);
    EXPECT_EQ(made->textColor().color(), 0xFF0000);
}

TEST_F(StyleToolBarTest, SynchronisingShowsTheFrontMostSelectedObjectOrTheDefault) {
    auto* front = add<TLOText>({700, 100, 1000, 300});
    TPointBasedFont font = front->font();
    font.setSize(48);
    font.setStyle(fsUnderline);
    front->setFont(font);
    front->setAlign(3);
    select({text, rect, front});
    editor->synchronise();
    EXPECT_EQ(toolBar->fontSizeBox()->currentText(), QStringLiteral("48"));
    EXPECT_TRUE(toolBar->alignButton(3)->isChecked());
    EXPECT_TRUE(toolBar->fontStyleButton(fsUnderline)->isChecked());
    EXPECT_FALSE(toolBar->fontStyleButton(fsBold)->isChecked());

    // A box being typed into keeps its text.
    site->deselectAll();
    QLineEdit* edit = toolBar->fontSizeBox()->lineEdit();
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1"));
    toolBar->fontNameBox()->setCurrentText(QStringLiteral("DejaVu Sans"));
    editor->synchronise();
    EXPECT_EQ(toolBar->fontSizeBox()->currentText(), QStringLiteral("1"));
    EXPECT_EQ(toolBar->fontNameBox()->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(toolBar->alignButton(0)->isChecked());
    // Leaving the box finishes the typing: a change that, with nothing selected, makes the
    // toolbar's values (the unreadable size as 24) the default style shown from then on.
    edit->clearFocus();
    EXPECT_EQ(editor->defaultStyle().fontName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(editor->defaultStyle().fontSize, 24);
    editor->synchronise();
    EXPECT_EQ(toolBar->fontSizeBox()->currentText(), QStringLiteral("24"));
    EXPECT_EQ(toolBar->fontNameBox()->currentText(), QStringLiteral("DejaVu Sans"));
}

TEST_F(StyleToolBarTest, TheEditorLetsGoOfADestroyedSite) {
    select({text});
    delete site.data();
    EXPECT_EQ(editor->site(), nullptr);
    QTest::mouseClick(toolBar->alignButton(1), Qt::LeftButton);
    EXPECT_EQ(editor->defaultStyle().align, 1);
}

// The toolbar with the grid dropped down under the text colour button, as one picture.
TEST(StyleToolBarScreenshot, ToolbarAndOpenGrid) {
    test::pinStyleFonts();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* toolBar = new StyleToolBar(&window);
    toolBar->fillColorButton()->show();
    layout->addWidget(toolBar);
    layout->addStretch(1);
    window.resize(720, 220);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(toolBar->fillColorButton(), Qt::LeftButton);
    TfrmColorGrid& grid = TfrmColorGrid::instance();
    ASSERT_TRUE(grid.isVisible());
    QTest::qWait(50);

    QImage picture(window.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, window.grab());
    painter.drawPixmap(window.mapFromGlobal(grid.pos()), grid.grab());
    painter.end();
    const QString folder = test::outputFolder();
    QDir().mkpath(folder);
    EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("style_toolbar_%1.png").arg(QGuiApplication::platformName()))));
    grid.hide();
    EXPECT_FALSE(toolBar->fillColorButton()->isChecked());
}

}  // namespace
}  // namespace poremi
