#pragma once
// Shapes painted for probing: one pixel a document unit (254 dpi) on white, and the stream
// text of an object for comparing round trips.

#include "document/model/draw_object.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "tests/support/test_environment.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace poremi::test {

inline QImage paintedAt254Dpi(TDrawObject& object, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    QPainter painter(&image);
    object.paintTo(painter);
    return image;
}

inline bool isWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }
inline bool isBlack(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }

inline void keepSample(const QImage& image, const QString& name) {
    image.save(QDir(outputFolder()).filePath(name + QStringLiteral(".png")));
}

inline QByteArray streamOf(const TComponent& component) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteComponent(buffer, component);
    return buffer.data();
}

inline std::unique_ptr<TComponent> readStream(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadComponent(buffer);
}

}  // namespace poremi::test
