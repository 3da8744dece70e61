#pragma once
// An ordered list of draw objects that does not own them, and its stream form: a 32-bit
// little-endian count, then each object as a component stream with its signature.

#include <QtCore/QIODevice>
#include <vector>

namespace poremi {

class TDrawObject;

class TDOList {
public:
    TDOList() = default;
    TDOList(const TDOList&) = delete;
    TDOList& operator=(const TDOList&) = delete;

    qsizetype count() const { return static_cast<qsizetype>(items_.size()); }
    TDrawObject* item(qsizetype index) const { return items_.at(static_cast<std::size_t>(index)); }
    void setItem(qsizetype index, TDrawObject* object) { items_.at(static_cast<std::size_t>(index)) = object; }
    void add(TDrawObject* object) { items_.push_back(object); }
    const std::vector<TDrawObject*>& items() const { return items_; }
    // Forgets the items without freeing them.
    void clear() { items_.clear(); }
    // Frees every item, then clears.
    void freeAll();

    void writeTo(QIODevice& stream) const;
    // Replaces the items (without freeing them) with the objects the stream holds; objects of
    // other classes are freed and skipped. The caller owns what was read. A stream that ends
    // early or is broken fails with the stream's error and leaves the list empty, having
    // freed whatever it had read.
    void readFrom(QIODevice& stream);

private:
    std::vector<TDrawObject*> items_;
};

}  // namespace poremi
