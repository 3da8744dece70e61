#include "app/screens/environment_dialog.h"

#include "base/user_interface.h"
#include "core/history_manager.h"
#include "core/password_scrambler.h"
#include "core/settings.h"
#include "platform/system_proxy.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

constexpr int kMinCacheLimit = 10;
constexpr int kMaxCacheLimit = 9999;

}  // namespace

TfrmEnvironment::TfrmEnvironment(Page page, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEnvironment"));
    setWindowTitle(QStringLiteral("環境設定"));
    cdPathHistory_ = new THistoryManager(this);
    cdPathHistory_->setRegistryKey(QStringLiteral("$(CDPathHistory)"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(makeEnvPage(), QStringLiteral("環境"));
    tabs_->addTab(makeInternetPage(), QStringLiteral("インターネット"));
    tabs_->addTab(makeCachePage(), QStringLiteral("キャッシュ"));
    tabs_->widget(EnvPage)->setObjectName(QStringLiteral("Env"));
    tabs_->widget(InternetPage)->setObjectName(QStringLiteral("Internet"));
    tabs_->widget(CachePage)->setObjectName(QStringLiteral("Cache"));
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmEnvironment::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmEnvironment::reject);
    layout->addWidget(buttons);
    load();
    tabs_->setCurrentIndex(page);
}

TfrmEnvironment::~TfrmEnvironment() = default;

QWidget* TfrmEnvironment::makeEnvPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    showHint_ = new QCheckBox(QStringLiteral("ヒントを表示する(&H)"), page);
    layout->addWidget(showHint_);

    auto* printing = new QGroupBox(QStringLiteral("印刷モード"), page);
    auto* printingLayout = new QVBoxLayout(printing);
    const QString captions[3] = {QStringLiteral("高速印刷(&F)"), QStringLiteral("標準印刷(&N)"),
                                 QStringLiteral("高精細印刷(&Q)")};
    for (int mode = 0; mode < 3; ++mode) {
        banding_[mode] = new QRadioButton(captions[mode], printing);
        printingLayout->addWidget(banding_[mode]);
    }
    layout->addWidget(printing);

    auto* media = new QGroupBox(QStringLiteral("データフォルダ"), page);
    auto* mediaLayout = new QVBoxLayout(media);
    cdPathAutomatic_ = new QRadioButton(QStringLiteral("自動的に検索する(&A)"), media);
    cdPathGiven_ = new QRadioButton(QStringLiteral("フォルダを指定する(&D)"), media);
    auto* row = new QHBoxLayout;
    cdPath_ = new QComboBox(media);
    cdPath_->setEditable(true);
    cdPath_->setMinimumContentsLength(24);
    auto* browse = new QPushButton(QStringLiteral("参照(&B)..."), media);
    connect(browse, &QPushButton::clicked, this, &TfrmEnvironment::browseCDPath);
    row->addWidget(cdPath_, 1);
    row->addWidget(browse);
    mediaLayout->addWidget(cdPathAutomatic_);
    mediaLayout->addWidget(cdPathGiven_);
    mediaLayout->addLayout(row);
    layout->addWidget(media);
    layout->addStretch();
    connect(cdPathAutomatic_, &QRadioButton::toggled, this, &TfrmEnvironment::updateEnabled);
    return page;
}

QWidget* TfrmEnvironment::makeInternetPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    direct_ = new QRadioButton(QStringLiteral("プロキシを使用しない(&D)"), page);
    useProxy_ = new QRadioButton(QStringLiteral("プロキシを使用する(&P)"), page);
    layout->addWidget(direct_);
    layout->addWidget(useProxy_);
    auto* form = new QFormLayout;
    proxyAddress_ = new QLineEdit(page);
    proxyPort_ = new QLineEdit(page);
    useAccount_ = new QCheckBox(QStringLiteral("アカウントを送信する(&U)"), page);
    account_ = new QLineEdit(page);
    password_ = new QLineEdit(page);
    password_->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("アドレス(&R):"), proxyAddress_);
    form->addRow(QStringLiteral("ポート(&T):"), proxyPort_);
    form->addRow(useAccount_);
    form->addRow(QStringLiteral("アカウント(&C):"), account_);
    form->addRow(QStringLiteral("パスワード(&W):"), password_);
    layout->addLayout(form);
    layout->addStretch();
    connect(useProxy_, &QRadioButton::toggled, this, &TfrmEnvironment::updateEnabled);
    connect(useAccount_, &QCheckBox::toggled, this, &TfrmEnvironment::updateEnabled);
    return page;
}

QWidget* TfrmEnvironment::makeCachePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    cacheEnabled_ = new QCheckBox(QStringLiteral("イメージのキャッシュを使用する(&U)"), page);
    layout->addWidget(cacheEnabled_);
    auto* size = new QGroupBox(QStringLiteral("キャッシュのサイズ"), page);
    auto* sizeLayout = new QVBoxLayout(size);
    cacheUnlimited_ = new QRadioButton(QStringLiteral("制限しない(&N)"), size);
    cacheLimited_ = new QRadioButton(QStringLiteral("制限する(&L)"), size);
    auto* row = new QHBoxLayout;
    cacheLimit_ = new QLineEdit(size);
    cacheLimit_->setMaxLength(4);
    row->addWidget(cacheLimited_);
    row->addWidget(cacheLimit_);
    row->addWidget(new QLabel(QStringLiteral("MB (%1～%2)").arg(kMinCacheLimit).arg(kMaxCacheLimit), size));
    row->addStretch();
    sizeLayout->addWidget(cacheUnlimited_);
    sizeLayout->addLayout(row);
    layout->addWidget(size);
    layout->addStretch();
    connect(cacheEnabled_, &QCheckBox::toggled, this, &TfrmEnvironment::updateEnabled);
    connect(cacheUnlimited_, &QRadioButton::toggled, this, &TfrmEnvironment::updateEnabled);
    return page;
}

void TfrmEnvironment::load() {
    showHint_->setChecked(setting::read(setting::DefaultShowHint));
    banding_[std::clamp(setting::read(setting::Banding), 0, 2)]->setChecked(true);

    const QString cdPath = setting::read(setting::CDPath);
    cdPath_->addItems(cdPathHistory_->items());
    cdPath_->setEditText(cdPath);
    (cdPath.isEmpty() ? cdPathAutomatic_ : cdPathGiven_)->setChecked(true);

    cacheEnabled_->setChecked(setting::read(setting::CacheEnabl));
    const int limit = setting::read(setting::CacheLimit);
    (limit == 0 ? cacheUnlimited_ : cacheLimited_)->setChecked(true);
    if (limit != 0) cacheLimit_->setText(QString::number(limit));

    (setting::read(setting::ProxyUse) ? direct_ : useProxy_)->setChecked(true);
    QString address = setting::read(setting::ProxyAddress);
    QString port = setting::read(setting::ProxyPort);
    if (address.isEmpty() && port.isEmpty()) {
        if (const auto proposed = systemProxy()) {
            proposedAddress_ = address = proposed->host;
            proposedPort_ = port = QString::number(proposed->port);
        }
    }
    proxyAddress_->setText(address);
    proxyPort_->setText(port);
    useAccount_->setChecked(setting::read(setting::ProxyUseAccount));
    account_->setText(setting::read(setting::ProxyAccount));
    password_->setText(readScrambledSetting(QString::fromLatin1(setting::ProxyPassword)));
    updateEnabled();
}

void TfrmEnvironment::accept() {
    for (int mode = 0; mode < 3; ++mode)
        if (banding_[mode]->isChecked()) setting::write(setting::Banding, mode);

    const QString cdPath = cdPathGiven_->isChecked() ? cdPath_->currentText().trimmed() : QString();
    setting::write(setting::CDPath, cdPath);
    if (!cdPath.isEmpty()) cdPathHistory_->add(cdPath);
    setting::write(setting::DefaultShowHint, showHint_->isChecked());

    setting::write(setting::CacheEnabl, cacheEnabled_->isChecked());
    if (cacheUnlimited_->isChecked()) {
        setting::write(setting::CacheLimit, 0);
    } else {
        bool isNumber = false;
        const int limit = cacheLimit_->text().trimmed().toInt(&isNumber);
        if (isNumber && limit >= kMinCacheLimit && limit <= kMaxCacheLimit) setting::write(setting::CacheLimit, limit);
    }

    const bool direct = direct_->isChecked();
    setting::write(setting::ProxyUse, direct);
    const bool stillProposed = !proposedAddress_.isEmpty() && proxyAddress_->text() == proposedAddress_ &&
                               proxyPort_->text() == proposedPort_;
    if (!(stillProposed && direct)) {
        setting::write(setting::ProxyAddress, proxyAddress_->text().trimmed());
        setting::write(setting::ProxyPort, proxyPort_->text().trimmed());
    }
    setting::write(setting::ProxyUseAccount, useAccount_->isChecked());
    setting::write(setting::ProxyAccount, account_->text());
    writeScrambledSetting(QString::fromLatin1(setting::ProxyPassword), password_->text());
    QDialog::accept();
}

void TfrmEnvironment::browseCDPath() {
    FileQuestion question;
    question.kind = FileQuestion::Kind::Folder;
    question.title = QStringLiteral("データフォルダの選択");
    question.fileName = cdPath_->currentText();
    if (const auto answer = userInterface().askFileName(question)) {
        cdPath_->setEditText(answer->fileName);
        cdPathGiven_->setChecked(true);
    }
}

void TfrmEnvironment::updateEnabled() {
    cdPath_->setEnabled(cdPathGiven_->isChecked());
    const bool proxy = useProxy_->isChecked();
    proxyAddress_->setEnabled(proxy);
    proxyPort_->setEnabled(proxy);
    useAccount_->setEnabled(proxy);
    account_->setEnabled(proxy && useAccount_->isChecked());
    password_->setEnabled(proxy && useAccount_->isChecked());
    const bool cache = cacheEnabled_->isChecked();
    cacheUnlimited_->setEnabled(cache);
    cacheLimited_->setEnabled(cache);
    cacheLimit_->setEnabled(cache && !cacheUnlimited_->isChecked());
}

}  // namespace poremi
