#include "render/raster/image_data.h"

#include "document/stream/class_declaration.h"
#include "document/stream/name_tables.h"
#include "document/stream/stream_error.h"

namespace poremi {

const TClassInfo& TImageData::staticClassInfo()
{
    static const TClassInfo info = describeClass<TImageData, TPersistent>("TImageData", [](auto& c) {
        c.object("Picture", static_cast<TPicture& (TImageData::*)()>(&TImageData::picture));
        c.object("ClipFilter", static_cast<TClipFilter& (TImageData::*)()>(&TImageData::clipFilter));
        c.object("BlurFilter", &TImageData::blurFilter);
        c.object("LightFilter", &TImageData::lightFilter);
        c.object("MonotoneFilter", &TImageData::monotoneFilter);
        c.integer("TransparentColor", &TImageData::transparentColor, &TImageData::setTransparentColor)
            .defaultValue(qint64(noTransparentColor))
            .names(colorNames());
    });
    return info;
}

TImageData::TImageData()
{
    picture_.notifier().addListener([this] { sourceChanged(); });
    for (ChangeNotifier* n : {&clipFilter_.notifier(), &blurFilter_.notifier(), &lightFilter_.notifier(),
                              &monotoneFilter_.notifier()})
        n->addListener([this] { somethingChanged(); });
}

TImageData::~TImageData() = default;

void TImageData::setTransparentColor(TColor color)
{
    if (transparentColor_ == color)
        return;
    transparentColor_ = color;
    somethingChanged();
}

bool TImageData::usesTransparency() const
{
    const TGraphic* graphic = picture_.graphic();
    if (transparentColor_ == noTransparentColor || !graphic)
        return false;
    const GraphicFormat f = graphic->format();
    return f == GraphicFormat::Bitmap || f == GraphicFormat::Png || f == GraphicFormat::Jpeg;
}

void TImageData::sourceChanged()
{
    // A new size makes the old clip meaningless; resetting it when either side differs keeps
    // a picture of the same width but another height from showing a stale cut.
    const QSize size(picture_.width(), picture_.height());
    if (size != lastSize_ && !picture_.isLoading()) {
        lastSize_ = size;
        ChangeBracket bracket(notifier_);
        clipFilter_.setClipRect(TRect{0, 0, size.width(), size.height()});
        somethingChanged();
        if (OnSizeChanged)
            OnSizeChanged();
        return;
    }
    lastSize_ = size;
    somethingChanged();
}

void TImageData::somethingChanged()
{
    processed_.reset();
    notifier_.changed();
}

const TGraphic* TImageData::processedPicture() const
{
    if (processed_ || isEmpty())
        return processed_.get();
    const TGraphic& source = *picture_.graphic();
    const QImage pixels = source.image();
    if (pixels.isNull()) {
        // Metafiles are kept as they are until they can be drawn.
        processed_ = source.clone();
        return processed_.get();
    }
    const bool transparency = usesTransparency();
    QImage work = clipFilter_.cut(pixels, transparency ? std::uint32_t(transparentColor_) : 0xFFFFFFu, transparency);

    TSafetyBitmap bitmap(work);
    QImage mask;
    if (transparency) {
        bitmap.setTransparentColor(std::uint32_t(transparentColor_));
        mask = bitmap.mask();
    }
    if (blurFilter_.canApply(picture_))
        for (const TImageFilter* filter : {static_cast<const TImageFilter*>(&blurFilter_),
                                           static_cast<const TImageFilter*>(&monotoneFilter_),
                                           static_cast<const TImageFilter*>(&lightFilter_)})
            work = filter->apply(work);

    TSafetyBitmap result(work);
    if (transparency) {
        result.setTransparentColor(std::uint32_t(transparentColor_));
        result.setTransparent(true);
        result.setMask(mask);
    }
    processed_ = std::make_unique<TBitmapGraphic>(std::move(result));
    return processed_.get();
}

void TImageData::draw(QPainter& painter, const QRect& rect) const
{
    if (const TGraphic* graphic = processedPicture())
        graphic->draw(painter, rect);
}

void TImageData::assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TImageData*>(&source);
    if (!other)
        stream_error::invalidCast();
    if (other == this)
        return;
    ChangeBracket bracket(notifier_);
    picture_.assign(other->picture_);
    clipFilter_.assign(other->clipFilter_);
    blurFilter_.assign(other->blurFilter_);
    lightFilter_.assign(other->lightFilter_);
    monotoneFilter_.assign(other->monotoneFilter_);
    setTransparentColor(other->transparentColor_);
}

}  // namespace poremi
