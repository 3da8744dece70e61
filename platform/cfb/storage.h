#pragma once
// Storages and streams of a compound file (the tree of named folders and files inside one file),
// written as version 3 and read as version 3 or 4. Handles are shared pointers; a handle keeps
// its file open. A named file is never written in place: a root that writes to one works on a
// file beside it, which replaces it only on commit(); a root dropped without commit() leaves the
// file as it was. Nothing is written when a handle is released.
//
// Share modes: an element open with a mode that denies reading or writing cannot be opened a
// second time for that. Open elements cannot be destroyed, renamed, moved or replaced.

#include "base/guid.h"

#include <QtCore/QByteArray>
#include <QtCore/QDateTime>
#include <QtCore/QList>
#include <QtCore/QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace poremi::cfb {

class CompoundFile;
class Stream;

enum class Access { Read, Write, ReadWrite };
enum class Share { Exclusive, DenyWrite, DenyRead, DenyNone };

struct OpenMode {
    Access access = Access::Read;
    Share share = Share::Exclusive;
    bool canRead() const { return access != Access::Write; }
    bool canWrite() const { return access != Access::Read; }
};

inline constexpr OpenMode kReadExclusive{Access::Read, Share::Exclusive};
inline constexpr OpenMode kReadWriteExclusive{Access::ReadWrite, Share::Exclusive};

enum class ElementType { Storage, Stream };

struct ElementInfo {
    QString name;
    ElementType type = ElementType::Stream;
    std::uint64_t size = 0;  // streams only
    QDateTime created;       // invalid when the file holds none
    QDateTime modified;
    Guid classId;
};

class Storage {
public:
    ~Storage();
    Storage(const Storage&) = delete;
    Storage& operator=(const Storage&) = delete;

    // A new, empty file that takes the place of path only when commit() succeeds; read-write,
    // exclusive. Until then path keeps its old content; nothing is left behind when the root is
    // dropped.
    static std::shared_ptr<Storage> createFile(const QString& path);
    // A new file named from templatePath (ending in "XXXXXX"), written in place and deleted
    // when released: the program's own scratch files.
    static std::shared_ptr<Storage> createTemporary(const QString& templatePath);
    // With write access, the root works on a copy that replaces the file on commit(), as
    // createFile does. Throws FileNotFound, AccessDenied, NotCompoundFile or Corrupt.
    static std::shared_ptr<Storage> openFile(const QString& path, OpenMode mode);
    static std::shared_ptr<Storage> openMemory(const QByteArray& bytes);
    // An empty compound file in memory; bytes() gives the file after commit().
    static std::shared_ptr<Storage> createMemory();
    // True when the file starts with the compound file signature.
    static bool isCompoundFile(const QString& path);

    QString name() const;
    OpenMode mode() const { return mode_; }
    QString fileName() const;
    QByteArray bytes() const;  // memory roots only

    // Create replaces an existing element of the name (unless it is open).
    std::shared_ptr<Storage> createStorage(const QString& name, OpenMode mode);
    std::shared_ptr<Storage> openStorage(const QString& name, OpenMode mode);
    std::shared_ptr<Stream> createStream(const QString& name, OpenMode mode);
    std::shared_ptr<Stream> openStream(const QString& name, OpenMode mode);

    QList<ElementInfo> elements() const;  // in directory order
    std::optional<ElementInfo> element(const QString& name) const;
    void destroyElement(const QString& name);
    void renameElement(const QString& oldName, const QString& newName);
    // Moves into another storage of the same file, or copies and destroys across files.
    void moveElementTo(const QString& name, Storage& destination, const QString& newName);
    // Copies every element into destination (streams replaced, storages merged) and the class id.
    void copyTo(Storage& destination) const;

    Guid classId() const;
    void setClassId(const Guid& classId);
    QDateTime created() const;
    QDateTime modified() const;
    void setElementTimes(const QString& name, const QDateTime& created, const QDateTime& modified);

    // Writes everything to the medium; a root on a named file then puts it in place of its
    // target and takes no more changes (AccessDenied). On failure the target is as it was.
    void commit();
    // Raised by every change anywhere in the file.
    std::uint64_t changeCount() const;

private:
    friend class Stream;
    Storage(std::shared_ptr<CompoundFile> file, std::uint32_t entry, OpenMode mode, bool commitFinishes = false);
    static std::shared_ptr<Storage> makeRoot(std::shared_ptr<CompoundFile> file, OpenMode mode, bool commitFinishes = false);
    std::uint32_t childOf(const QString& name, bool wantStorage) const;
    std::uint32_t replaceableChild(const QString& name, bool storage);
    void requireWritable() const;

    std::shared_ptr<CompoundFile> file_;
    std::uint32_t entry_;
    OpenMode mode_;
    bool commitFinishes_;
};

enum class SeekOrigin { Begin, Current, End };

class Stream {
public:
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    QString name() const;
    OpenMode mode() const { return mode_; }
    // Reads at most length bytes at the position; fewer at the end.
    qint64 read(char* data, qint64 length);
    void write(const char* data, qint64 length);
    QByteArray readAll();
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    // Returns the new position; a position before the start is an error.
    std::uint64_t seek(qint64 offset, SeekOrigin origin = SeekOrigin::Begin);
    std::uint64_t position() const { return position_; }
    std::uint64_t size() const;
    void resize(std::uint64_t size);
    void commit();

private:
    friend class Storage;
    Stream(std::shared_ptr<CompoundFile> file, std::uint32_t entry, OpenMode mode);

    std::shared_ptr<CompoundFile> file_;
    std::uint32_t entry_;
    OpenMode mode_;
    std::uint64_t position_ = 0;
};

}  // namespace poremi::cfb
