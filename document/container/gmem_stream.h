#pragma once
// A memory stream for clipboard transfers: either it owns a growing block that is handed over
// when the data is complete, or it wraps a block received from the clipboard, which must not grow.

#include "document/container/stream.h"

namespace poremi {

class TGMEMStream : public TStream {
public:
    // An empty, growing block.
    TGMEMStream() = default;
    // Wraps a received block for reading without copying it.
    explicit TGMEMStream(const QByteArray& block) : block_(block), wrapped_(true) {}

    qint64 Read(void* buffer, qint64 count) override;
    qint64 Write(const void* buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override;
    void SetSize(qint64 size) override;
    qint64 Size() override { return block_.size(); }

    const QByteArray& Block() const { return block_; }
    // Hands the block over (to the clipboard); the stream is empty afterwards.
    QByteArray ReleaseBlock();

private:
    void Reserve(qint64 size);

    QByteArray block_;
    qint64 position_ = 0;
    bool wrapped_ = false;
};

}  // namespace poremi
