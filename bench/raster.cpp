// Raster benchmarks: each of ours next to the nearest Qt equivalent on the same input, with
// the ratio of process CPU times (Qt scales and draws on worker threads) printed at the end
// (ours / Qt; below 1 means ours is faster).

#include "bench/cpu_time_table.h"
#include "render/geometry/scaler.h"
#include "render/raster/blur.h"
#include "render/raster/fill_color.h"
#include "render/raster/gradient.h"
#include "render/raster/memory_canvas.h"
#include "render/raster/pixel_layout.h"
#include "render/raster/resample.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGraphicsBlurEffect>
#include <QtWidgets/QGraphicsPixmapItem>
#include <QtWidgets/QGraphicsScene>
#include <benchmark/benchmark.h>

using namespace poremi;

namespace {

QImage photo()
{
    static const QImage image = [] {
        QImage p = createWorkBitmap(4000, 3000);
        for (int y = 0; y < p.height(); ++y) {
            uchar* row = p.scanLine(y);
            for (int x = 0; x < p.width(); ++x) {
                row[3 * x] = uchar((x * 7 + y * 3) & 0xFF);
                row[3 * x + 1] = uchar((x ^ y) & 0xFF);
                row[3 * x + 2] = uchar((x * y) >> 8);
            }
        }
        return p;
    }();
    return image;
}

const QList<TColor> stops{0x0000FF, 0x00FFFF, 0xFF0000, 0x00FF00};

QImage master()
{
    static const QImage image = gradientMasterImage(stops, 30, GradationKind::rgkCircleToCenter);
    return image;
}

void Ours_CubicShrinkPhotoTo200(benchmark::State& state)
{
    const QImage source = photo();
    for (auto _ : state) {
        QImage destination = createWorkBitmap(200, 150);
        resampleBitmap(destination, source, ResampleMode::Cubic);
        benchmark::DoNotOptimize(destination.constBits());
    }
}

void Qt_CubicShrinkPhotoTo200(benchmark::State& state)
{
    const QImage source = photo();
    for (auto _ : state) {
        QImage destination = source.scaled(200, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(destination.constBits());
    }
}

void Ours_LinearEnlargeMasterTo4000(benchmark::State& state)
{
    const QImage source = master();
    for (auto _ : state) {
        QImage destination = createWorkBitmap(4000, 4000);
        resampleBitmap(destination, source, ResampleMode::Linear);
        benchmark::DoNotOptimize(destination.constBits());
    }
}

void Qt_LinearEnlargeMasterTo4000(benchmark::State& state)
{
    const QImage source = master();
    for (auto _ : state) {
        QImage destination = source.scaled(4000, 4000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(destination.constBits());
    }
}

QImage blurInput()
{
    return photo().copy(0, 0, 2000, 2000);
}

void Ours_Blur2000Radius10(benchmark::State& state)
{
    const QImage input = blurInput();
    for (auto _ : state) {
        QImage image = input;
        image.detach();
        blurBitmap(image, image.rect(), 10, 10);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Qt has no public image blur; the graphics-effect blur is the nearest one.
void Qt_Blur2000Radius10(benchmark::State& state)
{
    const QPixmap pixmap = QPixmap::fromImage(blurInput());
    for (auto _ : state) {
        QGraphicsScene scene;
        auto* item = scene.addPixmap(pixmap);
        auto* effect = new QGraphicsBlurEffect;
        effect->setBlurRadius(10);
        effect->setBlurHints(QGraphicsBlurEffect::QualityHint);
        item->setGraphicsEffect(effect);
        QImage out(2000, 2000, QImage::Format_RGB32);
        QPainter painter(&out);
        scene.render(&painter, QRectF(0, 0, 2000, 2000), QRectF(0, 0, 2000, 2000));
        painter.end();
        benchmark::DoNotOptimize(out.constBits());
    }
}

// A 120 mm disc printed at 600 dpi: 2835 × 2835 device pixels, 1200 × 1200 document units.
constexpr int printDpi = 600;
constexpr int discUnits = 1200;
constexpr int discPixels = discUnits * printDpi / 254;

void Ours_GradientDiscAt600Dpi(benchmark::State& state)
{
    TColorSpec spec;
    spec.setKind(TColorSpecKind::cskGradation);
    spec.setGradKind(GradationKind::rgkCircleToCenter);
    spec.gradColors().setColors(stops);
    QImage target = createWorkBitmap(discPixels, discPixels);
    TMemoryCanvas canvas(printDpi);
    const TPrintTargetMark mark(&target);
    for (auto _ : state) {
        canvas.selectBitmap(&target);
        QPainter& painter = canvas.painter();
        TScaler scaler;
        scaler.setUnitDpi(254);
        scaler.prepareCanvas(painter);
        QPainterPath disc;
        disc.addEllipse(QRectF(0, 0, discUnits, discUnits));
        painter.setClipPath(disc);
        spec.paint(painter, QRect(0, 0, discUnits, discUnits));
        canvas.release();
        benchmark::DoNotOptimize(target.constBits());
    }
}

void Qt_GradientDiscAt600Dpi(benchmark::State& state)
{
    QImage target = createWorkBitmap(discPixels, discPixels);
    for (auto _ : state) {
        const QImage big = gradientMasterImage(stops, 0, GradationKind::rgkCircleToCenter)
                               .scaled(discPixels, discPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&target);
        QPainterPath disc;
        disc.addEllipse(QRectF(0, 0, discPixels, discPixels));
        painter.setClipPath(disc);
        painter.drawImage(0, 0, big);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

}  // namespace

BENCHMARK(Ours_CubicShrinkPhotoTo200)->Name("CubicShrinkPhotoTo200/ours")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_CubicShrinkPhotoTo200)->Name("CubicShrinkPhotoTo200/Qt")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_LinearEnlargeMasterTo4000)->Name("LinearEnlargeMasterTo4000/ours")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_LinearEnlargeMasterTo4000)->Name("LinearEnlargeMasterTo4000/Qt")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_Blur2000Radius10)->Name("Blur2000Radius10/ours")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_Blur2000Radius10)->Name("Blur2000Radius10/Qt")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Ours_GradientDiscAt600Dpi)->Name("GradientDiscAt600Dpi/ours")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(Qt_GradientDiscAt600Dpi)->Name("GradientDiscAt600Dpi/Qt")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    poremi::bench::CpuTimeTable table({"ours", "Qt"}, "Qt");
    return poremi::bench::runWithTable(argc, argv, table);
}
