#pragma once
// A label sheet: its size and orientation, its name and group, and where its faces lie. Two
// kinds exist: a matrix paper (alike faces in rows and columns) and a free paper (faces listed
// one by one). Face rectangles are answered in portrait (physical) coordinates; the face
// accessors turn them when the sheet is used in landscape.

#include "document/stream/collection.h"
#include "document/stream/component.h"
#include "paper/face_info.h"
#include "paper/purpose.h"

#include <QtCore/QSize>
#include <memory>

namespace poremi {

class TFaceItem;

class TPaperInfo : public TComponent {
    POREMI_PERSISTENT(TPaperInfo)
public:
    // More faces than this are not served, whatever a stream claims.
    static constexpr int kMaxFaceCount = 1000;

    explicit TPaperInfo(TComponent* owner = nullptr);

    bool landscape() const { return landscape_; }
    void setLandscape(bool landscape) { landscape_ = landscape; }
    // The sheet as seen in its orientation; setting writes the field that reading returns.
    int width() const { return landscape_ ? physicalHeight_ : physicalWidth_; }
    void setWidth(int width) { (landscape_ ? physicalHeight_ : physicalWidth_) = width; }
    int height() const { return landscape_ ? physicalWidth_ : physicalHeight_; }
    void setHeight(int height) { (landscape_ ? physicalWidth_ : physicalHeight_) = height; }
    int physicalWidth() const { return physicalWidth_; }
    int physicalHeight() const { return physicalHeight_; }
    void setPhysicalSize(int width, int height);
    const QString& paperName() const { return paperName_; }
    void setPaperName(const QString& name) { paperName_ = name; }
    const QString& groupName() const { return groupName_; }
    void setGroupName(const QString& name) { groupName_ = name; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    TPurposeList& purposeList() { return purposeList_; }
    const TPurposeList& purposeList() const { return purposeList_; }
    // Assigns the list (obsolete purposes are dropped).
    void setPurposeList(const TPurposeList& list) { purposeList_.assign(list); }
    bool storePurposeList() const { return storePurposeList_; }
    void setStorePurposeList(bool store) { storePurposeList_ = store; }

    // The face count (at most kMaxFaceCount) and, per face index from 0, its description.
    virtual int getFaceCount() const = 0;
    virtual TFaceShape getFaceShape(int i) const = 0;
    // Through the purpose validator: old identifiers come back mapped.
    virtual QString getFacePurpose(int i) const = 0;
    virtual TRect getFaceRect(int i) const = 0;
    virtual int getFaceMargin(int i) const = 0;
    virtual QSize getCutCenterSize(int i) const = 0;
    virtual int getRoundSize(int i) const = 0;
    virtual TCenterShape getCenterShape(int i) const = 0;

    // The landscape view of a portrait rectangle: the top edge becomes the left edge.
    TRect rotateRect(const TRect& r) const;
    // The face with its margin, turned for landscape: where it lies on screen and on paper.
    TRect getFaceOuterRect(int i) const;
    // The face in the sheet's orientation (rectangle turned, hole width and height swapped).
    TFaceInfo getFaceInfo(int i) const;
    // The first face not wholly inside the sheet (touching the edge is inside); -1 when all fit.
    int findFaceOutsidePaper() const;
    // The first face whose region meets the region of a face before it; -1 when none does.
    int findOverlappingFace() const;
    static void setFaceItemFromInfo(TFaceItem& item, const TFaceInfo& info);

    // Sizes, names, ReadOnly, Landscape and the purpose list (not StorePurposeList); the
    // subclasses add their own fields when the source is of their class.
    void assign(const TPersistent& source) override;
    // A copy of the same class, without owner.
    std::unique_ptr<TPaperInfo> clone() const;

private:
    int physicalWidth_ = 0;
    int physicalHeight_ = 0;
    QString paperName_;
    QString groupName_;
    bool readOnly_ = false;
    bool landscape_ = false;
    TPurposeList purposeList_;
    bool storePurposeList_ = false;
};

// The face properties a matrix paper and a free face item share, with their stream rules:
// the hole as CutCenterWidth/CutCenterHeight only when they differ, else as CutCenter when it
// is not 410; the legacy FaceType read into shape and purpose.
class TFaceFields {
public:
    int faceMargin = 0;
    TFaceShape faceShape = fsRect;
    QString facePurpose;
    int cutCenterWidth = TFaceInfo::kDefaultCutCenterSize;
    int cutCenterHeight = TFaceInfo::kDefaultCutCenterSize;
    int roundSize = TFaceInfo::kDefaultRoundSize;
    TCenterShape centerShape = csEllipse;

    bool holeSidesDiffer() const { return cutCenterWidth != cutCenterHeight; }
    void defineLegacyProperties(TFiler& filer);
    friend bool operator==(const TFaceFields&, const TFaceFields&) = default;
};

class TMatrixPaperInfo : public TPaperInfo {
    POREMI_PERSISTENT(TMatrixPaperInfo)
public:
    explicit TMatrixPaperInfo(TComponent* owner = nullptr) : TPaperInfo(owner) {}

    int leftOffset() const { return leftOffset_; }
    void setLeftOffset(int v) { leftOffset_ = v; }
    int topOffset() const { return topOffset_; }
    void setTopOffset(int v) { topOffset_ = v; }
    // Gaps between neighbouring faces (not margins of the sheet).
    int rightMargin() const { return rightMargin_; }
    void setRightMargin(int v) { rightMargin_ = v; }
    int bottomMargin() const { return bottomMargin_; }
    void setBottomMargin(int v) { bottomMargin_ = v; }
    int faceWidth() const { return faceWidth_; }
    void setFaceWidth(int v) { faceWidth_ = v; }
    int faceHeight() const { return faceHeight_; }
    void setFaceHeight(int v) { faceHeight_ = v; }
    int faceCountX() const { return faceCountX_; }
    void setFaceCountX(int v) { faceCountX_ = v; }
    int faceCountY() const { return faceCountY_; }
    void setFaceCountY(int v) { faceCountY_ = v; }
    int faceMargin() const { return face_.faceMargin; }
    void setFaceMargin(int v) { face_.faceMargin = v; }
    TFaceShape faceShape() const { return face_.faceShape; }
    void setFaceShape(TFaceShape v) { face_.faceShape = v; }
    const QString& facePurpose() const { return face_.facePurpose; }
    void setFacePurpose(const QString& v) { face_.facePurpose = v; }
    int cutCenterWidth() const { return face_.cutCenterWidth; }
    void setCutCenterWidth(int v) { face_.cutCenterWidth = v; }
    int cutCenterHeight() const { return face_.cutCenterHeight; }
    void setCutCenterHeight(int v) { face_.cutCenterHeight = v; }
    int roundSize() const { return face_.roundSize; }
    void setRoundSize(int v) { face_.roundSize = v; }
    TCenterShape centerShape() const { return face_.centerShape; }
    void setCenterShape(TCenterShape v) { face_.centerShape = v; }

    // FaceCountX × FaceCountY; none when either is 0 or less.
    int getFaceCount() const override;
    TFaceShape getFaceShape(int) const override { return face_.faceShape; }
    QString getFacePurpose(int) const override;
    // Row by row from the top-left.
    TRect getFaceRect(int i) const override;
    int getFaceMargin(int) const override { return face_.faceMargin; }
    QSize getCutCenterSize(int) const override { return {face_.cutCenterWidth, face_.cutCenterHeight}; }
    int getRoundSize(int) const override { return face_.roundSize; }
    TCenterShape getCenterShape(int) const override { return face_.centerShape; }

    void defineProperties(TFiler& filer) override;
    void assign(const TPersistent& source) override;

private:
    bool holeSidesDiffer() const { return face_.holeSidesDiffer(); }

    int leftOffset_ = 0;
    int topOffset_ = 0;
    int rightMargin_ = 0;
    int bottomMargin_ = 0;
    int faceWidth_ = 0;
    int faceHeight_ = 0;
    int faceCountX_ = 0;
    int faceCountY_ = 0;
    TFaceFields face_;
};

// One face of a free paper.
class TFaceItem : public TCollectionItem {
    POREMI_PERSISTENT(TFaceItem)
public:
    const TRect& faceRect() const { return rect_; }
    void setFaceRect(const TRect& r) { rect_ = r; }
    // Left and Top move the rectangle; Width and Height move its right or bottom edge.
    int left() const { return rect_.left; }
    void setLeft(int v) { rect_ = offsetRect(rect_, v - rect_.left, 0); }
    int top() const { return rect_.top; }
    void setTop(int v) { rect_ = offsetRect(rect_, 0, v - rect_.top); }
    int width() const { return rectWidth(rect_); }
    void setWidth(int v) { rect_.right = rect_.left + v; }
    int height() const { return rectHeight(rect_); }
    void setHeight(int v) { rect_.bottom = rect_.top + v; }
    int faceMargin() const { return face_.faceMargin; }
    void setFaceMargin(int v) { face_.faceMargin = v; }
    TFaceShape faceShape() const { return face_.faceShape; }
    void setFaceShape(TFaceShape v) { face_.faceShape = v; }
    const QString& facePurpose() const { return face_.facePurpose; }
    void setFacePurpose(const QString& v) { face_.facePurpose = v; }
    int cutCenterWidth() const { return face_.cutCenterWidth; }
    void setCutCenterWidth(int v) { face_.cutCenterWidth = v; }
    int cutCenterHeight() const { return face_.cutCenterHeight; }
    void setCutCenterHeight(int v) { face_.cutCenterHeight = v; }
    int roundSize() const { return face_.roundSize; }
    void setRoundSize(int v) { face_.roundSize = v; }
    TCenterShape centerShape() const { return face_.centerShape; }
    void setCenterShape(TCenterShape v) { face_.centerShape = v; }

    void defineProperties(TFiler& filer) override;

private:
    bool holeSidesDiffer() const { return face_.holeSidesDiffer(); }

    TRect rect_;
    TFaceFields face_;
};

class TFaces : public TCollectionOf<TFaceItem> {
    POREMI_PERSISTENT(TFaces)
};

class TFreePaperInfo : public TPaperInfo {
    POREMI_PERSISTENT(TFreePaperInfo)
public:
    explicit TFreePaperInfo(TComponent* owner = nullptr) : TPaperInfo(owner) {}

    TFaces& faces() { return faces_; }
    const TFaces& faces() const { return faces_; }
    void setFaces(const TFaces& faces) { faces_.assign(faces); }

    // The number of items (at most kMaxFaceCount).
    int getFaceCount() const override;
    TFaceShape getFaceShape(int i) const override { return faces_[i].faceShape(); }
    QString getFacePurpose(int i) const override;
    TRect getFaceRect(int i) const override { return faces_[i].faceRect(); }
    int getFaceMargin(int i) const override { return faces_[i].faceMargin(); }
    QSize getCutCenterSize(int i) const override;
    int getRoundSize(int i) const override { return faces_[i].roundSize(); }
    TCenterShape getCenterShape(int i) const override { return faces_[i].centerShape(); }

    void assign(const TPersistent& source) override;

private:
    TFaces faces_;
};

}  // namespace poremi
