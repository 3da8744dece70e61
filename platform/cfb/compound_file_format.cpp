#include "platform/cfb/compound_file_format.h"

#include "platform/cfb/compound_file_error.h"

#include <QtCore/QtEndian>
#include <cstring>

namespace poremi::cfb {
namespace {

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

template <typename T>
T get(const char* p) { return qFromLittleEndian<T>(p); }
template <typename T>
void put(char* p, T value) { qToLittleEndian<T>(value, p); }

}  // namespace

Header Header::parse(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.constData(), kSignature, 8) != 0) {
        throwError(ErrorCode::NotCompoundFile, fileName);
    }
    const char* p = bytes.constData();
    Header h;
    h.majorVersion = get<std::uint16_t>(p + 0x1A);
    const auto byteOrder = get<std::uint16_t>(p + 0x1C);
    h.sectorShift = get<std::uint16_t>(p + 0x1E);
    const auto miniShift = get<std::uint16_t>(p + 0x20);
    if (byteOrder != 0xFFFE) throwError(ErrorCode::Corrupt, QStringLiteral("byte order"));
    if (!((h.majorVersion == 3 && h.sectorShift == 9) || (h.majorVersion == 4 && h.sectorShift == 12))) {
        throwError(ErrorCode::Corrupt, QStringLiteral("version %1, sector shift %2").arg(h.majorVersion).arg(h.sectorShift));
    }
    if (miniShift != 6) throwError(ErrorCode::Corrupt, QStringLiteral("mini sector shift"));
    h.dirSectorCount = get<std::uint32_t>(p + 0x28);
    h.fatSectorCount = get<std::uint32_t>(p + 0x2C);
    h.firstDirSector = get<std::uint32_t>(p + 0x30);
    if (get<std::uint32_t>(p + 0x38) != kMiniStreamCutoff) throwError(ErrorCode::Corrupt, QStringLiteral("mini stream cutoff"));
    h.firstMiniFatSector = get<std::uint32_t>(p + 0x3C);
    h.miniFatSectorCount = get<std::uint32_t>(p + 0x40);
    h.firstDifatSector = get<std::uint32_t>(p + 0x44);
    h.difatSectorCount = get<std::uint32_t>(p + 0x48);
    for (int i = 0; i < kHeaderDifatCount; ++i) h.difat[size_t(i)] = get<std::uint32_t>(p + 0x4C + 4 * i);
    return h;
}

QByteArray Header::serialize() const {
    QByteArray bytes(sectorSize(), '\0');
    char* p = bytes.data();
    std::memcpy(p, kSignature, 8);
    put<std::uint16_t>(p + 0x18, 0x003E);
    put<std::uint16_t>(p + 0x1A, majorVersion);
    put<std::uint16_t>(p + 0x1C, 0xFFFE);
    put<std::uint16_t>(p + 0x1E, std::uint16_t(sectorShift));
    put<std::uint16_t>(p + 0x20, 6);
    put<std::uint32_t>(p + 0x28, majorVersion == 3 ? 0 : dirSectorCount);
    put<std::uint32_t>(p + 0x2C, fatSectorCount);
    put<std::uint32_t>(p + 0x30, firstDirSector);
    put<std::uint32_t>(p + 0x38, kMiniStreamCutoff);
    put<std::uint32_t>(p + 0x3C, firstMiniFatSector);
    put<std::uint32_t>(p + 0x40, miniFatSectorCount);
    put<std::uint32_t>(p + 0x44, firstDifatSector);
    put<std::uint32_t>(p + 0x48, difatSectorCount);
    for (int i = 0; i < kHeaderDifatCount; ++i) put<std::uint32_t>(p + 0x4C + 4 * i, difat[size_t(i)]);
    return bytes;
}

DirEntry DirEntry::parse(const char* p, int majorVersion) {
    DirEntry e;
    const auto typeByte = std::uint8_t(p[0x42]);
    if (typeByte != 0 && typeByte != 1 && typeByte != 2 && typeByte != 5) {
        throwError(ErrorCode::Corrupt, QStringLiteral("directory entry type %1").arg(typeByte));
    }
    e.type = EntryType(typeByte);
    if (e.type == EntryType::Unused) return e;
    const auto nameBytes = get<std::uint16_t>(p + 0x40);
    if (nameBytes < 2 || nameBytes > 2 * (kMaxNameLength + 1) || nameBytes % 2 != 0) {
        throwError(ErrorCode::Corrupt, QStringLiteral("directory entry name length"));
    }
    for (int i = 0; i < nameBytes / 2 - 1; ++i) {
        const auto unit = get<std::uint16_t>(p + 2 * i);
        if (unit == 0) break;
        e.name.append(QChar(unit));
    }
    e.color = p[0x43] == 0 ? EntryColor::Red : EntryColor::Black;
    e.left = get<std::uint32_t>(p + 0x44);
    e.right = get<std::uint32_t>(p + 0x48);
    e.child = get<std::uint32_t>(p + 0x4C);
    e.classId = *Guid::fromBytes(QByteArray(p + 0x50, 16));
    e.stateBits = get<std::uint32_t>(p + 0x60);
    e.created = get<std::uint64_t>(p + 0x64);
    e.modified = get<std::uint64_t>(p + 0x6C);
    e.start = get<std::uint32_t>(p + 0x74);
    e.size = majorVersion == 3 ? get<std::uint32_t>(p + 0x78) : get<std::uint64_t>(p + 0x78);
    return e;
}

void DirEntry::serializeTo(char* p) const {
    std::memset(p, 0, kDirEntrySize);
    put<std::uint32_t>(p + 0x44, kNoEntry);
    put<std::uint32_t>(p + 0x48, kNoEntry);
    put<std::uint32_t>(p + 0x4C, kNoEntry);
    if (type == EntryType::Unused) return;
    const int length = int(std::min<qsizetype>(name.size(), kMaxNameLength));
    for (int i = 0; i < length; ++i) put<std::uint16_t>(p + 2 * i, name.at(i).unicode());
    put<std::uint16_t>(p + 0x40, std::uint16_t(2 * (length + 1)));
    p[0x42] = char(type);
    p[0x43] = char(color);
    put<std::uint32_t>(p + 0x44, left);
    put<std::uint32_t>(p + 0x48, right);
    put<std::uint32_t>(p + 0x4C, child);
    const QByteArray id = classId.toBytes();
    std::memcpy(p + 0x50, id.constData(), 16);
    put<std::uint32_t>(p + 0x60, stateBits);
    put<std::uint64_t>(p + 0x64, created);
    put<std::uint64_t>(p + 0x6C, modified);
    put<std::uint32_t>(p + 0x74, start);
    put<std::uint64_t>(p + 0x78, size);
}

}  // namespace poremi::cfb
