#include "objects/dialogs/text_style_pages.h"

#include "objects/dialogs/text_fill_panel.h"
#include "objects/dialogs/text_message.h"
#include "objects/dialogs/text_position_panel.h"
#include "objects/text_object.h"
#include "render/text/font_library.h"
#include "render/text/simple_text.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QPainter>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace poremi {

namespace {

const int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 48, 72};
const char* const kSpacingSteps[] = {"もっと狭く", "狭く", "普通", "広く", "もっと広く"};
constexpr int kCharSpacings[] = {-4, -2, 0, 10, 20};
constexpr int kLineSpacings[] = {-20, -10, 0, 10, 20};
constexpr int kNormalStep = 2;
// Shadow directions in the order the presets count them down from 8.
const char* const kShadowDirections[] = {"右下", "下", "左下", "右", "左", "右上", "上", "左上"};
constexpr int kJapaneseCharset = 128;
constexpr int kCellWidth = 94;
constexpr int kCellHeight = 37;
constexpr int kStripColumns = 4;

int stepOf(const int (&values)[5], int value) {
    for (int k = 0; k < 5; ++k)
        if (values[k] == value) return k;
    return kNormalStep;
}

int toUnits(double millimetres) { return int(std::nearbyint(millimetres * 10)); }

QComboBox* stepBox(const QString& name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    for (const char* step : kSpacingSteps) box->addItem(QString::fromUtf8(step));
    return box;
}

QCheckBox* checkBox(const char* caption, const char* name) {
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

// Four fixed lines drawn with the chosen font and layout settings.
class TextSample : public QWidget {
public:
    TextSample() {
        setObjectName(QStringLiteral("pbSample"));
        setMinimumSize(260, 150);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
    }
    TSimpleText& text() { return text_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // Document units (0.1 mm) at the screen's usual 96 pixels per inch.
        const double scale = 96.0 / 254.0;
        painter.scale(scale, scale);
        const int margin = 20;
        text_.draw(painter, TRect{margin, margin, int(width() / scale) - margin, int(height() / scale) - margin});
    }

private:
    TSimpleText text_;
};

TextStylePages::TextStylePages(QTabWidget* tabs, const QString& presetFile) : QObject(tabs), tabs_(tabs) {
    presets_.Open(presetFile);
    strip_.load(QFileInfo(presetFile).dir().filePath(QStringLiteral("TransformPattern.png")));

    textFill_ = new TextFillPanel;
    textFill_->setObjectName(QStringLiteral("textFill"));
    tabs->addTab(textFill_, QStringLiteral("文字色"));
    fontPage_ = buildFontPage();
    tabs->addTab(fontPage_, QStringLiteral("変形"));
    tabs->addTab(buildShadowPage(), QStringLiteral("影"));
    tabs->addTab(buildOutlinePage(), QStringLiteral("縁取り"));
    position_ = new TextPositionPanel;
    position_->setObjectName(QStringLiteral("position"));
    tabs->addTab(position_, QStringLiteral("位置"));
    connect(textFill_, &TextFillPanel::changed, this, &TextStylePages::refreshSample);
}

TextStylePages::~TextStylePages() = default;

QWidget* TextStylePages::buildFontPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);

    auto* fontGroup = new QGroupBox(QStringLiteral("書体"));
    auto* fontLayout = new QGridLayout(fontGroup);
    fontName_ = new QComboBox;
    fontName_->setObjectName(QStringLiteral("cmbFontName"));
    fontName_->addItems(FontLibrary::instance().usableFonts());
    fontSize_ = new QComboBox;
    fontSize_->setObjectName(QStringLiteral("cmbFontSize"));
    fontSize_->setEditable(true);
    for (const int size : kFontSizes) fontSize_->addItem(QString::number(size));
    fontLayout->addWidget(fontName_, 0, 0, 1, 2);
    fontLayout->addWidget(fontSize_, 0, 2);
    bold_ = checkBox("強調(&B)", "chkBold");
    italic_ = checkBox("斜体(&I)", "chkItalic");
    underline_ = checkBox("下線(&U)", "chkUnderline");
    strikeOut_ = checkBox("打消し線(&K)", "chkStrikeOut");
    fontLayout->addWidget(bold_, 1, 0);
    fontLayout->addWidget(italic_, 1, 1);
    fontLayout->addWidget(underline_, 2, 0);
    fontLayout->addWidget(strikeOut_, 2, 1);
    layout->addWidget(fontGroup, 0, 0);

    auto* layoutGroup = new QGroupBox(QStringLiteral("配置"));
    auto* form = new QGridLayout(layoutGroup);
    align_ = new QComboBox;
    align_->setObjectName(QStringLiteral("cmbAlign"));
    for (const char* name : {"左寄せ", "ｾﾝﾀﾘﾝｸﾞ", "右寄せ", "均等配置"}) align_->addItem(QString::fromUtf8(name));
    charSpacing_ = stepBox(QStringLiteral("cmbCharSpacing"));
    lineSpacing_ = stepBox(QStringLiteral("cmbLineSpacing"));
    const struct {
        const char* caption;
        QComboBox* box;
    } rows[] = {{"文字配置(&A)", align_}, {"文字間(&C)", charSpacing_}, {"行間(&L)", lineSpacing_}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf8(r.caption));
        label->setBuddy(r.box);
        form->addWidget(label, row, 0);
        form->addWidget(r.box, row, 1);
        ++row;
    }
    vertical_ = checkBox("縦書き(&V)", "chkVertical");
    form->addWidget(vertical_, row, 0, 1, 2);
    layout->addWidget(layoutGroup, 1, 0);

    auto* conversionGroup = new QGroupBox(QStringLiteral("変換"));
    auto* conversions = new QVBoxLayout(conversionGroup);
    hanToZen_ = checkBox("半角を全角に変換(&Z)", "chkHanToZen");
    numToKnj_ = checkBox("全角数字を漢数字に変換(&N)", "chkNumToKnj");
    minusExc_ = checkBox("マイナス記号を除く(&M)", "chkMinusExc");
    conversions->addWidget(hanToZen_);
    conversions->addWidget(numToKnj_);
    conversions->addWidget(minusExc_);
    layout->addWidget(conversionGroup, 2, 0);

    auto* distortionGroup = new QGroupBox(QStringLiteral("文字変形(&T)"));
    auto* distortion = new QGridLayout(distortionGroup);
    distortionOn_ = new QRadioButton(QStringLiteral("す  る"));
    distortionOn_->setObjectName(QStringLiteral("rbDistortionOn"));
    distortionOff_ = new QRadioButton(QStringLiteral("しない"));
    distortionOff_->setObjectName(QStringLiteral("rbDistortionOff"));
    distortion->addWidget(distortionOn_, 0, 0);
    distortion->addWidget(distortionOff_, 0, 1);
    patterns_ = new QListWidget;
    patterns_->setObjectName(QStringLiteral("lstPatterns"));
    patterns_->setViewMode(QListView::IconMode);
    patterns_->setFlow(QListView::LeftToRight);
    patterns_->setWrapping(true);
    patterns_->setResizeMode(QListView::Adjust);
    patterns_->setIconSize(QSize(kCellWidth, kCellHeight));
    patterns_->setGridSize(QSize(kCellWidth + 6, kCellHeight + 6));
    patterns_->setMinimumWidth(2 * (kCellWidth + 6) + 24);
    patterns_->setFixedHeight(2 * (kCellHeight + 6) + 8);
    patterns_->setMovement(QListView::Static);
    distortion->addWidget(patterns_, 1, 0, 1, 3);
    ratioLabel_ = new QLabel(QStringLiteral("変形量(&D)"));
    ratio_ = new QSlider(Qt::Horizontal);
    ratio_->setObjectName(QStringLiteral("tbRatio"));
    ratio_->setRange(0, 100);
    ratioLabel_->setBuddy(ratio_);
    distortion->addWidget(ratioLabel_, 2, 0);
    distortion->addWidget(ratio_, 2, 1, 1, 2);
    layout->addWidget(distortionGroup, 0, 1, 2, 1);
    showPresets();

    sample_ = new TextSample;
    layout->addWidget(sample_, 2, 1);
    layout->setColumnStretch(1, 1);

    for (QComboBox* box : {fontName_, align_, charSpacing_, lineSpacing_})
        connect(box, &QComboBox::currentIndexChanged, this, &TextStylePages::refreshSample);
    connect(fontSize_, &QComboBox::currentTextChanged, this, &TextStylePages::refreshSample);
    for (QCheckBox* box : {bold_, italic_, underline_, strikeOut_, vertical_, hanToZen_, numToKnj_, minusExc_})
        connect(box, &QCheckBox::toggled, this, &TextStylePages::refreshSample);
    connect(distortionOn_, &QRadioButton::toggled, this, &TextStylePages::showDistortionControls);
    connect(patterns_, &QListWidget::currentRowChanged, this, [this] {
        ownDistortion_ = false;
        showDistortionControls();
    });
    return page;
}

QWidget* TextStylePages::buildShadowPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    shadowOn_ = new QRadioButton(QStringLiteral("影を付ける(&O)"));
    shadowOn_->setObjectName(QStringLiteral("rbShadowOn"));
    shadowOff_ = new QRadioButton(QStringLiteral("付けない(&F)"));
    shadowOff_->setObjectName(QStringLiteral("rbShadowOff"));
    row->addWidget(shadowOn_);
    row->addWidget(shadowOff_);
    row->addStretch();
    layout->addLayout(row);
    auto* directions = new QGroupBox(QStringLiteral("影の位置(&P)"));
    auto* grid = new QGridLayout(directions);
    shadowDirection_ = new QButtonGroup(this);
    // Placed as they point: the top-left direction in the top-left cell.
    const QPoint cells[] = {{2, 2}, {1, 2}, {0, 2}, {2, 1}, {0, 1}, {2, 0}, {1, 0}, {0, 0}};
    for (int k = 0; k < 8; ++k) {
        auto* button = new QRadioButton(QString::fromUtf8(kShadowDirections[k]));
        button->setObjectName(QStringLiteral("rbShadow%1").arg(k));
        shadowDirection_->addButton(button, k);
        grid->addWidget(button, cells[k].y(), cells[k].x());
    }
    layout->addWidget(directions);
    shadowFill_ = new TextFillPanel;
    shadowFill_->setObjectName(QStringLiteral("shadowFill"));
    layout->addWidget(shadowFill_, 1);
    shadowDirections_ = directions;
    connect(shadowOn_, &QRadioButton::toggled, this, &TextStylePages::showShadowControls);
    connect(shadowDirection_, &QButtonGroup::idClicked, this, [this] { shadowOn_->setChecked(true); });
    // A shadow switched on without a direction falls to the lower right.
    connect(shadowOn_, &QRadioButton::clicked, this, [this] {
        if (shadowDirection_->checkedId() < 0 && !loadedShadowOn_) shadowDirection_->button(0)->setChecked(true);
    });
    return page;
}

QWidget* TextStylePages::buildOutlinePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    outlineOn_ = new QRadioButton(QStringLiteral("縁取りを付ける(&O)"));
    outlineOn_->setObjectName(QStringLiteral("rbOutlineOn"));
    outlineOff_ = new QRadioButton(QStringLiteral("付けない(&F)"));
    outlineOff_->setObjectName(QStringLiteral("rbOutlineOff"));
    row->addWidget(outlineOn_);
    row->addWidget(outlineOff_);
    row->addStretch();
    layout->addLayout(row);
    auto* widthRow = new QHBoxLayout;
    auto* widthLabel = new QLabel(QStringLiteral("縁取りの太さ(&T)"));
    outlineWidth_ = new QDoubleSpinBox;
    outlineWidth_->setObjectName(QStringLiteral("seOutlineWidth"));
    outlineWidth_->setDecimals(1);
    outlineWidth_->setRange(0.1, 99.9);
    outlineWidth_->setSingleStep(0.1);
    widthLabel->setBuddy(outlineWidth_);
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(outlineWidth_);
    widthRow->addWidget(new QLabel(QStringLiteral("mm")));
    widthRow->addStretch();
    layout->addLayout(widthRow);
    outlineFill_ = new TextFillPanel;
    outlineFill_->setObjectName(QStringLiteral("outlineFill"));
    layout->addWidget(outlineFill_, 1);
    connect(outlineOn_, &QRadioButton::toggled, this, &TextStylePages::showOutlineControls);
    return page;
}

void TextStylePages::showPresets() {
    patterns_->clear();
    for (int n = 0; n < presets_.Count(); ++n) {
        const QRect cell((n % kStripColumns) * kCellWidth, (n / kStripColumns) * kCellHeight, kCellWidth, kCellHeight);
        QPixmap thumbnail(kCellWidth, kCellHeight);
        if (strip_.rect().contains(cell)) {
            thumbnail = QPixmap::fromImage(strip_.copy(cell));
        } else {
            // Without the thumbnail strip the presets are offered by number.
            thumbnail.fill(Qt::white);
            QPainter painter(&thumbnail);
            painter.drawRect(thumbnail.rect().adjusted(0, 0, -1, -1));
            painter.drawText(thumbnail.rect(), Qt::AlignCenter, QString::number(n + 1));
        }
        patterns_->addItem(new QListWidgetItem(QIcon(thumbnail), QString()));
    }
}

void TextStylePages::showDistortionControls() {
    const bool on = distortionOn_->isChecked();
    patterns_->setEnabled(on);
    const bool chosen = on && (patterns_->currentRow() >= 0 || ownDistortion_);
    ratioLabel_->setVisible(chosen);
    ratio_->setVisible(chosen);
}

void TextStylePages::showShadowControls() {
    shadowDirections_->setEnabled(shadowOn_->isChecked());
    shadowFill_->setEnabled(shadowOn_->isChecked());
}

void TextStylePages::showOutlineControls() {
    outlineWidth_->setEnabled(outlineOn_->isChecked());
    outlineFill_->setEnabled(outlineOn_->isChecked());
}

void TextStylePages::refreshSample() {
    TSimpleText& text = sample_->text();
    text.beginUpdate();
    TPointBasedFont font = text.font();
    font.setName(fontName_->currentText());
    bool isNumber = false;
    const int size = fontSize_->currentText().trimmed().toInt(&isNumber);
    font.setSize(isNumber && size > 0 && size <= 999 ? size : 24);
    font.setStyle(std::uint8_t((bold_->isChecked() ? fsBold : 0) | (italic_->isChecked() ? fsItalic : 0) |
                               (underline_->isChecked() ? fsUnderline : 0) |
                               (strikeOut_->isChecked() ? fsStrikeOut : 0)));
    const auto face = FontLibrary::instance().face(font.name(), font.bold(), font.italic());
    const bool japanese = face ? face->source().charset == kJapaneseCharset : true;
    text.setText(japanese ? QStringList{QStringLiteral("あいうえおアイウエオ"), QStringLiteral("漢字とかなの見本"),
                                        QStringLiteral("ABCabc 123"), QStringLiteral("ｱｲｳｴｵ ｶﾞｷﾞｸﾞ")}
                          : QStringList{QStringLiteral("ABCDEFG"), QStringLiteral("abcdefg"),
                                        QStringLiteral("0123456789"), QStringLiteral("!?&%$#@")});
    text.setFont(font);
    text.setAlign(align_->currentIndex());
    text.setVertical(vertical_->isChecked());
    text.setCharSpacing(kCharSpacings[charSpacing_->currentIndex()]);
    text.setLineSpacing(kLineSpacings[lineSpacing_->currentIndex()]);
    text.setHanToZen(hanToZen_->isChecked());
    text.setNumToKnj(numToKnj_->isChecked());
    text.setMinusExc(minusExc_->isChecked());
    const TColorSpec& fill = textFill_->fill();
    text.setTextColor(fill.kind() == TColorSpecKind::cskSolid ? std::uint32_t(fill.color()) & 0xFFFFFF : 0);
    text.endUpdate();
    sample_->update();
}

void TextStylePages::load(const TLOText& text) {
    textFill_->load(text.textColor());
    const TPointBasedFont& font = text.font();
    if (fontName_->findText(font.name()) < 0) fontName_->addItem(font.name());
    fontName_->setCurrentText(font.name());
    fontSize_->setCurrentText(QString::number(font.size()));
    bold_->setChecked(font.bold());
    italic_->setChecked(font.italic());
    underline_->setChecked(font.underline());
    strikeOut_->setChecked(font.strikeOut());
    align_->setCurrentIndex(text.align());
    loadedCharSpacing_ = stepOf(kCharSpacings, text.charSpacing());
    loadedLineSpacing_ = stepOf(kLineSpacings, text.lineSpacing());
    charSpacing_->setCurrentIndex(loadedCharSpacing_);
    lineSpacing_->setCurrentIndex(loadedLineSpacing_);
    vertical_->setChecked(text.vertical());
    hanToZen_->setChecked(text.hanToZen());
    numToKnj_->setChecked(text.numToKnj());
    minusExc_->setChecked(text.minusExc());

    const bool distorted = !text.coonsDistortion().isIdentity();
    loadedPreset_ = distorted ? presets_.FindPreset(text.coonsDistortion()) : -1;
    {
        const QSignalBlocker blocker(patterns_);
        patterns_->setCurrentRow(loadedPreset_);
    }
    ownDistortion_ = distorted && loadedPreset_ < 0;
    (distorted ? distortionOn_ : distortionOff_)->setChecked(true);
    ratio_->setValue(text.distortionRatio());
    showDistortionControls();

    const int shadow = text.shadow();
    loadedShadowOn_ = shadow != 0;
    loadedShadowDirection_ = shadow >= 1 && shadow <= 8 ? 8 - shadow : -1;
    (loadedShadowOn_ ? shadowOn_ : shadowOff_)->setChecked(true);
    showShadowControls();
    if (loadedShadowDirection_ >= 0) shadowDirection_->button(loadedShadowDirection_)->setChecked(true);
    shadowFill_->load(text.shadowColor());

    (text.outline() ? outlineOn_ : outlineOff_)->setChecked(true);
    showOutlineControls();
    loadedOutlineWidth_ = text.outlineWidth();
    outlineWidth_->setValue(loadedOutlineWidth_ / 10.0);
    loadedOutlineBox_ = outlineWidth_->value();
    outlineFill_->load(text.outlineColor());

    TextPosition position;
    position.angle = text.angle();
    position.locked = !text.movable();
    position.dontPrint = text.dontPrint();
    position.autoSize = text.autoSize();
    position.rect = text.rect();
    position_->setPosition(position);
    refreshSample();
}

void TextStylePages::store(TLOText& text) const {
    const TextPosition position = position_->position();
    text.setAngle(position.angle);
    text.setMovable(!position.locked);
    text.setDontPrint(position.dontPrint);
    if (position.autoSize) {
        // The size follows the text; only the place is taken.
        const TRect& old = text.rect();
        const TRect& rect = position.rect;
        text.setRect(TRect{rect.left, rect.top, rect.left + old.right - old.left, rect.top + old.bottom - old.top});
    } else {
        text.setAutoSize(false);
        text.setRect(position.rect);
    }
    // Switching the direction turns the rectangle as the page asked for it.
    text.setVertical(vertical_->isChecked());

    TPointBasedFont font = text.font();
    const QString name = fontName_->currentText().trimmed();
    if (!name.isEmpty()) font.setName(name);
    bool isNumber = false;
    const int size = fontSize_->currentText().trimmed().toInt(&isNumber);
    if (isNumber && size > 0 && size <= 999) font.setSize(size);
    font.setStyle(std::uint8_t((bold_->isChecked() ? fsBold : 0) | (italic_->isChecked() ? fsItalic : 0) |
                               (underline_->isChecked() ? fsUnderline : 0) |
                               (strikeOut_->isChecked() ? fsStrikeOut : 0)));
    // A new face brings its character set; a kept face keeps the stored one.
    if (font.name() != text.font().name())
        if (const auto face = FontLibrary::instance().face(font.name(), font.bold(), font.italic()))
            font.setCharset(std::uint8_t(face->source().charset));
    text.setFont(font);
    text.setAlign(align_->currentIndex());
    // A stored spacing the steps cannot show survives a dialog that left it alone.
    if (charSpacing_->currentIndex() != loadedCharSpacing_)
        text.setCharSpacing(kCharSpacings[charSpacing_->currentIndex()]);
    if (lineSpacing_->currentIndex() != loadedLineSpacing_)
        text.setLineSpacing(kLineSpacings[lineSpacing_->currentIndex()]);
    text.setHanToZen(hanToZen_->isChecked());
    text.setNumToKnj(numToKnj_->isChecked());
    text.setMinusExc(minusExc_->isChecked());

    if (textFill_->isChanged()) text.setTextColor(textFill_->fill());
    if (!distortionOn_->isChecked()) {
        TCoonsDistortion none = text.coonsDistortion();
        none.clear();
        text.setCoonsDistortion(none);
    } else if (!ownDistortion_ && patterns_->currentRow() >= 0 && patterns_->currentRow() != loadedPreset_) {
        TCoonsDistortion chosen;
        presets_.LoadPreset(patterns_->currentRow(), chosen);
        text.setCoonsDistortion(chosen);
    }
    text.setDistortionRatio(ratio_->value());

    if (!shadowOn_->isChecked()) {
        text.setShadow(0);
    } else if (shadowDirection_->checkedId() >= 0 &&
               (shadowDirection_->checkedId() != loadedShadowDirection_ || !loadedShadowOn_)) {
        text.setShadow(8 - shadowDirection_->checkedId());
    }
    if (shadowFill_->isChanged()) text.setShadowColor(shadowFill_->fill());

    text.setOutline(outlineOn_->isChecked());
    if (outlineWidth_->value() != loadedOutlineBox_) text.setOutlineWidth(toUnits(outlineWidth_->value()));
    if (outlineFill_->isChanged()) text.setOutlineColor(outlineFill_->fill());
    // Last, so that the rectangle fits the text as it now is.
    text.setAutoSize(position.autoSize);
}

bool TextStylePages::showRefusal(QTabWidget& tabs) const {
    if (!distortionOn_->isChecked() || patterns_->currentRow() >= 0 || ownDistortion_) return false;
    tabs.setCurrentWidget(fontPage_);
    showTextDialogMessage(QStringLiteral("変形パターンが指定されていません"));
    return true;
}

}  // namespace poremi
