#pragma once
// Collections: an owned list of items of one item class, written as one collection value.

#include "document/stream/persistent.h"

#include <memory>
#include <vector>

namespace poremi {

class TCollection;

class TCollectionItem : public TPersistent {
    POREMI_PERSISTENT(TCollectionItem)
public:
    TCollection* collection() const { return collection_; }
    qsizetype index() const;

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
    POREMI_PERSISTENT(TCollection)
public:
    // itemClass must derive from TCollectionItem and be constructible.
    explicit TCollection(const TClassInfo& itemClass);
    ~TCollection() override;

    const TClassInfo& itemClass() const { return itemClass_; }
    qsizetype count() const { return qsizetype(items_.size()); }
    TCollectionItem& item(qsizetype index) const { return *items_[std::size_t(index)]; }
    qsizetype indexOf(const TCollectionItem& item) const;

    TCollectionItem& add();
    void remove(qsizetype index);
    void clear();

    // Replaces the items by copies of the source's items.
    void assign(const TPersistent& source) override;

private:
    const TClassInfo& itemClass_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
};

// A collection of one item type, with typed access.
template <class Item>
class TCollectionOf : public TCollection {
public:
    TCollectionOf() : TCollection(Item::staticClassInfo()) {}
    Item& add() { return static_cast<Item&>(TCollection::add()); }
    Item& operator[](qsizetype index) const { return static_cast<Item&>(item(index)); }
};

}  // namespace poremi
