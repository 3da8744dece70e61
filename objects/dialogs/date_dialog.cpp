#include "objects/dialogs/date_dialog.h"

#include "objects/dialogs/date_page.h"
#include "objects/dialogs/dialog_buttons.h"
#include "objects/dialogs/text_style_pages.h"
#include "objects/text_date_object.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace poremi {
namespace {

// Remembered until the application exits.
int lastPage = 0;

}  // namespace

TfrmDateProperty::TfrmDateProperty(bool adding, const QString& presetFile, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDateProperty"));
    setWindowTitle(QStringLiteral("日付オブジェクトの設定"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    datePage_ = new DatePage;
    tabs_->addTab(datePage_, QStringLiteral("日付"));
    pages_ = new TextStylePages(tabs_, presetFile);
    tabs_->setCurrentIndex(adding ? 0 : std::clamp(lastPage, 0, tabs_->count() - 1));

    QDialogButtonBox* buttons = makeDialogButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void TfrmDateProperty::load(const TLODate& date) {
    datePage_->setValues(date.format(), date.date(), int(date.updateFlag()));
    pages_->load(date);
}

void TfrmDateProperty::store(TLODate& date) const {
    pages_->store(date);
    date.setFormat(datePage_->format());
    date.setDate(datePage_->date());
    date.setUpdateFlag(TDateUpdateFlag(datePage_->updateFlag()));
}

void TfrmDateProperty::accept() {
    if (pages_->showRefusal(*tabs_)) return;
    QDialog::accept();
}

void TfrmDateProperty::done(int result) {
    lastPage = tabs_->currentIndex();
    QDialog::done(result);
}

}  // namespace poremi
