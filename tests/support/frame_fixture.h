#pragma once
// A frame loaded with the application's table, its executable and data folders in a fresh
// temporary folder, and a scripted user interface. Header only: the tests that use it link
// the frame.

#include "core/app_frame.h"
#include "core/application_macros.h"
#include "platform/settings_store.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <gtest/gtest.h>
#include <memory>

namespace poremi::test {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = freshFolder(QStringLiteral("frame"));
        QDir(root).mkpath(QStringLiteral("bin"));
        QDir(root).mkpath(QStringLiteral("data"));
        SettingsStore::reopen(root + QStringLiteral("/settings.ini"));
        frame = std::make_unique<TAppFrame>();
        TMacroString t;
        t.setLines(applicationMacroTable());
        frame->setMacro(t);
        FrameEnvironment env;
        env.executablePath = root + QStringLiteral("/bin/poremi");
        env.appDataFolder = root + QStringLiteral("/data");
        env.version = QVersionNumber({1, 2, 0, 0});
        frame->load(env);
    }
    void TearDown() override {
        frame.reset();
        SettingsStore::reopen();
    }

    QString root;
    ScriptedUserInterface ui;
    std::unique_ptr<TAppFrame> frame;
};

}  // namespace poremi::test
