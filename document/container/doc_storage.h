#pragma once
// Storages of a compound file addressed by "\"-separated paths. A node opens the chain of
// storages from the root down to its path and keeps it open while it lives; because storages
// open exclusively cannot be opened twice, a new node borrows the already open storages of the
// open node that shares the longest leading part of its path.

#include "platform/cfb/storage.h"

#include <QtCore/QStringList>
#include <memory>
#include <vector>

namespace poremi {

class TRootStorage;

class TDocStorage {
public:
    // The storage at name (resolved against parent's path). With create, missing storages
    // along the way are created; without it a missing one raises the file-not-found error.
    TDocStorage(TDocStorage& parent, bool create, const QString& name);
    virtual ~TDocStorage();
    TDocStorage(const TDocStorage&) = delete;
    TDocStorage& operator=(const TDocStorage&) = delete;

    TRootStorage& Root() const { return *root_; }
    // Relative to the root, without a leading "\".
    const QString& Path() const { return path_; }
    cfb::Storage& Interface() const;

    bool StreamExists(const QString& name);
    bool StorageExists(const QString& name);
    // False when the element does not exist.
    bool DeleteElement(const QString& name);
    void CreateStorage(const QString& name);
    void ListStorages(QStringList& list);
    void ListStreams(QStringList& list);
    void MoveElement(const QString& name, const QString& newName);
    void CopyTo(TDocStorage& other);

protected:
    explicit TDocStorage(TRootStorage& root);

private:
    friend class TRootStorage;
    std::optional<cfb::ElementInfo> ElementAt(const QString& name);

    TRootStorage* root_;
    QString path_;
    std::vector<std::shared_ptr<cfb::Storage>> chain_;  // from the root's first child down to this node
};

class TRootStorage : public TDocStorage {
public:
    ~TRootStorage() override;

    int Mode() const { return mode_; }
    bool IsWritable() const;
    cfb::Storage& RootInterface() const { return *rootInterface_; }
    QString FileName() const { return rootInterface_->fileName(); }

    // True when anything in the file changed since RememberState (tree or stream contents).
    bool IsChanged() const;
    void RememberState();
    // Writes the file's tables so that the file on disk is complete. A root on a named file
    // then replaces that file in one step and takes no more changes.
    void Commit();

protected:
    TRootStorage();
    void Attach(std::shared_ptr<cfb::Storage> rootInterface, int mode);
    void Detach();
    bool HasOpenNodes() const { return !openNodes_.empty(); }

private:
    friend class TDocStorage;
    std::vector<std::shared_ptr<cfb::Storage>> OpenChain(const QStringList& components, bool create);
    void Register(TDocStorage* node) { openNodes_.push_back(node); }
    void Unregister(TDocStorage* node);

    std::shared_ptr<cfb::Storage> rootInterface_;
    int mode_ = 0;
    std::vector<TDocStorage*> openNodes_;
    std::uint64_t rememberedChange_ = 0;
};

// A root on a named file (a "\"-separated program path). fmCreate makes a new file; other modes
// open the file, and one opened for writing is read-write. Changes reach the file only through
// Commit(), which replaces it by the complete new file in one step; until then, and when the root
// is dropped without Commit(), the file keeps its old content.
class TFileStorage : public TRootStorage {
public:
    TFileStorage(const QString& fileName, int mode);
};

// A root on a new file "mtf…" in the temporary folder, deleted when the root is released.
class TTemporaryStorage : public TRootStorage {
public:
    TTemporaryStorage();

    // Replaces the temporary file by a copy of the file (opened read-only, closed again).
    void LoadFrom(const QString& fileName);
    // Writes a complete copy to fileName. The target is replaced only once the copy is
    // complete; a failure leaves the previous file as it was and nothing else behind.
    void SaveTo(const QString& fileName);

private:
    static std::shared_ptr<cfb::Storage> NewTemporaryFile();
};

}  // namespace poremi
