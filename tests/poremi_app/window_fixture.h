#pragma once
// A main window on a copy of the shipped paper database, with its program and user folders in
// a fresh temporary folder, a settings file of its own and a scripted user interface.

#include "app/module/main_data_module.h"
#include "app/screens/main_window.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "objects/jan_object.h"
#include "paper/paper_info.h"
#include "platform/settings_store.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace poremi::test {

// A JAN code as the whole design of a face, well inside it.
inline void putBarcode(TLabelData& document, int face) {
    const TRect outer = document.Paper()->getFaceInfo(face).outerRect();
    auto* code = new TLOJANCode;
    code->setJANCode(QStringLiteral("4901234567894"));
    code->setRect({outer.left + 200, outer.top + 500, outer.left + 800, outer.top + 700});
    TDOList list;
    list.add(code);
    document.SaveLabelObjects(face, list);
    list.freeAll();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = freshFolder(QStringLiteral("window"));
        QDir(root).mkpath(QStringLiteral("program"));
        QDir(root).mkpath(QStringLiteral("user"));
        QDir(root).mkpath(QStringLiteral("documents"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(POREMI_BINARY_DIR "/app/poremi.ppr"), root + QStringLiteral("/program/poremi.ppr")))
            << "build the paper_database target first";
        SettingsStore::reopen(root + QStringLiteral("/settings.ini"));
        FrameEnvironment env;
        env.executablePath = root + QStringLiteral("/program/poremi");
        env.appDataFolder = root + QStringLiteral("/user");
        env.version = QVersionNumber({0, 1, 0, 0});
        module = std::make_unique<MainDataModule>(env);
        module->openPapers();
        makeWindow();
    }
    void TearDown() override {
        window.reset();
        module.reset();
        SettingsStore::reopen();
    }

    void makeWindow() {
        window.reset();
        window = std::make_unique<TfrmMain>(module->frame(), module->papers());
    }

    QString document(const QString& name) const { return root + QStringLiteral("/documents/") + name; }

    // Saves the open document under name through the save dialog; true when it was written.
    bool saveAs(const QString& name) {
        ui.answerFile(document(name));
        return window->saveAs();
    }

    ScriptedUserInterface ui;
    QString root;
    std::unique_ptr<MainDataModule> module;
    std::unique_ptr<TfrmMain> window;
};

}  // namespace poremi::test
