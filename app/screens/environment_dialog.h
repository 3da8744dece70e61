#pragma once
// The settings dialog: printing mode, hints and the data folder; the proxy; the image cache.
// It reads the settings when made and writes them on accept().

#include <QtWidgets/QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace poremi {

class THistoryManager;

class TfrmEnvironment : public QDialog {
    Q_OBJECT
public:
    enum Page { EnvPage = 0, InternetPage = 1, CachePage = 2 };

    explicit TfrmEnvironment(Page page = EnvPage, QWidget* parent = nullptr);
    ~TfrmEnvironment() override;

    // Writes the settings, then closes with OK.
    void accept() override;

    // The widgets by their purpose, for the window and for tests.
    QTabWidget* tabs() const { return tabs_; }
    QCheckBox* showHint() const { return showHint_; }
    QRadioButton* banding(int mode) const { return banding_[mode]; }
    QRadioButton* cdPathAutomatic() const { return cdPathAutomatic_; }
    QComboBox* cdPath() const { return cdPath_; }
    QRadioButton* directConnection() const { return direct_; }
    QRadioButton* useProxy() const { return useProxy_; }
    QLineEdit* proxyAddress() const { return proxyAddress_; }
    QLineEdit* proxyPort() const { return proxyPort_; }
    QCheckBox* proxyUseAccount() const { return useAccount_; }
    QLineEdit* proxyAccount() const { return account_; }
    QLineEdit* proxyPassword() const { return password_; }
    QCheckBox* cacheEnabled() const { return cacheEnabled_; }
    QRadioButton* cacheUnlimited() const { return cacheUnlimited_; }
    QRadioButton* cacheLimited() const { return cacheLimited_; }
    QLineEdit* cacheLimit() const { return cacheLimit_; }

private:
    QWidget* makeEnvPage();
    QWidget* makeInternetPage();
    QWidget* makeCachePage();
    void load();
    void browseCDPath();
    void updateEnabled();

    THistoryManager* cdPathHistory_;
    QTabWidget* tabs_;
    QCheckBox* showHint_;
    QRadioButton* banding_[3];
    QRadioButton* cdPathAutomatic_;
    QRadioButton* cdPathGiven_;
    QComboBox* cdPath_;
    QRadioButton* direct_;
    QRadioButton* useProxy_;
    QLineEdit* proxyAddress_;
    QLineEdit* proxyPort_;
    QCheckBox* useAccount_;
    QLineEdit* account_;
    QLineEdit* password_;
    QCheckBox* cacheEnabled_;
    QRadioButton* cacheUnlimited_;
    QRadioButton* cacheLimited_;
    QLineEdit* cacheLimit_;
    // The system's proxy proposed because none was stored.
    QString proposedAddress_;
    QString proposedPort_;
};

}  // namespace poremi
