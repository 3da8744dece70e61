#include "paper/database/paper_database_startup.h"

#include "base/error.h"
#include "base/format.h"
#include "platform/cfb/compound_file_error.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <cstdio>

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

void createFromShipped(const PaperDatabaseFiles& files) {
    if (!QFileInfo::exists(files.shipped)) throw cannotOpen(files.shipped);
    QDir().mkpath(QFileInfo(files.database).absolutePath());
    opening(files.shipped, [&] {
        PaperStore copy;
        copy.loadFrom(files.shipped);
        copy.saveTo(files.database);
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
    if (!QFileInfo::exists(files.database)) createFromShipped(files);
    const QFileInfo database(files.database);
    if (!database.exists()) throw cannotOpen(files.database);
    // The owner's write bit stands for the read-only attribute, whoever runs the program.
    if (!database.isWritable() || !(database.permissions() & QFileDevice::WriteOwner))
        throw Exception(format(kReadOnlyFile, {withoutPath(files.database)}));

    QStringList sources;
    const bool hasUpdate = !files.update.isEmpty() && QFileInfo::exists(files.update);
    if (hasUpdate) sources.append(files.update);
    if (!files.shipped.isEmpty() && QFileInfo::exists(files.shipped) &&
        QFileInfo(files.shipped).canonicalFilePath() != database.canonicalFilePath()) {
        const int shipped = opening(files.shipped, [&] { return releaseOf(files.shipped); });
        const int own = opening(files.database, [&] { return releaseOf(files.database); });
        if (shipped > own) sources.append(files.shipped);
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
