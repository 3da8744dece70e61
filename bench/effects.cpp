// Image effect benchmarks on a 2000 × 2000 picture: each effector, the blender and the
// quadrilateral mapper next to the closest Qt operation, with the ratio of process CPU times
// printed at the end (ours / Qt; below 1 means ours is faster).

#include "render/effects/blenders.h"
#include "render/effects/box_blur.h"
#include "render/effects/quadrilateral_mapping.h"
#include "render/effects/tone_effects.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>
#include <QtGui/QTransform>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGraphicsBlurEffect>
#include <QtWidgets/QGraphicsPixmapItem>
#include <QtWidgets/QGraphicsScene>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

using namespace poremi;

namespace {

constexpr int side = 2000;

QImage picture()
{
    static const QImage image = [] {
        QImage p = createWorkBitmap(side, side);
        for (int y = 0; y < side; ++y) {
            uchar* row = p.scanLine(y);
            for (int x = 0; x < side; ++x) {
                row[3 * x] = uchar((x * 7 + y * 3) & 0xFF);
                row[3 * x + 1] = uchar((x ^ y) & 0xFF);
                row[3 * x + 2] = uchar((x * y) >> 8);
            }
        }
        return p;
    }();
    return image;
}

QImage mask()
{
    static const QImage image = [] {
        QImage m = createGreyBitmap(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                m.scanLine(y)[x] = uchar((x + y) & 0xFF);
        return m;
    }();
    return image;
}

void runEffector(benchmark::State& state, TGREffector& effector)
{
    effector.setSource(picture());
    effector.setSourceRect(TRect{0, 0, side, side});
    for (auto _ : state) {
        QImage result;
        effector.execute(result);
        benchmark::DoNotOptimize(result.constBits());
    }
}

// Qt has no public image blur; the graphics-effect blur is the nearest one.
void qtBlur(benchmark::State& state, qreal radius)
{
    const QPixmap pixmap = QPixmap::fromImage(picture());
    for (auto _ : state) {
        QGraphicsScene scene;
        auto* item = scene.addPixmap(pixmap);
        auto* effect = new QGraphicsBlurEffect;
        effect->setBlurRadius(radius);
        item->setGraphicsEffect(effect);
        QImage out(side, side, QImage::Format_RGB32);
        QPainter painter(&out);
        scene.render(&painter, QRectF(0, 0, side, side), QRectF(0, 0, side, side));
        painter.end();
        benchmark::DoNotOptimize(out.constBits());
    }
}

void Ours_MonoTone(benchmark::State& state)
{
    TGREffectMonoTone effector;
    effector.setRefColor(0x6680A0);
    runEffector(state, effector);
}

// The nearest Qt operation: a luminance conversion.
void Qt_MonoTone(benchmark::State& state)
{
    const QImage input = picture();
    for (auto _ : state) {
        QImage result = input.convertToFormat(QImage::Format_Grayscale8);
        benchmark::DoNotOptimize(result.constBits());
    }
}

void Ours_BrightnessContrast(benchmark::State& state)
{
    TGREffectBrightnessContrast effector;
    effector.setBrightness(20);
    effector.setContrast(30);
    runEffector(state, effector);
}

// The nearest Qt operation: a per-channel map of a copy.
void Qt_BrightnessContrast(benchmark::State& state)
{
    const QImage input = picture();
    for (auto _ : state) {
        QImage result = input.copy();
        result.invertPixels();
        benchmark::DoNotOptimize(result.constBits());
    }
}

void Ours_BlurThreePasses(benchmark::State& state)
{
    TGREffectBlur effector;
    effector.setPassCount(3);
    runEffector(state, effector);
}

void Qt_BlurThreePasses(benchmark::State& state) { qtBlur(state, 3); }

void Ours_UnsharpMask(benchmark::State& state)
{
    TGREffectUnsharpMask effector;
    effector.setStrength(3);
    runEffector(state, effector);
}

void Qt_UnsharpMask(benchmark::State& state) { qtBlur(state, 3); }

void Ours_BlendThroughMask(benchmark::State& state)
{
    const QImage source = picture().mirrored(true, false);
    QImage destination = picture();
    TGRBlendAlphaMapRatio blender;
    blender.setRatio(70);
    blender.setSource(source, TRect{0, 0, side, side});
    blender.setMask(mask(), TRect{0, 0, side, side});
    blender.setDestinationRect(TRect{0, 0, side, side});
    for (auto _ : state) {
        blender.execute(destination);
        benchmark::DoNotOptimize(destination.constBits());
    }
}

// The source with the mask as its alpha channel, composed over the destination.
void Qt_BlendThroughMask(benchmark::State& state)
{
    QImage source = picture().mirrored(true, false).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    source.setAlphaChannel(mask().convertToFormat(QImage::Format_Grayscale8));
    QImage destination = picture().convertToFormat(QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&destination);
        painter.setOpacity(0.7);
        painter.drawImage(0, 0, source);
        painter.end();
        benchmark::DoNotOptimize(destination.constBits());
    }
}

// A turn by 30° about the top-left corner.
Quadrilateral turnedCorners()
{
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    auto turn = [&](double x, double y) { return QPoint(int(std::lround(x * c - y * s)), int(std::lround(x * s + y * c))); };
    return {turn(0, 0), turn(side, 0), turn(side, side), turn(0, side)};
}

void Ours_MapTurned30(benchmark::State& state)
{
    const QImage source = picture();
    const Quadrilateral corners = turnedCorners();
    for (auto _ : state) {
        MappedBitmap mapped = mapOntoQuadrilateral(source, corners, Qt::white);
        benchmark::DoNotOptimize(mapped.image.constBits());
    }
}

void Qt_MapTurned30(benchmark::State& state)
{
    const QImage source = picture();
    for (auto _ : state) {
        QImage turned = source.transformed(QTransform().rotate(30), Qt::FastTransformation);
        benchmark::DoNotOptimize(turned.constBits());
    }
}

// Remembers each run's time so that pairs can be compared at the end.
class PairingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    std::map<std::string, double> times;
};

}  // namespace

BENCHMARK(Ours_MonoTone)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_MonoTone)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_BrightnessContrast)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_BrightnessContrast)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_BlurThreePasses)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_BlurThreePasses)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_UnsharpMask)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_UnsharpMask)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_BlendThroughMask)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_BlendThroughMask)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_MapTurned30)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_MapTurned30)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    PairingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-32s %12s %12s %8s\n", "operation", "ours CPU ms", "Qt CPU ms", "ratio");
    for (const auto& [name, ours] : reporter.times) {
        if (name.rfind("Ours_", 0) != 0)
            continue;
        const auto qt = reporter.times.find("Qt_" + name.substr(5));
        if (qt != reporter.times.end())
            std::printf("%-32s %12.2f %12.2f %8.2f\n", name.substr(5).c_str(), ours, qt->second, ours / qt->second);
    }
    benchmark::Shutdown();
    return 0;
}
