#pragma once
// The on-disk layout of compound files: header fields, sector markers and directory entries.

#include "base/guid.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <array>
#include <cstdint>

namespace poremi::cfb {

using SectorId = std::uint32_t;
using EntryId = std::uint32_t;

inline constexpr SectorId kMaxRegularSector = 0xFFFFFFFA;
inline constexpr SectorId kDifatSector = 0xFFFFFFFC;
inline constexpr SectorId kFatSector = 0xFFFFFFFD;
inline constexpr SectorId kEndOfChain = 0xFFFFFFFE;
inline constexpr SectorId kFreeSector = 0xFFFFFFFF;
inline constexpr EntryId kNoEntry = 0xFFFFFFFF;
inline constexpr EntryId kRootEntry = 0;

inline constexpr int kHeaderSize = 512;
inline constexpr int kHeaderDifatCount = 109;
inline constexpr int kDirEntrySize = 128;
inline constexpr int kMiniSectorSize = 64;
inline constexpr int kMaxSectorSize = 4096;
inline constexpr std::uint32_t kMiniStreamCutoff = 4096;
inline constexpr int kMaxNameLength = 31;  // UTF-16 code units, without the terminating zero

enum class EntryType : std::uint8_t { Unused = 0, Storage = 1, Stream = 2, Root = 5 };
enum class EntryColor : std::uint8_t { Red = 0, Black = 1 };

struct Header {
    std::uint16_t majorVersion = 3;
    int sectorShift = 9;
    std::uint32_t dirSectorCount = 0;  // version 4 only
    std::uint32_t fatSectorCount = 0;
    SectorId firstDirSector = kEndOfChain;
    SectorId firstMiniFatSector = kEndOfChain;
    std::uint32_t miniFatSectorCount = 0;
    SectorId firstDifatSector = kEndOfChain;
    std::uint32_t difatSectorCount = 0;
    std::array<SectorId, kHeaderDifatCount> difat{};

    int sectorSize() const { return 1 << sectorShift; }

    // Throws NotCompoundFile or Corrupt; bytes holds the first 512 bytes of the file.
    static Header parse(const QByteArray& bytes, const QString& fileName);
    // The header padded to one sector.
    QByteArray serialize() const;
};

struct DirEntry {
    QString name;
    EntryType type = EntryType::Unused;
    EntryColor color = EntryColor::Black;
    EntryId left = kNoEntry;
    EntryId right = kNoEntry;
    EntryId child = kNoEntry;
    Guid classId;
    std::uint32_t stateBits = 0;
    std::uint64_t created = 0;   // FILETIME: 100 ns units since 1601-01-01 UTC
    std::uint64_t modified = 0;
    SectorId start = kEndOfChain;
    std::uint64_t size = 0;

    bool isStorage() const { return type == EntryType::Storage || type == EntryType::Root; }

    // Names are only taken as they are; the directory checks them. Throws Corrupt.
    static DirEntry parse(const char* bytes, int majorVersion);
    void serializeTo(char* bytes) const;
};

}  // namespace poremi::cfb
