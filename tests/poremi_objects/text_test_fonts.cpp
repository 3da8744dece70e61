#include "tests/poremi_objects/text_test_fonts.h"

#include "render/text/font_library.h"

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

}  // namespace poremi::test
