#include "objects/dialogs/alpha_mask_dialog.h"

#include "objects/dialogs/picture_file_choice.h"
#include "objects/dialogs/position_panel.h"
#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/shape_fill_panel.h"
#include "objects/dialogs/shape_length_box.h"

#include <QtGui/QPainter>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace poremi {
namespace {

// The tab open when the last dialog closed, for the life of the process.
int rememberedTab = 0;

constexpr int kMinimumSampleSize = 20;

}  // namespace

TfrmAlphaMaskProperty::TfrmAlphaMaskProperty(const TLOAlphaMask& mask, QWidget* parent)
    : QDialog(parent),
      sample_(std::make_unique<TLOAlphaMask>()),
      onSite_(mask.site() != nullptr),
      tabs_(new QTabWidget),
      fill_(new ShapeFillPanel),
      position_(new PositionPanel),
      shape_(new QPushButton(QStringLiteral("図形選択..."))),
      preview_(new QLabel) {
    setWindowTitle(QStringLiteral("カラーマークの設定"));
    sample_->setPicture(mask.picture());
    sample_->setFillColor(mask.fillColor());
    sample_->setShadeSize(mask.shadeSize());
    sample_->setRect({0, 0, std::max(kMinimumSampleSize, mask.width()), std::max(kMinimumSampleSize, mask.height())});

    fill_->load(mask.fillColor());
    fill_->onChange = [this] {
        sample_->setFillColor(fill_->fill());
        showPreview();
    };
    tabs_->addTab(fill_, QStringLiteral("塗り色"));
    position_->loadFrom(mask);
    position_->widthBox()->setEnabled(onSite_);
    position_->heightBox()->setEnabled(onSite_);
    tabs_->addTab(position_, QStringLiteral("位置"));
    tabs_->setCurrentIndex(onSite_ ? std::clamp(rememberedTab, 0, tabs_->count() - 1) : 0);

    shape_->setToolTip(QStringLiteral("シェード図形の選択ダイアログを開きます"));
    connect(shape_, &QPushButton::clicked, this, [this] { chooseShape(); });
    preview_->setFixedSize(kPreviewSize);
    preview_->setFrameShape(QFrame::StyledPanel);
    auto* side = new QVBoxLayout;
    side->addWidget(preview_);
    side->addWidget(shape_);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(tabs_);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(makeDialogButtons(*this));
    showPreview();
}

TfrmAlphaMaskProperty::~TfrmAlphaMaskProperty() = default;

bool TfrmAlphaMaskProperty::hasPicture() const {
    return sample_->picture().hasGraphic() && !sample_->picture().graphic()->isEmpty();
}

bool TfrmAlphaMaskProperty::chooseShape() {
    TPicture picture;
    if (!choosePictureFile(QStringLiteral("カラーマークの選択"), picture)) return false;
    sample_->setPicture(picture);
    showPreview();
    return true;
}

QImage TfrmAlphaMaskProperty::previewImage() const {
    QImage image(kPreviewSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    const TRect area = sample_->rect();
    // Fitted into the box with a small margin and centred.
    const TRect box{4, 4, kPreviewSize.width() - 4, kPreviewSize.height() - 4};
    const TRect shown = fitRectInside({0, 0, rectWidth(area), rectHeight(area)}, box);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(shown.left, shown.top);
    painter.scale(double(rectWidth(shown)) / rectWidth(area), double(rectHeight(shown)) / rectHeight(area));
    painter.translate(-area.left, -area.top);
    sample_->paintTo(painter);
    return image;
}

void TfrmAlphaMaskProperty::showPreview() { preview_->setPixmap(QPixmap::fromImage(previewImage())); }

void TfrmAlphaMaskProperty::writeTo(TLOAlphaMask& mask) const {
    ChangeBracket bracket(mask.changeNotify());
    position_->writeTo(mask);
    mask.setPicture(sample_->picture());
    TColorSpec fill;
    fill_->read(fill);
    mask.setFillColor(fill);
    if (!onSite_) mask.sizeFromPicture();
}

void TfrmAlphaMaskProperty::done(int result) {
    rememberedTab = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
