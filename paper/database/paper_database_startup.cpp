#include "paper/database/paper_database_startup.h"

#include "base/error.h"
#include "base/format.h"
#include "base/user_interface.h"
#include "paper/database/damaged_database.h"
#include "platform/cfb/compound_file_error.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <cstdio>
#include <optional>

namespace poremi {
namespace {

const QString kCannotOpen = QStringLiteral("アプリケーションに必要なファイル「%s」が開けませんでした");
const QString kReadOnlyFile = QStringLiteral("実行に必要なファイル「%s」が読み取り専用になっています");

QString withoutPath(const QString& fileName) { return QFileInfo(fileName).fileName(); }

Exception cannotOpen(const QString& fileName) { return Exception(format(kCannotOpen, {withoutPath(fileName)})); }

QString rebuildFileOf(const QString& database) {
    const QFileInfo info(database);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".usr");
}

int releaseOf(const QString& fileName) { return TPapersV2(fileName, true).getUpdateInfo().pprNo(); }

// Runs step with errors of the named file turned into the start-up message; the container's
// own errors keep their message.
template <class Step>
auto opening(const QString& fileName, Step&& step) {
    try {
        return step();
    } catch (const cfb::CompoundFileError&) {
        throw;
    } catch (const Exception&) {
        throw cannotOpen(fileName);
    }
}

void copyShipped(const PaperDatabaseFiles& files, const QString& target) {
    if (!QFileInfo::exists(files.shipped)) throw cannotOpen(files.shipped);
    QDir().mkpath(QFileInfo(target).absolutePath());
    opening(files.shipped, [&] {
        PaperStore copy;
        copy.loadFrom(files.shipped);
        copy.saveTo(target);
        return 0;
    });
}

void showWait(const PaperDatabaseFeedback& feedback, const QString& text) {
    if (feedback.wait) feedback.wait(text);
}

// The user's papers of the database and the new system papers of every source, in the ".usr"
// file; the database and the sources are left untouched.
void rebuildInto(const QString& rebuilt, const QString& database, const QStringList& sources,
                 const PaperDatabaseFeedback& feedback) {
    const auto target = createPaperDatabase(rebuilt);
    {
        opening(database, [&] {
            const auto old = openPaperDatabase(database, true);
            MergePapers(*target, *old, true, {}, false);
            target->setCompanyList(old->getCompanyList());
            target->setGroupList(old->getGroupList());
            if (old->hasGlobalInfo()) old->copyGlobalInfoTo(*target);
            return 0;
        });
    }
    for (const QString& source : sources) {
        opening(source, [&] {
            const auto update = openPaperDatabase(source, true);
            MergePapers(*target, *update, false, feedback.progress, true);
            return 0;
        });
    }
    target->close();
}

void replaceFile(const QString& from, const QString& to) {
    // rename() replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw cannotOpen(to);
}

// Errors that say nothing about the file's content: the file is left where it is.
bool isAccessError(const Exception& error) {
    const auto* file = dynamic_cast<const cfb::CompoundFileError*>(&error);
    return file && (file->code() == cfb::ErrorCode::AccessDenied || file->code() == cfb::ErrorCode::WriteFault);
}

// The release number of the working database, or none when it does not read completely.
std::optional<int> releaseIfSound(const QString& database) {
    try {
        const auto papers = openPaperDatabase(database, true);
        if (readsCompletely(*papers)) return papers->getUpdateInfo().pprNo();
    } catch (const Exception& error) {
        if (isAccessError(error)) throw;
    }
    return std::nullopt;
}

// A free name beside the database that says when it was found damaged.
QString damagedFileOf(const QString& database) {
    const QFileInfo info(database);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString name = stem + suffix;
    for (int n = 2; QFileInfo::exists(name); ++n) name = stem + QLatin1Char('-') + QString::number(n) + suffix;
    return name;
}

struct Recovered {
    QString backup;  // empty when none was drawn on
    int fromBackup = 0;
    int fromDamaged = 0;
};

// Merges the user papers of the newest backup of the folder that opens.
void mergeNewestBackup(const QString& folder, TPapersV2& target, Recovered& recovered) {
    if (folder.isEmpty()) return;
    const QFileInfoList backups = QDir(folder).entryInfoList({QStringLiteral("*.") + kUserPaperBackupExtension},
                                                             QDir::Files, QDir::Time);
    for (const QFileInfo& backup : backups) {
        try {
            const auto papers = openPaperDatabase(backup.filePath(), true);
            MergePapers(target, *papers, true, {}, false);
            recovered.backup = backup.filePath();
            recovered.fromBackup = userPaperCount(*papers);
            return;
        } catch (const Exception& error) {
            warnUnreadable(backup.filePath(), error);
        }
    }
}

QString recoveryMessage(const QString& database, const QString& damaged, const Recovered& recovered) {
    QString text = format(kDamagedPapersRebuilt, {withoutPath(database), recovered.fromDamaged});
    if (!recovered.backup.isEmpty())
        text += QStringLiteral("\r\n") + format(kDamagedPapersBackup, {recovered.backup, recovered.fromBackup});
    return text + QStringLiteral("\r\n") + format(kDamagedPapersKept, {damaged});
}

// Builds a new working database from the shipped one with every user paper that can be had,
// then puts the damaged file aside and the new one in its place. Nothing happens when the
// shipped database does not read completely either: the fault is not the working copy's, and
// a rebuild would come back at every start.
void rebuildDamaged(const PaperDatabaseFiles& files, const PaperDatabaseFeedback& feedback) {
    if (!QFileInfo::exists(files.shipped)) throw cannotOpen(files.shipped);
    if (!opening(files.shipped, [&] { return releaseIfSound(files.shipped); })) return;
    const QString rebuilt = rebuildFileOf(files.database);
    QString damaged;
    Recovered recovered;
    showWait(feedback, kPaperWaitText);
    try {
        QFile::remove(rebuilt);
        copyShipped(files, rebuilt);
        {
            const auto target = openPaperDatabase(rebuilt, false);
            // The damaged file's papers are newer than any backup, so they come last.
            mergeNewestBackup(files.backups, *target, recovered);
            recovered.fromDamaged = rescueUserPapers(files.database, *target);
            target->markModified();
            target->close();
        }
        damaged = damagedFileOf(files.database);
        replaceFile(files.database, damaged);
        try {
            replaceFile(rebuilt, files.database);
        } catch (...) {
            std::rename(QFile::encodeName(damaged).constData(), QFile::encodeName(files.database).constData());
            throw;
        }
    } catch (...) {
        QFile::remove(rebuilt);
        showWait(feedback, QString());
        throw;
    }
    showWait(feedback, QString());
    userInterface().messageBox(feedback.caption, recoveryMessage(files.database, damaged, recovered),
                               {MessageButton::Ok}, 0, 0);
}

}  // namespace

std::unique_ptr<TPapersV2> openPaperDatabase(const QString& fileName, bool readOnly) {
    auto papers = std::make_unique<TPapersV2>(fileName, readOnly);
    papers->registerStandardExtraInfos();
    return papers;
}

std::unique_ptr<TPapersV2> createPaperDatabase(const QString& fileName) {
    auto papers = std::make_unique<TPapersV2>(fileName, false, PaperFileStart::Empty);
    papers->registerStandardExtraInfos();
    return papers;
}

std::unique_ptr<TPapersV2> openPaperDatabaseAtStart(const PaperDatabaseFiles& files, const PaperDatabaseFeedback& feedback) {
    if (!QFileInfo::exists(files.database)) copyShipped(files, files.database);
    const QFileInfo database(files.database);
    if (!database.exists()) throw cannotOpen(files.database);
    // The owner's write bit stands for the read-only attribute, whoever runs the program.
    if (!database.isWritable() || !(database.permissions() & QFileDevice::WriteOwner))
        throw Exception(format(kReadOnlyFile, {withoutPath(files.database)}));

    std::optional<int> own = opening(files.database, [&] { return releaseIfSound(files.database); });
    if (!own) {
        rebuildDamaged(files, feedback);
        own = opening(files.database, [&] { return releaseOf(files.database); });
    }

    QStringList sources;
    const bool hasUpdate = !files.update.isEmpty() && QFileInfo::exists(files.update);
    if (hasUpdate) sources.append(files.update);
    if (!files.shipped.isEmpty() && QFileInfo::exists(files.shipped) &&
        QFileInfo(files.shipped).canonicalFilePath() != database.canonicalFilePath()) {
        const int shipped = opening(files.shipped, [&] { return releaseOf(files.shipped); });
        if (shipped > *own) sources.append(files.shipped);
    }

    if (!sources.isEmpty()) {
        const QString rebuilt = rebuildFileOf(files.database);
        showWait(feedback, kPaperWaitText);
        try {
            rebuildInto(rebuilt, files.database, sources, feedback);
            replaceFile(rebuilt, files.database);
        } catch (...) {
            QFile::remove(rebuilt);
            showWait(feedback, QString());
            throw;
        }
        showWait(feedback, QString());
        if (hasUpdate) QFile::remove(files.update);
    }
    return opening(files.database, [&] { return openPaperDatabase(files.database, false); });
}

void exportUserPapers(const TPapersV2& database, const QString& backupFile) {
    // An existing backup is replaced only by the complete new one.
    const auto backup = createPaperDatabase(backupFile);
    MergePapers(*backup, database, true, {}, false);
    backup->close();
}

void importUserPapers(TPapersV2& database, const QString& backupFile) {
    const auto backup = openPaperDatabase(backupFile, true);
    MergePapers(database, *backup, true, {}, false);
}

}  // namespace poremi
