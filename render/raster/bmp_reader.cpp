#include "render/raster/bmp_reader.h"

#include "render/raster/cbm.h"
#include "render/raster/pixel_layout.h"

#include <bit>
#include <cstring>

namespace poremi {

namespace {

constexpr std::int64_t fileHeaderSize = 14;
constexpr std::int64_t infoHeaderSize = 40;

class BmpBytes {
public:
    explicit BmpBytes(QByteArrayView bytes) : bytes_(bytes) {}
    std::int64_t size() const { return bytes_.size(); }
    std::uint32_t u8(std::int64_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::uint32_t u16(std::int64_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::int64_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::int32_t i32(std::int64_t at) const { return static_cast<std::int32_t>(u32(at)); }
    void require(std::int64_t end) const
    {
        if (end > size())
            throw InvalidBitmapError();
    }

private:
    QByteArrayView bytes_;
};

int defaultColorCount(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

bool isValidDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool compressionFitsDepth(DibCompression compression, int bits)
{
    switch (compression) {
    case DibCompression::Rgb: return true;
    case DibCompression::Rle8: return bits == 8;
    case DibCompression::Rle4: return bits == 4;
    case DibCompression::BitFields: return bits == 16 || bits == 32;
    }
    return false;
}

// One channel of a bit-field pixel, widened to 0…255.
class MaskChannel {
public:
    explicit MaskChannel(std::uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0),
          max_(mask ? (mask >> shift_) : 0) {}
    std::uint32_t value(std::uint32_t pixel) const
    {
        if (max_ == 0)
            return 0;
        return std::uint32_t(std::uint64_t((pixel & mask_) >> shift_) * 255 / max_);
    }

private:
    std::uint32_t mask_;
    int shift_;
    std::uint32_t max_;
};

// Expands RLE8/RLE4 data straight into the image's rows, with no buffer of its own; writes
// beyond the bitmap are dropped, a stream that ends early leaves the rest 0.
void decodeRle(const DibImage& dib, QImage& image)
{
    const std::int64_t width = dib.width;
    const std::int64_t height = dib.absoluteHeight();
    image.fill(0);
    uchar* const rows = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    const bool four = dib.compression == DibCompression::Rle4;
    const auto* in = reinterpret_cast<const unsigned char*>(dib.bits.constData());
    const std::int64_t n = dib.bits.size();
    std::int64_t pos = 0, x = 0, y = 0;
    auto put = [&](unsigned value) {
        if (x < width && y < height) {
            const std::int64_t row = dib.isTopDown() ? y : height - 1 - y;
            rows[row * bytesPerLine + x] = uchar(value);
        }
        ++x;
    };
    while (pos + 1 < n && y < height) {
        const unsigned count = in[pos], value = in[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (pos + 1 >= n)
                break;
            x += in[pos];
            y += in[pos + 1];
            pos += 2;
        } else {
            const std::int64_t bytes = four ? (value + 1) / 2 : value;
            for (unsigned i = 0; i < value; ++i) {
                const std::int64_t at = pos + (four ? i / 2 : i);
                if (at >= n)
                    break;
                put(four ? ((i & 1) ? in[at] & 0x0F : in[at] >> 4) : in[at]);
            }
            pos += (bytes + 1) & ~std::int64_t(1);
        }
    }
}

const unsigned char* storedRow(const QByteArray& bits, std::int64_t rowSize, int height,
                               bool topDown, int y)
{
    const int stored = topDown ? y : height - 1 - y;
    return reinterpret_cast<const unsigned char*>(bits.constData()) + rowSize * stored;
}

}  // namespace

std::int64_t DibImage::rowSize() const
{
    return storedRowSize(width, bitsPerPixel);
}

namespace {

struct HeaderFields {
    std::int64_t headerSize = 0;
    std::int64_t colorCount = 0;
    std::int64_t imageSize = 0;
};

// Reads the information header into dib's size, depth and compression and checks them against
// each other and the picture budget. Needs only the bytes of the fields it reads, so a prefix
// of the file is enough.
HeaderFields readHeader(QByteArrayView bytes, DibImage& dib)
{
    BmpBytes r(bytes);
    if (r.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        throw InvalidBitmapError();
    constexpr std::int64_t h = fileHeaderSize;
    r.require(h + 4);
    HeaderFields fields;
    fields.headerSize = r.u32(h);
    if (fields.headerSize == 12) {
        r.require(h + 12);
        dib.coreHeader = true;
        dib.width = std::int32_t(r.u16(h + 4));
        dib.height = std::int32_t(r.u16(h + 6));
        dib.bitsPerPixel = int(r.u16(h + 10));
        fields.colorCount = defaultColorCount(dib.bitsPerPixel);
    } else {
        if (fields.headerSize < 16)
            throw InvalidBitmapError();
        r.require(h + 16);
        dib.width = r.i32(h + 4);
        dib.height = r.i32(h + 8);
        dib.bitsPerPixel = int(r.u16(h + 14));
        std::uint32_t compression = 0;
        if (fields.headerSize >= 20) {
            r.require(h + 20);
            compression = r.u32(h + 16);
        }
        if (compression > 3)
            throw InvalidBitmapError();
        dib.compression = DibCompression(compression);
        if (fields.headerSize >= 24) {
            r.require(h + 24);
            fields.imageSize = r.u32(h + 20);
        }
        std::int64_t used = 0;
        if (fields.headerSize >= 36) {
            r.require(h + 36);
            used = r.u32(h + 32);
        }
        fields.colorCount = used ? used : defaultColorCount(dib.bitsPerPixel);
    }
    if (!isValidDepth(dib.bitsPerPixel) || !compressionFitsDepth(dib.compression, dib.bitsPerPixel)
        || dib.height == std::numeric_limits<std::int32_t>::min()
        || !isAcceptablePictureSize(dib.width, dib.absoluteHeight()))
        throw InvalidBitmapError();
    return fields;
}

// Enough of an inflated CBM for every field readHeader reads.
constexpr qsizetype headerPrefixSize = fileHeaderSize + 36;

}  // namespace

QSize bmpSize(QByteArrayView bytes)
{
    DibImage dib;
    if (isCbm(bytes))
        readHeader(inflateCbmPrefix(bytes, headerPrefixSize), dib);
    else
        readHeader(bytes, dib);
    return QSize(dib.width, dib.absoluteHeight());
}

DibImage readDib(QByteArrayView bytes)
{
    QByteArray inflated;
    if (isCbm(bytes)) {
        inflated = inflateCbm(bytes);
        bytes = inflated;
    }
    DibImage dib;
    const HeaderFields fields = readHeader(bytes, dib);
    const std::int64_t headerSize = fields.headerSize;
    const std::int64_t colorCount = fields.colorCount;
    const std::int64_t imageSize = fields.imageSize;
    BmpBytes r(bytes);
    constexpr std::int64_t h = fileHeaderSize;
    r.require(h + headerSize);

    // Headers of 52 bytes and more carry the masks themselves; only shorter ones are followed
    // by the three mask words.
    const bool masksInHeader = dib.compression == DibCompression::BitFields && headerSize >= 52;
    std::int64_t tableSize;
    if (dib.coreHeader)
        tableSize = 3 * colorCount;
    else if (dib.compression == DibCompression::BitFields)
        tableSize = masksInHeader ? 0 : 12;
    else
        tableSize = 4 * colorCount;
    const std::int64_t tableStart = h + headerSize;
    r.require(tableStart + tableSize);

    if (dib.compression == DibCompression::BitFields) {
        const std::int64_t at = masksInHeader ? h + 40 : tableStart;
        dib.masks = {r.u32(at), r.u32(at + 4), r.u32(at + 8)};
    } else if (dib.bitsPerPixel == 16) {
        dib.masks = {0x7C00, 0x03E0, 0x001F};
    }
    if (dib.bitsPerPixel <= 8 && dib.compression != DibCompression::BitFields) {
        const int entries = 1 << dib.bitsPerPixel;
        const int stride = dib.coreHeader ? 3 : 4;
        for (int i = 0; i < entries; ++i) {
            if (i < colorCount) {
                const std::int64_t at = tableStart + std::int64_t(i) * stride;
                dib.colorTable.append(qRgb(int(r.u8(at + 2)), int(r.u8(at + 1)), int(r.u8(at))));
            } else {
                dib.colorTable.append(qRgb(0, 0, 0));
            }
        }
    }

    const std::int64_t pixelStart = tableStart + tableSize;
    const bool rle = dib.compression == DibCompression::Rle4 || dib.compression == DibCompression::Rle8;
    std::int64_t pixelSize;
    if (rle && !dib.coreHeader)
        pixelSize = imageSize ? imageSize : r.size() - pixelStart;
    else
        pixelSize = dib.rowSize() * dib.absoluteHeight();
    r.require(pixelStart + pixelSize);
    dib.bits = QByteArray(bytes.data() + pixelStart, qsizetype(pixelSize));
    return dib;
}

QImage DibImage::toImage() const
{
    const int w = width;
    const int h = absoluteHeight();
    const bool topDown = isTopDown();
    const std::int64_t stride = rowSize();
    QImage image;

    if (compression == DibCompression::Rle4 || compression == DibCompression::Rle8) {
        image = allocateImage(w, h, QImage::Format_Indexed8);
        image.setColorTable(colorTable);
        decodeRle(*this, image);
        return image;
    }

    switch (bitsPerPixel) {
    case 1:
        image = allocateImage(w, h, QImage::Format_Mono);
        image.setColorTable(colorTable);
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), storedRow(bits, stride, h, topDown, y), size_t((w + 7) / 8));
        break;
    case 4:
        image = allocateImage(w, h, QImage::Format_Indexed8);
        image.setColorTable(colorTable);
        for (int y = 0; y < h; ++y) {
            const unsigned char* in = storedRow(bits, stride, h, topDown, y);
            uchar* out = image.scanLine(y);
            for (int x = 0; x < w; ++x)
                out[x] = (x & 1) ? in[x / 2] & 0x0F : in[x / 2] >> 4;
        }
        break;
    case 8:
        image = allocateImage(w, h, QImage::Format_Indexed8);
        image.setColorTable(colorTable);
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), storedRow(bits, stride, h, topDown, y), size_t(w));
        break;
    case 24:
        image = allocateImage(w, h, QImage::Format_BGR888);
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), storedRow(bits, stride, h, topDown, y), size_t(w) * 3);
        break;
    case 16:
    case 32: {
        image = allocateImage(w, h, QImage::Format_RGB32);
        const MaskChannel red(masks[0]), green(masks[1]), blue(masks[2]);
        const bool plain32 = bitsPerPixel == 32 && compression == DibCompression::Rgb;
        for (int y = 0; y < h; ++y) {
            const unsigned char* in = storedRow(bits, stride, h, topDown, y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                if (plain32) {
                    out[x] = qRgb(in[4 * x + 2], in[4 * x + 1], in[4 * x]);
                    continue;
                }
                std::uint32_t px = bitsPerPixel == 16
                    ? std::uint32_t(in[2 * x] | in[2 * x + 1] << 8)
                    : std::uint32_t(in[4 * x] | in[4 * x + 1] << 8 | in[4 * x + 2] << 16
                                    | std::uint32_t(in[4 * x + 3]) << 24);
                out[x] = qRgb(int(red.value(px)), int(green.value(px)), int(blue.value(px)));
            }
        }
        break;
    }
    }
    return image;
}

QImage readBmp(QByteArrayView bytes)
{
    return readDib(bytes).toImage();
}

QImage readPackedDib(QByteArrayView bytes)
{
    QByteArray file(int(fileHeaderSize), '\0');
    file[0] = 'B';
    file[1] = 'M';
    file.append(bytes.data(), bytes.size());
    return readBmp(file);
}

QByteArray writeBmp(const QImage& source)
{
    QImage image;
    QList<QRgb> table;
    int bits;
    switch (source.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        image = source.convertToFormat(QImage::Format_Mono);
        table = image.colorTable();
        bits = 1;
        break;
    case QImage::Format_Indexed8:
        image = source;
        table = image.colorTable();
        bits = 8;
        break;
    case QImage::Format_Grayscale8:
        image = source;
        table = greyColorTable();
        bits = 8;
        break;
    default:
        image = source.convertToFormat(QImage::Format_BGR888);
        bits = 24;
        break;
    }
    const int w = image.width(), h = image.height();
    const std::int64_t row = storedRowSize(w, bits);
    const std::int64_t tableBytes = 4 * std::int64_t(table.size());
    const std::int64_t offset = fileHeaderSize + infoHeaderSize + tableBytes;
    const std::int64_t total = offset + row * h;

    QByteArray out(qsizetype(total), '\0');
    auto put16 = [&](std::int64_t at, std::uint32_t v) {
        out[qsizetype(at)] = char(v & 0xFF);
        out[qsizetype(at + 1)] = char((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::int64_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, std::uint32_t(total));
    put32(10, std::uint32_t(offset));
    put32(14, std::uint32_t(infoHeaderSize));
    put32(18, std::uint32_t(w));
    put32(22, std::uint32_t(h));
    put16(26, 1);
    put16(28, std::uint32_t(bits));
    put32(34, std::uint32_t(row * h));
    put32(38, std::uint32_t(image.dotsPerMeterX()));
    put32(42, std::uint32_t(image.dotsPerMeterY()));
    put32(46, std::uint32_t(table.size()));
    for (int i = 0; i < table.size(); ++i) {
        const std::int64_t at = fileHeaderSize + infoHeaderSize + 4 * i;
        out[qsizetype(at)] = char(qBlue(table[i]));
        out[qsizetype(at + 1)] = char(qGreen(table[i]));
        out[qsizetype(at + 2)] = char(qRed(table[i]));
    }
    const std::int64_t used = (std::int64_t(w) * bits + 7) / 8;
    for (int y = 0; y < h; ++y)
        std::memcpy(out.data() + offset + row * (h - 1 - y), image.constScanLine(y), size_t(used));
    return out;
}

}  // namespace poremi
