// The print dialog as a user works it: modes and marks, the kept state, the message when no
// face is marked, and the adjustment remembered per destination.

#include "paper/paper_info.h"
#include "print/dialog/print_dialog.h"
#include "print/dialog/sheet_mark_view.h"
#include "tests/support/frame_fixture.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <gtest/gtest.h>

namespace poremi {
namespace {

std::unique_ptr<TMatrixPaperInfo> gridPaper(int columns, int rows) {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("四角"));
    paper->setPhysicalSize(100 + columns * 450, 100 + rows * 350);
    paper->setFaceCountX(columns);
    paper->setFaceCountY(rows);
    paper->setFaceWidth(400);
    paper->setFaceHeight(300);
    paper->setLeftOffset(50);
    paper->setTopOffset(50);
    paper->setRightMargin(50);
    paper->setBottomMargin(50);
    return paper;
}

class PrintDialogTest : public test::FrameTest {
protected:
    template <class T>
    static T* control(QDialog& dialog, const QString& text) {
        for (T* child : dialog.findChildren<T*>())
            if (child->text() == text) return child;
        ADD_FAILURE() << "no control " << text.toStdString();
        return nullptr;
    }
    static SheetMarkView* view(QDialog& dialog) { return dialog.findChild<SheetMarkView*>(); }
    static QDoubleSpinBox* spin(QDialog& dialog, int index) { return dialog.findChildren<QDoubleSpinBox*>().at(index); }
    static void clickFace(QDialog& dialog, int face) {
        SheetMarkView* sheet = view(dialog);
        const QPointF at = sheet->facePosition(face);
        QMouseEvent press(QEvent::MouseButtonPress, at, sheet->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(sheet, &press);
    }
    static void showDialog(QDialog& dialog) {
        dialog.resize(700, 420);
        dialog.show();
        QCoreApplication::processEvents();
    }
    static void start(QDialog& dialog) { control<QPushButton>(dialog, QStringLiteral("印刷開始"))->click(); }

    PrintDialogState state;
    std::unique_ptr<TMatrixPaperInfo> paper = gridPaper(2, 2);
};

TEST_F(PrintDialogTest, SelectedFacesAreMarkedOnTheSheetAndKept) {
    {
        PrintDialog dialog(*paper, {}, false, state);
        showDialog(dialog);
        // All faces: the sheet shows every face marked and ignores the mouse.
        clickFace(dialog, 3);
        EXPECT_FALSE(view(dialog)->isMarked(3));
        EXPECT_FALSE(control<QCheckBox>(dialog, QStringLiteral("印刷ラベルで連続させる"))->isEnabled());

        control<QRadioButton>(dialog, QStringLiteral("指定ラベル(&S)"))->click();
        EXPECT_TRUE(view(dialog)->isMarked(0)) << "a face is marked when none was";
        clickFace(dialog, 2);
        clickFace(dialog, 0);
        control<QCheckBox>(dialog, QStringLiteral("印刷ラベルで連続させる"))->click();
        dialog.grab().save(test::outputFolder() + QStringLiteral("/print_dialog.png"));
        start(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const TPrintSpec spec = dialog.spec();
        EXPECT_FALSE(spec.allFaces);
        EXPECT_EQ(spec.faceSelection, (std::vector<bool>{false, false, true, false}));
        EXPECT_TRUE(spec.countSelectedOnly);
        EXPECT_FALSE(dialog.calibrationRequested());
    }
    PrintDialog again(*paper, {}, false, state);
    EXPECT_TRUE(control<QRadioButton>(again, QStringLiteral("指定ラベル(&S)"))->isChecked());
    EXPECT_TRUE(view(again)->isMarked(2));
    EXPECT_FALSE(view(again)->isMarked(0));

    // Another paper forgets the marks.
    const auto other = gridPaper(3, 1);
    PrintDialog third(*other, {}, false, state);
    EXPECT_EQ(view(third)->firstMarkedFace(), 0);
}

TEST_F(PrintDialogTest, NoMarkedFaceIsRefused) {
    test::ScriptedUserInterface ui;
    PrintDialog dialog(*paper, {}, false, state);
    showDialog(dialog);
    control<QRadioButton>(dialog, QStringLiteral("指定ラベル(&S)"))->click();
    clickFace(dialog, 0);
    ASSERT_EQ(view(dialog)->firstMarkedFace(), -1);
    start(dialog);
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("印刷するラベルが一つもありません")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(state.selectedFaces) << "nothing is kept from a refused start";
}

TEST_F(PrintDialogTest, AllFacesIgnoreCountingOnlySelectedFaces) {
    state.selectedFaces = false;
    state.countSelectedOnly = true;
    PrintDialog dialog(*paper, {}, false, state);
    start(dialog);
    EXPECT_TRUE(dialog.spec().allFaces);
    EXPECT_FALSE(dialog.spec().countSelectedOnly);
}

TEST_F(PrintDialogTest, WithoutPrintersOffersAPdfFile) {
    PrintDialog dialog(*paper, {}, false, state);
    auto* destination = dialog.findChild<QComboBox*>();
    ASSERT_EQ(destination->count(), 1);
    EXPECT_EQ(dialog.destination(), QStringLiteral("PDFファイル"));
}

TEST_F(PrintDialogTest, AdjustmentIsRememberedPerDestination) {
    const QStringList printers{QStringLiteral("Office"), QStringLiteral("Home")};
    {
        PrintDialog dialog(*paper, printers, false, state);
        auto* destination = dialog.findChild<QComboBox*>();
        destination->setCurrentIndex(1);
        spin(dialog, 0)->setValue(-0.5);  // top
        spin(dialog, 1)->setValue(1.5);   // left
        spin(dialog, 2)->setValue(0.25);  // width scale
        control<QPushButton>(dialog, QStringLiteral("位置調整用シートを印刷"))->click();
        EXPECT_TRUE(dialog.calibrationRequested());
        EXPECT_EQ(dialog.spec().offset, QPoint(15, -5));
        EXPECT_DOUBLE_EQ(dialog.spec().scaleX, 1.0025);
    }
    PrintDialog dialog(*paper, printers, false, state);
    EXPECT_EQ(dialog.destination(), QStringLiteral("Home")) << "the destination is kept";
    EXPECT_DOUBLE_EQ(spin(dialog, 1)->value(), 1.5);
    dialog.findChild<QComboBox*>()->setCurrentIndex(0);
    EXPECT_DOUBLE_EQ(spin(dialog, 0)->value(), 0.0);
    EXPECT_DOUBLE_EQ(spin(dialog, 1)->value(), 0.0);
    dialog.findChild<QComboBox*>()->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(spin(dialog, 0)->value(), -0.5);
    EXPECT_DOUBLE_EQ(spin(dialog, 2)->value(), 0.25);
}

}  // namespace
}  // namespace poremi
