#pragma once
// A 128-bit identifier in the Windows layout: Data1 (32 bits), Data2 and Data3 (16 bits) stored
// little-endian, then eight bytes as they are.

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <array>
#include <compare>
#include <cstdint>
#include <optional>

namespace poremi {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    static constexpr int kByteSize = 16;

    // The 16 bytes as files and streams hold them.
    QByteArray toBytes() const;
    // Empty optional unless bytes holds exactly 16 bytes.
    static std::optional<Guid> fromBytes(const QByteArray& bytes);

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
    QString toString() const;
    static std::optional<Guid> fromString(const QString& text);

    bool isNull() const { return *this == Guid{}; }
    auto operator<=>(const Guid&) const = default;
};

}  // namespace poremi
