#include "edit/style/style_tool_bar.h"

#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/color_grid_popup.h"
#include "render/text/font_library.h"
#include "render/text/point_based_font.h"

#include <QtCore/QPointer>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

namespace poremi {
namespace {

constexpr int kIcon = 16;

// Four lines of text set as the alignment sets them.
QIcon alignIcon(int align) {
    QPixmap pixmap(kIcon, kIcon);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(32, 32, 32), 1));
    const int lengths[] = {14, 9, 14, 6};
    for (int line = 0; line < 4; ++line) {
        const int length = align == 3 ? 14 : lengths[line];
        const int left = align == 0 || align == 3 ? 1 : align == 1 ? (kIcon - length) / 2 : kIcon - 1 - length;
        const int y = 2 + line * 4;
        painter.drawLine(left, y, left + length - 1, y);
    }
    return QIcon(pixmap);
}

// A letter above a bar of the colour.
QIcon textColorIcon(TColor color) {
    QPixmap pixmap(kIcon, kIcon);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(32, 32, 32));
    painter.drawText(QRect(0, 0, kIcon, 12), Qt::AlignCenter, QStringLiteral("A"));
    painter.fillRect(QRect(1, 12, kIcon - 2, 4), toQColor(std::uint32_t(color)));
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(QRect(1, 12, kIcon - 3, 3));
    return QIcon(pixmap);
}

// A swatch of the fill, or a white one struck through when the inside is not filled.
QIcon fillColorIcon(TColor color, bool transparent) {
    QPixmap pixmap(kIcon, kIcon);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect swatch(1, 1, kIcon - 3, kIcon - 3);
    painter.fillRect(swatch, transparent ? QColor(Qt::white) : toQColor(std::uint32_t(color)));
    if (transparent) {
        painter.setPen(QPen(QColor(220, 0, 0), 1));
        painter.drawLine(swatch.bottomLeft(), swatch.topRight());
    }
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(swatch);
    return QIcon(pixmap);
}

QToolButton* toolButton(const QString& objectName, const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

const QList<int>& StyleToolBar::fontSizeChoices() {
    static const QList<int> sizes = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 48, 72};
    return sizes;
}

StyleToolBar::StyleToolBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    auto* fontGroup = new QGroupBox(QStringLiteral("フォント"), this);
    auto* fontLayout = new QHBoxLayout(fontGroup);
    fontLayout->setContentsMargins(4, 2, 4, 2);
    fontLayout->setSpacing(2);
    fontName_ = new QComboBox(fontGroup);
    fontName_->setObjectName(QStringLiteral("cmbFontName"));
    fontName_->addItems(FontLibrary::instance().usableFonts());
    fontName_->setMinimumContentsLength(14);
    fontName_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fontLayout->addWidget(fontName_);
    fontSize_ = new QComboBox(fontGroup);
    fontSize_->setObjectName(QStringLiteral("cmbFontSize"));
    fontSize_->setEditable(true);
    fontSize_->setInsertPolicy(QComboBox::NoInsert);
    // A typed "1" stays 1 rather than completing to 10.
    fontSize_->setCompleter(nullptr);
    for (const int size : fontSizeChoices()) fontSize_->addItem(QString::number(size));
    fontSize_->setMinimumContentsLength(3);
    fontLayout->addWidget(fontSize_);

    align_ = new QButtonGroup(this);
    align_->setExclusive(true);
    const char* alignNames[] = {"btnAlignLeft", "btnAlignCenter", "btnAlignRight", "btnAlignJustify"};
    const QString alignHints[] = {QStringLiteral("左寄せ"), QStringLiteral("センタリング"), QStringLiteral("右寄せ"),
                                  QStringLiteral("均等配置")};
    for (int align = 0; align < 4; ++align) {
        QToolButton* button = toolButton(QString::fromLatin1(alignNames[align]), alignHints[align], fontGroup);
        button->setIcon(alignIcon(align));
        align_->addButton(button, align);
        fontLayout->addWidget(button);
    }

    struct StyleButton {
        const char* name;
        QString hint;
        QString letter;
        std::uint8_t flag;
    };
    const StyleButton styles[] = {{"btnBold", QStringLiteral("強調体"), QStringLiteral("B"), fsBold},
                                  {"btnItalic", QStringLiteral("斜体"), QStringLiteral("I"), fsItalic},
                                  {"btnUnderline", QStringLiteral("下線"), QStringLiteral("U"), fsUnderline},
                                  {"btnStrikeOut", QStringLiteral("打消し線"), QStringLiteral("S"), fsStrikeOut}};
    for (const StyleButton& style : styles) {
        QToolButton* button = toolButton(QString::fromLatin1(style.name), style.hint, fontGroup);
        button->setText(style.letter);
        QFont font = button->font();
        font.setBold(style.flag == fsBold);
        font.setItalic(style.flag == fsItalic);
        font.setUnderline(style.flag == fsUnderline);
        font.setStrikeOut(style.flag == fsStrikeOut);
        button->setFont(font);
        button->setProperty("fontStyle", int(style.flag));
        fontStyles_.append(button);
        fontLayout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this] { emit changed(StyleProperty::FontStyle); });
    }
    layout->addWidget(fontGroup);

    auto* colorGroup = new QGroupBox(QStringLiteral("色"), this);
    auto* colorLayout = new QHBoxLayout(colorGroup);
    colorLayout->setContentsMargins(4, 2, 4, 2);
    colorLayout->setSpacing(2);
    textColor_ = toolButton(QStringLiteral("btnTextColor"), QStringLiteral("文字色"), colorGroup);
    fillColor_ = toolButton(QStringLiteral("btnFillColor"), QStringLiteral("塗りつぶしの色"), colorGroup);
    fillColor_->hide();
    for (QToolButton* button : {textColor_, fillColor_}) {
        colorLayout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, button] { dropColorGrid(button); });
    }
    layout->addWidget(colorGroup);
    layout->addStretch(1);

    connect(fontName_, &QComboBox::activated, this, [this] { emit changed(StyleProperty::FontName); });
    connect(fontSize_, &QComboBox::activated, this, &StyleToolBar::sizeEdited);
    connect(fontSize_->lineEdit(), &QLineEdit::editingFinished, this, &StyleToolBar::sizeEdited);
    connect(align_, &QButtonGroup::idClicked, this, [this] { emit changed(StyleProperty::Align); });

    showSpec(TStyleToolSpec{});
}

QToolButton* StyleToolBar::alignButton(int align) const { return qobject_cast<QToolButton*>(align_->button(align)); }

QToolButton* StyleToolBar::fontStyleButton(std::uint8_t style) const {
    for (QToolButton* button : fontStyles_)
        if (button->property("fontStyle").toInt() == style) return button;
    return nullptr;
}

std::optional<int> StyleToolBar::typedFontSize() const {
    bool isNumber = false;
    const int size = fontSize_->currentText().trimmed().toInt(&isNumber);
    if (!isNumber || !isFontSizeAccepted(size)) return std::nullopt;
    return size;
}

TStyleToolSpec StyleToolBar::spec() const {
    TStyleToolSpec spec;
    spec.fontName = fontName_->currentText();
    spec.fontSize = typedFontSize().value_or(24);
    spec.align = qMax(0, align_->checkedId());
    spec.fontStyle = 0;
    for (QToolButton* button : fontStyles_)
        if (button->isChecked()) spec.fontStyle |= std::uint8_t(button->property("fontStyle").toInt());
    spec.penColor = penColor_;
    spec.brushColor = brushColor_;
    spec.transparent = transparent_;
    return spec;
}

bool StyleToolBar::hasFocus(const QWidget* box) const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == box || box->isAncestorOf(focus));
}

QString StyleToolBar::shownFontName(const QString& name) const {
    const std::optional<DrawnFace> face = drawnFace(name);
    return face ? face->name : name;
}

void StyleToolBar::showSpec(const TStyleToolSpec& spec) {
    // The user may be choosing a face or typing a size: neither box is touched then.
    if (!hasFocus(fontName_) && !hasFocus(fontSize_)) {
        const QString name = shownFontName(spec.fontName);
        if (fontName_->findText(name) < 0) fontName_->addItem(name);
        fontName_->setCurrentIndex(fontName_->findText(name));
        sizeText_ = QString::number(spec.fontSize);
        fontSize_->setCurrentText(sizeText_);
    }
    if (QAbstractButton* button = align_->button(spec.align)) button->setChecked(true);
    for (QToolButton* button : fontStyles_) button->setChecked(spec.fontStyle & button->property("fontStyle").toInt());
    penColor_ = spec.penColor;
    brushColor_ = spec.brushColor;
    transparent_ = spec.transparent;
    showColors();
}

void StyleToolBar::sizeEdited() {
    // Choosing from the list and finishing the typing both end here; one change is one step.
    const QString text = fontSize_->currentText().trimmed();
    if (text == sizeText_) return;
    sizeText_ = text;
    emit changed(StyleProperty::FontSize);
}

void StyleToolBar::showColors() {
    textColor_->setIcon(textColorIcon(penColor_));
    fillColor_->setIcon(fillColorIcon(brushColor_, transparent_));
}

void StyleToolBar::dropColorGrid(QToolButton* button) {
    button->setChecked(true);
    const bool fill = button == fillColor_;
    TfrmColorGrid::Opener opener;
    opener.allowTransparent = fill;
    // The grid outlives toolbars: a toolbar gone meanwhile hears nothing.
    const QPointer<QToolButton> watched(button);
    opener.colorChosen = [this, watched](std::uint32_t color) {
        if (watched) colorChosen(watched, color);
    };
    opener.closed = [watched] {
        if (watched) watched->setChecked(false);
    };
    const std::uint32_t current = fill ? (transparent_ ? TfrmColorGrid::kTransparent : std::uint32_t(brushColor_))
                                       : std::uint32_t(penColor_);
    TfrmColorGrid::instance().dropDown(*button, current, std::move(opener));
}

void StyleToolBar::colorChosen(QToolButton* button, std::uint32_t color) {
    button->setChecked(false);
    if (button == fillColor_) {
        transparent_ = color == TfrmColorGrid::kTransparent;
        if (!transparent_) brushColor_ = TColor(color);
    } else {
        // The text has no "none"; the grid does not offer it here.
        if (color == TfrmColorGrid::kTransparent) return;
        penColor_ = TColor(color);
    }
    showColors();
    emit changed(button == fillColor_ ? StyleProperty::Fill : StyleProperty::PenColor);
}

}  // namespace poremi
