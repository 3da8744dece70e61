// Writing and reading back many streams of a compound file, next to a plain file of the same
// bytes: 1,000 streams of 64 KiB and 10,000 streams of 200 bytes.

#include "platform/cfb/storage.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using poremi::cfb::Storage;

QByteArray payload(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = char(i * 31 + 7);
    return bytes;
}

QString streamName(int i) { return QStringLiteral("NameList%1").arg(i); }

void writeCompound(const QString& path, int count, const QByteArray& bytes) {
    auto root = Storage::createFile(path);
    for (int i = 0; i < count; ++i) root->createStream(streamName(i), poremi::cfb::kReadWriteExclusive)->write(bytes);
    root->commit();
}

qint64 readCompound(const QString& path, int count) {
    auto root = Storage::openFile(path, poremi::cfb::kReadExclusive);
    qint64 total = 0;
    for (int i = 0; i < count; ++i) total += root->openStream(streamName(i), poremi::cfb::kReadExclusive)->readAll().size();
    return total;
}

void writePlain(const QString& path, int count, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int i = 0; i < count; ++i) file.write(bytes);
    file.flush();
}

qint64 readPlain(const QString& path, int count, qsizetype size) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    qint64 total = 0;
    for (int i = 0; i < count; ++i) total += file.read(size).size();
    return total;
}

void report(benchmark::State& state, double bytes, double compoundSeconds, double plainSeconds) {
    const double compound = bytes / compoundSeconds / 1e6;
    const double plain = bytes / plainSeconds / 1e6;
    state.counters["compound_MB/s"] = compound;
    state.counters["plain_MB/s"] = plain;
    state.counters["ratio"] = compound / plain;
}

void BM_Write(benchmark::State& state) {
    const int count = int(state.range(0));
    const QByteArray bytes = payload(state.range(1));
    QTemporaryDir dir;
    double compoundSeconds = 0, plainSeconds = 0, done = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        writeCompound(dir.filePath(QStringLiteral("c.cfb")), count, bytes);
        compoundSeconds += double(timer.nsecsElapsed()) / 1e9;
        timer.restart();
        writePlain(dir.filePath(QStringLiteral("p.bin")), count, bytes);
        plainSeconds += double(timer.nsecsElapsed()) / 1e9;
        done += double(count) * double(bytes.size());
    }
    report(state, done, compoundSeconds, plainSeconds);
}

void BM_Read(benchmark::State& state) {
    const int count = int(state.range(0));
    const QByteArray bytes = payload(state.range(1));
    QTemporaryDir dir;
    const QString compoundPath = dir.filePath(QStringLiteral("c.cfb"));
    const QString plainPath = dir.filePath(QStringLiteral("p.bin"));
    writeCompound(compoundPath, count, bytes);
    writePlain(plainPath, count, bytes);
    double compoundSeconds = 0, plainSeconds = 0, done = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(readCompound(compoundPath, count));
        compoundSeconds += double(timer.nsecsElapsed()) / 1e9;
        timer.restart();
        benchmark::DoNotOptimize(readPlain(plainPath, count, bytes.size()));
        plainSeconds += double(timer.nsecsElapsed()) / 1e9;
        done += double(count) * double(bytes.size());
    }
    report(state, done, compoundSeconds, plainSeconds);
}

BENCHMARK(BM_Write)->Args({1000, 64 * 1024})->Args({10000, 200})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read)->Args({1000, 64 * 1024})->Args({10000, 200})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
