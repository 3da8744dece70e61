#pragma once
// What a face is for (disc, cover, tray card, small square label): the purpose list that
// travels with papers and the paper database, and the validator that retires old identifiers.

#include "document/stream/collection.h"
#include "document/stream/component.h"
#include "paper/face_types.h"

#include <QtCore/QIODevice>
#include <QtCore/QStringList>

namespace poremi {

class TPurposeInfo : public TCollectionItem {
    POREMI_PERSISTENT(TPurposeInfo)
public:
    const QString& id() const { return id_; }
    void setId(const QString& id) { id_ = id; }
    const QString& displayName() const { return displayName_; }
    void setDisplayName(const QString& name) { displayName_ = name; }
    // Shapes the purpose may be used with; empty = all.
    TFaceShapes shapeMask() const { return shapeMask_; }
    void setShapeMask(TFaceShapes mask) { shapeMask_ = mask; }

private:
    QString id_;
    QString displayName_;
    TFaceShapes shapeMask_;
};

class TPurposeList : public TCollectionOf<TPurposeInfo> {
    POREMI_PERSISTENT(TPurposeList)
public:
    TPurposeInfo& add(const QString& id, const QString& displayName, TFaceShapes mask);
    using TCollectionOf<TPurposeInfo>::add;

    // Case-insensitive, searching from the last item; -1 when absent.
    qsizetype indexOfId(const QString& id) const;
    // Adds a copy when no item has its ID; returns whether it added.
    bool addIfMissing(const TPurposeInfo& item);
    // addIfMissing for every item of other that is not obsolete, then removeObsolete; whether
    // anything was added.
    bool mergeFrom(const TPurposeList& other);
    // Replaces the content, then removes obsolete purposes.
    void assign(const TPersistent& source) override;
    // CD, CDCover, CDCaseTray, MOSquare and the empty purpose.
    void loadDefaults();
    void getDisplayNames(QStringList& names) const;
    // Through the installed validator (nothing happens while none is installed).
    void removeObsolete();

    // A component stream holding a TPLStreamer whose List is this list.
    void loadFromStream(QIODevice& stream);
    void saveToStream(QIODevice& stream) const;
};

// Exists to carry a purpose list through a component stream.
class TPLStreamer : public TComponent {
    POREMI_PERSISTENT(TPLStreamer)
public:
    TPurposeList& list() { return list_; }

private:
    TPurposeList list_;
};

class TPurposeValidator {
public:
    virtual ~TPurposeValidator() = default;
    virtual bool isObsolete(const QString& id) const = 0;
    virtual QString mapId(const QString& id) const = 0;
    virtual void removeObsolete(TPurposeList& list) const = 0;
};

// Retires "MO", "FD" (now "MOSquare") and "CDCase" (now "CDCaseTray").
class TCDLabelPurposeValidator : public TPurposeValidator {
public:
    bool isObsolete(const QString& id) const override;
    QString mapId(const QString& id) const override;
    void removeObsolete(TPurposeList& list) const override;
};

// The process-wide validator (not owned); nullptr removes it.
void installPurposeValidator(const TPurposeValidator* validator);
const TPurposeValidator* purposeValidator();
// The ID through the installed validator, unchanged while none is installed.
QString mapPurposeId(const QString& id);

}  // namespace poremi
