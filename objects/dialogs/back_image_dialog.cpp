#include "objects/dialogs/back_image_dialog.h"

#include "objects/dialogs/picture_file_choice.h"
#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/picture_back_image.h"

#include <QtWidgets/QDialogButtonBox>
#include <algorithm>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

// The tab open when the last dialog closed, for the life of the process.
int rememberedTab = 0;

bool clipsWholePicture(const TImageData& data) {
    const TRect clip = data.clipFilter().clipRect();
    const QSize size = data.picture().graphic()->size();
    return clip.isEmpty() || clip == TRect{0, 0, size.width(), size.height()};
}

}  // namespace

TfrmBackGround::TfrmBackGround(const TLOBackImage& background, QWidget* parent)
    : QDialog(parent),
      face_(background.faceInfo()),
      tabs_(new QTabWidget),
      fill_(new ShapeFillPanel),
      frame_(new ShapeFillPanel),
      frameWidth_(new ShapeLengthBox(0, 200)),
      picture_(new QPushButton(QStringLiteral("イメージ選択..."))),
      clear_(new QPushButton(QStringLiteral("背景柄なし"))) {
    setWindowTitle(QStringLiteral("背景柄の設定"));

    auto* fillPage = new QWidget;
    auto* fillLayout = new QVBoxLayout(fillPage);
    fillLayout->addWidget(fill_);
    picture_->setToolTip(QStringLiteral("BMPなどのイメージファイルを選択します"));
    fillLayout->addWidget(picture_, 0, Qt::AlignLeft);
    connect(picture_, &QPushButton::clicked, this, [this] { chooseFillPicture(); });
    tabs_->addTab(fillPage, QStringLiteral("塗り色"));

    auto* framePage = new QWidget;
    auto* frameLayout = new QVBoxLayout(framePage);
    auto* widthRow = new QFormLayout;
    widthRow->addRow(QStringLiteral("枠線の太さ(&F)"), frameWidth_);
    frameLayout->addLayout(widthRow);
    frameLayout->addWidget(frame_);
    tabs_->addTab(framePage, QStringLiteral("枠線"));
    tabs_->setCurrentIndex(std::clamp(rememberedTab, 0, tabs_->count() - 1));

    TColorSpec fill;
    fill.assign(background.fillColor());
    // A picture shown whole is first cut to the face's shape, as a newly chosen one would be.
    if (fill.kind() == TColorSpecKind::cskBitmap && !fill.imageData().isEmpty() && clipsWholePicture(fill.imageData()))
        fill.imageData().clipFilter().setClipRect(faceClip(fill.imageData().picture().graphic()->size()));
    fill_->load(fill);
    frame_->load(background.frameColor());
    frameWidth_->setValue(background.frameWidth());

    QDialogButtonBox* buttons = makeDialogButtons(*this);
    buttons->addButton(clear_, QDialogButtonBox::ResetRole);
    connect(clear_, &QPushButton::clicked, this, [this] {
        cleared_ = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

TRect TfrmBackGround::faceClip(QSize pictureSize) const {
    const TRect picture{0, 0, pictureSize.width(), pictureSize.height()};
    const TRect& face = face_.faceRect;
    if (face.isEmpty()) return picture;
    return fitRectInside({0, 0, rectWidth(face), rectHeight(face)}, picture);
}

bool TfrmBackGround::chooseFillPicture() {
    TPicture picture;
    if (!choosePictureFile(QStringLiteral("背景柄の選択"), picture)) return false;
    fill_->setPicture(picture, faceClip(picture.graphic()->size()));
    return true;
}

void TfrmBackGround::writeTo(TLOBackImage& background) const {
    if (cleared_) {
        background.clearBackground();
        return;
    }
    ChangeBracket bracket(background.changeNotify());
    frame_->read(background.frameColor());
    fill_->read(background.fillColor());
    background.setFrameWidth(frameWidth_->value());
}

void TfrmBackGround::done(int result) {
    rememberedTab = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
