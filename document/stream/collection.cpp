#include "document/stream/collection.h"

#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"

namespace poremi {

const TClassInfo& TCollectionItem::staticClassInfo() {
    static const TClassInfo info = describeClass<TCollectionItem, TPersistent>("TCollectionItem");
    return info;
}

const TClassInfo& TCollection::staticClassInfo() {
    static const TClassInfo info = describeClass<TCollection, TPersistent>("TCollection");
    return info;
}

qsizetype TCollectionItem::index() const { return collection_ ? collection_->indexOf(*this) : -1; }

TCollection::TCollection(const TClassInfo& itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() = default;

qsizetype TCollection::indexOf(const TCollectionItem& item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &item) return qsizetype(i);
    return -1;
}

TCollectionItem& TCollection::add() {
    std::unique_ptr<TPersistent> made = itemClass_.create();
    auto* item = dynamic_cast<TCollectionItem*>(made.get());
    if (!item) stream_error::invalidCast();
    made.release();
    items_.emplace_back(item);
    item->collection_ = this;
    return *item;
}

void TCollection::remove(qsizetype index) { items_.erase(items_.begin() + index); }

void TCollection::clear() { items_.clear(); }

void TCollection::assign(const TPersistent& source) {
    if (&source == this) return;
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (!other) stream_error::invalidCast();
    clear();
    for (const auto& item : other->items_) add().assign(*item);
}

}  // namespace poremi
