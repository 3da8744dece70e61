#include "platform/cfb/block_device.h"

#include "platform/cfb/compound_file_error.h"

#include <QtCore/QDebug>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace poremi::cfb {
namespace {

constexpr QIODevice::OpenMode kReadWrite = QIODevice::ReadWrite | QIODevice::Unbuffered;

// Small scattered reads and writes are gathered into larger system calls: reads go through a
// block cache, writes that continue one another are collected until something else happens.
class FileDevice : public BlockDevice {
public:
    FileDevice(std::unique_ptr<QFile> file, bool writable) : file_(std::move(file)), writable_(writable), size_(file_->size()) {}

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

    bool isWritable() const override { return writable_; }
    QString name() const override { return file_->fileName(); }

protected:
    QFile& file() const { return *file_; }

    void writePending() {
        if (pending_.isEmpty()) return;
        // Kept when the write fails (a full disk): the next attempt writes it again, instead of
        // the file silently missing it.
        if (!file_->seek(pendingOffset_) || file_->write(pending_) != pending_.size()) fail(ErrorCode::WriteFault);
        pending_.resize(0);
    }

    [[noreturn]] void fail(ErrorCode code) const {
        throwError(code, name() + QStringLiteral(": ") + file_->errorString());
    }

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

    std::unique_ptr<QFile> file_;
    bool writable_;
    qint64 size_;
    QByteArray cache_;
    qint64 cacheOffset_ = -1;
    QByteArray pending_;
    qint64 pendingOffset_ = 0;
};

// The message of the last failed system call (errno taken before anything else can change it).
QString systemError(const QString& subject, int code = errno) {
    return subject + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
}

// The file a path stands for: a symbolic link is followed, so that the link stays a link.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// Makes the rename itself survive a power cut; a failure here loses nothing that was written.
void syncFolderOf(const QString& file) {
    const int folder = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    ::fsync(folder);
    ::close(folder);
}

// A new file beside the target; its name is the target's followed by a random suffix of up to
// six base-36 digits.
std::unique_ptr<QFile> createBeside(const QString& target, QString& path) {
    constexpr quint64 kSuffixes = 36ULL * 36 * 36 * 36 * 36 * 36;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = target + QLatin1Char('.') + QString::number(QRandomGenerator::global()->generate64() % kSuffixes, 36);
        const int handle = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle < 0) {
            if (errno == EEXIST) continue;
            throwError(ErrorCode::AccessDenied, systemError(target));
        }
        auto file = std::make_unique<QFile>();
        if (!file->open(handle, kReadWrite, QFileDevice::AutoCloseHandle)) {
            ::close(handle);
            ::unlink(QFile::encodeName(path).constData());
            throwError(ErrorCode::AccessDenied, target);
        }
        return file;
    }
    throwError(ErrorCode::AccessDenied, target);
}

// Written beside the target and put in its place by one rename once it is on the disk, so the
// target holds either its old bytes or the complete new ones, whatever fails and whenever.
class AtomicFileDevice : public FileDevice {
public:
    AtomicFileDevice(std::unique_ptr<QFile> file, QString path, QString target)
        : FileDevice(std::move(file), true), path_(std::move(path)), target_(std::move(target)) {}

    ~AtomicFileDevice() override {
        if (finished_) return;
        try {
            file().close();
            if (::unlink(QFile::encodeName(path_).constData()) != 0) qWarning().noquote() << systemError(path_);
        } catch (...) {
            qWarning().noquote() << "cannot remove the unfinished file" << path_;
        }
    }

    void copyTarget() {
        QFile source(target_);
        if (!source.open(QIODevice::ReadOnly)) throwError(ErrorCode::AccessDenied, target_ + QStringLiteral(": ") + source.errorString());
        QByteArray chunk(qsizetype(1024 * 1024), Qt::Uninitialized);
        for (qint64 offset = 0;;) {
            const qint64 got = source.read(chunk.data(), chunk.size());
            if (got < 0) throwError(ErrorCode::ReadFault, target_ + QStringLiteral(": ") + source.errorString());
            if (got == 0) break;
            writeAt(offset, chunk.constData(), got);
            offset += got;
        }
    }

    void finish() override {
        if (finished_) return;
        writePending();
        if (::fsync(file().handle()) != 0) throwError(ErrorCode::WriteFault, systemError(target_));
        if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target_).constData()) != 0)
            throwError(ErrorCode::WriteFault, systemError(target_));
        finished_ = true;
        file().close();
        syncFolderOf(target_);
    }

    QString name() const override { return target_; }

private:
    QString path_;
    QString target_;
    bool finished_ = false;
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

}  // namespace

std::unique_ptr<BlockDevice> openFileDevice(const QString& path) {
    if (!QFileInfo(path).isFile()) throwError(ErrorCode::FileNotFound, path);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) throwError(ErrorCode::AccessDenied, path);
    return std::make_unique<FileDevice>(std::move(file), false);
}

std::unique_ptr<BlockDevice> createAtomicFileDevice(const QString& path, AtomicStart start) {
    const QString target = resolvedTarget(path);
    const QFileInfo existing(target);
    if (existing.exists() && (!existing.isFile() || !existing.isWritable())) throwError(ErrorCode::AccessDenied, target);
    if (start == AtomicStart::CopyOfTarget && !existing.exists()) throwError(ErrorCode::FileNotFound, target);
    QString temporaryPath;
    std::unique_ptr<QFile> file = createBeside(target, temporaryPath);
    struct stat status {};
    const bool keepMode = ::stat(QFile::encodeName(target).constData(), &status) == 0;
    const int handle = file->handle();
    auto device = std::make_unique<AtomicFileDevice>(std::move(file), std::move(temporaryPath), target);
    if (keepMode && ::fchmod(handle, status.st_mode & 07777) != 0) throwError(ErrorCode::AccessDenied, systemError(target));
    if (start == AtomicStart::CopyOfTarget) device->copyTarget();
    return device;
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
