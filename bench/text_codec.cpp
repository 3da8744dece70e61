// Converting 1 MB of mixed Japanese and ASCII text to and from CP932, next to Qt's UTF-8
// encoder and decoder on the same text.

#include "base/text_codec.h"
#include "bench/cpu_time_table.h"

#include <QtCore/QStringDecoder>
#include <QtCore/QStringEncoder>
#include <benchmark/benchmark.h>

namespace {

using namespace poremi;

// Titles, names and notes as labels hold them: kana, kanji, half-width kana, symbols, ASCII.
QString sampleText() {
    static const QString pieces[] = {
        QStringLiteral("ぽれみ"), QStringLiteral("ラベル"), QStringLiteral("曲目"), QStringLiteral("髙橋"),
        QStringLiteral("東京都"), QStringLiteral("ｶﾀｶﾅ"), QStringLiteral("①②"), QStringLiteral("～"),
        QStringLiteral("Track"), QStringLiteral("CD-R 700MB"), QStringLiteral(" "), QStringLiteral("01:23"),
        QStringLiteral("\r\n"), QStringLiteral("The quick brown fox"), QStringLiteral("、"), QStringLiteral("。"),
    };
    QString text;
    qsizetype bytes = 0;
    quint32 state = 12345;
    while (bytes < 1000 * 1000) {
        state = state * 1103515245u + 12345u;
        const QString& piece = pieces[(state >> 16) % std::size(pieces)];
        text += piece;
        bytes += cp932::byteLength(piece);
    }
    return text;
}

const QString& text() {
    static const QString sample = sampleText();
    return sample;
}

void BM_EncodeCp932(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(cp932::encode(text()));
}

void BM_EncodeUtf8(benchmark::State& state) {
    QStringEncoder encoder(QStringEncoder::Utf8);
    for (auto _ : state) benchmark::DoNotOptimize(QByteArray(encoder.encode(text())));
}

void BM_DecodeCp932(benchmark::State& state) {
    const QByteArray bytes = cp932::encode(text());
    for (auto _ : state) benchmark::DoNotOptimize(cp932::decode(bytes));
}

void BM_DecodeUtf8(benchmark::State& state) {
    const QByteArray bytes = text().toUtf8();
    QStringDecoder decoder(QStringDecoder::Utf8);
    for (auto _ : state) benchmark::DoNotOptimize(QString(decoder.decode(bytes)));
}

}  // namespace

BENCHMARK(BM_EncodeCp932)->Name("encode 1 MB/CP932")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_EncodeUtf8)->Name("encode 1 MB/UTF-8")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_DecodeCp932)->Name("decode 1 MB/CP932")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_DecodeUtf8)->Name("decode 1 MB/UTF-8")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char** argv) {
    poremi::bench::CpuTimeTable table({"CP932", "UTF-8"}, "UTF-8");
    return poremi::bench::runWithTable(argc, argv, table);
}
