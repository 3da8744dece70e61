#include "objects/dialogs/shape_deco_line_property.h"

#include "base/error.h"
#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/dialogs/shape_line_ends.h"
#include "objects/shape_deco_line.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QPixmap>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 40;

int& rememberedPattern() {
    static int index = 0;
    return index;
}

}  // namespace

TfrmDecoLineProperty::TfrmDecoLineProperty(const QString& folder, bool onLabel, QWidget* parent)
    : QDialog(parent),
      onLabel_(onLabel),
      tabs_(new QTabWidget(this)),
      patterns_(new QListWidget),
      lineWidth_(new ShapeLengthBox(1, 200)),
      ends_(std::make_unique<ShapeLineEnds>()) {
    setWindowTitle(QStringLiteral("飾り罫線の選択"));

    patterns_->setViewMode(QListView::IconMode);
    patterns_->setIconSize({kThumbnailWidth, kThumbnailHeight});
    patterns_->setResizeMode(QListView::Adjust);
    patterns_->setMovement(QListView::Static);
    patterns_->setSpacing(4);
    patterns_->setMinimumSize(400, 240);
    listPatterns(folder);
    tabs_->addTab(patterns_, QStringLiteral("パターン"));

    auto* place = new QWidget;
    auto* placeLayout = new QFormLayout(place);
    ends_->addPointRowsTo(*placeLayout);
    placeLayout->addRow(QStringLiteral("線の太さ(&F)"), lineWidth_);
    ends_->addFlagRowsTo(*placeLayout);
    // A new rule takes its size from the pattern.
    for (QWidget* box : {static_cast<QWidget*>(lineWidth_), static_cast<QWidget*>(ends_->startX()),
                         static_cast<QWidget*>(ends_->startY()), static_cast<QWidget*>(ends_->endX()),
                         static_cast<QWidget*>(ends_->endY())})
        box->setEnabled(onLabel);
    tabs_->addTab(place, QStringLiteral("位置"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    QDialogButtonBox* buttons = makeDialogButtons(*this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);

    connect(patterns_, &QListWidget::currentRowChanged, this, &TfrmDecoLineProperty::updateOk);
    connect(patterns_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    if (rememberedPattern() < patterns_->count()) patterns_->setCurrentRow(rememberedPattern());
    updateOk();
}

TfrmDecoLineProperty::~TfrmDecoLineProperty() = default;

void TfrmDecoLineProperty::listPatterns(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        auto picture = std::make_unique<TPicture>();
        QImage image;
        try {
            picture->loadFromFile(dir.filePath(name));
            image = picture->image();
        } catch (const Exception&) {
            continue;  // not a picture: not offered
        }
        if (image.isNull()) continue;
        const QPixmap thumbnail = QPixmap::fromImage(
            image.scaled(kThumbnailWidth, kThumbnailHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        auto* item = new QListWidgetItem(QIcon(thumbnail), QFileInfo(name).completeBaseName(), patterns_);
        item->setToolTip(name);
        pictures_.push_back(std::move(picture));
    }
}

void TfrmDecoLineProperty::updateOk() {
    ok_->setEnabled(ruleHasPattern_ || patterns_->currentRow() >= 0);
}

void TfrmDecoLineProperty::load(const TLODecoLine& rule) {
    ruleHasPattern_ = rule.image().hasGraphic();
    lineWidth_->setValue(rule.lineWidth());
    ends_->load(rule);
    updateOk();
}

void TfrmDecoLineProperty::store(TLODecoLine& rule) const {
    ChangeBracket bracket(rule.changeNotify());
    if (const int row = patterns_->currentRow(); row >= 0) rule.setImage(*pictures_.at(std::size_t(row)));
    rule.setLineWidth(lineWidth_->value());
    ends_->store(rule);
    if (!onLabel_) rule.sizeFromPattern();
}

void TfrmDecoLineProperty::done(int result) {
    if (result == QDialog::Accepted && patterns_->currentRow() >= 0) rememberedPattern() = patterns_->currentRow();
    QDialog::done(result);
}

}  // namespace poremi
