#include "paper/paper_info.h"

#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_reader.h"
#include "document/stream/value_writer.h"

#include <algorithm>
#include <limits>

namespace poremi {
namespace {

std::int32_t saturate(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max()));
}

// The face fields every face description shares, declared for class T whose getters and
// setters forward to them.
template <class T, class D>
void declareFaceFields(D& d) {
    d.integer("FaceMargin", &T::faceMargin, &T::setFaceMargin);
    d.enumeration("FaceShape", &T::faceShape, &T::setFaceShape, faceShapeNames());
    d.string("FacePurpose", &T::facePurpose, &T::setFacePurpose);
}

template <class T, class D>
void declareHoleAndCorners(D& d, bool (T::*holeSidesDiffer)() const) {
    d.integer("RoundSize", &T::roundSize, &T::setRoundSize).defaultValue(TFaceInfo::kDefaultRoundSize);
    d.enumeration("CenterShape", &T::centerShape, &T::setCenterShape, centerShapeNames()).defaultValue(csEllipse);
    d.integer("CutCenterWidth", &T::cutCenterWidth, &T::setCutCenterWidth)
        .defaultValue(TFaceInfo::kDefaultCutCenterSize)
        .stored(holeSidesDiffer);
    d.integer("CutCenterHeight", &T::cutCenterHeight, &T::setCutCenterHeight)
        .defaultValue(TFaceInfo::kDefaultCutCenterSize)
        .stored(holeSidesDiffer);
}

}  // namespace

// ---- TPaperInfo

const TClassInfo& TPaperInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TPaperInfo, TComponent>("TPaperInfo", [](auto& d) {
        // Landscape comes first so that Width and Height are read in the stream's orientation.
        d.boolean("Landscape", &TPaperInfo::landscape, &TPaperInfo::setLandscape);
        d.integer("Width", &TPaperInfo::width, &TPaperInfo::setWidth);
        d.integer("Height", &TPaperInfo::height, &TPaperInfo::setHeight);
        d.string("PaperName", &TPaperInfo::paperName, &TPaperInfo::setPaperName);
        d.string("GroupName", &TPaperInfo::groupName, &TPaperInfo::setGroupName);
        d.boolean("ReadOnly", &TPaperInfo::readOnly, &TPaperInfo::setReadOnly);
        d.object("PurposeList", static_cast<TPurposeList& (TPaperInfo::*)()>(&TPaperInfo::purposeList))
            .stored(&TPaperInfo::storePurposeList);
    });
    return info;
}

TPaperInfo::TPaperInfo(TComponent* owner) : TComponent(owner) {}

void TPaperInfo::setPhysicalSize(int width, int height) {
    physicalWidth_ = width;
    physicalHeight_ = height;
}

TRect TPaperInfo::rotateRect(const TRect& r) const {
    return {r.top, physicalWidth_ - r.right, r.bottom, physicalWidth_ - r.left};
}

TRect TPaperInfo::getFaceOuterRect(int i) const {
    const int margin = getFaceMargin(i);
    const TRect outer = inflateRect(getFaceRect(i), margin, margin);
    return landscape_ ? rotateRect(outer) : outer;
}

TFaceInfo TPaperInfo::getFaceInfo(int i) const {
    TFaceInfo info;
    info.faceMargin = getFaceMargin(i);
    info.faceRect = getFaceRect(i);
    info.faceShape = getFaceShape(i);
    info.facePurpose = getFacePurpose(i);
    info.centerShape = getCenterShape(i);
    info.roundSize = getRoundSize(i);
    const QSize hole = getCutCenterSize(i);
    info.cutCenterWidth = hole.width();
    info.cutCenterHeight = hole.height();
    if (landscape_) {
        info.faceRect = rotateRect(info.faceRect);
        std::swap(info.cutCenterWidth, info.cutCenterHeight);
    }
    return info;
}

int TPaperInfo::findFaceOutsidePaper() const {
    const TRect sheet{0, 0, width(), height()};
    for (int i = 0; i < getFaceCount(); ++i) {
        const TRect outer = getFaceOuterRect(i);
        if (outer.left < sheet.left || outer.top < sheet.top || outer.right > sheet.right || outer.bottom > sheet.bottom)
            return i;
    }
    return -1;
}

int TPaperInfo::findOverlappingFace() const {
    std::vector<TFaceInfo> faces;
    faces.reserve(std::size_t(getFaceCount()));
    for (int i = 0; i < getFaceCount(); ++i) faces.push_back(getFaceInfo(i));
    return poremi::findOverlappingFace(faces);
}

void TPaperInfo::setFaceItemFromInfo(TFaceItem& item, const TFaceInfo& info) {
    item.setFaceMargin(info.faceMargin);
    item.setFaceRect(info.faceRect);
    item.setFaceShape(info.faceShape);
    item.setFacePurpose(info.facePurpose);
    item.setCenterShape(info.centerShape);
    item.setCutCenterWidth(info.cutCenterWidth);
    item.setCutCenterHeight(info.cutCenterHeight);
    item.setRoundSize(info.roundSize);
}

void TPaperInfo::assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TPaperInfo*>(&source);
    if (!other) stream_error::invalidCast();
    physicalWidth_ = other->physicalWidth_;
    physicalHeight_ = other->physicalHeight_;
    paperName_ = other->paperName_;
    groupName_ = other->groupName_;
    readOnly_ = other->readOnly_;
    landscape_ = other->landscape_;
    purposeList_.assign(other->purposeList_);
}

std::unique_ptr<TPaperInfo> TPaperInfo::clone() const {
    std::unique_ptr<TPersistent> made = classInfo().create();
    auto* paper = dynamic_cast<TPaperInfo*>(made.get());
    if (!paper) stream_error::invalidCast();
    made.release();
    std::unique_ptr<TPaperInfo> copy(paper);
    copy->assign(*this);
    return copy;
}

// ---- shared face fields

void TFaceFields::defineLegacyProperties(TFiler& filer) {
    filer.defineProperty(
        QStringLiteral("FaceType"),
        [this](ValueReader& reader) {
            TFaceInfo legacy;
            legacy.setLegacyFaceType(int(std::clamp<qint64>(reader.readInteger(), -1, 1000)));
            faceShape = legacy.faceShape;
            facePurpose = legacy.facePurpose;
        },
        [](ValueWriter&) {}, false);
    filer.defineProperty(
        QStringLiteral("CutCenter"),
        [this](ValueReader& reader) {
            const int size = saturate(reader.readInteger());
            cutCenterWidth = cutCenterHeight = size == 0 ? TFaceInfo::kDefaultCutCenterSize : size;
        },
        [this](ValueWriter& writer) { writer.writeInteger(cutCenterWidth); },
        !holeSidesDiffer() && cutCenterWidth != TFaceInfo::kDefaultCutCenterSize);
}

// ---- TMatrixPaperInfo

const TClassInfo& TMatrixPaperInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TMatrixPaperInfo, TPaperInfo>("TMatrixPaperInfo", [](auto& d) {
        using T = TMatrixPaperInfo;
        d.integer("TopOffset", &T::topOffset, &T::setTopOffset);
        d.integer("LeftOffset", &T::leftOffset, &T::setLeftOffset);
        d.integer("BottomMargin", &T::bottomMargin, &T::setBottomMargin);
        d.integer("RightMargin", &T::rightMargin, &T::setRightMargin);
        d.integer("FaceWidth", &T::faceWidth, &T::setFaceWidth);
        d.integer("FaceHeight", &T::faceHeight, &T::setFaceHeight);
        d.integer("FaceCountX", &T::faceCountX, &T::setFaceCountX);
        d.integer("FaceCountY", &T::faceCountY, &T::setFaceCountY);
        d.enumeration("FaceShape", &T::faceShape, &T::setFaceShape, faceShapeNames());
        d.string("FacePurpose", &T::facePurpose, &T::setFacePurpose);
        d.integer("FaceMargin", &T::faceMargin, &T::setFaceMargin);
        declareHoleAndCorners<T>(d, &T::holeSidesDiffer);
    });
    return info;
}

int TMatrixPaperInfo::getFaceCount() const {
    if (faceCountX_ <= 0 || faceCountY_ <= 0) return 0;
    return int(std::min<std::int64_t>(std::int64_t(faceCountX_) * faceCountY_, kMaxFaceCount));
}

QString TMatrixPaperInfo::getFacePurpose(int) const { return mapPurposeId(face_.facePurpose); }

TRect TMatrixPaperInfo::getFaceRect(int i) const {
    if (faceCountX_ <= 0) return {};
    const std::int64_t column = i % faceCountX_, row = i / faceCountX_;
    const std::int64_t left = column * (std::int64_t(faceWidth_) + rightMargin_) + leftOffset_;
    const std::int64_t top = row * (std::int64_t(faceHeight_) + bottomMargin_) + topOffset_;
    return {saturate(left), saturate(top), saturate(left + faceWidth_), saturate(top + faceHeight_)};
}

void TMatrixPaperInfo::defineProperties(TFiler& filer) {
    TPaperInfo::defineProperties(filer);
    face_.defineLegacyProperties(filer);
}

void TMatrixPaperInfo::assign(const TPersistent& source) {
    TPaperInfo::assign(source);
    const auto* other = dynamic_cast<const TMatrixPaperInfo*>(&source);
    if (!other) return;
    leftOffset_ = other->leftOffset_;
    topOffset_ = other->topOffset_;
    rightMargin_ = other->rightMargin_;
    bottomMargin_ = other->bottomMargin_;
    faceWidth_ = other->faceWidth_;
    faceHeight_ = other->faceHeight_;
    faceCountX_ = other->faceCountX_;
    faceCountY_ = other->faceCountY_;
    face_ = other->face_;
}

// ---- TFaceItem, TFaces

const TClassInfo& TFaceItem::staticClassInfo() {
    static const TClassInfo info = describeClass<TFaceItem, TCollectionItem>("TFaceItem", [](auto& d) {
        using T = TFaceItem;
        d.integer("Left", &T::left, &T::setLeft);
        d.integer("Top", &T::top, &T::setTop);
        d.integer("Width", &T::width, &T::setWidth);
        d.integer("Height", &T::height, &T::setHeight);
        declareFaceFields<T>(d);
        declareHoleAndCorners<T>(d, &T::holeSidesDiffer);
    });
    return info;
}

void TFaceItem::defineProperties(TFiler& filer) {
    TCollectionItem::defineProperties(filer);
    face_.defineLegacyProperties(filer);
}

const TClassInfo& TFaces::staticClassInfo() {
    static const TClassInfo info = describeClass<TFaces, TCollection>("TFaces");
    return info;
}

// ---- TFreePaperInfo

const TClassInfo& TFreePaperInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TFreePaperInfo, TPaperInfo>("TFreePaperInfo", [](auto& d) {
        d.object("Faces", static_cast<TFaces& (TFreePaperInfo::*)()>(&TFreePaperInfo::faces));
    });
    return info;
}

int TFreePaperInfo::getFaceCount() const { return int(std::min<qsizetype>(faces_.count(), kMaxFaceCount)); }

QString TFreePaperInfo::getFacePurpose(int i) const { return mapPurposeId(faces_[i].facePurpose()); }

QSize TFreePaperInfo::getCutCenterSize(int i) const {
    return {faces_[i].cutCenterWidth(), faces_[i].cutCenterHeight()};
}

void TFreePaperInfo::assign(const TPersistent& source) {
    TPaperInfo::assign(source);
    if (const auto* other = dynamic_cast<const TFreePaperInfo*>(&source)) faces_.assign(other->faces_);
}

}  // namespace poremi
