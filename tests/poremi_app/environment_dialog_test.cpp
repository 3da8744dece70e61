#include "app/screens/about_box.h"
#include "app/screens/environment_dialog.h"
#include "core/password_scrambler.h"
#include "core/settings.h"
#include "platform/settings_store.h"
#include "tests/support/frame_fixture.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>

namespace poremi {
namespace {

using EnvironmentDialog = test::FrameTest;

QByteArray storedPassword(TAppFrame& frame) {
    return SettingsStore::instance().value(frame.settingsKey(), QStringLiteral("ProxyPassword")).value_or(QVariant()).toByteArray();
}

TEST_F(EnvironmentDialog, BandingRadiosWriteTheirModes) {
    for (int mode : {0, 2, 1}) {
        TfrmEnvironment dialog;
        dialog.banding(mode)->setChecked(true);
        dialog.accept();
        EXPECT_EQ(setting::read(setting::Banding), mode);
        TfrmEnvironment again;
        EXPECT_TRUE(again.banding(mode)->isChecked());
    }
}

TEST_F(EnvironmentDialog, CacheLimitTakesTenTo9999OrUnlimited) {
    struct Row {
        const char* typed;
        bool unlimited;
        int stored;  // after the previous rows
    };
    const Row rows[] = {{"10", false, 10},  {"9999", false, 9999}, {"9", false, 9999}, {"abc", false, 9999},
                        {"500", false, 500}, {"", true, 0},         {"-20", false, 0},  {"10000", false, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        TfrmEnvironment dialog(TfrmEnvironment::CachePage);
        if (row.unlimited) {
            dialog.cacheUnlimited()->setChecked(true);
        } else {
            dialog.cacheLimited()->setChecked(true);
            dialog.cacheLimit()->setMaxLength(32767);
            dialog.cacheLimit()->setText(QString::fromLatin1(row.typed));
        }
        dialog.accept();
        EXPECT_EQ(setting::read(setting::CacheLimit), row.stored);
    }
    TfrmEnvironment shown(TfrmEnvironment::CachePage);
    EXPECT_EQ(shown.tabs()->currentIndex(), TfrmEnvironment::CachePage);
    EXPECT_TRUE(shown.cacheUnlimited()->isChecked());

    setting::write(setting::CacheLimit, 300);
    TfrmEnvironment limited;
    EXPECT_FALSE(limited.cacheUnlimited()->isChecked());
    EXPECT_EQ(limited.cacheLimit()->text(), QStringLiteral("300"));
}

TEST_F(EnvironmentDialog, ProxyIsWrittenWithTheScrambledPassword) {
    {
        TfrmEnvironment dialog(TfrmEnvironment::InternetPage);
        EXPECT_EQ(dialog.tabs()->currentIndex(), TfrmEnvironment::InternetPage);
        EXPECT_TRUE(dialog.directConnection()->isChecked());
        dialog.useProxy()->setChecked(true);
        dialog.proxyAddress()->setText(QStringLiteral("proxy.example.jp"));
        dialog.proxyPort()->setText(QStringLiteral("8080"));
        dialog.proxyUseAccount()->setChecked(true);
        dialog.proxyAccount()->setText(QStringLiteral("yamada"));
        dialog.proxyPassword()->setText(QStringLiteral("Qwhel秘密"));
        dialog.accept();
    }
    EXPECT_FALSE(setting::read(setting::ProxyUse));
    EXPECT_EQ(setting::read(setting::ProxyAddress), QStringLiteral("proxy.example.jp"));
    EXPECT_EQ(setting::read(setting::ProxyPort), QStringLiteral("8080"));
    EXPECT_EQ(setting::proxyPortNumber(), 8080);
    EXPECT_TRUE(setting::read(setting::ProxyUseAccount));
    EXPECT_EQ(setting::read(setting::ProxyAccount), QStringLiteral("yamada"));
    // Never the plain text: the key's own letters at their places scramble to themselves.
    const QByteArray stored = storedPassword(*frame);
    EXPECT_EQ(stored, scramblePassword(QStringLiteral("Qwhel秘密")));
    EXPECT_FALSE(stored.contains("秘密"));
    EXPECT_EQ(unscramblePassword(stored), QStringLiteral("Qwhel秘密"));

    TfrmEnvironment again;
    EXPECT_TRUE(again.useProxy()->isChecked());
    EXPECT_EQ(again.proxyPassword()->text(), QStringLiteral("Qwhel秘密"));
    EXPECT_EQ(again.proxyPassword()->echoMode(), QLineEdit::Password);
}

TEST_F(EnvironmentDialog, ProposedSystemProxyIsNotWrittenForADirectConnection) {
    qputenv("http_proxy", "http://cache.example.net:3128/");
    {
        TfrmEnvironment dialog;
        EXPECT_EQ(dialog.proxyAddress()->text(), QStringLiteral("cache.example.net"));
        EXPECT_EQ(dialog.proxyPort()->text(), QStringLiteral("3128"));
        dialog.accept();
    }
    EXPECT_TRUE(setting::read(setting::ProxyAddress).isEmpty());
    EXPECT_TRUE(setting::read(setting::ProxyPort).isEmpty());
    {
        TfrmEnvironment dialog;
        dialog.useProxy()->setChecked(true);
        dialog.accept();
    }
    qunsetenv("http_proxy");
    EXPECT_EQ(setting::read(setting::ProxyAddress), QStringLiteral("cache.example.net"));
    EXPECT_EQ(setting::read(setting::ProxyPort), QStringLiteral("3128"));
}

TEST_F(EnvironmentDialog, HintsAndDataFolder) {
    {
        TfrmEnvironment dialog;
        EXPECT_TRUE(dialog.showHint()->isChecked());
        EXPECT_TRUE(dialog.cdPathAutomatic()->isChecked());
        dialog.showHint()->setChecked(false);
        ui.answerFile(QStringLiteral("/media/cdrom"));
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("参照(&B)...")) button->click();
        dialog.accept();
    }
    EXPECT_FALSE(setting::read(setting::DefaultShowHint));
    EXPECT_EQ(setting::read(setting::CDPath), QStringLiteral("/media/cdrom"));
    EXPECT_EQ(ui.fileQuestions().value(0).kind, FileQuestion::Kind::Folder);
    {
        TfrmEnvironment dialog;
        EXPECT_EQ(dialog.cdPath()->currentText(), QStringLiteral("/media/cdrom"));
        EXPECT_EQ(dialog.cdPath()->findText(QStringLiteral("/media/cdrom")), 0);  // from the history
        dialog.cdPathAutomatic()->setChecked(true);
        dialog.accept();
    }
    EXPECT_TRUE(setting::read(setting::CDPath).isEmpty());
}

TEST_F(EnvironmentDialog, CancelWritesNothing) {
    {
        TfrmEnvironment dialog;
        dialog.banding(0)->setChecked(true);
        dialog.reject();
    }
    EXPECT_EQ(setting::read(setting::Banding), 1);
}

// Every caption is wide enough for its text; the pictures stay for people to look at.
void expectNoClippedCaptions(QWidget& window, const QString& picture) {
    window.show();
    QCoreApplication::processEvents();
    window.grab().save(test::outputFolder() + QLatin1Char('/') + picture);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        if (!qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QLabel*>(widget)) continue;
        EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << widget->metaObject()->className() << " "
                                                                       << widget->property("text").toString().toStdString();
    }
}

TEST_F(EnvironmentDialog, EveryPageShowsItsCaptionsWhole) {
    for (int page : {TfrmEnvironment::EnvPage, TfrmEnvironment::InternetPage, TfrmEnvironment::CachePage}) {
        TfrmEnvironment dialog{TfrmEnvironment::Page(page)};
        expectNoClippedCaptions(dialog, QStringLiteral("environment_page%1.png").arg(page));
    }
    AboutBox about(*frame);
    expectNoClippedCaptions(about, QStringLiteral("about_box.png"));
    EXPECT_TRUE(about.findChild<QLabel*>(QStringLiteral("Version"))->text().contains(QStringLiteral("1.2.0.0")));
}

}  // namespace
}  // namespace poremi
