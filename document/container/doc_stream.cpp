#include "document/container/doc_stream.h"

#include "document/container/doc_path.h"
#include "document/container/storage_mode.h"

namespace poremi {

TDocStream::TDocStream(TDocStorage& storage, int mode, const QString& name) {
    const QString path = ResolveDocPath(storage.Path(), name);
    const bool create = mode == fmCreate;
    folder_ = std::make_unique<TDocStorage>(storage.Root(), create, u'\\' + DocPathFolder(path));
    const QString leaf = DocPathName(path);
    stream_ = create ? folder_->Interface().createStream(leaf, StorageModeOf(fmCreate))
                     : folder_->Interface().openStream(leaf, StorageModeOf(mode));
}

TDocStream::~TDocStream() {
    stream_.reset();  // before the folder it lives in
}

qint64 TDocStream::Read(void* buffer, qint64 count) { return stream_->read(static_cast<char*>(buffer), count); }

qint64 TDocStream::Write(const void* buffer, qint64 count) {
    stream_->write(static_cast<const char*>(buffer), count);
    return count;
}

qint64 TDocStream::Seek(qint64 offset, TSeekOrigin origin) {
    const cfb::SeekOrigin from = origin == TSeekOrigin::soBeginning ? cfb::SeekOrigin::Begin
                                 : origin == TSeekOrigin::soCurrent ? cfb::SeekOrigin::Current
                                                                    : cfb::SeekOrigin::End;
    return qint64(stream_->seek(offset, from));
}

void TDocStream::SetSize(qint64 size) { stream_->resize(std::uint64_t(std::max<qint64>(size, 0))); }

qint64 TDocStream::Size() { return qint64(stream_->size()); }

QString TDocStream::Path() const {
    const QString folder = folder_->Path();
    return folder.isEmpty() ? stream_->name() : folder + u'\\' + stream_->name();
}

}  // namespace poremi
