#pragma once
// Builds BMP files byte by byte for the reader's tests and the fuzz seeds.

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <cstdint>

namespace poremi::test {

class BmpBuilder {
public:
    BmpBuilder& u8(std::uint32_t v) { bytes_.append(char(v & 0xFF)); return *this; }
    BmpBuilder& u16(std::uint32_t v) { return u8(v).u8(v >> 8); }
    BmpBuilder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    BmpBuilder& raw(const QByteArray& b) { bytes_.append(b); return *this; }
    // "BM", a file size and offset that the reader ignores.
    BmpBuilder& fileHeader() { return u8('B').u8('M').u32(0).u32(0).u32(0); }
    BmpBuilder& infoHeader(std::int32_t w, std::int32_t h, int bits, std::uint32_t compression = 0,
                           std::uint32_t imageSize = 0, std::uint32_t colorsUsed = 0)
    {
        return u32(40).u32(std::uint32_t(w)).u32(std::uint32_t(h)).u16(1).u16(std::uint32_t(bits))
            .u32(compression).u32(imageSize).u32(2835).u32(2835).u32(colorsUsed).u32(0);
    }
    BmpBuilder& coreHeader(int w, int h, int bits) { return u32(12).u16(std::uint32_t(w)).u16(std::uint32_t(h)).u16(1).u16(std::uint32_t(bits)); }
    // Blue, green, red, reserved.
    BmpBuilder& quad(int r, int g, int b) { return u8(std::uint32_t(b)).u8(std::uint32_t(g)).u8(std::uint32_t(r)).u8(0); }
    BmpBuilder& triple(int r, int g, int b) { return u8(std::uint32_t(b)).u8(std::uint32_t(g)).u8(std::uint32_t(r)); }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

}  // namespace poremi::test
