#include "objects/dialogs/picture_image_dialog.h"

#include "objects/dialogs/picture_file_choice.h"
#include "objects/dialogs/position_panel.h"
#include "objects/picture_size.h"

#include <QtGui/QPainter>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

namespace {

// The page open when the last dialog closed, for the life of the process.
int rememberedPage = 0;

constexpr QSize previewSize(240, 180);

}  // namespace

TfrmIllustProperty::TfrmIllustProperty(const TLOImage& image, QWidget* parent)
    : QDialog(parent), onSite_(image.site() != nullptr) {
    imageData_.assign(image.imageData());
    setWindowTitle(image.imageSource() == TImageSource::isOnePoint ? QStringLiteral("イラストの設定")
                                                                    : QStringLiteral("イメージファイルの設定"));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(makePicturePage(), QStringLiteral("イラスト"));
    position_ = new PositionPanel(this);
    tabs_->addTab(position_, QStringLiteral("位置"));
    tabs_->setCurrentIndex(std::clamp(rememberedPage, 0, tabs_->count() - 1));

    position_->loadFrom(image);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    showPicture();
}

TfrmIllustProperty::~TfrmIllustProperty() = default;

QWidget* TfrmIllustProperty::makePicturePage() {
    auto* page = new QWidget(this);
    preview_ = new QLabel(page);
    preview_->setFixedSize(previewSize);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    pixelSize_ = new QLabel(page);
    reselect_ = new QPushButton(QStringLiteral("再選択..."), page);
    connect(reselect_, &QPushButton::clicked, this, [this] { choosePicture(); });
    auto* side = new QVBoxLayout;
    side->addWidget(pixelSize_);
    side->addStretch();
    side->addWidget(reselect_);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(preview_);
    layout->addLayout(side);
    return page;
}

bool TfrmIllustProperty::choosePicture() {
    TPicture picture;
    if (!choosePictureFile(QStringLiteral("イラストの選択"), picture)) return false;
    imageData_.picture().assign(picture);
    ObjectPosition place = position_->read();
    const QSize size =
        pictureExtent(naturalPictureSize(clippedPictureSize(imageData_)), {0, 0, place.width, place.height}, onSite_);
    place.width = size.width();
    place.height = size.height();
    position_->load(place);
    showPicture();
    return true;
}

void TfrmIllustProperty::showPicture() {
    QPixmap shown(previewSize);
    shown.fill(Qt::white);
    if (!imageData_.isEmpty()) {
        QPainter painter(&shown);
        const QSize pixels = clippedPictureSize(imageData_);
        const TRect fitted = fitRectInside({0, 0, pixels.width(), pixels.height()},
                                           {4, 4, previewSize.width() - 4, previewSize.height() - 4});
        imageData_.draw(painter, fitted.toQRect());
        pixelSize_->setText(QStringLiteral("%1 × %2").arg(pixels.width()).arg(pixels.height()));
    } else {
        pixelSize_->clear();
    }
    preview_->setPixmap(shown);
}

void TfrmIllustProperty::writeTo(TLOImage& image) const {
    ChangeBracket bracket(image.changeNotify());
    position_->writeTo(image);
    image.setImageData(imageData_);
}

void TfrmIllustProperty::done(int result) {
    rememberedPage = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
