#include "tests/poremi_render_raster/picture_holder.h"

#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"

#include <QtCore/QBuffer>

namespace poremi::test {

const TClassInfo& TPictureHolder::staticClassInfo()
{
    static const TClassInfo info = describeClass<TPictureHolder, TComponent>("TPictureHolder", [](auto& c) {
        c.object("Picture", &TPictureHolder::picture);
        c.object("Fill", &TPictureHolder::fill);
    });
    return info;
}

QByteArray streamOf(const TComponent& component)
{
    return componentStreamBytes(component);
}

std::unique_ptr<TPictureHolder> holderFrom(const QByteArray& stream)
{
    RegisterClass<TPictureHolder>();
    auto holder = std::make_unique<TPictureHolder>();
    QByteArray copy = stream;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ReadComponent(buffer, *holder);
    return holder;
}

namespace {

void shortString(QByteArray& out, const char* text)
{
    const QByteArray b(text);
    out.append(char(b.size()));
    out.append(b);
}

}  // namespace

StreamBuilder::StreamBuilder()
{
    bytes_ = "TPF0";
    shortString(bytes_, "TPictureHolder");
    shortString(bytes_, "");
}

StreamBuilder& StreamBuilder::name(const char* property)
{
    shortString(bytes_, property);
    return *this;
}

StreamBuilder& StreamBuilder::int8(int v)
{
    bytes_.append(char(2));
    bytes_.append(char(v));
    return *this;
}

StreamBuilder& StreamBuilder::int32(std::int32_t v)
{
    bytes_.append(char(4));
    for (int i = 0; i < 4; ++i)
        bytes_.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
    return *this;
}

StreamBuilder& StreamBuilder::ident(const char* text)
{
    bytes_.append(char(7));
    shortString(bytes_, text);
    return *this;
}

StreamBuilder& StreamBuilder::binary(const QByteArray& bytes)
{
    bytes_.append(char(10));
    const auto n = std::uint32_t(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes_.append(char((n >> (8 * i)) & 0xFF));
    bytes_.append(bytes);
    return *this;
}

QByteArray StreamBuilder::finish() const
{
    return bytes_ + QByteArray(2, '\0');
}

QImage samplePhoto()
{
    QImage image(16, 12, QImage::Format_BGR888);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, qRgb(x * 16, y * 20, (x + y) * 8));
    return image;
}

QByteArray lengthPrefixed(const QByteArray& file, int extra)
{
    QByteArray out(4, '\0');
    const auto n = std::uint32_t(file.size() + extra);
    for (int i = 0; i < 4; ++i)
        out[i] = char((n >> (8 * i)) & 0xFF);
    return out + file;
}

QByteArray pictureData(const char* className, const QByteArray& savedForm)
{
    QByteArray out;
    out.append(char(qstrlen(className)));
    out.append(className);
    return out + savedForm;
}

}  // namespace poremi::test
