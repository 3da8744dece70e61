#pragma once
// The bytes under a compound file: a file on disk read in place, a file that replaces its target
// only when finished, a temporary file that disappears with its owner, or a block of memory.
// Named files are never written in place: a half-written save must not cost the user the old file.

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <memory>

namespace poremi::cfb {

class BlockDevice {
public:
    virtual ~BlockDevice() = default;

    virtual qint64 size() const = 0;
    // Reads at most length bytes at offset; fewer at the end of the device.
    virtual qint64 readAt(qint64 offset, char* data, qint64 length) = 0;
    virtual void writeAt(qint64 offset, const char* data, qint64 length) = 0;
    virtual void truncate(qint64 size) = 0;
    // Pushes written bytes to the medium.
    virtual void flush() = 0;
    // Puts the written file in place of its target (atomic devices): pushed to the disk, then
    // renamed over the target. No writes are possible afterwards; on failure the target is as it was.
    virtual void finish() {}
    virtual bool isWritable() const = 0;
    // The file name, or a description of the memory block, for messages.
    virtual QString name() const = 0;
};

// Read-only. Throws FileNotFound or AccessDenied when the file cannot be opened.
std::unique_ptr<BlockDevice> openFileDevice(const QString& path);

// What an atomic device holds before the first write.
enum class AtomicStart {
    Empty,
    CopyOfTarget,  // the bytes of the existing target (FileNotFound when there is none)
};
// A read-write file beside path (in its folder, so that the final rename stays on one file
// system) that replaces path only when finish() is called; removed without a trace otherwise.
// A symbolic link at path is followed, and the replaced file keeps its permissions. A target
// that may not be written raises AccessDenied.
std::unique_ptr<BlockDevice> createAtomicFileDevice(const QString& path, AtomicStart start);
// A new file with a unique name made from templatePath (ending in "XXXXXX"), removed on release.
std::unique_ptr<BlockDevice> createTemporaryFileDevice(const QString& templatePath);
std::unique_ptr<BlockDevice> memoryDevice(QByteArray bytes, bool writable);

// The bytes of a memory device (for callers that built a file in memory).
QByteArray memoryDeviceBytes(const BlockDevice& device);

}  // namespace poremi::cfb
