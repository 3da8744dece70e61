// Writing and reading back many records (1,000 of 64 KiB and 10,000 of 200 bytes) as streams of
// a compound file, next to what a user would pick instead: one SQLite table keyed by name (all
// rows inserted in one transaction), one file per record in a folder, and, as the floor that no
// store of separate records reaches, one contiguous plain file.

#include "bench/cpu_time_table.h"
#include "platform/cfb/storage.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using poremi::cfb::Storage;

QByteArray payload(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = char(i * 31 + 7);
    return bytes;
}

QString recordName(int i) { return QStringLiteral("NameList%1").arg(i); }

// One way of keeping count records of equal size at a path.
class RecordStore {
public:
    virtual ~RecordStore() = default;
    virtual void write(const QString& path, int count, const QByteArray& bytes) = 0;
    // The bytes read back in all.
    virtual qint64 read(const QString& path, int count, qsizetype size) = 0;
    // Removes what write left, so that every write starts from nothing.
    virtual void remove(const QString& path) { QFile::remove(path); }
};

class CompoundFileStore : public RecordStore {
public:
    void write(const QString& path, int count, const QByteArray& bytes) override {
        auto root = Storage::createFile(path);
        for (int i = 0; i < count; ++i) root->createStream(recordName(i), poremi::cfb::kReadWriteExclusive)->write(bytes);
        root->commit();
    }

    qint64 read(const QString& path, int count, qsizetype) override {
        auto root = Storage::openFile(path, poremi::cfb::kReadExclusive);
        qint64 total = 0;
        for (int i = 0; i < count; ++i) total += root->openStream(recordName(i), poremi::cfb::kReadExclusive)->readAll().size();
        return total;
    }
};

// SQLite with its default settings (rollback journal, full synchronisation).
class SqliteStore : public RecordStore {
public:
    void write(const QString& path, int count, const QByteArray& bytes) override {
        Database db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        db.exec("CREATE TABLE records(name TEXT PRIMARY KEY, data BLOB NOT NULL)");
        db.exec("BEGIN");
        Statement insert(db, "INSERT INTO records(name, data) VALUES(?1, ?2)");
        for (int i = 0; i < count; ++i) {
            const QByteArray name = recordName(i).toUtf8();
            check(db, sqlite3_bind_text(insert.handle, 1, name.constData(), int(name.size()), SQLITE_STATIC));
            check(db, sqlite3_bind_blob(insert.handle, 2, bytes.constData(), int(bytes.size()), SQLITE_STATIC));
            check(db, sqlite3_step(insert.handle));
            check(db, sqlite3_reset(insert.handle));
        }
        db.exec("COMMIT");
    }

    qint64 read(const QString& path, int count, qsizetype) override {
        Database db(path, SQLITE_OPEN_READONLY);
        Statement select(db, "SELECT data FROM records WHERE name = ?1");
        qint64 total = 0;
        for (int i = 0; i < count; ++i) {
            const QByteArray name = recordName(i).toUtf8();
            check(db, sqlite3_bind_text(select.handle, 1, name.constData(), int(name.size()), SQLITE_STATIC));
            if (sqlite3_step(select.handle) == SQLITE_ROW) {
                const QByteArray data(static_cast<const char*>(sqlite3_column_blob(select.handle, 0)), sqlite3_column_bytes(select.handle, 0));
                total += data.size();
            }
            check(db, sqlite3_reset(select.handle));
        }
        return total;
    }

    void remove(const QString& path) override {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
    }

private:
    struct Database {
        Database(const QString& path, int flags) {
            if (sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr) != SQLITE_OK) fail(handle);
        }
        ~Database() { sqlite3_close(handle); }
        void exec(const char* sql) {
            if (sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(handle);
        }
        sqlite3* handle = nullptr;
    };

    struct Statement {
        Statement(Database& db, const char* sql) {
            if (sqlite3_prepare_v2(db.handle, sql, -1, &handle, nullptr) != SQLITE_OK) fail(db.handle);
        }
        ~Statement() { sqlite3_finalize(handle); }
        sqlite3_stmt* handle = nullptr;
    };

    static void check(Database& db, int result) {
        if (result != SQLITE_OK && result != SQLITE_DONE && result != SQLITE_ROW) fail(db.handle);
    }

    [[noreturn]] static void fail(sqlite3* db) {
        std::fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
};

class FolderStore : public RecordStore {
public:
    void write(const QString& path, int count, const QByteArray& bytes) override {
        const QDir dir(path);
        dir.mkpath(QStringLiteral("."));
        for (int i = 0; i < count; ++i) {
            QFile file(dir.filePath(recordName(i)));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) std::abort();
        }
    }

    qint64 read(const QString& path, int count, qsizetype) override {
        const QDir dir(path);
        qint64 total = 0;
        for (int i = 0; i < count; ++i) {
            QFile file(dir.filePath(recordName(i)));
            if (file.open(QIODevice::ReadOnly)) total += file.readAll().size();
        }
        return total;
    }

    void remove(const QString& path) override { QDir(path).removeRecursively(); }
};

class PlainFileStore : public RecordStore {
public:
    void write(const QString& path, int count, const QByteArray& bytes) override {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        for (int i = 0; i < count; ++i) file.write(bytes);
        if (!file.flush()) std::abort();
    }

    qint64 read(const QString& path, int count, qsizetype size) override {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return 0;
        qint64 total = 0;
        for (int i = 0; i < count; ++i) total += file.read(size).size();
        return total;
    }
};

struct Case {
    int count;
    qsizetype size;
    const char* label;
};

void benchWrite(benchmark::State& state, RecordStore& store, Case c) {
    const QByteArray bytes = payload(c.size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records"));
    for (auto _ : state) {
        state.PauseTiming();
        store.remove(path);
        state.ResumeTiming();
        store.write(path, c.count, bytes);
    }
    state.SetBytesProcessed(state.iterations() * c.count * c.size);
}

void benchRead(benchmark::State& state, RecordStore& store, Case c) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records"));
    store.write(path, c.count, payload(c.size));
    if (store.read(path, c.count, c.size) != qint64(c.count) * c.size) {
        state.SkipWithError("the records did not read back");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(store.read(path, c.count, c.size));
    state.SetBytesProcessed(state.iterations() * c.count * c.size);
}

}  // namespace

int main(int argc, char** argv) {
    struct Named {
        const char* name;
        std::unique_ptr<RecordStore> store;
    };
    Named stores[] = {
        {"compound", std::make_unique<CompoundFileStore>()},
        {"SQLite", std::make_unique<SqliteStore>()},
        {"folder", std::make_unique<FolderStore>()},
        {"plain", std::make_unique<PlainFileStore>()},
    };
    const Case cases[] = {{10000, 200, "10000 x 200 B"}, {1000, 64 * 1024, "1000 x 64 KiB"}};
    for (const Case& c : cases) {
        for (Named& s : stores) {
            RecordStore& store = *s.store;
            benchmark::RegisterBenchmark((std::string("write ") + c.label + "/" + s.name).c_str(),
                                         [&store, c](benchmark::State& state) { benchWrite(state, store, c); })
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime();
            benchmark::RegisterBenchmark((std::string("read ") + c.label + "/" + s.name).c_str(),
                                         [&store, c](benchmark::State& state) { benchRead(state, store, c); })
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime();
        }
    }
    poremi::bench::CpuTimeTable table({"compound", "SQLite", "folder", "plain"}, "SQLite");
    return poremi::bench::runWithTable(argc, argv, table);
}
