// Builds the shipped distortion presets from their readable source: the ".cdd" preset file and
// the "TransformPattern" thumbnail strip (cells of 94 × 37 pixels, four per row, preset n at
// column n mod 4 and row n div 4).
//   build_distortion_presets <presets.txt> <out.cdd> <out TransformPattern.png>

#include "render/distortion/cdd_file.h"
#include "render/distortion/preset_source.h"

#include <QtCore/QSaveFile>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <cstdio>

namespace {

constexpr int kCellWidth = 94;
constexpr int kCellHeight = 37;
constexpr int kColumns = 4;
constexpr int kSubpixels = 16;   // the lattice is mapped in 1/16 pixels and drawn scaled down

// The distortion's picture: a lattice over the unit square, bent, inside one cell.
void drawCell(QPainter& painter, poremi::TCoonsDistortion distortion, QPoint cellOrigin) {
    const poremi::TRect source{0, 0, 1000, 1000};
    const poremi::TRect destination{(cellOrigin.x() + 6) * kSubpixels, (cellOrigin.y() + 4) * kSubpixels,
                                    (cellOrigin.x() + kCellWidth - 6) * kSubpixels,
                                    (cellOrigin.y() + kCellHeight - 4) * kSubpixels};
    distortion.setSource(source);
    distortion.setDestination(destination);
    const auto mapped = [&](int x, int y) { return QPointF(distortion.transformPoint({x, y})) / kSubpixels; };
    const auto curve = [&](QPoint from, QPoint to) {
        QPainterPath path(mapped(from.x(), from.y()));
        for (int k = 1; k <= 40; ++k)
            path.lineTo(mapped(from.x() + (to.x() - from.x()) * k / 40, from.y() + (to.y() - from.y()) * k / 40));
        return path;
    };
    QPainterPath outline = curve({0, 0}, {1000, 0});
    outline.connectPath(curve({1000, 0}, {1000, 1000}));
    outline.connectPath(curve({1000, 1000}, {0, 1000}));
    outline.connectPath(curve({0, 1000}, {0, 0}));
    painter.fillPath(outline, QColor(214, 226, 250));
    painter.setPen(QPen(QColor(120, 140, 200), 0.6));
    for (int k = 1; k < 4; ++k) painter.drawPath(curve({0, k * 250}, {1000, k * 250}));
    for (int k = 1; k < 8; ++k) painter.drawPath(curve({k * 125, 0}, {k * 125, 1000}));
    painter.setPen(QPen(QColor(30, 50, 140), 1.2));
    painter.drawPath(outline);
}

QImage thumbnailStrip(const std::vector<poremi::TDistortionPreset>& presets) {
    const int rows = (int(presets.size()) + kColumns - 1) / kColumns;
    QImage strip(kColumns * kCellWidth, rows * kCellHeight, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t n = 0; n < presets.size(); ++n)
        drawCell(painter, presets[n].distortion,
                 QPoint(int(n % kColumns) * kCellWidth, int(n / kColumns) * kCellHeight));
    return strip;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s presets.txt out.cdd out.png\n", argv[0]);
        return 2;
    }
    try {
        const auto presets = poremi::readDistortionPresets(QString::fromLocal8Bit(argv[1]));
        std::vector<poremi::TCoonsDistortion> distortions;
        for (const auto& preset : presets) distortions.push_back(preset.distortion);
        poremi::TCDDFile::Write(QString::fromLocal8Bit(argv[2]), distortions);

        QSaveFile png(QString::fromLocal8Bit(argv[3]));
        if (!png.open(QIODevice::WriteOnly) || !thumbnailStrip(presets).save(&png, "PNG") || !png.commit())
            throw poremi::Exception(QStringLiteral("%1 を書き込めません。").arg(QString::fromLocal8Bit(argv[3])));
        std::printf("%zu distortion presets\n", presets.size());
        return 0;
    } catch (const poremi::Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
