#pragma once
// One label's design as stored in a document: the wrapper component TLDObjects, whose children
// are a list's objects from the last entry to the first (backgrounds in their default state
// left out), written as the component resource
// "LabelData"; saved documents hold it compressed (the "ZLIBCompress" form).

#include "document/stream/component.h"

#include <QtCore/QByteArray>

namespace poremi {

class TDOList;

class TLDObjects : public TComponent {
    POREMI_PERSISTENT(TLDObjects)
public:
    explicit TLDObjects(TComponent* owner = nullptr) : TComponent(owner) {}
    // Wraps list for writing; the list must outlive the wrapper.
    explicit TLDObjects(const TDOList& list) : list_(&list) {}

    // A wrapped list yields its objects last first; a read wrapper yields what it owns.
    void getChildren(const std::function<void(TComponent&)>& yield) const override;

private:
    const TDOList* list_ = nullptr;
};

// The resource "LabelData" of a list in front-to-back order; a list with nothing to store
// (empty, or only default backgrounds) gives no bytes.
QByteArray labelStreamBytes(const TDOList& frontToBack);

// Appends the objects the bytes hold (plain or compressed) to list in back-to-front order, their
// names cleared; the caller owns them. No bytes add nothing. A root other than TLDObjects raises
// the invalid-cast error; damaged bytes raise the stream's or the compression's error. On any
// failure the list is left as it was.
void readLabelStream(const QByteArray& bytes, TDOList& backToFront);

// The compressed form (level 9) of a plain label stream; compressed or empty bytes come back as
// they are.
QByteArray compressedLabelStream(const QByteArray& bytes);

}  // namespace poremi
