#include "paper/database/extra_info_base.h"

#include "base/format.h"
#include "base/error.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "paper/database/paper_store.h"

#include <QtCore/QBuffer>

namespace poremi {
namespace {

template <class T>
std::unique_ptr<T> readRecord(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<TComponent> root = ReadComponent(buffer);
    auto* record = dynamic_cast<T*>(root.get());
    if (!record) stream_error::invalidCast();
    root.release();
    return std::unique_ptr<T>(record);
}

quint32 highestNumber(const QStringList& names) {
    quint32 highest = 0;
    for (const QString& name : names) highest = std::max(highest, paperItemNumber(name));
    return highest;
}

}  // namespace

// ---- TExInfoBase

void TExInfoBase::attach(PaperStore& store, const QString& storagePath) {
    bind(store, storagePath);
    streams_ = store.streamNames(storagePath);
    unreadable_.clear();
    cache_.clear();
}

std::unique_ptr<TExPaperInfo> TExInfoBase::load(const QString& stream) const {
    return readRecord<TExPaperInfo>(store().readStream(pathOf(stream)));
}

const TExInfoBase::Cached* TExInfoBase::find(const QString& paperName) {
    if (const auto found = cache_.find(paperName); found != cache_.end()) return &found->second;
    while (cache_.size() < std::size_t(streams_.size())) {
        const QString stream = streams_[qsizetype(cache_.size())];
        std::unique_ptr<TExPaperInfo> record;
        try {
            record = load(stream);
        } catch (const Exception& error) {
            // Forgotten here (it stays in the file), so that it cannot hide the records after it.
            warnUnreadable(pathOf(stream), error);
            unreadable_.append(stream);
            streams_.removeAt(qsizetype(cache_.size()));
            continue;
        }
        const QString name = record->paperName();
        if (cache_.count(name)) throw Exception(format(QStringLiteral("用紙情報更新エラー(%s)"), {name}));
        const Cached& entry = cache_.emplace(name, Cached{stream, std::move(record)}).first->second;
        if (name == paperName) return &entry;
    }
    return nullptr;
}

void TExInfoBase::deleteRecord(const QString& paperName) {
    const Cached* entry = find(paperName);
    if (!entry) return;
    const QString stream = entry->stream;
    store().deleteElement(pathOf(stream));
    streams_.removeOne(stream);
    cache_.erase(paperName);
}

void TExInfoBase::save(const TExtraPaperInfo& record) {
    const auto* info = dynamic_cast<const TExPaperInfo*>(&record);
    if (!info) stream_error::invalidCast();
    deleteRecord(info->paperName());
    if (info->isEmpty()) return;
    const QString stream = paperItemName(std::max(highestNumber(streams_), highestNumber(unreadable_)) + 1);
    store().writeStream(pathOf(stream), componentStreamBytes(*info));
    auto copy = std::make_unique<TExPaperInfo>();
    copy->assign(*info);
    streams_.insert(qsizetype(cache_.size()), stream);
    cache_.emplace(info->paperName(), Cached{stream, std::move(copy)});
}

std::unique_ptr<TExtraPaperInfo> TExInfoBase::get(const QString& paperName) {
    const Cached* entry = find(paperName);
    return entry ? entry->record->clone() : nullptr;
}

std::unique_ptr<TExtraPaperInfo> TExInfoBase::getItem(int index) {
    if (index < 0 || index >= count()) return nullptr;
    return load(streams_[index]);
}

// ---- TImageInfoBase

void TImageInfoBase::attach(PaperStore& store, const QString& storagePath) {
    bind(store, storagePath);
    storages_ = store.storageNames(storagePath);
    unreadable_.clear();
}

void TImageInfoBase::forget(qsizetype index, const Exception& error) {
    warnUnreadable(pathOf(storages_[index]), error);
    unreadable_.append(storages_[index]);
    storages_.removeAt(index);
}

std::unique_ptr<TImagePaperInfo> TImageInfoBase::loadInfo(const QString& storage) const {
    return readRecord<TImagePaperInfo>(store().readStream(pathOf(storage) + QLatin1Char('\\') + kInfoStream));
}

std::unique_ptr<TImagePaperInfo> TImageInfoBase::loadWithDesigns(const QString& storage) const {
    std::unique_ptr<TImagePaperInfo> info = loadInfo(storage);
    const QString folder = pathOf(storage);
    for (const QString& stream : store().streamNames(folder)) {
        // The number in the name says which face the design belongs to; gaps stay empty.
        const int face = TImagePaperInfo::faceOfStreamName(stream);
        if (face < 0) continue;
        info->setObjects(face, TImagePaperInfo::readFaceList(store().readStream(folder + QLatin1Char('\\') + stream)));
    }
    return info;
}

qsizetype TImageInfoBase::find(const QString& paperName) {
    for (qsizetype i = 0; i < storages_.size();) {
        try {
            if (loadInfo(storages_[i])->paperName() == paperName) return i;
            ++i;
        } catch (const Exception& error) {
            forget(i, error);
        }
    }
    return -1;
}

void TImageInfoBase::deleteRecord(const QString& paperName) {
    const qsizetype index = find(paperName);
    if (index < 0) return;
    store().deleteElement(pathOf(storages_[index]));
    storages_.removeAt(index);
}

void TImageInfoBase::save(const TExtraPaperInfo& record) {
    const auto* info = dynamic_cast<const TImagePaperInfo*>(&record);
    if (!info) stream_error::invalidCast();
    deleteRecord(info->paperName());
    if (info->isEmpty()) return;
    const QString storage = paperItemName(std::max(highestNumber(storages_), highestNumber(unreadable_)) + 1);
    const QString folder = pathOf(storage);
    store().createStorage(folder);
    store().writeStream(folder + QLatin1Char('\\') + kInfoStream, componentStreamBytes(*info));
    for (const QString& stream : store().streamNames(folder))
        if (stream != kInfoStream) store().deleteElement(folder + QLatin1Char('\\') + stream);
    for (int face = 0; face < info->faceListCount(); ++face)
        store().writeStream(folder + QLatin1Char('\\') + TImagePaperInfo::faceStreamName(face), info->faceListBytes(face));
    storages_.append(storage);
}

std::unique_ptr<TExtraPaperInfo> TImageInfoBase::get(const QString& paperName) {
    const qsizetype index = find(paperName);
    if (index < 0) return nullptr;
    try {
        return loadWithDesigns(storages_[index]);
    } catch (const Exception& error) {
        forget(index, error);
        return nullptr;
    }
}

std::unique_ptr<TExtraPaperInfo> TImageInfoBase::getItem(int index) {
    if (index < 0 || index >= count()) return nullptr;
    return loadWithDesigns(storages_[index]);
}

}  // namespace poremi
