#include "paper/database/damaged_database.h"

#include "base/error.h"
#include "paper/database/paper_database_startup.h"
#include "platform/cfb/compound_file_error.h"
#include "platform/cfb/storage.h"

#include <QtCore/QSet>
#include <QtCore/QTemporaryDir>

namespace poremi {
namespace {

// Papers\{id} and PaperImages\{id}\{n}: nothing of use lies deeper.
constexpr int kStorageDepth = 1;

// Copies every stream below storage that still reads into the store under path.
void copyReadable(cfb::Storage& storage, const QString& path, PaperStore& store, int depth) {
    QList<cfb::ElementInfo> elements;
    try {
        elements = storage.elements();
    } catch (const Exception& error) {
        warnUnreadable(path, error);
        return;
    }
    for (const cfb::ElementInfo& element : elements) {
        const QString elementPath = path + QLatin1Char('\\') + element.name;
        try {
            if (element.type == cfb::ElementType::Stream) {
                store.writeStream(elementPath, storage.openStream(element.name, cfb::kReadExclusive)->readAll());
            } else if (depth > 0) {
                store.createStorage(elementPath);
                copyReadable(*storage.openStorage(element.name, cfb::kReadExclusive), elementPath, store, depth - 1);
            }
        } catch (const Exception& error) {
            warnUnreadable(elementPath, error);
        }
    }
}

}  // namespace

bool readsCompletely(const TPapersV2& database) {
    if (!database.unreadablePapers().isEmpty()) return false;
    // Designs are left out: they may hold classes a mode of the program does not know, and
    // reading them is passed over one by one anyway.
    TExtraInfoBase* makers = database.findExtraInfo(TExInfoBase::kName);
    if (!makers) return true;
    try {
        QSet<QString> names;
        for (int i = 0; i < makers->count(); ++i) {
            const QString name = makers->getItem(i)->paperName();
            // Two records of one paper stop every lookup of the base.
            if (names.contains(name)) return false;
            names.insert(name);
        }
    } catch (const Exception&) {
        return false;
    }
    return true;
}

int userPaperCount(const TPapersV2& database) {
    int count = 0;
    for (int i = 0; i < database.getPaperCount(); ++i)
        if (!database.getPaper(i).readOnly()) ++count;
    return count;
}

int rescueUserPapers(const QString& damagedFile, TPapersV2& destination) {
    PaperStore salvage;
    try {
        const auto root = cfb::Storage::openFile(damagedFile, cfb::kReadExclusive);
        for (const QString& name : {TPapers::kPapersStorage, TExInfoBase::kName, TImageInfoBase::kName}) {
            salvage.createStorage(name);
            try {
                copyReadable(*root->openStorage(name, cfb::kReadExclusive), name, salvage, kStorageDepth);
            } catch (const cfb::CompoundFileError& error) {
                if (error.code() != cfb::ErrorCode::FileNotFound) warnUnreadable(name, error);
            }
        }
    } catch (const cfb::CompoundFileError& error) {
        warnUnreadable(damagedFile, error);
        return 0;
    }
    // The rescued streams are opened as a database of their own, so that the merge of every
    // other use brings them over.
    const QTemporaryDir folder;
    if (!folder.isValid()) return 0;
    const QString file = folder.filePath(QStringLiteral("rescued.ppr"));
    salvage.saveTo(file);
    const auto rescued = openPaperDatabase(file, true);
    try {
        MergePapers(destination, *rescued, true, {}, false);
        return userPaperCount(*rescued);
    } catch (const Exception& error) {
        // Damage the reading let through (two records of one paper): what arrived stays.
        warnUnreadable(damagedFile, error);
    }
    int arrived = 0;
    for (int i = 0; i < rescued->getPaperCount(); ++i) {
        const TPaperInfo& paper = rescued->getPaper(i);
        if (!paper.readOnly() && destination.indexOfPaper(paper.paperName()) >= 0) ++arrived;
    }
    return arrived;
}

}  // namespace poremi
