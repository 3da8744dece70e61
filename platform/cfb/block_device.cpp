#include "platform/cfb/block_device.h"

#include "platform/cfb/compound_file_error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QTemporaryFile>
#include <algorithm>
#include <cstring>

namespace poremi::cfb {
namespace {

// Small scattered reads and writes are gathered into larger system calls: reads go through a
// block cache, writes that continue one another are collected until something else happens.
class FileDevice : public BlockDevice {
public:
    FileDevice(std::unique_ptr<QFileDevice> file, bool writable)
        : file_(std::move(file)), writable_(writable), size_(writable_ && !file_->isReadable() ? 0 : file_->size()) {}

    ~FileDevice() override {
        try {
            writePending();
        } catch (const Exception&) {
            // Callers that must know flush first.
        }
    }

    qint64 size() const override { return size_; }

    qint64 readAt(qint64 offset, char* data, qint64 length) override {
        writePending();
        if (length >= kCacheBlock) return readFile(offset, data, length);
        qint64 done = 0;
        while (done < length) {
            const qint64 block = (offset + done) / kCacheBlock * kCacheBlock;
            if (block != cacheOffset_) {
                cache_.resize(kCacheBlock);
                cache_.resize(qsizetype(readFile(block, cache_.data(), kCacheBlock)));
                cacheOffset_ = block;
            }
            const qint64 inBlock = offset + done - block;
            const qint64 n = std::min(length - done, qint64(cache_.size()) - inBlock);
            if (n <= 0) break;
            std::memcpy(data + done, cache_.constData() + inBlock, size_t(n));
            done += n;
        }
        return done;
    }

    void writeAt(qint64 offset, const char* data, qint64 length) override {
        if (!writable_ || !file_->isOpen()) throwError(ErrorCode::AccessDenied, name());
        if (cacheOffset_ >= 0 && offset < cacheOffset_ + kCacheBlock && offset + length > cacheOffset_) cacheOffset_ = -1;
        if (pending_.isEmpty() || offset != pendingOffset_ + pending_.size() || pending_.size() + length > kPendingLimit) {
            writePending();
            pendingOffset_ = offset;
            pending_.reserve(qsizetype(kPendingLimit));
        }
        pending_.append(data, qsizetype(length));
        size_ = std::max(size_, offset + length);
    }

    void truncate(qint64 size) override {
        writePending();
        cacheOffset_ = -1;
        if (size == file_->size()) {
            size_ = size;
            return;
        }
        if (!file_->resize(size)) fail(ErrorCode::WriteFault);
        size_ = size;
    }

    void flush() override {
        writePending();
        if (writable_ && file_->isOpen() && !file_->flush()) fail(ErrorCode::WriteFault);
    }

    void finish() override {
        writePending();
        if (auto* save = qobject_cast<QSaveFile*>(file_.get())) {
            if (!save->commit()) fail(ErrorCode::WriteFault);
        }
    }

    bool isWritable() const override { return writable_; }
    QString name() const override { return file_->fileName(); }

private:
    static constexpr qint64 kCacheBlock = 64 * 1024;
    static constexpr qint64 kPendingLimit = 1024 * 1024;

    qint64 readFile(qint64 offset, char* data, qint64 length) {
        if (!file_->seek(offset)) fail(ErrorCode::ReadFault);
        qint64 done = 0;
        while (done < length) {
            const qint64 got = file_->read(data + done, length - done);
            if (got < 0) fail(ErrorCode::ReadFault);
            if (got == 0) break;
            done += got;
        }
        return done;
    }

    void writePending() {
        if (pending_.isEmpty()) return;
        const bool written = file_->seek(pendingOffset_) && file_->write(pending_) == pending_.size();
        pending_.resize(0);
        if (!written) fail(ErrorCode::WriteFault);
    }

    [[noreturn]] void fail(ErrorCode code) const {
        throwError(code, file_->fileName() + QStringLiteral(": ") + file_->errorString());
    }

    std::unique_ptr<QFileDevice> file_;
    bool writable_;
    qint64 size_;
    QByteArray cache_;
    qint64 cacheOffset_ = -1;
    QByteArray pending_;
    qint64 pendingOffset_ = 0;
};

class MemoryDevice : public BlockDevice {
public:
    MemoryDevice(QByteArray bytes, bool writable) : bytes_(std::move(bytes)), writable_(writable) {}

    qint64 size() const override { return bytes_.size(); }

    qint64 readAt(qint64 offset, char* data, qint64 length) override {
        if (offset >= bytes_.size()) return 0;
        const qint64 n = std::min(length, qint64(bytes_.size()) - offset);
        std::memcpy(data, bytes_.constData() + offset, size_t(n));
        return n;
    }

    void writeAt(qint64 offset, const char* data, qint64 length) override {
        if (!writable_) throwError(ErrorCode::AccessDenied, name());
        if (offset + length > bytes_.size()) bytes_.resize(offset + length, '\0');
        std::memcpy(bytes_.data() + offset, data, size_t(length));
    }

    void truncate(qint64 size) override { bytes_.resize(size, '\0'); }
    void flush() override {}
    bool isWritable() const override { return writable_; }
    QString name() const override { return QStringLiteral("(memory)"); }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    bool writable_;
};

constexpr QIODevice::OpenMode kReadWrite = QIODevice::ReadWrite | QIODevice::Unbuffered;

}  // namespace

std::unique_ptr<BlockDevice> openFileDevice(const QString& path, bool writable) {
    if (!QFileInfo(path).isFile()) throwError(ErrorCode::FileNotFound, path);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(writable ? kReadWrite : QIODevice::ReadOnly | QIODevice::Unbuffered)) throwError(ErrorCode::AccessDenied, path);
    return std::make_unique<FileDevice>(std::move(file), writable);
}

std::unique_ptr<BlockDevice> createFileDevice(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(kReadWrite | QIODevice::Truncate)) throwError(ErrorCode::AccessDenied, path);
    return std::make_unique<FileDevice>(std::move(file), true);
}

std::unique_ptr<BlockDevice> createAtomicFileDevice(const QString& path) {
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throwError(ErrorCode::AccessDenied, path);
    return std::make_unique<FileDevice>(std::move(file), true);
}

std::unique_ptr<BlockDevice> createTemporaryFileDevice(const QString& templatePath) {
    auto file = std::make_unique<QTemporaryFile>(templatePath);
    file->setAutoRemove(true);
    if (!file->open()) throwError(ErrorCode::AccessDenied, templatePath);
    // Reopen unbuffered: sectors are written at scattered offsets.
    file->close();
    if (!static_cast<QFile*>(file.get())->open(kReadWrite)) throwError(ErrorCode::AccessDenied, templatePath);
    return std::make_unique<FileDevice>(std::move(file), true);
}

std::unique_ptr<BlockDevice> memoryDevice(QByteArray bytes, bool writable) {
    return std::make_unique<MemoryDevice>(std::move(bytes), writable);
}

QByteArray memoryDeviceBytes(const BlockDevice& device) {
    const auto* memory = dynamic_cast<const MemoryDevice*>(&device);
    return memory ? memory->bytes() : QByteArray();
}

}  // namespace poremi::cfb
