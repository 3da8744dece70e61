#pragma once
// The bytes under a compound file: a file on disk, a file that replaces its target only when
// finished, a temporary file that disappears with its owner, or a block of memory.

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
    // Makes the written file the target (atomic devices); no writes are possible afterwards.
    virtual void finish() {}
    virtual bool isWritable() const = 0;
    // The file name, or a description of the memory block, for messages.
    virtual QString name() const = 0;
};

// Throws FileNotFound or AccessDenied when the file cannot be opened.
std::unique_ptr<BlockDevice> openFileDevice(const QString& path, bool writable);
// An empty file at path, replacing an existing one at once.
std::unique_ptr<BlockDevice> createFileDevice(const QString& path);
// An empty file that replaces path only when finish() is called; dropped without a trace otherwise.
std::unique_ptr<BlockDevice> createAtomicFileDevice(const QString& path);
// A new file with a unique name made from templatePath (ending in "XXXXXX"), removed on release.
std::unique_ptr<BlockDevice> createTemporaryFileDevice(const QString& templatePath);
std::unique_ptr<BlockDevice> memoryDevice(QByteArray bytes, bool writable);

// The bytes of a memory device (for callers that built a file in memory).
QByteArray memoryDeviceBytes(const BlockDevice& device);

}  // namespace poremi::cfb
