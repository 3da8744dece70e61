#include "document/container/gmem_stream.h"

#include "document/container/container_error.h"

#include <algorithm>
#include <cstring>

namespace poremi {

qint64 TGMEMStream::Read(void* buffer, qint64 count) {
    const qint64 n = std::clamp<qint64>(block_.size() - position_, 0, std::max<qint64>(count, 0));
    if (n > 0) std::memcpy(buffer, block_.constData() + position_, size_t(n));
    position_ += n;
    return n;
}

qint64 TGMEMStream::Write(const void* buffer, qint64 count) {
    if (count <= 0) return 0;
    if (position_ + count > block_.size()) Reserve(position_ + count);
    std::memcpy(block_.data() + position_, buffer, size_t(count));
    position_ += count;
    return count;
}

qint64 TGMEMStream::Seek(qint64 offset, TSeekOrigin origin) {
    const qint64 base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position_ : block_.size();
    position_ = std::max<qint64>(0, base + offset);
    return position_;
}

void TGMEMStream::SetSize(qint64 size) {
    if (size > block_.size()) Reserve(size);
    block_.resize(qsizetype(size));
    position_ = std::min(position_, size);
}

QByteArray TGMEMStream::ReleaseBlock() {
    QByteArray block = std::move(block_);
    block_ = QByteArray();
    position_ = 0;
    wrapped_ = false;
    return block;
}

void TGMEMStream::Reserve(qint64 size) {
    if (wrapped_)
        throw EContainerError(ContainerFault::FixedBlock, QStringLiteral("should not realloc Global Handle"));
    block_.resize(qsizetype(size), '\0');
}

}  // namespace poremi
