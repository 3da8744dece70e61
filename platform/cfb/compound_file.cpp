#include "platform/cfb/compound_file.h"

#include "platform/cfb/compound_file_error.h"

#include <QtCore/QDateTime>
#include <QtCore/QtEndian>
#include <algorithm>
#include <cstring>

namespace poremi::cfb {
namespace {

std::uint64_t sectorsFor(std::uint64_t bytes, std::uint64_t unit) { return bytes / unit + (bytes % unit != 0 ? 1 : 0); }

bool isValidName(const QString& name) {
    if (name.isEmpty() || name.size() > kMaxNameLength) return false;
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c == u'!' || c.unicode() == 0) return false;
    }
    return true;
}

// Children in sorted order become a balanced tree; the deepest level is red, the rest black,
// which satisfies the red-black rules because every empty link lies on the last two levels.
EntryId buildBalanced(std::vector<DirEntry>& entries, const std::vector<EntryId>& sorted, int lo, int hi, int depth, int redDepth) {
    if (lo > hi) return kNoEntry;
    const int mid = lo + (hi - lo) / 2;
    DirEntry& node = entries[sorted[size_t(mid)]];
    node.left = buildBalanced(entries, sorted, lo, mid - 1, depth + 1, redDepth);
    node.right = buildBalanced(entries, sorted, mid + 1, hi, depth + 1, redDepth);
    node.color = depth == redDepth ? EntryColor::Red : EntryColor::Black;
    return sorted[size_t(mid)];
}

}  // namespace

namespace {

char16_t upperUnit(char16_t unit) {
    if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? char16_t(unit - 0x20) : unit;
    // Upper case of a unit stays within 16 bits; should a table ever say otherwise, the unit stands for itself.
    const char32_t upper = QChar::toUpper(char32_t(unit));
    return upper <= 0xFFFF ? char16_t(upper) : unit;
}

}  // namespace

NameKey::NameKey(const QString& name) : length_(std::uint8_t(std::min<qsizetype>(name.size(), kMaxNameLength))) {
    const QChar* units = name.constData();
    for (int i = 0; i < length_; ++i) upper_[size_t(i)] = upperUnit(units[i].unicode());
}

bool operator<(const NameKey& a, const NameKey& b) {
    if (a.length_ != b.length_) return a.length_ < b.length_;
    const auto end = a.upper_.begin() + a.length_;
    const auto [x, y] = std::mismatch(a.upper_.begin(), end, b.upper_.begin());
    return x != end && *x < *y;
}

std::uint64_t currentFileTime() {
    // 100 ns units between 1601-01-01 and 1970-01-01.
    constexpr std::uint64_t kEpochOffset = 116444736000000000ULL;
    return kEpochOffset + std::uint64_t(QDateTime::currentMSecsSinceEpoch()) * 10000ULL;
}

CompoundFile::CompoundFile(std::unique_ptr<BlockDevice> device) : device_(std::move(device)) {}

std::shared_ptr<CompoundFile> CompoundFile::open(std::unique_ptr<BlockDevice> device) {
    std::shared_ptr<CompoundFile> file(new CompoundFile(std::move(device)));
    file->load();
    return file;
}

std::shared_ptr<CompoundFile> CompoundFile::create(std::unique_ptr<BlockDevice> device) {
    std::shared_ptr<CompoundFile> file(new CompoundFile(std::move(device)));
    DirEntry root;
    root.name = QStringLiteral("Root Entry");
    root.type = EntryType::Root;
    root.modified = currentFileTime();
    file->appendSlot(root);
    file->chains_[kRootEntry].emplace();
    file->dirty_ = true;
    return file;
}

// ---- loading ----

void CompoundFile::load() {
    QByteArray headerBytes(kHeaderSize, '\0');
    if (device_->readAt(0, headerBytes.data(), kHeaderSize) != kHeaderSize) throwError(ErrorCode::NotCompoundFile, fileName());
    header_ = Header::parse(headerBytes, fileName());
    sectorSize_ = header_.sectorSize();
    const qint64 dataBytes = device_->size() - sectorSize_;
    const auto sectorCount = std::uint64_t(dataBytes > 0 ? sectorsFor(std::uint64_t(dataBytes), std::uint64_t(sectorSize_)) : 0);

    if (header_.fatSectorCount > sectorCount) throwError(ErrorCode::Corrupt, QStringLiteral("FAT sector count"));
    Chain difatSectors;
    const std::vector<SectorId> fatSectors = readFatSectorList(difatSectors);
    for (SectorId s : fatSectors) {
        if (s >= sectorCount) throwError(ErrorCode::Corrupt, QStringLiteral("FAT sector number"));
    }
    readTable(fatSectors, fat_.entries());
    // Sectors past the end of the file do not exist, whatever the table says.
    if (fat_.size() > sectorCount) fat_.entries().resize(size_t(sectorCount));
    claimed_.assign(fat_.size(), false);
    claim(fatSectors, false);
    claim(difatSectors, false);

    directoryChain_ = fat_.walk(header_.firstDirSector, "directory");
    if (directoryChain_.empty()) throwError(ErrorCode::Corrupt, QStringLiteral("no directory"));
    claim(directoryChain_, false);
    miniFatChain_ = fat_.walk(header_.firstMiniFatSector, "mini FAT");
    claim(miniFatChain_, false);
    readTable(miniFatChain_, miniFat_.entries());
    loadDirectory();
}

void CompoundFile::claim(const Chain& chain, bool mini) {
    std::vector<bool>& claimed = mini ? claimedMini_ : claimed_;
    for (SectorId s : chain) {
        if (s >= claimed.size()) claimed.resize(size_t(s) + 1, false);
        if (claimed[s]) throwError(ErrorCode::Corrupt, QStringLiteral("sector %1 used twice").arg(s));
        claimed[s] = true;
    }
}

std::vector<SectorId> CompoundFile::readFatSectorList(Chain& difatSectors) {
    std::vector<SectorId> list;
    const std::uint32_t wanted = header_.fatSectorCount;
    for (int i = 0; i < kHeaderDifatCount && list.size() < wanted; ++i) list.push_back(header_.difat[size_t(i)]);
    const int perSector = sectorSize_ / 4;
    QByteArray sector(sectorSize_, '\0');
    SectorId next = header_.firstDifatSector;
    std::uint32_t visited = 0;
    while (list.size() < wanted) {
        // Every DIFAT sector adds entries; more DIFAT sectors than FAT sectors means a loop.
        if (next >= kMaxRegularSector || ++visited > wanted) throwError(ErrorCode::Corrupt, QStringLiteral("DIFAT chain"));
        difatSectors.push_back(next);
        readDevice(sectorOffset(next), sector.data(), sectorSize_);
        for (int i = 0; i < perSector - 1 && list.size() < wanted; ++i) {
            list.push_back(qFromLittleEndian<std::uint32_t>(sector.constData() + 4 * i));
        }
        next = qFromLittleEndian<std::uint32_t>(sector.constData() + 4 * (perSector - 1));
    }
    return list;
}

void CompoundFile::readTable(const Chain& sectors, std::vector<SectorId>& out) {
    const int perSector = sectorSize_ / 4;
    out.resize(sectors.size() * size_t(perSector));
    QByteArray bytes(sectorSize_, '\0');
    for (size_t i = 0; i < sectors.size(); ++i) {
        readDevice(sectorOffset(sectors[i]), bytes.data(), sectorSize_);
        for (int k = 0; k < perSector; ++k) out[i * size_t(perSector) + size_t(k)] = qFromLittleEndian<std::uint32_t>(bytes.constData() + 4 * k);
    }
}

void CompoundFile::loadDirectory() {
    const int perSector = sectorSize_ / kDirEntrySize;
    QByteArray bytes(sectorSize_, '\0');
    for (SectorId s : directoryChain_) {
        readDevice(sectorOffset(s), bytes.data(), sectorSize_);
        for (int k = 0; k < perSector; ++k) {
            DirEntry e;
            try {
                e = DirEntry::parse(bytes.constData() + k * kDirEntrySize, header_.majorVersion);
            } catch (const CompoundFileError&) {
                // An unreachable broken entry does no harm; a reachable one fails below.
                e = DirEntry{};
            }
            entries_.push_back(e);
        }
    }
    if (entries_[kRootEntry].type != EntryType::Root) throwError(ErrorCode::Corrupt, QStringLiteral("root entry"));
    parents_.assign(entries_.size(), kNoEntry);
    children_.resize(entries_.size());
    chains_.resize(entries_.size());
    open_.resize(entries_.size());

    std::vector<bool> visited(entries_.size(), false);
    visited[kRootEntry] = true;
    std::vector<EntryId> storages{kRootEntry};
    while (!storages.empty()) {
        const EntryId storage = storages.back();
        storages.pop_back();
        linkTree(storage, visited, storages);
    }
    for (size_t i = 1; i < entries_.size(); ++i) {
        if (!visited[i]) entries_[i] = DirEntry{};  // orphans are free slots
    }

    // The mini stream lives in the root's chain; only mini sectors inside it exist.
    DirEntry& root = entries_[kRootEntry];
    Chain rootChain = root.size == 0 ? Chain{} : fat_.walk(root.start, "mini stream");
    if (root.size > std::uint64_t(rootChain.size()) * std::uint64_t(sectorSize_)) throwError(ErrorCode::Corrupt, QStringLiteral("mini stream size"));
    const std::uint64_t miniCapacity = std::uint64_t(rootChain.size()) * std::uint64_t(sectorSize_ / kMiniSectorSize);
    claim(rootChain, false);
    if (miniFat_.size() > miniCapacity) miniFat_.entries().resize(size_t(miniCapacity));
    claimedMini_.assign(miniFat_.size(), false);
    root.size = std::max<std::uint64_t>(root.size, std::uint64_t(miniFat_.size()) * kMiniSectorSize);
    chains_[kRootEntry] = std::move(rootChain);
}

void CompoundFile::linkTree(EntryId storage, std::vector<bool>& visited, std::vector<EntryId>& storages) {
    std::vector<EntryId> pending;
    if (entries_[storage].child != kNoEntry) pending.push_back(entries_[storage].child);
    while (!pending.empty()) {
        const EntryId id = pending.back();
        pending.pop_back();
        if (id >= entries_.size() || visited[id]) throwError(ErrorCode::Corrupt, QStringLiteral("directory tree"));
        visited[id] = true;
        const DirEntry& e = entries_[id];
        if ((e.type != EntryType::Storage && e.type != EntryType::Stream) || e.name.isEmpty()) {
            throwError(ErrorCode::Corrupt, QStringLiteral("directory entry %1").arg(id));
        }
        if (!children_[storage].emplace(NameKey(e.name), id).second) throwError(ErrorCode::Corrupt, QStringLiteral("duplicate name %1").arg(e.name));
        parents_[id] = storage;
        if (e.left != kNoEntry) pending.push_back(e.left);
        if (e.right != kNoEntry) pending.push_back(e.right);
        if (e.type == EntryType::Storage) storages.push_back(id);
    }
}

Chain& CompoundFile::chainOf(EntryId id) {
    if (chains_[id]) return *chains_[id];
    const DirEntry& e = entries_[id];
    Chain chain;
    if (e.size > 0) {
        const bool mini = isMini(id);
        chain = mini ? miniFat_.walk(e.start, "stream") : fat_.walk(e.start, "stream");
        claim(chain, mini);
        const std::uint64_t unit = mini ? kMiniSectorSize : std::uint64_t(sectorSize_);
        if (chain.size() < sectorsFor(e.size, unit)) throwError(ErrorCode::Corrupt, QStringLiteral("size of stream %1").arg(e.name));
    }
    return chains_[id].emplace(std::move(chain));
}

// ---- directory ----

EntryId CompoundFile::find(EntryId storage, const QString& name) const {
    if (name.size() > kMaxNameLength) return kNoEntry;
    const auto& map = children_[storage];
    const auto found = map.find(NameKey(name));
    return found == map.end() ? kNoEntry : found->second;
}

std::vector<EntryId> CompoundFile::children(EntryId storage) const {
    std::vector<EntryId> ids;
    ids.reserve(children_[storage].size());
    for (const auto& [name, id] : children_[storage]) ids.push_back(id);
    return ids;
}

bool CompoundFile::isAtOrBelow(EntryId id, EntryId ancestor) const {
    for (EntryId at = id; at != kNoEntry; at = parents_[at]) {
        if (at == ancestor) return true;
    }
    return false;
}

EntryId CompoundFile::create(EntryId storage, const QString& name, EntryType type) {
    requireWritable();
    if (!isValidName(name)) throwError(ErrorCode::InvalidName, name);
    while (freeEntryHint_ < entries_.size() && entries_[freeEntryHint_].type != EntryType::Unused) ++freeEntryHint_;
    const auto id = EntryId(freeEntryHint_);
    if (id == entries_.size()) appendSlot(DirEntry{});
    // One walk of the siblings finds both a clash and the place of the new name. It comes after
    // children_ has grown, which moves the maps. A slot added before a clash stays free.
    auto& siblings = children_[storage];
    const NameKey key(name);
    const auto place = siblings.lower_bound(key);
    if (place != siblings.end() && !(key < place->first)) throwError(ErrorCode::AlreadyExists, name);
    DirEntry& e = entries_[id];
    e = DirEntry{};
    e.name = name;
    e.type = type;
    if (type == EntryType::Storage) e.created = e.modified = currentFileTime();
    parents_[id] = storage;
    siblings.emplace_hint(place, key, id);
    chains_[id].emplace();
    changed();
    return id;
}

void CompoundFile::destroy(EntryId id) {
    requireWritable();
    const QString name = entries_[id].name;
    std::vector<EntryId> pending{id};
    while (!pending.empty()) {
        const EntryId at = pending.back();
        pending.pop_back();
        for (const auto& [childName, child] : children_[at]) pending.push_back(child);
        children_[at].clear();
        if (entries_[at].type == EntryType::Stream && entries_[at].size > 0) {
            try {
                Chain& chain = chainOf(at);
                (isMini(at) ? miniFat_ : fat_).releaseAll(chain);
            } catch (const CompoundFileError&) {
                // A broken chain cannot be freed safely; its sectors stay taken.
            }
        }
        chains_[at].reset();
        entries_[at] = DirEntry{};
        if (at < freeEntryHint_) freeEntryHint_ = at;
    }
    // By name, not by a walk of all siblings: replacing every stream of a large storage stays linear.
    children_[parents_[id]].erase(NameKey(name));
    parents_[id] = kNoEntry;
    changed();
}

void CompoundFile::move(EntryId id, EntryId newParent, const QString& newName) {
    requireWritable();
    if (!isValidName(newName)) throwError(ErrorCode::InvalidName, newName);
    const EntryId existing = find(newParent, newName);
    if (existing != kNoEntry && existing != id) throwError(ErrorCode::AlreadyExists, newName);
    if (isAtOrBelow(newParent, id)) throwError(ErrorCode::AccessDenied, newName);
    auto& oldMap = children_[parents_[id]];
    oldMap.erase(NameKey(entries_[id].name));
    entries_[id].name = newName;
    children_[newParent].emplace(NameKey(newName), id);
    parents_[id] = newParent;
    changed();
}

void CompoundFile::setClassId(EntryId id, const Guid& classId) {
    requireWritable();
    entries_[id].classId = classId;
    changed();
}

void CompoundFile::setTimes(EntryId id, std::uint64_t created, std::uint64_t modified) {
    requireWritable();
    entries_[id].created = created;
    entries_[id].modified = modified;
    changed();
}

// ---- stream data ----

void CompoundFile::readDevice(qint64 offset, char* data, qint64 length) {
    const qint64 got = device_->readAt(offset, data, length);
    if (got == length) return;
    // A last sector cut short by its writer reads as zeros; anything else is missing data.
    const qint64 end = device_->size();
    if (got >= 0 && offset + got == end && offset + length <= sectorOffset(SectorId((end - 1) / sectorSize_))) {
        std::memset(data + got, 0, size_t(length - got));
        return;
    }
    throwError(ErrorCode::Corrupt, QStringLiteral("%1 ends early").arg(fileName()));
}

void CompoundFile::writeDevice(qint64 offset, const char* data, qint64 length) { device_->writeAt(offset, data, length); }

template <typename Run>
void CompoundFile::forEachRun(EntryId id, std::uint64_t position, qint64 length, Run&& run) {
    const bool mini = isMini(id);
    const Chain& chain = chainOf(id);
    const Chain& miniStream = miniStreamChain();
    const auto locate = [&](std::uint64_t pos, qint64& available) -> qint64 {
        if (!mini) {
            available = sectorSize_ - qint64(pos % std::uint64_t(sectorSize_));
            return sectorOffset(chain[size_t(pos / std::uint64_t(sectorSize_))]) + qint64(pos % std::uint64_t(sectorSize_));
        }
        available = kMiniSectorSize - qint64(pos % kMiniSectorSize);
        const std::uint64_t inMini = std::uint64_t(chain[size_t(pos / kMiniSectorSize)]) * kMiniSectorSize + pos % kMiniSectorSize;
        const size_t index = size_t(inMini / std::uint64_t(sectorSize_));
        if (index >= miniStream.size()) throwError(ErrorCode::Corrupt, QStringLiteral("mini stream"));
        return sectorOffset(miniStream[index]) + qint64(inMini % std::uint64_t(sectorSize_));
    };
    qint64 done = 0;
    while (done < length) {
        qint64 available = 0;
        const qint64 offset = locate(position + std::uint64_t(done), available);
        qint64 span = std::min(available, length - done);
        // Neighbouring sectors are read and written in one go.
        while (done + span < length) {
            qint64 more = 0;
            if (locate(position + std::uint64_t(done + span), more) != offset + span) break;
            span += std::min(more, length - done - span);
        }
        run(offset, done, span);
        done += span;
    }
}

qint64 CompoundFile::read(EntryId id, std::uint64_t position, char* data, qint64 length) {
    const std::uint64_t size = entries_[id].size;
    if (length <= 0 || position >= size) return 0;
    length = qint64(std::min<std::uint64_t>(std::uint64_t(length), size - position));
    forEachRun(id, position, length, [&](qint64 offset, qint64 done, qint64 span) { readDevice(offset, data + done, span); });
    return length;
}

void CompoundFile::write(EntryId id, std::uint64_t position, const char* data, qint64 length) {
    requireWritable();
    if (length <= 0) return;
    const std::uint64_t end = position + std::uint64_t(length);
    if (end > entries_[id].size) setLength(id, end, position);
    forEachRun(id, position, length, [&](qint64 offset, qint64 done, qint64 span) { writeDevice(offset, data + done, span); });
    // The rest of the last sector belongs to the stream: filling it lets the writes of
    // streams that follow one another reach the file in one piece.
    const std::uint64_t unit = isMini(id) ? kMiniSectorSize : std::uint64_t(sectorSize_);
    if (end == entries_[id].size && end % unit != 0) {
        static const QByteArray zeros(kMaxSectorSize, '\0');
        forEachRun(id, end, qint64(unit - end % unit), [&](qint64 offset, qint64, qint64 span) { writeDevice(offset, zeros.constData(), span); });
    }
    changed();
}

void CompoundFile::resize(EntryId id, std::uint64_t size) {
    requireWritable();
    if (size == entries_[id].size) return;
    setLength(id, size, size);
    changed();
}

void CompoundFile::setLength(EntryId id, std::uint64_t size, std::uint64_t zeroFillEnd) {
    if (header_.majorVersion == 3 && size > 0x7FFFFFFFULL) throwError(ErrorCode::TooLarge, entries_[id].name);
    DirEntry& e = entries_[id];
    const std::uint64_t oldSize = e.size;
    const bool wasMini = isMini(id);
    const bool willMini = size < kMiniStreamCutoff;
    Chain& chain = chainOf(id);
    QByteArray kept;
    if (oldSize > 0 && wasMini != willMini) {
        kept.resize(qsizetype(std::min(oldSize, size)));
        read(id, 0, kept.data(), kept.size());
        (wasMini ? miniFat_ : fat_).releaseAll(chain);
        e.size = 0;
    }
    if (willMini) {
        miniFat_.resize(chain, size_t(sectorsFor(size, kMiniSectorSize)));
        growMiniStream();
    } else {
        fat_.resize(chain, size_t(sectorsFor(size, std::uint64_t(sectorSize_))));
    }
    e.start = chainStart(chain);
    e.size = size;
    if (!kept.isEmpty()) {
        forEachRun(id, 0, kept.size(), [&](qint64 offset, qint64 done, qint64 span) { writeDevice(offset, kept.constData() + done, span); });
    }
    const std::uint64_t zeroFrom = std::max<std::uint64_t>(oldSize, std::uint64_t(kept.size()));
    if (zeroFillEnd > zeroFrom) writeZeros(id, zeroFrom, std::min(zeroFillEnd, size));
}

void CompoundFile::growMiniStream() {
    DirEntry& root = entries_[kRootEntry];
    const std::uint64_t bytes = std::uint64_t(miniFat_.size()) * kMiniSectorSize;
    Chain& stream = miniStreamChain();
    const size_t sectors = size_t(sectorsFor(bytes, std::uint64_t(sectorSize_)));
    if (sectors > stream.size()) fat_.resize(stream, sectors);
    root.start = chainStart(stream);
    root.size = std::max(root.size, bytes);
}

void CompoundFile::writeZeros(EntryId id, std::uint64_t from, std::uint64_t to) {
    static const QByteArray zeros(64 * 1024, '\0');
    while (from < to) {
        const qint64 n = qint64(std::min<std::uint64_t>(to - from, std::uint64_t(zeros.size())));
        forEachRun(id, from, n, [&](qint64 offset, qint64, qint64 span) { writeDevice(offset, zeros.constData(), span); });
        from += std::uint64_t(n);
    }
}

// ---- writing the structures ----

void CompoundFile::flush() {
    // An unchanged file already holds its tables.
    if (!isWritable() || !dirty_) return;
    // The mini stream keeps only what its last used mini sector needs.
    miniFat_.trimFreeTail();
    DirEntry& root = entries_[kRootEntry];
    root.size = std::uint64_t(miniFat_.size()) * kMiniSectorSize;
    Chain& stream = miniStreamChain();
    fat_.resize(stream, size_t(sectorsFor(root.size, std::uint64_t(sectorSize_))));
    root.start = chainStart(stream);

    writeMiniFat();
    writeDirectory();
    writeFat();
    device_->flush();
    dirty_ = false;
}

void CompoundFile::finish() {
    if (finished_) return;
    flush();
    device_->finish();
    finished_ = true;
}

void CompoundFile::writeSectorsOf(const Chain& chain, const QByteArray& bytes) {
    for (size_t i = 0; i < chain.size(); ++i) writeDevice(sectorOffset(chain[i]), bytes.constData() + i * size_t(sectorSize_), sectorSize_);
}

void CompoundFile::writeMiniFat() {
    const size_t perSector = size_t(sectorSize_ / 4);
    // Placed anew, lowest free sectors first, so that space freed below can be cut off.
    fat_.releaseAll(miniFatChain_);
    fat_.resize(miniFatChain_, (miniFat_.size() + perSector - 1) / perSector);
    QByteArray bytes(qsizetype(miniFatChain_.size()) * sectorSize_, '\xFF');
    for (size_t i = 0; i < miniFat_.size(); ++i) qToLittleEndian<std::uint32_t>(miniFat_.entries()[i], bytes.data() + 4 * i);
    writeSectorsOf(miniFatChain_, bytes);
    header_.firstMiniFatSector = chainStart(miniFatChain_);
    header_.miniFatSectorCount = std::uint32_t(miniFatChain_.size());
}

void CompoundFile::rebuildTree(EntryId storage) {
    const std::vector<EntryId> sorted = children(storage);
    if (sorted.empty()) {
        entries_[storage].child = kNoEntry;
        return;
    }
    int levels = 0;
    for (size_t n = sorted.size(); n > 0; n >>= 1) ++levels;
    const int redDepth = levels > 1 ? levels - 1 : -1;
    entries_[storage].child = buildBalanced(entries_, sorted, 0, int(sorted.size()) - 1, 0, redDepth);
}

void CompoundFile::writeDirectory() {
    for (EntryId id = 0; id < entries_.size(); ++id) {
        if (entries_[id].isStorage()) rebuildTree(id);
    }
    while (entries_.size() > 1 && entries_.back().type == EntryType::Unused) dropLastSlot();
    freeEntryHint_ = std::min(freeEntryHint_, entries_.size());
    const size_t perSector = size_t(sectorSize_ / kDirEntrySize);
    fat_.releaseAll(directoryChain_);
    fat_.resize(directoryChain_, (entries_.size() + perSector - 1) / perSector);
    QByteArray bytes(qsizetype(directoryChain_.size()) * sectorSize_, '\0');
    const DirEntry unused;
    for (size_t i = 0; i < directoryChain_.size() * perSector; ++i) {
        (i < entries_.size() ? entries_[i] : unused).serializeTo(bytes.data() + i * kDirEntrySize);
    }
    writeSectorsOf(directoryChain_, bytes);
    header_.firstDirSector = chainStart(directoryChain_);
    header_.dirSectorCount = header_.majorVersion == 3 ? 0 : std::uint32_t(directoryChain_.size());
}

void CompoundFile::writeFat() {
    // The FAT and DIFAT sectors are placed anew each time: their number depends on the file's size.
    fat_.releaseMarked(kFatSector);
    fat_.releaseMarked(kDifatSector);
    fat_.trimFreeTail();
    const size_t perSector = size_t(sectorSize_ / 4);
    Chain fatSectors, difatSectors;
    for (;;) {
        const size_t needFat = (fat_.size() + perSector - 1) / perSector;
        const size_t overflow = needFat > size_t(kHeaderDifatCount) ? needFat - size_t(kHeaderDifatCount) : 0;
        const size_t needDifat = (overflow + perSector - 2) / (perSector - 1);
        if (fatSectors.size() >= needFat && difatSectors.size() >= needDifat) break;
        while (fatSectors.size() < needFat) {
            fatSectors.push_back(fat_.allocate());
            fat_.entries()[fatSectors.back()] = kFatSector;
        }
        while (difatSectors.size() < needDifat) {
            difatSectors.push_back(fat_.allocate());
            fat_.entries()[difatSectors.back()] = kDifatSector;
        }
    }
    const size_t usedSectors = fat_.size();

    QByteArray table(qsizetype(fatSectors.size() * perSector * 4), '\xFF');
    for (size_t i = 0; i < usedSectors; ++i) qToLittleEndian<std::uint32_t>(fat_.entries()[i], table.data() + 4 * i);
    writeSectorsOf(fatSectors, table);

    header_.fatSectorCount = std::uint32_t(fatSectors.size());
    header_.difat.fill(kFreeSector);
    for (size_t i = 0; i < fatSectors.size() && i < size_t(kHeaderDifatCount); ++i) header_.difat[i] = fatSectors[i];
    QByteArray difat(qsizetype(difatSectors.size()) * sectorSize_, '\xFF');
    for (size_t i = size_t(kHeaderDifatCount); i < fatSectors.size(); ++i) {
        const size_t k = i - size_t(kHeaderDifatCount);
        const size_t sector = k / (perSector - 1);
        qToLittleEndian<std::uint32_t>(fatSectors[i], difat.data() + sector * size_t(sectorSize_) + 4 * (k % (perSector - 1)));
    }
    for (size_t d = 0; d < difatSectors.size(); ++d) {
        const SectorId next = d + 1 < difatSectors.size() ? difatSectors[d + 1] : kEndOfChain;
        qToLittleEndian<std::uint32_t>(next, difat.data() + (d + 1) * size_t(sectorSize_) - 4);
    }
    writeSectorsOf(difatSectors, difat);
    header_.firstDifatSector = chainStart(difatSectors);
    header_.difatSectorCount = std::uint32_t(difatSectors.size());

    const QByteArray head = header_.serialize();
    writeDevice(0, head.constData(), head.size());
    device_->truncate(sectorOffset(SectorId(usedSectors)));
}

// ---- bookkeeping ----

void CompoundFile::changed() {
    ++changeCount_;
    dirty_ = true;
}

void CompoundFile::requireWritable() const {
    if (!isWritable()) throwError(ErrorCode::AccessDenied, fileName());
}

void CompoundFile::appendSlot(const DirEntry& entry) {
    entries_.push_back(entry);
    parents_.push_back(kNoEntry);
    children_.emplace_back();
    chains_.emplace_back();
    open_.emplace_back();
}

void CompoundFile::dropLastSlot() {
    entries_.pop_back();
    parents_.pop_back();
    children_.pop_back();
    chains_.pop_back();
    open_.pop_back();
}

void CompoundFile::acquire(EntryId id, const Access& access) {
    OpenCounts& counts = open_[id];
    const bool conflict = (access.read && counts.denyRead > 0) || (access.write && counts.denyWrite > 0) ||
                          (access.denyRead && counts.readers > 0) || (access.denyWrite && counts.writers > 0);
    if (conflict) throwError(ErrorCode::AccessDenied, entries_[id].name);
    counts.readers += access.read;
    counts.writers += access.write;
    counts.denyRead += access.denyRead;
    counts.denyWrite += access.denyWrite;
}

void CompoundFile::release(EntryId id, const Access& access) noexcept {
    // Called from destructors: nothing here may throw.
    if (id >= open_.size()) return;
    OpenCounts& counts = open_[id];
    counts.readers -= access.read;
    counts.writers -= access.write;
    counts.denyRead -= access.denyRead;
    counts.denyWrite -= access.denyWrite;
}

bool CompoundFile::isOpenAtOrBelow(EntryId id) const {
    std::vector<EntryId> pending{id};
    while (!pending.empty()) {
        const EntryId at = pending.back();
        pending.pop_back();
        if (open_[at].any()) return true;
        for (const auto& [name, child] : children_[at]) pending.push_back(child);
    }
    return false;
}

}  // namespace poremi::cfb
