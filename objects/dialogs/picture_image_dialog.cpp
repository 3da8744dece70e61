#include "objects/dialogs/picture_image_dialog.h"

#include "base/arithmetic.h"
#include "base/user_interface.h"
#include "core/app_frame.h"
#include "objects/picture_size.h"

#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

namespace {

// The page open when the last dialog closed, for the life of the process.
int rememberedPage = 0;

constexpr QSize previewSize(240, 180);

QString pictureFileFilter() {
    QStringList patterns;
    for (const QString& extension : ExpandMacros(QStringLiteral("$(ImageFileExtentions)")).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << QLatin1Char('*') + extension;
    return QStringLiteral("イメージファイル|%1").arg(patterns.join(QLatin1Char(';')));
}

void reportLoadFailure() {
    const QString text = QStringLiteral("イメージの読み込みに失敗しました");
    if (TAppFrame* frame = TAppFrame::instance())
        frame->showMessageBox(text);
    else
        userInterface().messageBox(QString(), text, {MessageButton::Ok}, 0, 0);
}

// A length box in millimetres with one decimal.
QDoubleSpinBox* millimetreBox(double minimum, double maximum, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setDecimals(1);
    box->setSingleStep(1.0);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

double millimetres(int units) { return units / 10.0; }
int units(const QDoubleSpinBox* box) { return int(roundHalfEven(box->value() * 10.0)); }

}  // namespace

TfrmIllustProperty::TfrmIllustProperty(const TLOImage& image, QWidget* parent)
    : QDialog(parent), rect_(image.rect()), onSite_(image.site() != nullptr) {
    imageData_.assign(image.imageData());
    setWindowTitle(image.imageSource() == TImageSource::isOnePoint ? QStringLiteral("イラストの設定")
                                                                    : QStringLiteral("イメージファイルの設定"));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(makePicturePage(), QStringLiteral("イラスト"));
    tabs_->addTab(makePositionPage(), QStringLiteral("位置"));
    tabs_->setCurrentIndex(std::clamp(rememberedPage, 0, tabs_->count() - 1));

    angle_->setValue(image.angle());
    left_->setValue(millimetres(image.left()));
    top_->setValue(millimetres(image.top()));
    width_->setValue(millimetres(image.width()));
    height_->setValue(millimetres(image.height()));
    dontPrint_->setChecked(image.dontPrint());
    lock_->setChecked(!image.movable());

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

QWidget* TfrmIllustProperty::makePositionPage() {
    auto* page = new QWidget(this);
    angle_ = new QSpinBox(page);
    angle_->setRange(-360, 360);
    angle_->setSuffix(QStringLiteral(" 度"));
    left_ = millimetreBox(-1000.0, 1000.0, page);
    left_->setToolTip(QStringLiteral("ﾗﾍﾞﾙの左端からの位置を指定します"));
    top_ = millimetreBox(-1000.0, 1000.0, page);
    top_->setToolTip(QStringLiteral("ﾗﾍﾞﾙの上端からの位置を指定します"));
    width_ = millimetreBox(2.0, 1000.0, page);
    height_ = millimetreBox(2.0, 1000.0, page);
    dontPrint_ = new QCheckBox(QStringLiteral("印刷しない(&P)"), page);
    dontPrint_->setToolTip(QStringLiteral("ﾗﾍﾞﾙｼｰﾄ印刷時に印刷しないようにします"));
    lock_ = new QCheckBox(QStringLiteral("ロックする(&K)"), page);
    lock_->setToolTip(QStringLiteral("移動やｻｲｽﾞ変更できないようにします"));
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("回転(&R)"), angle_);
    form->addRow(QStringLiteral("左(&L)"), left_);
    form->addRow(QStringLiteral("上(&T)"), top_);
    form->addRow(QStringLiteral("幅(&W)"), width_);
    form->addRow(QStringLiteral("高さ(&H)"), height_);
    form->addRow(dontPrint_);
    form->addRow(lock_);
    return page;
}

bool TfrmIllustProperty::choosePicture() {
    FileQuestion question;
    question.title = QStringLiteral("イラストの選択");
    question.filter = pictureFileFilter();
    const std::optional<FileAnswer> answer = userInterface().askFileName(question);
    if (!answer) return false;
    const QString path = answer->fileName;
    TPicture picture;
    try {
        picture.loadFromFile(path);
        // Broken pixel data shows only when decoded: decode now, while the file can be refused.
        if (picture.graphic()->image().isNull() && picture.graphic()->format() != GraphicFormat::Metafile)
            throw PictureDecodeError();
    } catch (const Exception&) {
        reportLoadFailure();
        return false;
    }
    imageData_.picture().assign(picture);
    const QSize size = pictureExtent(naturalPictureSize(clippedPictureSize(imageData_)),
                                     {0, 0, units(width_), units(height_)}, onSite_);
    width_->setValue(millimetres(size.width()));
    height_->setValue(millimetres(size.height()));
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
    image.setAngle(angle_->value());
    image.setMovable(!lock_->isChecked());
    image.setDontPrint(dontPrint_->isChecked());
    image.setLeft(units(left_));
    image.setTop(units(top_));
    image.setWidth(units(width_));
    image.setHeight(units(height_));
    image.setImageData(imageData_);
}

void TfrmIllustProperty::done(int result) {
    rememberedPage = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
