#include "render/raster/graphic.h"

#include "document/stream/stream_error.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/cbm.h"
#include "render/raster/picture_codecs.h"

#include <QtGui/QPainter>

#include <cstring>

namespace poremi {

namespace {

struct GraphicClass {
    const char* name;
    GraphicFormat format;
};

constexpr GraphicClass graphicClasses[] = {
    {"TBitmap", GraphicFormat::Bitmap},       {"TSafetyBitmap", GraphicFormat::Bitmap},
    {"TPCDBitmap", GraphicFormat::Bitmap},    {"TJPEGImage", GraphicFormat::Jpeg},
    {"TSafetyJPEGImage", GraphicFormat::Jpeg}, {"TMetafile", GraphicFormat::Metafile},
    {"TPNGObject", GraphicFormat::Png},       {"TPngImage", GraphicFormat::Png},
    {"TGIFImage", GraphicFormat::Gif},        {"TIcon", GraphicFormat::Icon},
};

constexpr int maxClassNameLength = 63;

[[noreturn]] void brokenData()
{
    stream_error::readError();
}

std::uint32_t littleEndian32(QByteArrayView bytes, qsizetype at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

std::int32_t littleEndian16(QByteArrayView bytes, qsizetype at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::int16_t(std::uint16_t(b[0] | b[1] << 8));
}

QByteArray lengthPrefixed(QByteArrayView file, bool countsItself)
{
    QByteArray out(4, '\0');
    const auto n = std::uint32_t(file.size() + (countsItself ? 4 : 0));
    for (int i = 0; i < 4; ++i)
        out[i] = char((n >> (8 * i)) & 0xFF);
    out.append(file.data(), file.size());
    return out;
}

// The file inside a length-prefixed saved form; the length must fit in what is present.
QByteArrayView prefixedFile(QByteArrayView savedForm, bool countsItself)
{
    if (savedForm.size() < 4)
        brokenData();
    std::int64_t length = littleEndian32(savedForm, 0);
    if (countsItself && length == savedForm.size())
        length -= 4;
    if (length > savedForm.size() - 4)
        brokenData();
    return savedForm.sliced(4, qsizetype(length));
}

QSize metafileSize(QByteArrayView file)
{
    if (file.size() >= 44 && std::memcmp(file.data() + 40, " EMF", 4) == 0) {
        const auto l = std::int32_t(littleEndian32(file, 8)), t = std::int32_t(littleEndian32(file, 12));
        const auto r = std::int32_t(littleEndian32(file, 16)), b = std::int32_t(littleEndian32(file, 20));
        if (r >= l && b >= t && std::int64_t(r) - l < 100000 && std::int64_t(b) - t < 100000)
            return QSize(r - l + 1, b - t + 1);
    }
    if (file.size() >= 22 && littleEndian32(file, 0) == 0x9AC6CDD7u) {
        const int inch = int(std::uint16_t(littleEndian16(file, 14)));
        const std::int64_t w = std::int64_t(littleEndian16(file, 10)) - littleEndian16(file, 6);
        const std::int64_t h = std::int64_t(littleEndian16(file, 12)) - littleEndian16(file, 8);
        if (inch > 0 && w > 0 && h > 0)
            return QSize(int(w * 96 / inch), int(h * 96 / inch));
    }
    return {};
}

QSize iconSize(QByteArrayView file)
{
    if (file.size() < 22)
        return {};
    const int w = static_cast<unsigned char>(file[6]), h = static_cast<unsigned char>(file[7]);
    return QSize(w ? w : 256, h ? h : 256);
}

bool startsWith(QByteArrayView bytes, const char* magic, qsizetype n)
{
    return bytes.size() >= n && std::memcmp(bytes.data(), magic, size_t(n)) == 0;
}

}  // namespace

void TGraphic::draw(QPainter& painter, const QRect& rect) const
{
    const QImage pixels = image();
    if (!pixels.isNull())
        painter.drawImage(QRectF(rect), pixels);
}

void TGraphic::decodeOnce(const std::function<void()>& decode) const
{
    if (failure_)
        std::rethrow_exception(failure_);
    if (decoded_)
        return;
    try {
        decode();
    } catch (const Exception&) {
        failure_ = std::current_exception();
        throw;
    }
    decoded_ = true;
}

void TGraphic::setDecoded(bool decoded) const
{
    decoded_ = decoded;
    failure_ = nullptr;
}

TBitmapGraphic::TBitmapGraphic(TSafetyBitmap bitmap, QString className)
    : TGraphic(std::move(className), GraphicFormat::Bitmap), bitmap_(std::move(bitmap))
{
    setDecoded(true);
}

std::unique_ptr<TBitmapGraphic> TBitmapGraphic::fromFile(QByteArrayView file, QString className)
{
    auto graphic = std::make_unique<TBitmapGraphic>(TSafetyBitmap(), std::move(className));
    if (!file.isEmpty()) {
        graphic->fileSize_ = bmpSize(file);
        graphic->setDecoded(false);
    }
    graphic->file_ = file.toByteArray();
    return graphic;
}

const TSafetyBitmap& TBitmapGraphic::bitmap() const
{
    decodeOnce([this] { bitmap_.loadFromBytes(file_); });
    return bitmap_;
}

TSafetyBitmap& TBitmapGraphic::editBitmap()
{
    bitmap();
    file_.clear();
    dropSavedForm();
    return bitmap_;
}

QByteArray TBitmapGraphic::encodeSavedForm() const
{
    if (!file_.isEmpty() || bitmap_.isEmpty())
        return lengthPrefixed(file_, false);
    return lengthPrefixed(bitmap_.saveToBytes(), false);
}

TEncodedGraphic::TEncodedGraphic(GraphicFormat format, QByteArray file, QString className)
    : TGraphic(std::move(className), format), file_(std::move(file))
{
    switch (format) {
    case GraphicFormat::Jpeg:
        size_ = jpegSize(file_);
        break;
    case GraphicFormat::Png:
        size_ = pngSize(file_);
        break;
    case GraphicFormat::Gif:
        size_ = gifSize(file_);
        break;
    case GraphicFormat::Icon:
        size_ = iconSize(file_);
        break;
    case GraphicFormat::Metafile:
        // Nothing to decode: metafiles are drawn from their records.
        size_ = metafileSize(file_);
        setDecoded(true);
        break;
    case GraphicFormat::Bitmap:
        size_ = bmpSize(file_);
        break;
    }
}

QImage TEncodedGraphic::decodeFile() const
{
    switch (format()) {
    case GraphicFormat::Jpeg: return decodeJpeg(file_, jpegScale_);
    case GraphicFormat::Png: return decodePng(file_);
    case GraphicFormat::Gif: return decodeGif(file_);
    case GraphicFormat::Icon: return QImage::fromData(file_, "ICO");
    case GraphicFormat::Bitmap: return readBmp(file_);
    case GraphicFormat::Metafile: break;
    }
    return {};
}

QImage TEncodedGraphic::image() const
{
    decodeOnce([this] { image_ = decodeFile(); });
    return image_;
}

std::unique_ptr<TEncodedGraphic> TEncodedGraphic::jpegFromImage(const QImage& image, int quality)
{
    return std::make_unique<TEncodedGraphic>(GraphicFormat::Jpeg, encodeJpeg(image, quality),
                                             defaultClassName(GraphicFormat::Jpeg));
}

std::unique_ptr<TEncodedGraphic> TEncodedGraphic::pngFromImage(const QImage& image)
{
    return std::make_unique<TEncodedGraphic>(GraphicFormat::Png, encodePng(image),
                                             defaultClassName(GraphicFormat::Png));
}

QByteArray TEncodedGraphic::encodeSavedForm() const
{
    switch (format()) {
    case GraphicFormat::Jpeg:
    case GraphicFormat::Bitmap:
        return lengthPrefixed(file_, false);
    case GraphicFormat::Metafile:
        return lengthPrefixed(file_, true);
    default:
        return file_;
    }
}

void TEncodedGraphic::setJpegScale(int denominator)
{
    if (format() != GraphicFormat::Jpeg || jpegScale_ == denominator)
        return;
    jpegScale_ = denominator;
    image_ = QImage();
    setDecoded(false);
}

QString defaultClassName(GraphicFormat format)
{
    switch (format) {
    case GraphicFormat::Bitmap: return QStringLiteral("TSafetyBitmap");
    case GraphicFormat::Jpeg: return QStringLiteral("TJPEGImage");
    case GraphicFormat::Png: return QStringLiteral("TPNGObject");
    case GraphicFormat::Gif: return QStringLiteral("TGIFImage");
    case GraphicFormat::Metafile: return QStringLiteral("TMetafile");
    case GraphicFormat::Icon: return QStringLiteral("TIcon");
    }
    return {};
}

std::unique_ptr<TGraphic> readPictureData(QByteArrayView data)
{
    if (data.isEmpty())
        return nullptr;
    const int nameLength = static_cast<unsigned char>(data[0]);
    if (nameLength > data.size() - 1)
        brokenData();
    const QString name = QString::fromLatin1(data.sliced(1, nameLength));
    const QByteArrayView savedForm = data.sliced(1 + nameLength);
    for (const GraphicClass& c : graphicClasses) {
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) != 0)
            continue;
        std::unique_ptr<TGraphic> graphic;
        switch (c.format) {
        case GraphicFormat::Bitmap:
            graphic = TBitmapGraphic::fromFile(prefixedFile(savedForm, false), name);
            break;
        case GraphicFormat::Jpeg:
            graphic = std::make_unique<TEncodedGraphic>(c.format, prefixedFile(savedForm, false).toByteArray(), name);
            break;
        case GraphicFormat::Metafile:
            graphic = std::make_unique<TEncodedGraphic>(c.format, prefixedFile(savedForm, true).toByteArray(), name);
            break;
        default:
            graphic = std::make_unique<TEncodedGraphic>(c.format, savedForm.toByteArray(), name);
            break;
        }
        graphic->keepSavedForm(savedForm);
        return graphic;
    }
    stream_error::classNotFound(name);
}

QByteArray writePictureData(const TGraphic& graphic)
{
    const QByteArray name = graphic.className().toLatin1().left(maxClassNameLength);
    QByteArray out;
    out.append(char(name.size()));
    out.append(name);
    out.append(graphic.savedForm());
    return out;
}

std::unique_ptr<TGraphic> graphicFromFile(QByteArrayView file, const QString& extension)
{
    const QString ext = extension.toLower();
    if (startsWith(file, "BM", 2) || isCbm(file))
        return TBitmapGraphic::fromFile(file);
    GraphicFormat kind;
    if (startsWith(file, "\xFF\xD8", 2))
        kind = GraphicFormat::Jpeg;
    else if (startsWith(file, "\x89PNG", 4))
        kind = GraphicFormat::Png;
    else if (startsWith(file, "GIF8", 4))
        kind = GraphicFormat::Gif;
    else if (startsWith(file, "\xD7\xCD\xC6\x9A", 4) || (file.size() >= 44 && std::memcmp(file.data() + 40, " EMF", 4) == 0)
             || ext == QLatin1String(".wmf") || ext == QLatin1String(".emf"))
        kind = GraphicFormat::Metafile;
    else if (startsWith(file, "\0\0\1\0", 4) || ext == QLatin1String(".ico"))
        kind = GraphicFormat::Icon;
    else
        throw PictureDecodeError();
    return std::make_unique<TEncodedGraphic>(kind, file.toByteArray(), defaultClassName(kind));
}

}  // namespace poremi
