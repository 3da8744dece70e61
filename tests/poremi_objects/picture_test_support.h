#pragma once
// What the picture object tests share: pictures made from pixels, paints into images and
// PDF files, and the text form of an object before and after a trip through a file.

#include "document/model/draw_object.h"
#include "render/raster/picture.h"

#include <QtGui/QImage>

#include <memory>

namespace poremi::test {

// Registers the classes every picture test reads.
void registerPictureTestClasses();
// A PNG picture of the pixels.
void setPicturePixels(TPicture& picture, const QImage& pixels);
// A 32-bit image of size filled with background, the object painted off-screen at
// pixelsPerUnit device pixels per document unit.
QImage paintObject(TDrawObject& object, QSize size, double pixelsPerUnit, const QColor& background);
// The same at 254 dpi into a PDF page of size units, rasterised back by pdftoppm at 254 dpi.
QImage paintObjectThroughPdf(TDrawObject& object, QSize units, const QString& name);
// Leaves the image under the test-output folder for people to look at.
void saveSample(const QImage& image, const QString& name);
// The object written into a file, read back into a new object of its class and written
// again: the text forms of the first and the second file.
struct DumpPair {
    QString written;
    QString rewritten;
    std::unique_ptr<TComponent> read;
};
DumpPair roundTripThroughFile(const TComponent& object, const QString& name);
// The stream of the object with one property name replaced by another (older documents).
QByteArray streamWithRenamedProperty(const TComponent& object, const QByteArray& from, const QByteArray& to);
std::unique_ptr<TComponent> readStream(const QByteArray& stream);

}  // namespace poremi::test
