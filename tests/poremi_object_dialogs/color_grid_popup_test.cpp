// The drop-down colour grid the colour buttons share.

#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/color_grid_popup.h"

#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <gtest/gtest.h>

#include <optional>

namespace poremi {
namespace {

class ColorGridPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        button = new QPushButton(QStringLiteral("色"), &window);
        layout->addWidget(button);
        window.move(40, 40);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override {
        TfrmColorGrid::instance().hide();
        TfrmColorGrid::setOtherColorDialog({});
    }

    // Opens the grid with callbacks that note what happened.
    void open(bool allowTransparent, std::uint32_t current = 0) {
        TfrmColorGrid::Opener opener;
        opener.allowTransparent = allowTransparent;
        opener.colorChosen = [this](std::uint32_t color) { chosen = color; };
        opener.closed = [this] { ++closings; };
        TfrmColorGrid::instance().dropDown(*button, current, opener);
    }

    QWidget window;
    QPushButton* button = nullptr;
    std::optional<std::uint32_t> chosen;
    int closings = 0;
};

TEST_F(ColorGridPopupTest, ACellChosenIsReportedAndHidesTheGridUnderItsButton) {
    TfrmColorGrid& grid = TfrmColorGrid::instance();
    open(false);
    ASSERT_TRUE(grid.isVisible());
    // Under the button (window frames may shift the global positions by a few pixels).
    const QPoint under = button->mapToGlobal(QPoint(0, button->height()));
    EXPECT_LE((grid.pos() - under).manhattanLength(), 4) << grid.pos().x() << "," << grid.pos().y();
    // Yellow, the third cell of the first row, as 0x00BBGGRR.
    QTest::mouseClick(grid.grid(), Qt::LeftButton, {}, grid.grid()->cellRect(2).center());
    EXPECT_EQ(chosen, std::optional<std::uint32_t>(0x00FFFF));
    EXPECT_FALSE(grid.isVisible());
    EXPECT_EQ(closings, 0);
    EXPECT_EQ(grid.color(), 0x00FFFFu);
}

TEST_F(ColorGridPopupTest, EscapeClosesWithoutAColour) {
    open(true);
    QTest::keyClick(&TfrmColorGrid::instance(), Qt::Key_Escape);
    EXPECT_FALSE(TfrmColorGrid::instance().isVisible());
    EXPECT_FALSE(chosen);
    EXPECT_EQ(closings, 1);
}

TEST_F(ColorGridPopupTest, AClickElsewhereClosesWithoutAColour) {
    window.resize(600, 400);
    QApplication::processEvents();
    open(false);
    const QPoint elsewhere(window.width() - 4, window.height() - 4);
    ASSERT_FALSE(TfrmColorGrid::instance().frameGeometry().contains(window.mapToGlobal(elsewhere)));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, elsewhere);
    EXPECT_FALSE(TfrmColorGrid::instance().isVisible());
    EXPECT_FALSE(chosen);
    EXPECT_EQ(closings, 1);
}

TEST_F(ColorGridPopupTest, TransparentIsOfferedOnlyWhenTheOpenerAllowsIt) {
    TfrmColorGrid& grid = TfrmColorGrid::instance();
    open(false);
    EXPECT_FALSE(grid.transparentButton()->isVisible());
    EXPECT_TRUE(grid.otherColorButton()->isVisible());
    grid.hide();

    open(true, TfrmColorGrid::kTransparent);
    ASSERT_TRUE(grid.transparentButton()->isVisible());
    EXPECT_TRUE(grid.transparentButton()->isChecked());
    QTest::mouseClick(grid.transparentButton(), Qt::LeftButton);
    EXPECT_EQ(chosen, std::optional<std::uint32_t>(TfrmColorGrid::kTransparent));
    EXPECT_TRUE(grid.isTransparent());
}

TEST_F(ColorGridPopupTest, OtherColourAsksTheDialogWithTheCurrentColour) {
    std::optional<std::uint32_t> answer = 0x336699;
    std::uint32_t asked = 0;
    TfrmColorGrid::setOtherColorDialog([&](std::uint32_t current, QWidget*) {
        asked = current;
        return answer;
    });
    open(false, 0x0000FF);
    QTest::mouseClick(TfrmColorGrid::instance().otherColorButton(), Qt::LeftButton);
    EXPECT_EQ(asked, 0x0000FFu);
    EXPECT_EQ(chosen, answer);
    EXPECT_EQ(closings, 0);

    chosen.reset();
    answer.reset();
    open(false);
    QTest::mouseClick(TfrmColorGrid::instance().otherColorButton(), Qt::LeftButton);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(closings, 1);
}

TEST_F(ColorGridPopupTest, AnotherOpenerTakesTheGridFromTheFirst) {
    int firstClosings = 0;
    std::optional<std::uint32_t> firstChosen;
    TfrmColorGrid::Opener first;
    first.colorChosen = [&](std::uint32_t color) { firstChosen = color; };
    first.closed = [&] { ++firstClosings; };
    TfrmColorGrid::instance().dropDown(*button, 0, first);
    open(false);
    EXPECT_EQ(firstClosings, 1);
    QTest::mouseClick(TfrmColorGrid::instance().grid(), Qt::LeftButton, {},
                      TfrmColorGrid::instance().grid()->cellRect(0).center());
    EXPECT_FALSE(firstChosen);
    EXPECT_EQ(chosen, std::optional<std::uint32_t>(0));
}

}  // namespace
}  // namespace poremi
