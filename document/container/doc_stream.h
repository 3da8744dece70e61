#pragma once
// A stream of a compound file, opened by path. It owns the node of its folder, so two streams
// of one folder share that folder's open storage.

#include "document/container/doc_storage.h"
#include "document/container/stream.h"

namespace poremi {

class TDocStream : public TStream {
public:
    // fmCreate creates (or replaces) the stream and any missing folders; other modes open it.
    TDocStream(TDocStorage& storage, int mode, const QString& name);
    ~TDocStream() override;

    qint64 Read(void* buffer, qint64 count) override;
    qint64 Write(const void* buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override;
    void SetSize(qint64 size) override;
    qint64 Size() override;

    TDocStorage& Folder() const { return *folder_; }
    // The stream's path relative to the root.
    QString Path() const;

private:
    std::unique_ptr<TDocStorage> folder_;
    std::shared_ptr<cfb::Stream> stream_;
};

}  // namespace poremi
