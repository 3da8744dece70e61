#include "tests/poremi_objects/text_test_support.h"

#include "document/model/draw_object.h"
#include "render/text/font_library.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtGui/QPainter>
#include <cmath>

namespace poremi::test {

void useTextTestFonts() {
    static const bool configured = [] {
        FontConfiguration configuration;
        configuration.systemFonts = false;
        configuration.files << QStringLiteral(POREMI_SOURCE_DIR "/tests/poremi_render_text/fonts-test.conf")
                            << QStringLiteral(POREMI_SOURCE_DIR "/data/fonts/poremi-fonts.conf");
        FontLibrary::configure(configuration);
        return true;
    }();
    (void)configured;
}

QImage renderObject(TDrawObject& object, int dpi, QRgb background, QSize unitsSize) {
    QImage image(int(std::ceil(unitsSize.width() * dpi / 254.0)), int(std::ceil(unitsSize.height() * dpi / 254.0)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(background);
    QPainter painter(&image);
    painter.scale(dpi / 254.0, dpi / 254.0);
    object.paintTo(painter);
    return image;
}

void saveSample(const QImage& image, const char* fileName) {
    image.save(QDir(outputFolder()).filePath(QString::fromLatin1(fileName)));
}

}  // namespace poremi::test
