#pragma once
// A list of element names bound to a stream: the stream holds the next number to hand out
// (4 bytes) and then the names, each line ended by CR LF. New items are named prefix + number,
// the prefix being the list stream's own name; numbers are never handed out twice. Every item
// names an element in the list stream's folder.

#include "document/container/doc_stream.h"

#include <QtCore/QStringList>

namespace poremi {

class TDocNameList {
public:
    // A writable root opens the list stream read-write, creating it when missing; a read-only
    // root opens it read-only (and fails when it is missing).
    TDocNameList(TRootStorage& root, const QString& listPath);
    virtual ~TDocNameList();

    const QString& Prefix() const { return prefix_; }
    qint32 Counter() const { return counter_; }
    int Count() const { return int(items_.size()); }
    const QString& Item(int index) const { return items_.at(index); }
    const QStringList& Items() const { return items_; }
    int IndexOf(const QString& name) const;

    // Appends prefix + counter, raises the counter; returns the new index.
    int AddItem();
    QString ItemPath(int index) const;
    std::unique_ptr<TDocStream> OpenItem(int index, int mode);
    bool ItemExists(int index);
    // Destroys the item's element and keeps the entry.
    void DeleteItemElement(int index);
    // Destroys the item's element and removes the entry.
    void DeleteItem(int index);

private:
    void Load();
    void Store();

    TRootStorage& root_;
    QString folder_;
    QString prefix_;
    qint32 counter_ = 0;
    QStringList items_;
    std::unique_ptr<TDocStream> stream_;
};

// Items are streams.
class TDocStreamList : public TDocNameList {
public:
    using TDocNameList::TDocNameList;
};

// Items are storages.
class TDocStorageList : public TDocNameList {
public:
    using TDocNameList::TDocNameList;
};

}  // namespace poremi
