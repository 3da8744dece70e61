// The position and alignment dialogs: their modes, the first chosen, a choice taken on OK;
// and a picture of each for a person to look at (again on a real X server).

#include "edit/arrange/arrange_mode_dialog.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <gtest/gtest.h>

namespace poremi {
namespace {

QStringList captionsOf(const QDialog& dialog) {
    QStringList captions;
    for (const QRadioButton* choice : dialog.findChildren<QRadioButton*>()) captions << choice->text();
    return captions;
}

// Clicks the mode's button, then OK.
void choose(QDialog& dialog, int mode) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QList<QRadioButton*> choices = dialog.findChildren<QRadioButton*>();
    EXPECT_TRUE(choices.front()->isChecked());
    QTest::mouseClick(choices[mode], Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

TEST(ArrangeModeDialog, positionDialogOffersEightModes) {
    TfrmLocation dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("位置合わせ"));
    EXPECT_EQ(captionsOf(dialog),
              (QStringList{QStringLiteral("左端に移動する"), QStringLiteral("右端に移動する"), QStringLiteral("上端に移動する"),
                           QStringLiteral("下端に移動する"), QStringLiteral("上下中央に移動する"),
                           QStringLiteral("左右中央に移動する"), QStringLiteral("中心に対して垂直にする"),
                           QStringLiteral("中心に対して水平にする")}));
    EXPECT_EQ(dialog.positionMode(), PositionMode::ToLeftEdge);
    choose(dialog, 6);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.positionMode(), PositionMode::PerpendicularToCentre);
}

TEST(ArrangeModeDialog, alignmentDialogOffersSixModes) {
    TfrmAlign dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("位置揃え"));
    EXPECT_EQ(captionsOf(dialog),
              (QStringList{QStringLiteral("左端で揃える"), QStringLiteral("右端で揃える"), QStringLiteral("上端で揃える"),
                           QStringLiteral("下端で揃える"), QStringLiteral("左右間隔を均等にする"),
                           QStringLiteral("上下間隔を均等にする")}));
    EXPECT_EQ(dialog.alignMode(), AlignMode::Left);
    choose(dialog, 4);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.alignMode(), AlignMode::SpaceHorizontally);
}

TEST(ArrangeModeDialog, cancelIsNoChoice) {
    TfrmAlign dialog;
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ArrangeDialogPicture, bothDialogsAreLeftForAPersonToLookAt) {
    QDir().mkpath(test::outputFolder());
    TfrmLocation location;
    TfrmAlign align;
    align.setMode(5);
    for (QDialog* dialog : {static_cast<QDialog*>(&location), static_cast<QDialog*>(&align)}) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        QApplication::processEvents();
        const QImage shot = dialog->grab().toImage();
        EXPECT_GT(shot.width(), 150);
        const QString name = dialog == &location ? QStringLiteral("location") : QStringLiteral("align");
        EXPECT_TRUE(shot.save(test::outputFolder() + QStringLiteral("/%1_dialog_%2.png").arg(name, QGuiApplication::platformName())));
        dialog->reject();
    }
}

}  // namespace
}  // namespace poremi
