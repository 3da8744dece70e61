#pragma once
// The engine of one compound file: its allocation tables, its directory and the data of its
// streams, addressed by directory entry ids. Storage and Stream (storage.h) are the handles
// that callers use; this class checks nothing about who may do what, only keeps the file sound.
//
// Everything read from a file is distrusted: sector numbers are range-checked, chains are
// bounded, the directory tree is walked once with every entry visited at most once, and stream
// sizes are checked against their chains before any data is read.

#include "platform/cfb/allocation_table.h"
#include "platform/cfb/block_device.h"
#include "platform/cfb/compound_file_format.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace poremi::cfb {

// An element name as the directory orders it: by length first, then unit by unit in upper
// case. The units are kept inline, so that the many comparisons of a lookup touch no other memory.
class NameKey {
public:
    // Only names that an element may have (kMaxNameLength units at most) are keys; a longer
    // one is cut here for safety, so lookups refuse such names before they get here.
    explicit NameKey(const QString& name);
    friend bool operator<(const NameKey& a, const NameKey& b);

private:
    std::uint8_t length_ = 0;
    std::array<char16_t, kMaxNameLength> upper_{};  // 16 bits keep a key within one cache line
};

// Nothing is written on release: what was not flushed (or finished) is dropped with the device.
class CompoundFile {
public:
    // Throws NotCompoundFile, Corrupt or ReadFault.
    static std::shared_ptr<CompoundFile> open(std::unique_ptr<BlockDevice> device);
    // An empty version 3 file on an empty device.
    static std::shared_ptr<CompoundFile> create(std::unique_ptr<BlockDevice> device);

    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    bool isWritable() const { return device_->isWritable() && !finished_; }
    QString fileName() const { return device_->name(); }
    int majorVersion() const { return header_.majorVersion; }
    const BlockDevice& device() const { return *device_; }

    // Directory.
    const DirEntry& entry(EntryId id) const { return entries_[id]; }
    EntryId find(EntryId storage, const QString& name) const;  // kNoEntry when absent
    std::vector<EntryId> children(EntryId storage) const;       // in directory order
    EntryId parentOf(EntryId id) const { return parents_[id]; }
    bool isAtOrBelow(EntryId id, EntryId ancestor) const;
    // The name must be free in storage (InvalidName for a bad name).
    EntryId create(EntryId storage, const QString& name, EntryType type);
    // Removes the element with everything below it and frees their sectors.
    void destroy(EntryId id);
    void move(EntryId id, EntryId newParent, const QString& newName);
    void setClassId(EntryId id, const Guid& classId);
    void setTimes(EntryId id, std::uint64_t created, std::uint64_t modified);

    // Stream data. Positions beyond the end read nothing; writes beyond it grow the stream
    // (the gap reads as zeros), moving it between the mini stream and sectors as its size says.
    std::uint64_t streamSize(EntryId id) const { return entries_[id].size; }
    // Checks that the stream's chain holds its size (Corrupt otherwise); done when it is opened.
    void checkStream(EntryId id) { chainOf(id); }
    qint64 read(EntryId id, std::uint64_t position, char* data, qint64 length);
    void write(EntryId id, std::uint64_t position, const char* data, qint64 length);
    void resize(EntryId id, std::uint64_t size);

    // Writes the tables, the directory and the header when anything changed. Trailing free
    // sectors are cut off.
    void flush();
    // Flushes and, for a file that replaces its target, puts it in place; closes the file.
    void finish();
    // Raised by every change of the tree or of stream contents.
    std::uint64_t changeCount() const { return changeCount_; }

    // Open handles: who reads, who writes, who denies what. Throws AccessDenied on conflict.
    struct Access {
        bool read = false, write = false, denyRead = false, denyWrite = false;
    };
    void acquire(EntryId id, const Access& access);
    void release(EntryId id, const Access& access) noexcept;
    bool isOpenAtOrBelow(EntryId id) const;

private:
    explicit CompoundFile(std::unique_ptr<BlockDevice> device);

    void load();
    std::vector<SectorId> readFatSectorList(Chain& difatSectors);
    void readTable(const Chain& sectors, std::vector<SectorId>& out);
    void loadDirectory();
    void linkTree(EntryId storage, std::vector<bool>& visited, std::vector<EntryId>& storages);
    // Every sector read from the file belongs to one chain at most; a second claim is an error.
    // This keeps the work of walking a hostile file proportional to its size.
    void claim(const Chain& chain, bool mini);

    bool isMini(EntryId id) const { return id != kRootEntry && entries_[id].size < kMiniStreamCutoff; }
    Chain& chainOf(EntryId id);
    void setLength(EntryId id, std::uint64_t size, std::uint64_t zeroFillEnd);
    void growMiniStream();
    void writeZeros(EntryId id, std::uint64_t from, std::uint64_t to);
    template <typename Run>
    void forEachRun(EntryId id, std::uint64_t position, qint64 length, Run&& run);
    void readDevice(qint64 offset, char* data, qint64 length);
    void writeDevice(qint64 offset, const char* data, qint64 length);
    qint64 sectorOffset(SectorId sector) const { return (qint64(sector) + 1) * sectorSize_; }

    void writeMiniFat();
    void writeDirectory();
    void rebuildTree(EntryId storage);
    void writeFat();
    void writeSectorsOf(const Chain& chain, const QByteArray& bytes);

    void changed();
    void requireWritable() const;
    // Adds or drops the last directory slot with everything kept beside it.
    void appendSlot(const DirEntry& entry);
    void dropLastSlot();
    Chain& miniStreamChain() { return *chains_[kRootEntry]; }

    std::unique_ptr<BlockDevice> device_;
    Header header_;
    int sectorSize_ = 512;
    AllocationTable fat_;
    AllocationTable miniFat_;
    Chain directoryChain_;
    Chain miniFatChain_;
    std::vector<DirEntry> entries_;
    // Beside each entry, indexed like entries_ (vectors, not hash maps: every stream of a file
    // with thousands of them passes through these).
    std::vector<EntryId> parents_;
    std::vector<std::map<NameKey, EntryId>> children_;
    std::vector<std::optional<Chain>> chains_;  // walked when the stream is first used
    struct OpenCounts {
        int readers = 0, writers = 0, denyRead = 0, denyWrite = 0;
        bool any() const { return readers != 0 || writers != 0 || denyRead != 0 || denyWrite != 0; }
    };
    std::vector<OpenCounts> open_;
    std::vector<bool> claimed_, claimedMini_;
    std::size_t freeEntryHint_ = 1;
    std::uint64_t changeCount_ = 0;
    bool dirty_ = false;
    bool finished_ = false;
};

// FILETIME of now, for the times of new storages.
std::uint64_t currentFileTime();

}  // namespace poremi::cfb
