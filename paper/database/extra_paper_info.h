#pragma once
// What the database keeps about a paper besides the paper itself: the maker and usage text
// (TExPaperInfo) and the background designs laid on its faces (TImagePaperInfo).

#include "document/stream/component.h"

#include <QtCore/QByteArray>
#include <memory>
#include <vector>

namespace poremi {

class TExtraPaperInfo : public TComponent {
    POREMI_PERSISTENT(TExtraPaperInfo)
public:
    explicit TExtraPaperInfo(TComponent* owner = nullptr) : TComponent(owner) {}

    // The paper the record belongs to.
    const QString& paperName() const { return paperName_; }
    void setPaperName(const QString& name) { paperName_ = name; }

    // An empty record is never stored.
    virtual bool isEmpty() const = 0;
    // Both give the same bytes when written (designs included).
    bool sameAs(const TExtraPaperInfo& other) const;
    // A copy of the same class, without owner.
    std::unique_ptr<TExtraPaperInfo> clone() const;

protected:
    virtual QByteArray contentBytes() const;

private:
    QString paperName_;
};

class TExPaperInfo : public TExtraPaperInfo {
    POREMI_PERSISTENT(TExPaperInfo)
public:
    explicit TExPaperInfo(TComponent* owner = nullptr) : TExtraPaperInfo(owner) {}

    // The sheet maker.
    const QString& company() const { return company_; }
    void setCompany(const QString& company) { company_ = company; }
    // A usage text offered and searched in paper selection.
    const QString& purpose() const { return purpose_; }
    void setPurpose(const QString& purpose) { purpose_ = purpose; }
    int roundSize() const { return roundSize_; }
    void setRoundSize(int size) { roundSize_ = size; }

    bool isEmpty() const override { return company_.isEmpty() && purpose_.isEmpty() && roundSize_ == 0; }

private:
    QString company_;
    QString purpose_;
    int roundSize_ = 0;
};

// The designs of a sheet: per face index a list of objects, stored beside the record as the
// object-list streams of its storage, not within the record's own stream.
class TImagePaperInfo : public TExtraPaperInfo {
    POREMI_PERSISTENT(TImagePaperInfo)
public:
    using Objects = std::vector<std::unique_ptr<TComponent>>;

    explicit TImagePaperInfo(TComponent* owner = nullptr);
    ~TImagePaperInfo() override;

    // True when every face of the sheet has a design of its own.
    bool separatelyDesign() const { return separatelyDesign_; }
    void setSeparatelyDesign(bool separately) { separatelyDesign_ = separately; }
    // The number of faces the designs were made for.
    int labelCount() const { return labelCount_; }
    void setLabelCount(int count) { labelCount_ = count; }

    int faceListCount() const { return int(faces_.size()); }
    // The objects of a face, still owned by the record; empty past the last list.
    std::vector<const TComponent*> objects(int face) const;
    // Copies of the objects of a face, made through their stream form.
    Objects copyOfObjects(int face) const;
    // Takes the objects; the list of lists grows as needed.
    void setObjects(int face, Objects objects);

    // The object-list stream of a face: a 4-byte count, then each object's component stream.
    QByteArray faceListBytes(int face) const;
    static Objects readFaceList(const QByteArray& bytes);
    // Where a storage of designs keeps a face's list: "$%.8x" of the face index + 1; and back,
    // −1 for a name that numbers no face.
    static QString faceStreamName(int face);
    static int faceOfStreamName(const QString& name);

    bool isEmpty() const override;
    // The name, both properties and a copy of every face list.
    void assign(const TPersistent& source) override;

protected:
    QByteArray contentBytes() const override;

private:
    bool separatelyDesign_ = true;
    int labelCount_ = 0;
    std::vector<Objects> faces_;
};

}  // namespace poremi
