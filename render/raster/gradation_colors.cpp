#include "render/raster/gradation_colors.h"

#include "base/format.h"
#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"

namespace poremi {

namespace {

const QList<TColor> defaultColors{0xFFFFFF, 0x000000};

}  // namespace

const TClassInfo& TGradationColors::staticClassInfo()
{
    static const TClassInfo info = describeClass<TGradationColors, TPersistent>("TGradationColors", [](auto& c) {
        c.integer("RepeatCount", &TGradationColors::repeatCount, &TGradationColors::setRepeatCount).defaultValue(1);
    });
    return info;
}

TGradationColors::TGradationColors() : colors_(defaultColors) {}

void TGradationColors::setCount(int count)
{
    count = std::max(count, 0);
    if (count == colors_.size())
        return;
    colors_.resize(count, 0);
    notifier_.changed();
}

TColor TGradationColors::item(int index) const
{
    if (index < 0 || index >= colors_.size())
        throw Exception(format(QStringLiteral("リストのインデックスが範囲を超えています (%d)"), {index}));
    return colors_[index];
}

void TGradationColors::setItem(int index, TColor color)
{
    if (index < 0 || index >= colors_.size() || index > 255 || colors_[index] == color)
        return;
    colors_[index] = color;
    notifier_.changed();
}

void TGradationColors::setColors(const QList<TColor>& colors)
{
    if (colors_ == colors)
        return;
    colors_ = colors;
    notifier_.changed();
}

void TGradationColors::setRepeatCount(int count)
{
    if (repeatCount_ == count)
        return;
    repeatCount_ = count;
    notifier_.changed();
}

QList<TColor> TGradationColors::expanded() const
{
    QList<TColor> stops;
    if (colors_.isEmpty())
        return stops;
    const std::int64_t total = std::int64_t(colors_.size()) * std::max(repeatCount_, 1);
    const int n = int(std::min<std::int64_t>(total, maxStops));
    stops.reserve(n);
    for (int i = 0; i < n; ++i)
        stops.append(colors_[i % colors_.size()]);
    return stops;
}

bool TGradationColors::isDefault() const
{
    return colors_ == defaultColors;
}

void TGradationColors::defineProperties(TFiler& filer)
{
    filer.defineBinaryProperty(
        QStringLiteral("Colors"),
        [this](ByteReader& reader) {
            const std::int32_t n = reader.readInt32();
            if (n < 0)
                stream_error::readError();
            reader.requireAvailable(n, 4);
            QList<TColor> colors;
            colors.reserve(n);
            for (std::int32_t i = 0; i < n; ++i)
                colors.append(reader.readInt32());
            setColors(colors);
        },
        [this](ByteWriter& writer) {
            writer.writeInt32(std::int32_t(colors_.size()));
            for (TColor c : colors_)
                writer.writeInt32(c);
        },
        !isDefault());
}

void TGradationColors::assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TGradationColors*>(&source);
    if (!other)
        stream_error::invalidCast();
    ChangeBracket bracket(notifier_);
    setColors(other->colors_);
    setRepeatCount(other->repeatCount_);
}

}  // namespace poremi
