#include "tests/poremi_objects/picture_test_support.h"

#include "document/model/document_model_classes.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "objects/object_classes.h"
#include "render/raster/graphic.h"
#include "tests/support/test_environment.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <gtest/gtest.h>

namespace poremi::test {

void registerPictureTestClasses() {
    registerDocumentModelClasses();
    registerObjectClasses();
}

void setPicturePixels(TPicture& picture, const QImage& pixels) {
    picture.setGraphic(TEncodedGraphic::pngFromImage(pixels));
}

QImage paintObject(TDrawObject& object, QSize size, double pixelsPerUnit, const QColor& background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.scale(pixelsPerUnit, pixelsPerUnit);
    object.paintTo(painter);
    return image;
}

QImage paintObjectThroughPdf(TDrawObject& object, QSize units, const QString& name) {
    const QString folder = outputFolder();
    QDir().mkpath(folder);
    const QString pdf = folder + QLatin1Char('/') + name + QStringLiteral(".pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(254);
        writer.setPageSize(QPageSize(QSizeF(units) / 10.0, QPageSize::Millimeter));
        writer.setPageMargins({});
        QPainter painter(&writer);
        object.paintTo(painter);
    }
    const QString stem = folder + QLatin1Char('/') + name + QStringLiteral("_pdf");
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdf, stem});
    if (!pdftoppm.waitForFinished(30000) || pdftoppm.exitCode() != 0) return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

void saveSample(const QImage& image, const QString& name) {
    const QString folder = outputFolder();
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

std::unique_ptr<TComponent> readStream(const QByteArray& stream) {
    QByteArray bytes = stream;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadComponent(buffer);
}

DumpPair roundTripThroughFile(const TComponent& object, const QString& name) {
    const QString folder = outputFolder();
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name + QStringLiteral(".stream"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray written = componentStreamBytes(object);
    file.write(written);
    file.close();
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    DumpPair pair;
    pair.read = ReadComponent(file);
    pair.written = dumpComponentStream(written);
    pair.rewritten = dumpComponentStream(componentStreamBytes(*pair.read));
    return pair;
}

QByteArray streamWithRenamedProperty(const TComponent& object, const QByteArray& from, const QByteArray& to) {
    QByteArray stream = componentStreamBytes(object);
    const QByteArray old = char(from.size()) + from;
    EXPECT_TRUE(stream.contains(old)) << from.toStdString();
    return stream.replace(old, char(to.size()) + to);
}

}  // namespace poremi::test
