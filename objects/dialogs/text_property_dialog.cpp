#include "objects/dialogs/text_property_dialog.h"

#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/text_message.h"
#include "objects/dialogs/text_style_pages.h"
#include "objects/text_object.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace poremi {
namespace {

// Remembered until the application exits.
int lastPage = 0;

}  // namespace

TfrmTextProperty::TfrmTextProperty(bool adding, const QString& presetFile, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTextProperty"));
    setWindowTitle(adding ? QStringLiteral("文字の追加") : QStringLiteral("文字の編集・設定"));

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    linesPage_ = new QWidget;
    auto* linesLayout = new QVBoxLayout(linesPage_);
    auto* caption = new QLabel(QStringLiteral("文字(&T)"));
    lines_ = new QPlainTextEdit;
    lines_->setObjectName(QStringLiteral("memText"));
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Return starts a new line there; Ctrl+Return confirms the dialog.
    lines_->installEventFilter(this);
    caption->setBuddy(lines_);
    linesLayout->addWidget(caption);
    linesLayout->addWidget(lines_, 1);
    // The music imports arrive with the album screens; until then they are shown disabled.
    auto* imports = new QGroupBox(QStringLiteral("取込み・一括編集"));
    auto* importLayout = new QGridLayout(imports);
    int column = 0;
    for (const char* name : {"フォルダ", "CD TEXT", "一括編集", "アルバム", "CDDB"}) {
        auto* button = new QPushButton(QString::fromUtf8(name));
        button->setEnabled(false);
        importLayout->addWidget(button, 0, column++);
    }
    linesLayout->addWidget(imports);
    tabs_->addTab(linesPage_, QStringLiteral("文字"));
    pages_ = new TextStylePages(tabs_, presetFile);
    tabs_->setCurrentIndex(adding ? 0 : std::clamp(lastPage, 0, tabs_->count() - 1));

    QDialogButtonBox* buttons = makeDialogButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

QStringList TfrmTextProperty::lines() const {
    const QString text = lines_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TfrmTextProperty::load(const TLOText& text) {
    loadedLines_ = text.text();
    bound_ = text.fieldNo() > 0;
    lines_->setPlainText(loadedLines_.join(u'\n'));
    pages_->load(text);
}

void TfrmTextProperty::store(TLOText& text) const {
    pages_->store(text);
    const QStringList edited = lines();
    if (edited != loadedLines_) {
        text.setText(edited);
        text.setFieldNo(0);
    }
}

bool TfrmTextProperty::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lines_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers().testFlag(Qt::ControlModifier)) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmTextProperty::accept() {
    if (lines_->toPlainText().isEmpty() && !bound_) {
        tabs_->setCurrentWidget(linesPage_);
        showTextDialogMessage(QStringLiteral("文字が入力されていません"));
        lines_->setFocus();
        return;
    }
    if (pages_->showRefusal(*tabs_)) return;
    QDialog::accept();
}

void TfrmTextProperty::done(int result) {
    lastPage = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
