#include "render/raster/picture.h"

#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace poremi {

const TClassInfo& TPicture::staticClassInfo()
{
    static const TClassInfo info = describeClass<TPicture, TPersistent>("TPicture");
    return info;
}

void TPicture::setGraphic(std::unique_ptr<TGraphic> graphic)
{
    if (!graphic && !graphic_)
        return;
    graphic_ = std::move(graphic);
    notifier_.changed();
}

void TPicture::loadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureDecodeError();
    setGraphic(graphicFromFile(file.readAll(), QLatin1Char('.') + QFileInfo(path).suffix()));
}

QByteArray TPicture::data() const
{
    return graphic_ ? writePictureData(*graphic_) : QByteArray();
}

void TPicture::setData(QByteArrayView data)
{
    setGraphic(readPictureData(data));
}

void TPicture::defineProperties(TFiler& filer)
{
    filer.defineBinaryProperty(
        QStringLiteral("Data"),
        [this](ByteReader& reader) {
            loading_ = true;
            try {
                setData(reader.readBytes(reader.remaining()));
            } catch (...) {
                loading_ = false;
                throw;
            }
            loading_ = false;
        },
        [this](ByteWriter& writer) { writer.writeBytes(data()); },
        hasGraphic());
}

void TPicture::assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TPicture*>(&source);
    if (!other)
        stream_error::invalidCast();
    if (other == this)
        return;
    setGraphic(other->graphic_ ? other->graphic_->clone() : nullptr);
}

}  // namespace poremi
