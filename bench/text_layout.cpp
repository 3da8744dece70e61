// Laying out (and outlining) 10,000 characters of mixed Japanese and Latin text in 200 lines,
// next to QTextLayout laying out the same lines.

#include "render/geometry/stroke.h"
#include "render/text/simple_text.h"

#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QTextLayout>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kLines = 200;
constexpr int kCharsPerLine = 50;
const QString kFace = QStringLiteral("IPAPGothic");

QStringList sampleLines() {
    const QString pattern = QStringLiteral("トラック01 夜明けのSunrise～Blue Sky 東京2024 Remix 歌詞カード「春」。ABCxyz ");
    QStringList lines;
    for (int k = 0; k < kLines; ++k) {
        QString line;
        for (int i = 0; line.size() < kCharsPerLine; ++i) line += pattern.at((k * 7 + i) % pattern.size());
        lines << line;
    }
    return lines;
}

void layoutOurs(const QStringList& lines, bool outline) {
    poremi::TSimpleText text;
    poremi::TPointBasedFont font;
    font.setName(kFace);
    font.setSize(10);
    text.setFont(font);
    text.setText(lines);
    const poremi::TRect frame{0, 0, 2000, 40000};
    benchmark::DoNotOptimize(text.textBounds(frame));
    if (outline) {
        poremi::TStroke stroke;
        text.buildOutline(stroke, frame, false);
        benchmark::DoNotOptimize(stroke.count());
    }
}

void layoutQt(const QStringList& lines) {
    QFont font(kFace);
    font.setPointSize(10);
    qreal width = 0;
    for (const QString& line : lines) {
        QTextLayout layout(line, font);
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        textLine.setNumColumns(line.size());
        layout.endLayout();
        width += textLine.naturalTextWidth();
    }
    benchmark::DoNotOptimize(width);
}

void setRate(benchmark::State& state) {
    state.counters["chars/s"] =
        benchmark::Counter(double(kLines * kCharsPerLine) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SimpleTextLayout(benchmark::State& state) {
    const QStringList lines = sampleLines();
    for (auto _ : state) layoutOurs(lines, false);
    setRate(state);
}
BENCHMARK(BM_SimpleTextLayout)->Unit(benchmark::kMillisecond);

void BM_SimpleTextLayoutAndOutline(benchmark::State& state) {
    const QStringList lines = sampleLines();
    for (auto _ : state) layoutOurs(lines, true);
    setRate(state);
}
BENCHMARK(BM_SimpleTextLayoutAndOutline)->Unit(benchmark::kMillisecond);

void BM_QTextLayout(benchmark::State& state) {
    const QStringList lines = sampleLines();
    for (auto _ : state) layoutQt(lines);
    setRate(state);
}
BENCHMARK(BM_QTextLayout)->Unit(benchmark::kMillisecond);

// On processor time, like the benchmark counters: the machine may be shared.
template <typename Work>
double charsPerSecond(Work work) {
    work();   // warm the caches
    const std::clock_t start = std::clock();
    int rounds = 0;
    do {
        work();
        ++rounds;
    } while (std::clock() - start < CLOCKS_PER_SEC / 2);
    return double(kLines * kCharsPerLine) * rounds / (double(std::clock() - start) / CLOCKS_PER_SEC);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const QStringList lines = sampleLines();
    const double layout = charsPerSecond([&] { layoutOurs(lines, false); });
    const double outlined = charsPerSecond([&] { layoutOurs(lines, true); });
    const double qt = charsPerSecond([&] { layoutQt(lines); });
    std::printf("TSimpleText layout: %.0f chars/s, layout and outline: %.0f chars/s; QTextLayout: %.0f chars/s\n",
                layout, outlined, qt);
    std::printf("ratio to QTextLayout: layout %.2f, layout and outline %.2f\n", layout / qt, outlined / qt);
    return 0;
}
