// The colour-mark dialog: the first mask picture, the preview that follows the fill, sizes
// of marks not yet on a label, and the editor's one undoable step.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/alpha_mask_designer.h"
#include "objects/dialogs/alpha_mask_dialog.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/position_panel.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/object_classes.h"
#include "objects/picture_back_image.h"
#include "tests/poremi_object_dialogs/dialog_test_support.h"

#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <gtest/gtest.h>

namespace poremi {
namespace {

constexpr TColor kRed = 0x0000FF;  // palette cell 1

using test::chooseCell;

class AlphaMaskDialog : public test::PictureDialogTest {
protected:
    void SetUp() override {
        PictureDialogTest::SetUp();
        mask = place<TLOAlphaMask>({100, 100, 400, 300});
    }

    // A 360 × 180 mask: white (opaque) with a black (clear) left quarter.
    QString maskFile() {
        QImage pixels(360, 180, QImage::Format_RGB32);
        pixels.fill(Qt::white);
        for (int y = 0; y < 180; ++y)
            for (int x = 0; x < 90; ++x) pixels.setPixel(x, y, qRgb(0, 0, 0));
        const QString path = root + QStringLiteral("/mask.png");
        EXPECT_TRUE(pixels.save(path));
        return path;
    }

    TLOAlphaMask* mask = nullptr;
};

TEST_F(AlphaMaskDialog, aMarkWithoutAPictureAsksForOneAndGivingUpCancelsTheEdit) {
    int shown = 0;
    TDOAlphaMaskEditor editor([&](TfrmAlphaMaskProperty&) {
        ++shown;
        return int(QDialog::Accepted);
    });
    bool cancelled = false;
    ASSERT_TRUE(editor.edit(*mask, cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(ui.fileQuestions().size(), 1);
    EXPECT_EQ(ui.fileQuestions().front().title, QStringLiteral("カラーマークの選択"));
    EXPECT_FALSE(mask->picture().hasGraphic());
    EXPECT_EQ(TActionList::instance().count(), 0);
    TLOBackImage other;
    EXPECT_FALSE(editor.edit(other, cancelled)) << "other objects are left to other designers";
}

TEST_F(AlphaMaskDialog, okWritesPositionPictureAndFillAsOneUndoableStep) {
    ui.answerFile(maskFile());
    TDOAlphaMaskEditor editor([](TfrmAlphaMaskProperty& dialog) {
        EXPECT_TRUE(dialog.position()->widthBox()->isEnabled()) << "the mark is on a label";
        chooseCell(dialog.fillPanel()->grid(), 1);
        dialog.position()->angleBox()->setValue(45);
        dialog.position()->leftBox()->setValue(150);
        dialog.position()->widthBox()->setValue(500);
        dialog.position()->dontPrintBox()->setChecked(true);
        return int(QDialog::Accepted);
    });
    bool cancelled = true;
    ASSERT_TRUE(editor.edit(*mask, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(mask->angle(), 45);
    EXPECT_EQ(mask->rect(), (TRect{150, 100, 650, 300})) << "a mark on a label keeps the size typed";
    EXPECT_TRUE(mask->dontPrint());
    EXPECT_EQ(mask->fillColor().color(), kRed);
    EXPECT_EQ(mask->picture().width(), 360);

    TActionList& history = TActionList::instance();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoCaption(), QStringLiteral("設定変更"));
    history.undo();
    EXPECT_EQ(mask->angle(), 0);
    EXPECT_EQ(mask->rect(), (TRect{100, 100, 400, 300}));
    EXPECT_FALSE(mask->picture().hasGraphic());
}

TEST_F(AlphaMaskDialog, aMarkNotYetOnALabelOpensOnTheFillAndTakesItsSizeFromThePicture) {
    TLOAlphaMask loose;
    loose.setRect({0, 0, 300, 200});
    {
        TfrmAlphaMaskProperty onLabel(*mask);
        onLabel.tabs()->setCurrentIndex(1);
        onLabel.reject();
    }
    TfrmAlphaMaskProperty dialog(loose);
    EXPECT_EQ(dialog.tabs()->currentIndex(), 0) << "not the remembered tab";
    EXPECT_FALSE(dialog.position()->widthBox()->isEnabled());
    EXPECT_FALSE(dialog.position()->heightBox()->isEnabled());
    ui.answerFile(maskFile());
    ASSERT_TRUE(dialog.chooseShape());
    dialog.writeTo(loose);
    // 360 × 180 pixels at 96 dpi in units of 0.1 mm.
    EXPECT_EQ(loose.rect(), (TRect{0, 0, 508, 254}));
    EXPECT_EQ(TfrmAlphaMaskProperty(*mask).tabs()->currentIndex(), 1) << "a mark on a label reopens where it was left";
}

TEST_F(AlphaMaskDialog, thePreviewFollowsTheFillAndTheShapeAtOnce) {
    TfrmAlphaMaskProperty dialog(*mask);
    const QPoint opaque(TfrmAlphaMaskProperty::kPreviewSize.width() * 3 / 4,
                        TfrmAlphaMaskProperty::kPreviewSize.height() / 2);
    const QPoint clear(TfrmAlphaMaskProperty::kPreviewSize.width() / 10 + 2, opaque.y());
    EXPECT_EQ(dialog.previewImage().pixel(opaque), qRgb(255, 255, 255)) << "no shape yet: nothing shows";
    ui.answerFile(maskFile());
    ASSERT_TRUE(dialog.chooseShape());
    chooseCell(dialog.fillPanel()->grid(), 1);
    QImage preview = dialog.previewImage();
    EXPECT_EQ(preview.pixel(opaque), qRgb(255, 0, 0));
    EXPECT_EQ(preview.pixel(clear), qRgb(255, 255, 255)) << "the mask's black part stays clear";
    chooseCell(dialog.fillPanel()->grid(), 3);
    EXPECT_EQ(dialog.previewImage().pixel(opaque), qRgb(0, 255, 0));
    EXPECT_EQ(mask->fillColor().color(), TColor(0)) << "the object waits for OK";

    dialog.show();
    QDir().mkpath(test::outputFolder());
    for (int page = 0; page < dialog.tabs()->count(); ++page) {
        dialog.tabs()->setCurrentIndex(page);
        EXPECT_TRUE(dialog.grab().save(test::outputFolder() + QStringLiteral("/alpha_mask_dialog_%1_%2.png")
                                                               .arg(page)
                                                               .arg(QGuiApplication::platformName())));
    }
    dialog.tabs()->setCurrentIndex(0);
    dialog.reject();
}

}  // namespace
}  // namespace poremi
