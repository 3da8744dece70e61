#include "platform/cfb/storage.h"

#include "platform/cfb/compound_file.h"
#include "platform/cfb/compound_file_error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTimeZone>
#include <algorithm>
#include <limits>

namespace poremi::cfb {
namespace {

constexpr std::uint64_t kFileTimeEpochOffsetMs = 11644473600000ULL;  // 1601 to 1970

QDateTime fromFileTime(std::uint64_t fileTime) {
    if (fileTime == 0) return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(fileTime / 10000ULL) - qint64(kFileTimeEpochOffsetMs), QTimeZone::utc());
}

std::uint64_t toFileTime(const QDateTime& time) {
    if (!time.isValid()) return 0;
    return std::uint64_t(time.toMSecsSinceEpoch() + qint64(kFileTimeEpochOffsetMs)) * 10000ULL;
}

CompoundFile::Access accessOf(OpenMode mode) {
    CompoundFile::Access a;
    a.read = mode.canRead();
    a.write = mode.canWrite();
    a.denyRead = mode.share == Share::Exclusive || mode.share == Share::DenyRead;
    a.denyWrite = mode.share == Share::Exclusive || mode.share == Share::DenyWrite;
    return a;
}

ElementInfo infoOf(const CompoundFile& file, EntryId id) {
    const DirEntry& e = file.entry(id);
    ElementInfo info;
    info.name = e.name;
    info.type = e.isStorage() ? ElementType::Storage : ElementType::Stream;
    info.size = e.isStorage() ? 0 : e.size;
    info.created = fromFileTime(e.created);
    info.modified = fromFileTime(e.modified);
    info.classId = e.classId;
    return info;
}

void copyStreamData(CompoundFile& from, EntryId source, CompoundFile& to, EntryId target) {
    const std::uint64_t size = from.streamSize(source);
    QByteArray buffer(qsizetype(std::min<std::uint64_t>(size, 1024 * 1024)), Qt::Uninitialized);
    to.resize(target, 0);
    for (std::uint64_t at = 0; at < size;) {
        const qint64 n = from.read(source, at, buffer.data(), buffer.size());
        if (n <= 0) throwError(ErrorCode::Corrupt, from.entry(source).name);
        to.write(target, at, buffer.constData(), n);
        at += std::uint64_t(n);
    }
}

// Makes name in storage a fresh element of the type, replacing what was there unless it is open.
EntryId freshElement(CompoundFile& file, EntryId storage, const QString& name, EntryType type) {
    const EntryId existing = file.find(storage, name);
    if (existing != kNoEntry) {
        if (file.isOpenAtOrBelow(existing)) throwError(ErrorCode::AccessDenied, name);
        file.destroy(existing);
    }
    return file.create(storage, name, type);
}

void copyTree(CompoundFile& from, EntryId source, CompoundFile& to, EntryId target) {
    // A work list, not recursion: a hostile file may nest storages very deeply.
    std::vector<std::pair<EntryId, EntryId>> pending{{source, target}};
    while (!pending.empty()) {
        const auto [fromStorage, toStorage] = pending.back();
        pending.pop_back();
        to.setClassId(toStorage, from.entry(fromStorage).classId);
        for (EntryId child : from.children(fromStorage)) {
            // Copies, not references: creating entries may move the source's directory.
            const DirEntry e = from.entry(child);
            if (e.isStorage()) {
                EntryId existing = to.find(toStorage, e.name);
                if (existing == kNoEntry || !to.entry(existing).isStorage()) existing = freshElement(to, toStorage, e.name, EntryType::Storage);
                to.setTimes(existing, e.created, e.modified);
                pending.emplace_back(child, existing);
            } else {
                copyStreamData(from, child, to, freshElement(to, toStorage, e.name, EntryType::Stream));
            }
        }
    }
}

}  // namespace

// ---- Storage ----

Storage::Storage(std::shared_ptr<CompoundFile> file, std::uint32_t entry, OpenMode mode, bool commitFinishes)
    : file_(std::move(file)), entry_(entry), mode_(mode), commitFinishes_(commitFinishes) {
    file_->acquire(entry_, accessOf(mode_));
}

Storage::~Storage() { file_->release(entry_, accessOf(mode_)); }

std::shared_ptr<Storage> Storage::makeRoot(std::shared_ptr<CompoundFile> file, OpenMode mode, bool commitFinishes) {
    return std::shared_ptr<Storage>(new Storage(std::move(file), kRootEntry, mode, commitFinishes));
}

std::shared_ptr<Storage> Storage::createFile(const QString& path) {
    return makeRoot(CompoundFile::create(createAtomicFileDevice(path, AtomicStart::Empty)), kReadWriteExclusive, true);
}

std::shared_ptr<Storage> Storage::createTemporary(const QString& templatePath) {
    return makeRoot(CompoundFile::create(createTemporaryFileDevice(templatePath)), kReadWriteExclusive);
}

std::shared_ptr<Storage> Storage::openFile(const QString& path, OpenMode mode) {
    if (!mode.canWrite()) return makeRoot(CompoundFile::open(openFileDevice(path)), mode);
    if (!QFileInfo(path).isFile()) throwError(ErrorCode::FileNotFound, path);
    return makeRoot(CompoundFile::open(createAtomicFileDevice(path, AtomicStart::CopyOfTarget)), mode, true);
}

std::shared_ptr<Storage> Storage::openMemory(const QByteArray& bytes) {
    return makeRoot(CompoundFile::open(memoryDevice(bytes, false)), kReadExclusive);
}

std::shared_ptr<Storage> Storage::createMemory() {
    return makeRoot(CompoundFile::create(memoryDevice({}, true)), kReadWriteExclusive);
}

bool Storage::isCompoundFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.read(8) == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

QString Storage::name() const { return file_->entry(entry_).name; }
QString Storage::fileName() const { return file_->fileName(); }
QByteArray Storage::bytes() const { return memoryDeviceBytes(file_->device()); }

void Storage::requireWritable() const {
    if (!mode_.canWrite() || !file_->isWritable()) throwError(ErrorCode::AccessDenied, name());
}

std::uint32_t Storage::childOf(const QString& name, bool wantStorage) const {
    const EntryId id = file_->find(entry_, name);
    if (id == kNoEntry || file_->entry(id).isStorage() != wantStorage) throwError(ErrorCode::FileNotFound, name);
    return id;
}

std::uint32_t Storage::replaceableChild(const QString& name, bool storage) {
    requireWritable();
    return freshElement(*file_, entry_, name, storage ? EntryType::Storage : EntryType::Stream);
}

std::shared_ptr<Storage> Storage::createStorage(const QString& name, OpenMode mode) {
    const EntryId id = replaceableChild(name, true);
    return std::shared_ptr<Storage>(new Storage(file_, id, mode));
}

std::shared_ptr<Storage> Storage::openStorage(const QString& name, OpenMode mode) {
    const EntryId id = childOf(name, true);
    if (mode.canWrite() && !mode_.canWrite()) throwError(ErrorCode::AccessDenied, name);
    return std::shared_ptr<Storage>(new Storage(file_, id, mode));
}

std::shared_ptr<Stream> Storage::createStream(const QString& name, OpenMode mode) {
    const EntryId id = replaceableChild(name, false);
    return std::shared_ptr<Stream>(new Stream(file_, id, mode));
}

std::shared_ptr<Stream> Storage::openStream(const QString& name, OpenMode mode) {
    const EntryId id = childOf(name, false);
    if (mode.canWrite() && !mode_.canWrite()) throwError(ErrorCode::AccessDenied, name);
    return std::shared_ptr<Stream>(new Stream(file_, id, mode));
}

QList<ElementInfo> Storage::elements() const {
    QList<ElementInfo> list;
    for (EntryId id : file_->children(entry_)) list.append(infoOf(*file_, id));
    return list;
}

std::optional<ElementInfo> Storage::element(const QString& name) const {
    const EntryId id = file_->find(entry_, name);
    if (id == kNoEntry) return std::nullopt;
    return infoOf(*file_, id);
}

void Storage::destroyElement(const QString& name) {
    requireWritable();
    const EntryId id = file_->find(entry_, name);
    if (id == kNoEntry) throwError(ErrorCode::FileNotFound, name);
    if (file_->isOpenAtOrBelow(id)) throwError(ErrorCode::AccessDenied, name);
    file_->destroy(id);
}

void Storage::renameElement(const QString& oldName, const QString& newName) {
    moveElementTo(oldName, *this, newName);
}

void Storage::moveElementTo(const QString& name, Storage& destination, const QString& newName) {
    requireWritable();
    destination.requireWritable();
    const EntryId id = file_->find(entry_, name);
    if (id == kNoEntry) throwError(ErrorCode::FileNotFound, name);
    if (file_->isOpenAtOrBelow(id)) throwError(ErrorCode::AccessDenied, name);
    if (destination.file_ == file_) {
        file_->move(id, destination.entry_, newName);
        return;
    }
    CompoundFile& to = *destination.file_;
    if (to.find(destination.entry_, newName) != kNoEntry) throwError(ErrorCode::AlreadyExists, newName);
    if (file_->entry(id).isStorage()) {
        copyTree(*file_, id, to, to.create(destination.entry_, newName, EntryType::Storage));
    } else {
        copyStreamData(*file_, id, to, to.create(destination.entry_, newName, EntryType::Stream));
    }
    file_->destroy(id);
}

void Storage::copyTo(Storage& destination) const {
    destination.requireWritable();
    if (destination.file_ == file_ && file_->isAtOrBelow(destination.entry_, entry_)) {
        throwError(ErrorCode::AccessDenied, destination.name());
    }
    copyTree(*file_, entry_, *destination.file_, destination.entry_);
}

Guid Storage::classId() const { return file_->entry(entry_).classId; }

void Storage::setClassId(const Guid& classId) {
    requireWritable();
    file_->setClassId(entry_, classId);
}

QDateTime Storage::created() const { return fromFileTime(file_->entry(entry_).created); }
QDateTime Storage::modified() const { return fromFileTime(file_->entry(entry_).modified); }

void Storage::setElementTimes(const QString& name, const QDateTime& created, const QDateTime& modified) {
    requireWritable();
    const EntryId id = file_->find(entry_, name);
    if (id == kNoEntry) throwError(ErrorCode::FileNotFound, name);
    file_->setTimes(id, toFileTime(created), toFileTime(modified));
}

void Storage::commit() {
    if (!file_->isWritable()) return;
    if (commitFinishes_) {
        file_->finish();
    } else {
        file_->flush();
    }
}

std::uint64_t Storage::changeCount() const { return file_->changeCount(); }

// ---- Stream ----

Stream::Stream(std::shared_ptr<CompoundFile> file, std::uint32_t entry, OpenMode mode)
    : file_(std::move(file)), entry_(entry), mode_(mode) {
    file_->checkStream(entry_);
    file_->acquire(entry_, accessOf(mode_));
}

Stream::~Stream() { file_->release(entry_, accessOf(mode_)); }

QString Stream::name() const { return file_->entry(entry_).name; }

qint64 Stream::read(char* data, qint64 length) {
    if (!mode_.canRead()) throwError(ErrorCode::AccessDenied, name());
    const qint64 n = file_->read(entry_, position_, data, length);
    position_ += std::uint64_t(n);
    return n;
}

QByteArray Stream::readAll() {
    const std::uint64_t left = position_ < size() ? size() - position_ : 0;
    if (left > std::uint64_t(std::numeric_limits<qsizetype>::max() / 2)) throwError(ErrorCode::TooLarge, name());
    QByteArray bytes(qsizetype(left), Qt::Uninitialized);
    bytes.resize(qsizetype(read(bytes.data(), bytes.size())));
    return bytes;
}

void Stream::write(const char* data, qint64 length) {
    if (!mode_.canWrite()) throwError(ErrorCode::AccessDenied, name());
    file_->write(entry_, position_, data, length);
    position_ += std::uint64_t(std::max<qint64>(length, 0));
}

std::uint64_t Stream::seek(qint64 offset, SeekOrigin origin) {
    const qint64 base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? qint64(position_) : qint64(size());
    const qint64 target = base + offset;
    if (target < 0) throwError(ErrorCode::AccessDenied, name());
    position_ = std::uint64_t(target);
    return position_;
}

std::uint64_t Stream::size() const { return file_->streamSize(entry_); }

void Stream::resize(std::uint64_t size) {
    if (!mode_.canWrite()) throwError(ErrorCode::AccessDenied, name());
    file_->resize(entry_, size);
}

void Stream::commit() {
    if (mode_.canWrite()) file_->flush();
}

}  // namespace poremi::cfb
