#include "tests/poremi_render_text/pinned_fonts.h"

#include "render/text/font_library.h"
#include "tests/support/test_environment.h"

#include <QtCore/QFileInfo>

namespace poremi::test {

void pinFonts() {
    static bool pinned = false;
    if (pinned) return;
    FontConfiguration configuration;
    configuration.systemFonts = false;
    configuration.files << QStringLiteral(POREMI_SOURCE_DIR "/tests/poremi_render_text/fonts-test.conf")
                        << QStringLiteral(POREMI_SOURCE_DIR "/data/fonts/poremi-fonts.conf");
    FontLibrary::configure(configuration);
    pinned = true;
}

QString sampleFolder() {
    if (qEnvironmentVariableIsEmpty("POREMI_TEST_OUTPUT_DIR")) qputenv("POREMI_TEST_OUTPUT_DIR", POREMI_TEST_OUTPUT_DIR);
    return outputFolder();
}

QString pinnedFaceFile(const QString& fileName) {
    for (const char* folder : {"/usr/share/fonts/opentype/ipafont-gothic", "/usr/share/fonts/opentype/ipafont-mincho",
                               "/usr/share/fonts/truetype/dejavu"}) {
        const QString path = QString::fromLatin1(folder) + QLatin1Char('/') + fileName;
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

}  // namespace poremi::test
