#include "objects/dialogs/text_fill_panel.h"

#include "objects/dialogs/color_grid.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

// Colours given to stops appended by raising their number, by position.
constexpr std::array<TColor, TextFillPanel::kMaxStops> kAppendedStops = {
    0xFFFFFF, 0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFFFF, 0xFFFF00};

const char* const kDirections[] = {"左から右", "右から左", "上から下", "下から上", "左上から右下",
                                   "右上から左下", "右下から左上", "左下から右上", "中心から外側", "外側から中心"};

}  // namespace

TextFillPanel::TextFillPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* modeRow = new QHBoxLayout;
    modes_ = new QButtonGroup(this);
    const struct {
        const char* caption;
        TColorSpecKind kind;
        const char* name;
    } modes[] = {{"色指定(&C)", TColorSpecKind::cskSolid, "rbSolid"},
                 {"イメージファイル(&I)", TColorSpecKind::cskBitmap, "rbPicture"},
                 {"グラデーション(&G)", TColorSpecKind::cskGradation, "rbGradation"}};
    for (const auto& mode : modes) {
        auto* button = new QRadioButton(QString::fromUtf8(mode.caption));
        button->setObjectName(QString::fromLatin1(mode.name));
        button->setToolTip(QStringLiteral("指定方法を選びます"));
        modes_->addButton(button, int(mode.kind));
        modeRow->addWidget(button);
    }
    modeRow->addStretch();
    layout->addLayout(modeRow);

    pages_ = new QStackedWidget;
    auto* solidPage = new QWidget;
    auto* solidLayout = new QVBoxLayout(solidPage);
    grid_ = new TColGrid;
    grid_->setObjectName(QStringLiteral("colorGrid"));
    sample_ = new QLabel(QStringLiteral("選択中の色"));
    sample_->setObjectName(QStringLiteral("lblSelectedColor"));
    sample_->setToolTip(QStringLiteral("現在選択されている色です"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setAutoFillBackground(true);
    sample_->setMinimumHeight(24);
    solidLayout->addWidget(grid_, 0, Qt::AlignLeft);
    solidLayout->addWidget(sample_);
    solidLayout->addStretch();
    connect(grid_, &TColGrid::colorChosen, this, [this](std::uint32_t color) {
        fill_.setColor(TColor(color));
        showColor();
        emit changed();
    });

    auto* picturePage = new QLabel(QStringLiteral("イメージを塗りに使います"));
    picturePage->setAlignment(Qt::AlignCenter);

    auto* gradationPage = new QWidget;
    auto* gradationLayout = new QGridLayout(gradationPage);
    stopCount_ = new QSpinBox;
    stopCount_->setObjectName(QStringLiteral("seColorCount"));
    stopCount_->setRange(2, kMaxStops);
    gradationLayout->addWidget(new QLabel(QStringLiteral("指定する色の数")), 0, 0);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(stopCount_);
    countRow->addWidget(new QLabel(QStringLiteral("(最大7色)")));
    countRow->addStretch();
    gradationLayout->addLayout(countRow, 0, 1);
    auto* stopRow = new QHBoxLayout;
    for (int k = 0; k < kMaxStops; ++k) {
        stops_[std::size_t(k)] = new ColorButton;
        stops_[std::size_t(k)]->setObjectName(QStringLiteral("btnStop%1").arg(k + 1));
        stops_[std::size_t(k)]->setToolTip(QStringLiteral("グラデーションに使用する色を選択します"));
        stopRow->addWidget(stops_[std::size_t(k)]);
        connect(stops_[std::size_t(k)], &ColorButton::colorChanged, this, [this, k](std::uint32_t color) {
            fill_.setGradColor(k, TColor(color));
            emit changed();
        });
    }
    stopRow->addStretch();
    gradationLayout->addLayout(stopRow, 1, 0, 1, 2);
    direction_ = new QComboBox;
    direction_->setObjectName(QStringLiteral("cmbDirection"));
    direction_->setToolTip(QStringLiteral("グラデーションの方向を選択します"));
    for (const char* name : kDirections) direction_->addItem(QString::fromUtf8(name));
    gradationLayout->addWidget(new QLabel(QStringLiteral("方向")), 2, 0);
    gradationLayout->addWidget(direction_, 2, 1);
    gradationLayout->setRowStretch(3, 1);
    connect(stopCount_, &QSpinBox::valueChanged, this, [this](int count) {
        setStopCount(count);
        emit changed();
    });
    connect(direction_, &QComboBox::activated, this, [this](int index) {
        fill_.setGradDir(rgGradationDir(index));
        emit changed();
    });

    pages_->addWidget(solidPage);
    pages_->addWidget(picturePage);
    pages_->addWidget(gradationPage);
    layout->addWidget(pages_);
    connect(this, &TextFillPanel::changed, this, [this] { changed_ = true; });
    connect(modes_, &QButtonGroup::idClicked, this, [this](int id) {
        setKind(TColorSpecKind(id));
        emit changed();
    });
}

void TextFillPanel::load(const TColorSpec& fill) {
    fill_.assign(fill);
    // The panel offers the ten directions; any other gradient comes back as the one its angle maps to.
    fill_.setGradDir(fill.gradDir());
    if (fill_.gradColNum() < 2) fill_.setGradColNum(2);
    if (fill_.gradColNum() > kMaxStops) fill_.setGradColNum(kMaxStops);
    modes_->button(int(TColorSpecKind::cskBitmap))->setEnabled(fill_.kind() == TColorSpecKind::cskBitmap);
    setKind(fill_.kind());
    showColor();
    showStops();
    changed_ = false;
}

const TColorSpec& TextFillPanel::fill() {
    if (fill_.kind() != TColorSpecKind::cskBitmap) fill_.imageData().picture().clear();
    return fill_;
}

void TextFillPanel::setKind(TColorSpecKind kind) {
    fill_.setKind(kind);
    modes_->button(int(kind))->setChecked(true);
    pages_->setCurrentIndex(int(kind));
}

void TextFillPanel::setStopCount(int count) {
    const int old = fill_.gradColNum();
    fill_.setGradColNum(count);
    for (int k = old; k < count; ++k) fill_.setGradColor(k, kAppendedStops[std::size_t(k)]);
    showStops();
}

void TextFillPanel::showColor() {
    const std::uint32_t color = std::uint32_t(fill_.color()) & 0xFFFFFF;
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    // The caption stays readable on any colour.
    palette.setColor(QPalette::WindowText, toQColor(color ^ 0xAAAAAA));
    sample_->setPalette(palette);
}

void TextFillPanel::showStops() {
    const int count = fill_.gradColNum();
    const QSignalBlocker blocker(stopCount_);
    stopCount_->setValue(count);
    for (int k = 0; k < kMaxStops; ++k) {
        stops_[std::size_t(k)]->setVisible(k < count);
        const QSignalBlocker stopBlocker(stops_[std::size_t(k)]);
        if (k < count) stops_[std::size_t(k)]->setColor(std::uint32_t(fill_.gradColor(k)));
    }
    direction_->setCurrentIndex(int(fill_.gradDir()));
}

}  // namespace poremi
