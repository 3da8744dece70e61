#include "tests/poremi_object_dialogs/text_dialog_support.h"

#include "render/distortion/cdd_file.h"
#include "render/distortion/preset_source.h"
#include "render/text/font_library.h"
#include "tests/support/test_environment.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace poremi::test {

void useTextDialogFonts() {
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

const QString& textDialogPresetFile() {
    static const QString file = [] {
        const QString folder = freshFolder(QStringLiteral("text_dialog_presets"));
        std::vector<TCoonsDistortion> distortions;
        for (const auto& preset : readDistortionPresets(QStringLiteral(POREMI_SOURCE_DIR "/data/distortion/presets.txt")))
            distortions.push_back(preset.distortion);
        TCDDFile::Write(folder + QStringLiteral("/presets.cdd"), distortions);
        // A strip of numbered cells of 94 × 37 pixels, four to a row, stands in for the thumbnails.
        const int rows = (int(distortions.size()) + 3) / 4;
        QImage strip(4 * 94, rows * 37, QImage::Format_RGB32);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        for (int n = 0; n < int(distortions.size()); ++n) {
            const QRect cell((n % 4) * 94, (n / 4) * 37, 94, 37);
            painter.fillRect(cell.adjusted(3, 3, -3, -3), QColor(200, 215, 245));
            painter.drawText(cell, Qt::AlignCenter, QStringLiteral("P%1").arg(n));
        }
        painter.end();
        strip.save(folder + QStringLiteral("/TransformPattern.png"));
        return folder + QStringLiteral("/presets.cdd");
    }();
    return file;
}

}  // namespace poremi::test
