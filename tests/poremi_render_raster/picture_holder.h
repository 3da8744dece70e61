#pragma once
// A component with a picture and a fill, to send both through component streams.

#include "document/stream/component.h"
#include "render/raster/fill_color.h"
#include "render/raster/picture.h"

#include <QtGui/QImage>

namespace poremi::test {

class TPictureHolder : public TComponent {
    POREMI_PERSISTENT(TPictureHolder)
public:
    TPicture& picture() { return picture_; }
    TColorSpec& fill() { return fill_; }

private:
    TPicture picture_;
    TColorSpec fill_;
};

QByteArray streamOf(const TComponent& component);
// Reads a stream into a fresh holder.
std::unique_ptr<TPictureHolder> holderFrom(const QByteArray& stream);

// A component stream of one holder with hand-written property entries.
class StreamBuilder {
public:
    StreamBuilder();
    StreamBuilder& name(const char* property);
    StreamBuilder& int8(int v);
    StreamBuilder& int32(std::int32_t v);
    StreamBuilder& ident(const char* text);
    StreamBuilder& binary(const QByteArray& bytes);
    QByteArray finish() const;

private:
    QByteArray bytes_;
};

// A small photo-like picture whose every pixel differs from its neighbours.
QImage samplePhoto();
// A picture file behind the 32-bit length (the file's size plus extra) that saved pictures carry.
QByteArray lengthPrefixed(const QByteArray& file, int extra = 0);
// Picture data as pictures store it: the graphic's class name, then its saved form.
QByteArray pictureData(const char* className, const QByteArray& savedForm);

}  // namespace poremi::test
