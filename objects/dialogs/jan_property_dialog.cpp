#include "objects/dialogs/jan_property_dialog.h"

#include "core/app_frame.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/dialog_buttons.h"
#include "objects/jan_code.h"
#include "objects/jan_object.h"
#include "render/text/font_library.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace poremi {
namespace {

// Remembered until the application exits.
int lastPage = 0;

const int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 48, 72};

bool allAsciiDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Double-byte characters and half-width katakana cannot be typed or pasted.
QString withoutWideCharacters(const QString& text) {
    QString kept;
    for (const QChar c : text)
        if (c.unicode() < 0x80) kept += c;
    return kept;
}

void showMessage(const QString& text) {
    if (TAppFrame* frame = TAppFrame::instance())
        frame->showMessageBox(text);
    else
        userInterface().messageBox(QString(), text, {MessageButton::Ok}, 0, 0);
}

}  // namespace

TfrmJANCodeProperty::TfrmJANCodeProperty(bool adding, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmJANCodeProperty"));
    setWindowTitle(adding ? QStringLiteral("バーコードの追加") : QStringLiteral("バーコードの編集・設定"));

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));

    auto* codePage = new QWidget;
    auto* codeLayout = new QVBoxLayout(codePage);
    auto* codeGroup = new QGroupBox(QStringLiteral("バーコード"));
    auto* codeGroupLayout = new QVBoxLayout(codeGroup);
    digits_ = new QLineEdit;
    digits_->setObjectName(QStringLiteral("edtJANCode"));
    digits_->setToolTip(QStringLiteral("バーコードを入力します"));
    connect(digits_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString kept = withoutWideCharacters(text);
        if (kept == text) return;
        const int cursor = digits_->cursorPosition() - int(text.size() - kept.size());
        digits_->setText(kept);
        digits_->setCursorPosition(std::max(0, cursor));
    });
    codeGroupLayout->addWidget(digits_);
    codeLayout->addWidget(codeGroup);
    showNumber_ = new QCheckBox(QStringLiteral("数字表示"));
    showNumber_->setObjectName(QStringLiteral("chkShowNumber"));
    showFrame_ = new QCheckBox(QStringLiteral("枠線表示"));
    showFrame_->setObjectName(QStringLiteral("chkShowFrame"));
    codeLayout->addWidget(showNumber_);
    codeLayout->addWidget(showFrame_);
    codeLayout->addStretch();
    tabs_->addTab(codePage, QStringLiteral("バーコード"));

    auto* fontPage = new QWidget;
    auto* fontLayout = new QFormLayout(fontPage);
    fontName_ = new QComboBox;
    fontName_->setObjectName(QStringLiteral("cmbFontName"));
    fontName_->setEditable(true);
    fontName_->addItems(FontLibrary::instance().usableFonts());
    fontSize_ = new QComboBox;
    fontSize_->setObjectName(QStringLiteral("cmbFontSize"));
    fontSize_->setEditable(true);
    for (const int size : kFontSizes) fontSize_->addItem(QString::number(size));
    textColor_ = new ColorButton;
    textColor_->setObjectName(QStringLiteral("btnTextColor"));
    fontLayout->addRow(QStringLiteral("フォント名"), fontName_);
    fontLayout->addRow(QStringLiteral("サイズ"), fontSize_);
    fontLayout->addRow(QStringLiteral("文字色"), textColor_);
    tabs_->addTab(fontPage, QStringLiteral("数字の書体"));
    tabs_->setCurrentIndex(adding ? 0 : std::clamp(lastPage, 0, tabs_->count() - 1));

    // Enter anywhere acts as OK.
    QDialogButtonBox* buttons = makeDialogButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void TfrmJANCodeProperty::load(const TLOJANCode& code) {
    digits_->setText(code.janCode());
    showNumber_->setChecked(code.showNumber());
    showFrame_->setChecked(code.showFrame());
    fontName_->setCurrentText(code.font().name());
    fontSize_->setCurrentText(QString::number(code.font().size()));
    textColor_->setColor(std::uint32_t(code.font().color()));
}

QString TfrmJANCodeProperty::acceptedDigits() const {
    const QString text = digits_->text();
    if (!allAsciiDigits(text)) return {};
    if (text.size() == 7 || text.size() == 12) return text + QString::number(checkDigit(text));
    return isValidJAN(text) ? text : QString();
}

void TfrmJANCodeProperty::accept() {
    if (acceptedDigits().isEmpty()) {
        showMessage(QStringLiteral("バーコードが正しくありません。"));
        digits_->setFocus();
        return;
    }
    QDialog::accept();
}

void TfrmJANCodeProperty::done(int result) {
    lastPage = tabs_->currentIndex();
    QDialog::done(result);
}

void TfrmJANCodeProperty::store(TLOJANCode& code) const {
    code.setJANCode(acceptedDigits());
    code.setShowNumber(showNumber_->isChecked());
    code.setShowFrame(showFrame_->isChecked());
    TPointBasedFont font = code.font();
    font.setColor(std::int32_t(textColor_->color()));
    const QString name = fontName_->currentText().trimmed();
    if (!name.isEmpty()) font.setName(name);
    bool isNumber = false;
    const int size = fontSize_->currentText().trimmed().toInt(&isNumber);
    if (isNumber && size > 0) font.setSize(size);
    if (const auto face = FontLibrary::instance().face(font.name(), font.bold(), font.italic()))
        font.setCharset(std::uint8_t(face->source().charset));
    code.setFont(font);
}

}  // namespace poremi
