#include "document/container/doc_storage.h"

#include "base/error.h"
#include "base/native_path.h"
#include "document/container/doc_path.h"
#include "document/container/storage_mode.h"
#include "platform/cfb/compound_file_error.h"

#include <QtCore/QDir>
#include <algorithm>

namespace poremi {
namespace {

bool isNotFound(const cfb::CompoundFileError& error) { return error.code() == cfb::ErrorCode::FileNotFound; }

int sharedLeadingCount(const QStringList& a, const QStringList& b) {
    int n = 0;
    while (n < a.size() && n < b.size() && a[n].compare(b[n], Qt::CaseInsensitive) == 0) ++n;
    return n;
}

}  // namespace

// ---- TDocStorage ----

TDocStorage::TDocStorage(TRootStorage& root) : root_(&root) {}

TDocStorage::TDocStorage(TDocStorage& parent, bool create, const QString& name)
    : root_(&parent.Root()), path_(ResolveDocPath(parent.Path(), name)) {
    chain_ = root_->OpenChain(DocPathComponents(path_), create);
    root_->Register(this);
}

TDocStorage::~TDocStorage() {
    if (root_ != this) root_->Unregister(this);
}

cfb::Storage& TDocStorage::Interface() const { return chain_.empty() ? root_->RootInterface() : *chain_.back(); }

std::optional<cfb::ElementInfo> TDocStorage::ElementAt(const QString& name) {
    const QString path = ResolveDocPath(path_, name);
    const QString leaf = DocPathName(path);
    if (leaf.isEmpty()) return std::nullopt;
    try {
        TDocStorage folder(*root_, false, u'\\' + DocPathFolder(path));
        return folder.Interface().element(leaf);
    } catch (const cfb::CompoundFileError& error) {
        if (isNotFound(error)) return std::nullopt;
        throw;
    }
}

// Existence is looked up in the directory rather than by opening the element, so that an
// element that is open elsewhere still counts as existing.
bool TDocStorage::StreamExists(const QString& name) {
    const auto info = ElementAt(name);
    return info && info->type == cfb::ElementType::Stream;
}

bool TDocStorage::StorageExists(const QString& name) {
    if (DocPathComponents(ResolveDocPath(path_, name)).isEmpty()) return true;
    const auto info = ElementAt(name);
    return info && info->type == cfb::ElementType::Storage;
}

bool TDocStorage::DeleteElement(const QString& name) {
    const QString path = ResolveDocPath(path_, name);
    try {
        TDocStorage folder(*root_, false, u'\\' + DocPathFolder(path));
        folder.Interface().destroyElement(DocPathName(path));
        return true;
    } catch (const cfb::CompoundFileError& error) {
        if (isNotFound(error)) return false;
        throw;
    }
}

void TDocStorage::CreateStorage(const QString& name) { TDocStorage(*this, true, name); }

void TDocStorage::ListStorages(QStringList& list) {
    for (const cfb::ElementInfo& e : Interface().elements()) {
        if (e.type == cfb::ElementType::Storage) list.append(e.name);
    }
}

void TDocStorage::ListStreams(QStringList& list) {
    for (const cfb::ElementInfo& e : Interface().elements()) {
        if (e.type == cfb::ElementType::Stream) list.append(e.name);
    }
}

void TDocStorage::MoveElement(const QString& name, const QString& newName) {
    const QString from = ResolveDocPath(path_, name);
    const QString to = ResolveDocPath(path_, newName);
    TDocStorage source(*root_, false, u'\\' + DocPathFolder(from));
    TDocStorage target(*root_, false, u'\\' + DocPathFolder(to));
    source.Interface().moveElementTo(DocPathName(from), target.Interface(), DocPathName(to));
}

void TDocStorage::CopyTo(TDocStorage& other) { Interface().copyTo(other.Interface()); }

// ---- TRootStorage ----

TRootStorage::TRootStorage() : TDocStorage(*this) {}

TRootStorage::~TRootStorage() = default;

void TRootStorage::Attach(std::shared_ptr<cfb::Storage> rootInterface, int mode) {
    rootInterface_ = std::move(rootInterface);
    mode_ = mode;
    RememberState();
}

void TRootStorage::Detach() { rootInterface_.reset(); }

bool TRootStorage::IsWritable() const { return rootInterface_->mode().canWrite(); }

bool TRootStorage::IsChanged() const { return rootInterface_->changeCount() != rememberedChange_; }

void TRootStorage::RememberState() { rememberedChange_ = rootInterface_->changeCount(); }

void TRootStorage::Commit() { rootInterface_->commit(); }

void TRootStorage::Unregister(TDocStorage* node) {
    const auto found = std::find(openNodes_.begin(), openNodes_.end(), node);
    if (found != openNodes_.end()) openNodes_.erase(found);
}

std::vector<std::shared_ptr<cfb::Storage>> TRootStorage::OpenChain(const QStringList& components, bool create) {
    std::vector<std::shared_ptr<cfb::Storage>> chain;
    // Borrow what an open node already holds of the path.
    const TDocStorage* best = nullptr;
    int bestCount = 0;
    for (const TDocStorage* node : openNodes_) {
        const int count = std::min<int>(sharedLeadingCount(DocPathComponents(node->Path()), components), int(node->chain_.size()));
        if (count > bestCount) {
            best = node;
            bestCount = count;
        }
    }
    if (best) chain.assign(best->chain_.begin(), best->chain_.begin() + bestCount);

    const cfb::OpenMode mode = StorageModeOf(mode_);
    for (qsizetype i = qsizetype(chain.size()); i < components.size(); ++i) {
        cfb::Storage& parent = chain.empty() ? *rootInterface_ : *chain.back();
        try {
            chain.push_back(parent.openStorage(components[i], mode));
        } catch (const cfb::CompoundFileError& error) {
            if (!create || !isNotFound(error) || parent.element(components[i])) throw;
            chain.push_back(parent.createStorage(components[i], StorageModeOf(fmCreate)));
        }
    }
    return chain;
}

// ---- TFileStorage ----

TFileStorage::TFileStorage(const QString& fileName, int mode) {
    const QString path = toNativePath(fileName);
    if (mode == fmCreate) {
        Attach(cfb::Storage::createFile(path), fmOpenReadWrite | fmShareExclusive);
        return;
    }
    if ((mode & 3) == fmOpenWrite) mode = (mode & ~3) | fmOpenReadWrite;
    Attach(cfb::Storage::openFile(path, StorageModeOf(mode)), mode);
}

// ---- TTemporaryStorage ----

TTemporaryStorage::TTemporaryStorage() { Attach(NewTemporaryFile(), fmOpenReadWrite | fmShareExclusive); }

std::shared_ptr<cfb::Storage> TTemporaryStorage::NewTemporaryFile() {
    return cfb::Storage::createTemporary(QDir::tempPath() + QStringLiteral("/mtfXXXXXX"));
}

void TTemporaryStorage::LoadFrom(const QString& fileName) {
    if (HasOpenNodes()) throw Exception(QStringLiteral("TTemporaryStorage::LoadFrom: storages are still open"));
    // The previous temporary file is released only once the copy is complete.
    std::shared_ptr<cfb::Storage> fresh = NewTemporaryFile();
    {
        TFileStorage source(fileName, fmOpenRead | fmShareExclusive);
        source.RootInterface().copyTo(*fresh);
    }
    Detach();
    Attach(std::move(fresh), fmOpenReadWrite | fmShareExclusive);
}

void TTemporaryStorage::SaveTo(const QString& fileName) {
    std::shared_ptr<cfb::Storage> target = cfb::Storage::createFile(toNativePath(fileName));
    RootInterface().copyTo(*target);
    target->commit();
    RememberState();
}

}  // namespace poremi
