#pragma once
// Every test process runs in its own temporary home: XDG folders, the settings file and the
// temporary folder all point below it, so tests run in parallel and never touch the user's files.

#include <QtCore/QString>

namespace poremi::test {

// The process's private folder (created before any test runs).
QString privateRoot();
// A fresh, empty folder below the private root.
QString freshFolder(const QString& name);
// Folder for images and files a person may look at after the run (build/test-output/<lib>).
QString outputFolder();

}  // namespace poremi::test
