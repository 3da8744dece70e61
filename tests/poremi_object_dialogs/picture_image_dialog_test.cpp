// The picture dialog: filled from the image, a file chosen through the user-interface
// service sizes the image from its pixels, OK is one undoable step, giving up changes nothing.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/picture_designers.h"
#include "objects/dialogs/picture_image_dialog.h"
#include "objects/dialogs/position_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/object_classes.h"
#include "tests/poremi_object_dialogs/dialog_test_support.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class PictureImageDialog : public test::PictureDialogTest {
protected:
    void SetUp() override {
        PictureDialogTest::SetUp();
        image = place<TLOImage>({100, 200, 500, 500});
    }

    // A 360 × 180 picture file (2:1), left half red.
    QString pictureFile(const QString& name = QStringLiteral("wide.png")) {
        QImage pixels(360, 180, QImage::Format_RGB32);
        pixels.fill(Qt::blue);
        for (int y = 0; y < 180; ++y)
            for (int x = 0; x < 180; ++x) pixels.setPixel(x, y, qRgb(255, 0, 0));
        const QString path = root + QLatin1Char('/') + name;
        EXPECT_TRUE(pixels.save(path));
        return path;
    }

    TLOImage* image = nullptr;
};

TEST_F(PictureImageDialog, isFilledFromTheImageWithTheCaptionOfItsSource) {
    image->setAngle(30);
    image->setDontPrint(true);
    image->setMovable(false);
    TfrmIllustProperty dialog(*image);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("イメージファイルの設定"));
    EXPECT_EQ(dialog.position()->angleBox()->value(), 30);
    EXPECT_EQ(dialog.position()->leftBox()->value(), 100);
    EXPECT_EQ(dialog.position()->topBox()->value(), 200);
    EXPECT_EQ(dialog.position()->widthBox()->value(), 400);
    EXPECT_EQ(dialog.position()->heightBox()->value(), 300);
    EXPECT_TRUE(dialog.position()->dontPrintBox()->isChecked());
    EXPECT_TRUE(dialog.position()->lockBox()->isChecked());
    EXPECT_EQ(dialog.tabs()->tabText(0), QStringLiteral("イラスト"));
    EXPECT_EQ(dialog.tabs()->tabText(1), QStringLiteral("位置"));

    image->setImageSource(TImageSource::isOnePoint);
    EXPECT_EQ(TfrmIllustProperty(*image).windowTitle(), QStringLiteral("イラストの設定"));
}

TEST_F(PictureImageDialog, aChosenFileIsShownAndSizesTheBoxesFromItsPixels) {
    TfrmIllustProperty dialog(*image);
    ui.answerFile(pictureFile());
    dialog.reselectButton()->click();
    ASSERT_EQ(ui.fileQuestions().size(), 1);
    EXPECT_EQ(ui.fileQuestions()[0].title, QStringLiteral("イラストの選択"));
    ASSERT_TRUE(dialog.hasPicture());
    // 400 × 300 on a site: the 2:1 picture fits the 400 square as 400 × 200.
    EXPECT_EQ(dialog.position()->widthBox()->value(), 400);
    EXPECT_EQ(dialog.position()->heightBox()->value(), 200);
    EXPECT_FALSE(image->imageData().picture().hasGraphic()) << "the object waits for OK";

    dialog.show();
    QDir().mkpath(test::outputFolder());
    for (int page = 0; page < dialog.tabs()->count(); ++page) {
        dialog.tabs()->setCurrentIndex(page);
        EXPECT_TRUE(dialog.grab().save(test::outputFolder() + QStringLiteral("/picture_image_dialog_%1_%2.png")
                                                               .arg(page)
                                                               .arg(QGuiApplication::platformName())));
    }
}

TEST_F(PictureImageDialog, aFileThatDoesNotLoadIsReportedAndChangesNothing) {
    const QString broken = root + QStringLiteral("/broken.png");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    TfrmIllustProperty dialog(*image);
    ui.answerFile(broken);
    EXPECT_FALSE(dialog.choosePicture());
    EXPECT_FALSE(dialog.hasPicture());
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("イメージの読み込みに失敗しました")});
    EXPECT_EQ(dialog.position()->widthBox()->value(), 400);
}

TEST_F(PictureImageDialog, okWritesTheDialogAsOneUndoableStep) {
    ui.answerFile(pictureFile());
    TDOImageEditor editor([](TfrmIllustProperty& dialog) {
        dialog.position()->angleBox()->setValue(90);
        dialog.position()->leftBox()->setValue(55);
        dialog.position()->lockBox()->setChecked(true);
        return int(QDialog::Accepted);
    });
    bool cancelled = true;
    ASSERT_TRUE(editor.edit(*image, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(image->angle(), 90);
    EXPECT_EQ(image->rect(), (TRect{55, 200, 455, 400}));
    EXPECT_FALSE(image->movable());
    EXPECT_EQ(image->imageData().picture().width(), 360);

    TActionList& history = TActionList::instance();
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoCaption(), QStringLiteral("設定変更"));
    history.undo();
    EXPECT_EQ(image->angle(), 0);
    EXPECT_EQ(image->rect(), (TRect{100, 200, 500, 500}));
    EXPECT_FALSE(image->imageData().picture().hasGraphic());
}

TEST_F(PictureImageDialog, givingUpTheFirstPictureOrTheDialogChangesNothing) {
    int shown = 0;
    TDOImageEditor editor([&](TfrmIllustProperty&) {
        ++shown;
        return int(QDialog::Rejected);
    });
    bool cancelled = false;
    ASSERT_TRUE(editor.edit(*image, cancelled));
    EXPECT_TRUE(cancelled) << "no file was chosen for an image without a picture";
    EXPECT_EQ(shown, 0);

    ui.answerFile(pictureFile());
    ASSERT_TRUE(editor.edit(*image, cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(image->imageData().picture().hasGraphic());
    EXPECT_EQ(TActionList::instance().count(), 0);
}

TEST_F(PictureImageDialog, theEditorLeavesOtherObjectsToOtherDesigners) {
    TDOImageEditor editor;
    bool cancelled = false;
    class NotAPicture : public TLORectBase {
    public:
        using TLORectBase::TLORectBase;
        void setExtent(int, int) override {}
        void strokeOutline(QPainter&) override {}
    } box;
    EXPECT_FALSE(editor.edit(box, cancelled));
}

}  // namespace
}  // namespace poremi
