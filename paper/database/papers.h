#pragma once
// The paper database: every system paper shipped with the program and every paper the user
// defined, with the database's purpose list, release stamp, maker and group lists, lookup
// tables and the per-paper records of its extra-information bases. It works on a temporary
// working copy of its file and writes the copy back only when something changed.

#include "paper/database/extra_info_base.h"
#include "paper/database/paper_store.h"
#include "paper/database/paper_update.h"
#include "paper/paper_info.h"
#include "paper/purpose.h"

#include <QtCore/QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace poremi {

// Where a database starts: from the content of its file (when the file exists), or empty, to
// replace the file when closed (a new database or backup).
enum class PaperFileStart { Load, Empty };

class TPapers {
public:
    static inline const QString kPapersStorage = QStringLiteral("Papers");
    static inline const QString kPurposeListStream = QStringLiteral("PurposeList\\PurposeList");

    // Copies the file (when it exists) into a working copy and loads every paper.
    TPapers(const QString& fileName, bool readOnly, PaperFileStart start = PaperFileStart::Load);
    // Writes nothing: changes not written back by close() are dropped (with a warning).
    virtual ~TPapers();
    TPapers(const TPapers&) = delete;
    TPapers& operator=(const TPapers&) = delete;

    // Gives the papers new ids in the order of the names, after the highest id in use.
    // Every name is checked first: an unknown one raises "Bad paper name" and moves nothing.
    virtual void reorderPapers(const QStringList& names);
    // Appends every paper's group not yet in names.
    virtual void getGroupNames(QStringList& names) const;
    // Exact, case-sensitive; -1 when absent.
    virtual int indexOfPaper(const QString& name) const;
    virtual void deletePaper(int index);
    // Adds the paper, or replaces the one of the same name (keeping its id). The stream is
    // always written upright (Landscape False) and with the paper's purpose list.
    virtual void savePaper(const TPaperInfo& paper);

    int getPaperCount() const { return int(papers_.size()); }
    // In id order.
    TPaperInfo& getPaper(int index) const { return *papers_[std::size_t(index)].paper; }
    QString paperId(int index) const { return papers_[std::size_t(index)].id; }
    // Ids of the paper streams that could not be read: they are left out of the papers (each
    // with a warning, warnUnreadable) and stay in the file untouched.
    const QStringList& unreadablePapers() const { return unreadable_; }

    const TPurposeList& purposeList() const { return purposes_; }
    void setPurposeList(const TPurposeList& list);

    bool isReadOnly() const { return readOnly_; }
    const QString& fileName() const { return fileName_; }
    // Written back when closed.
    void markModified() { forcedModified_ = true; }
    bool isModified() const;
    // Writes the working copy to the file when the database is writable and changed since it
    // was loaded or last written; the file is replaced only by a complete copy. A failure is
    // raised, leaves the file as it was and the changes pending, so close() may be tried again.
    void close();

protected:
    PaperStore& store() const { return *store_; }

private:
    struct Entry {
        QString id;
        std::unique_ptr<TPaperInfo> paper;
    };
    // The working copy as it is now counts as unchanged.
    void rememberState();
    void loadPurposeList();
    void loadPapers();
    void writePurposeList();
    void writePaper(const QString& id, const TPaperInfo& paper);
    quint32 highestId() const;
    QString pathOf(const QString& id) const { return kPapersStorage + QLatin1Char('\\') + id; }

    std::unique_ptr<PaperStore> store_;
    std::vector<Entry> papers_;  // sorted by id
    QStringList unreadable_;
    TPurposeList purposes_;
    bool readOnly_;
    QString fileName_;
    bool forcedModified_ = false;
};

class TPapersV2 : public TPapers {
public:
    static inline const QString kUpdateInfoStream = QStringLiteral("UpdateInfo\\UpdateInfo");
    static inline const QString kCompanyListStream = QStringLiteral("CompanyList\\CompanyList");
    static inline const QString kGroupListStream = QStringLiteral("GroupList\\GroupList");
    static inline const QString kGlobalInfoStorage = QStringLiteral("GlobalInfo");
    static inline const QString kNoMaker = QStringLiteral("未設定");

    TPapersV2(const QString& fileName, bool readOnly, PaperFileStart start = PaperFileStart::Load);

    // Removes the paper's records in every registered base too.
    void deletePaper(int index) override;

    const TPaperUpdate& getUpdateInfo() const { return update_; }
    void setUpdateInfo(const TPaperUpdate& record);
    const QStringList& getCompanyList() const { return companies_; }
    void setCompanyList(const QStringList& list);
    const QStringList& getGroupList() const { return groups_; }
    void setGroupList(const QStringList& list);

    // GlobalInfo\name as name=value lines; nothing when the stream is missing.
    void readGlobalInfo(const QString& name, QStringList& strings) const;
    void writeGlobalInfo(const QString& name, const QStringList& strings);
    bool hasGlobalInfo() const;
    // Copies the whole GlobalInfo storage into the destination's, creating it when missing.
    void copyGlobalInfoTo(TPapersV2& destination) const;

    // Takes the base, opens (or creates) its storage and attaches it.
    void registerExtraInfo(std::unique_ptr<TExtraInfoBase> base);
    // "ExtraInfos" and "PaperImages", as the program uses them.
    void registerStandardExtraInfos();
    TExtraInfoBase* findExtraInfo(const QString& baseName) const;
    const std::vector<std::unique_ptr<TExtraInfoBase>>& extraInfos() const { return bases_; }
    // Unknown base names do nothing (or give none).
    std::unique_ptr<TExtraPaperInfo> getExtraInfo(const QString& baseName, const QString& paperName) const;
    // Saved only when the record names a paper.
    void setExtraInfo(const QString& baseName, const TExtraPaperInfo& record);
    void deleteExtraInfo(const QString& baseName, const QString& paperName);

    // Makers: the company list, then every paper's maker ("未設定" once for papers without
    // one); purposes: every paper's usage text. Both without repeats.
    void collectMakersAndPurposes(QStringList& makers, QStringList& purposes) const;

private:
    QStringList readLines(const QString& path);
    void writeLines(const QString& path, const QStringList& lines);

    std::vector<std::unique_ptr<TExtraInfoBase>> bases_;
    TPaperUpdate update_;
    QStringList companies_;
    QStringList groups_;
};

// Copies the papers of source into destination (see the uses below). A user paper whose name
// is taken by a system paper of the destination gets "$" appended until the name is free.
// With system papers, the destination also takes the source's release number, maker and group
// lists and GlobalInfo. progress is told (number, count) before each paper.
using MergeProgress = std::function<void(int number, int count)>;
void MergePapers(TPapersV2& destination, const TPapersV2& source, bool includeUserPapers,
                 const MergeProgress& progress, bool includeSystemPapers);

// Registers the persisted classes of the paper database.
void registerPaperDatabaseClasses();

}  // namespace poremi
