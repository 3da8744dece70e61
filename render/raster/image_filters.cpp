#include "render/raster/image_filters.h"

#include "document/stream/class_declaration.h"
#include "document/stream/name_tables.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_reader.h"
#include "document/stream/value_writer.h"
#include "render/raster/pixel_layout.h"
#include "render/raster/picture.h"

#include <QtGui/QPainter>

#include <atomic>

namespace poremi {

namespace {

template <class T>
const T& sameClass(const TPersistent& source)
{
    const auto* other = dynamic_cast<const T*>(&source);
    if (!other)
        stream_error::invalidCast();
    return *other;
}

}  // namespace

const TClassInfo& TImageFilter::staticClassInfo()
{
    static const TClassInfo info = describeClass<TImageFilter, TPersistent>("TImageFilter");
    return info;
}

bool TImageFilter::canApply(const TPicture& picture) const
{
    const TGraphic* graphic = picture.graphic();
    return graphic && (graphic->format() == GraphicFormat::Bitmap || graphic->format() == GraphicFormat::Jpeg);
}

bool TImageFilter::isActive(const TPicture&) const
{
    return false;
}

const TClassInfo& TClipFilter::staticClassInfo()
{
    static const TClassInfo info = describeClass<TClipFilter, TImageFilter>("TClipFilter");
    return info;
}

void TClipFilter::setClipRect(const TRect& rect)
{
    if (clipRect_ == rect)
        return;
    clipRect_ = rect;
    notifier_.changed();
}

bool TClipFilter::isActive(const TPicture& picture) const
{
    if (!clipRect_.isEmpty() && clipRect_ != TRect{0, 0, picture.width(), picture.height()})
        return true;
    const TGraphic* graphic = picture.graphic();
    return transparentMode_ && graphic && graphic->className() != QLatin1String("TSafetyBitmap");
}

QImage TClipFilter::cut(const QImage& source, std::uint32_t fillColor, bool transparentMode) const
{
    const TRect whole{0, 0, source.width(), source.height()};
    const TRect cut = clipRect_.isEmpty() ? whole : clipRect_;
    if (!transparentMode && cut == whole)
        return source;
    // A stored rectangle may span the whole 32-bit range: its size is taken in 64 bits and
    // checked before anything is allocated.
    const std::int64_t width = std::int64_t(cut.right) - cut.left;
    const std::int64_t height = std::int64_t(cut.bottom) - cut.top;
    if (!isAcceptablePictureSize(width, height))
        return QImage();
    QImage result(int(width), int(height), source.depth() == 32 ? QImage::Format_RGB32 : QImage::Format_BGR888);
    if (result.isNull())
        return result;
    result.fill(QColor::fromRgb(qRgbFromColorRef(fillColor)));
    // Only a cut that meets the picture draws it; then the shift is within the bitmap's size.
    if (!intersectRect(cut, whole).isEmpty()) {
        QPainter painter(&result);
        painter.drawImage(-cut.left, -cut.top, source);
    }
    return result;
}

void TClipFilter::defineProperties(TFiler& filer)
{
    filer.defineProperty(
        QStringLiteral("ClipRect"),
        [this](ValueReader& reader) {
            reader.readListBegin();
            TRect r;
            r.left = std::int32_t(reader.readInteger());
            r.top = std::int32_t(reader.readInteger());
            r.right = std::int32_t(reader.readInteger());
            r.bottom = std::int32_t(reader.readInteger());
            reader.readListEnd();
            setClipRect(r);
        },
        [this](ValueWriter& writer) {
            writer.writeListBegin();
            writer.writeInteger(clipRect_.left);
            writer.writeInteger(clipRect_.top);
            writer.writeInteger(clipRect_.right);
            writer.writeInteger(clipRect_.bottom);
            writer.writeListEnd();
        },
        !clipRect_.isEmpty());
}

void TClipFilter::assign(const TPersistent& source)
{
    setClipRect(sameClass<TClipFilter>(source).clipRect_);
}

const TClassInfo& TGREFilter::staticClassInfo()
{
    static const TClassInfo info = describeClass<TGREFilter, TImageFilter>("TGREFilter");
    return info;
}

namespace {

std::atomic<FilterEffectRunner> effectRunner{nullptr};

}  // namespace

void installFilterEffectRunner(FilterEffectRunner runner)
{
    effectRunner.store(runner);
}

QImage TGREFilter::apply(const QImage& source) const
{
    const FilterEffectRunner runner = effectRunner.load();
    if (!runner || source.isNull())
        return source;
    QImage result = runner(*this, source.convertToFormat(QImage::Format_BGR888));
    return result.isNull() ? source : result;
}

const TClassInfo& TBlurFilter::staticClassInfo()
{
    static const TClassInfo info = describeClass<TBlurFilter, TGREFilter>("TBlurFilter", [](auto& c) {
        c.integer("BlurCount", &TBlurFilter::blurCount, &TBlurFilter::setBlurCount);
    });
    return info;
}

void TBlurFilter::setBlurCount(int count)
{
    if (blurCount_ == count)
        return;
    blurCount_ = count;
    notifier_.changed();
}

void TBlurFilter::assign(const TPersistent& source)
{
    setBlurCount(sameClass<TBlurFilter>(source).blurCount_);
}

const TClassInfo& TLightFilter::staticClassInfo()
{
    static const TClassInfo info = describeClass<TLightFilter, TGREFilter>("TLightFilter", [](auto& c) {
        c.integer("Brightness", &TLightFilter::brightness, &TLightFilter::setBrightness);
        c.integer("Contrast", &TLightFilter::contrast, &TLightFilter::setContrast);
    });
    return info;
}

void TLightFilter::setBrightness(int value)
{
    if (brightness_ == value)
        return;
    brightness_ = value;
    notifier_.changed();
}

void TLightFilter::setContrast(int value)
{
    if (contrast_ == value)
        return;
    contrast_ = value;
    notifier_.changed();
}

void TLightFilter::assign(const TPersistent& source)
{
    const auto& other = sameClass<TLightFilter>(source);
    ChangeBracket bracket(notifier_);
    setBrightness(other.brightness_);
    setContrast(other.contrast_);
}

const TClassInfo& TMonotoneFilter::staticClassInfo()
{
    static const TClassInfo info = describeClass<TMonotoneFilter, TGREFilter>("TMonotoneFilter", [](auto& c) {
        c.integer("RefColor", &TMonotoneFilter::refColor, &TMonotoneFilter::setRefColor)
            .defaultValue(qint64(noColor))
            .names(colorNames());
    });
    return info;
}

void TMonotoneFilter::setRefColor(TColor color)
{
    if (refColor_ == color)
        return;
    refColor_ = color;
    notifier_.changed();
}

void TMonotoneFilter::assign(const TPersistent& source)
{
    setRefColor(sameClass<TMonotoneFilter>(source).refColor_);
}

}  // namespace poremi
