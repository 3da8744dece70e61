#include "print/print_site.h"

#include "base/error.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/print_target.h"
#include "paper/face_info.h"
#include "paper/paper_info.h"
#include "print/print_canvas.h"
#include "render/raster/memory_canvas.h"
#include "render/raster/pixel_layout.h"

#include <QtCore/QScopeGuard>
#include <QtGui/QPainter>
#include <algorithm>
#include <climits>

namespace poremi {
namespace {

constexpr int kUnitsPerInch = 254;
// Rows rendered above and below each strip, so that nothing depends on where a strip ends.
constexpr int kStripOverlap = 8;
// The cut line: a 0.1 mm pen, 2 mm drawn and 1 mm left out (in pen widths).
constexpr qreal kMarkPenWidth = 1.0;
constexpr qreal kCutDash = 20.0;
constexpr qreal kCutGap = 10.0;
// The calibration sheet: crosshair arms, the rulers' distance from the edges they follow, and
// their tick lengths (0.1 mm).
constexpr int kCrosshairArm = 50;
constexpr int kRulerInset = 100;
constexpr int kTick = 10, kFiveTick = 20, kTenTick = 30;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

int clampToInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN / 2, INT_MAX / 2)); }

const TPaperInfo& paperOf(const TLabelData& data) {
    if (!data.Paper()) throw Exception(QStringLiteral("用紙が設定されていません"));
    return *data.Paper();
}

// The objects of one face, freed when the face is done (they leave the site as they go).
struct FaceObjects {
    TDOList list;
    FaceObjects() = default;
    FaceObjects(const FaceObjects&) = delete;
    FaceObjects& operator=(const FaceObjects&) = delete;
    ~FaceObjects() { list.freeAll(); }
};

// Restores the painter whatever happens.
class PainterState {
public:
    explicit PainterState(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~PainterState() { painter_.restore(); }
    PainterState(const PainterState&) = delete;
    PainterState& operator=(const PainterState&) = delete;

private:
    QPainter& painter_;
};

// A progress phase that ends however its scope is left.
class ProgressPhase {
public:
    ProgressPhase(PhasedProgress& progress, int steps) : progress_(progress) { progress_.beginPhase(1, steps); }
    ~ProgressPhase() { progress_.endPhase(); }
    ProgressPhase(const ProgressPhase&) = delete;
    ProgressPhase& operator=(const ProgressPhase&) = delete;

private:
    PhasedProgress& progress_;
};

}  // namespace

TPrintSite::TPrintSite(TLabelData& data, const TPrintSpec& spec) : data_(data), paper_(paperOf(data)), spec_(spec) {
    scaler().setUnitDpi(kUnitsPerInch);
    scaler().setScale(100);
    setLogicalSize(QSize(paper_.width(), paper_.height()));
}

TPrintSite::~TPrintSite() = default;

QRect TPrintSite::deviceRect(const TRect& units, int resolution) {
    const TRect r = normalizeRect(units);
    const std::int64_t left = floorDiv(std::int64_t(r.left) * resolution, kUnitsPerInch);
    const std::int64_t top = floorDiv(std::int64_t(r.top) * resolution, kUnitsPerInch);
    const std::int64_t right = -floorDiv(-std::int64_t(r.right) * resolution, kUnitsPerInch);
    const std::int64_t bottom = -floorDiv(-std::int64_t(r.bottom) * resolution, kUnitsPerInch);
    return QRect(clampToInt(left), clampToInt(top), clampToInt(right - left), clampToInt(bottom - top));
}

int TPrintSite::bandHeight(int width, int height) {
    return std::max(1, std::min(kMaxBandPixels / std::max(width, 1), height));
}

int TPrintSite::bandCount(int width, int height) {
    if (height <= 0) return 0;
    const int rows = bandHeight(width, height);
    return (height + rows - 1) / rows;
}

bool TPrintSite::Print(TPrintCanvas& canvas) {
    labelCounter_ = 0;
    canvas_ = &canvas;
    const auto forgetCanvas = qScopeGuard([this] { canvas_ = nullptr; });
    if (calibration_) {
        PrintCalibrationSheet();
        return true;
    }
    const int copies = std::max(spec_.copies, 1);
    ProgressPhase phase(progress_, copies);
    for (int copy = 0; copy < copies && !aborted_; ++copy) {
        if (copy > 0) canvas.newPage();
        PrintSheet(copy == 0);
        DrawFaceMarks(copy == 0);
        progress_.step();
    }
    return !aborted_;
}

bool TPrintSite::isPrinted(int face, bool firstCopy) const {
    return spec_.isFacePrinted(face) && !(firstCopy && face < spec_.firstFace);
}

void TPrintSite::PrintSheet(bool firstCopy) {
    const int faceCount = paper_.getFaceCount();
    int printedCount = 0;
    for (int i = 0; i < faceCount; ++i) printedCount += isPrinted(i, firstCopy) ? 1 : 0;
    ProgressPhase phase(progress_, printedCount);
    for (int i = 0; i < faceCount && !aborted_; ++i) {
        const bool printed = isPrinted(i, firstCopy);
        if (printed) {
            if (data_.HasLabelData(i) || (spec_.printPaperImages && hasPaperImages(i))) PrintFace(i);
            progress_.step();
        }
        // Labels left blank on a partly used sheet take no record.
        const bool beforeFirst = firstCopy && i < spec_.firstFace;
        if (!beforeFirst && (printed || !spec_.countSelectedOnly)) ++labelCounter_;
        if (processMessages) processMessages();
    }
}

bool TPrintSite::hasPaperImages(int face) {
    if (!paperImages) return false;
    TDOList images;
    paperImages(face, images);
    return images.count() > 0;
}

void TPrintSite::loadObjects(int face, TDOList& objects) {
    data_.LoadLabelObjects(face, objects);
    const TRect outer = paper_.getFaceOuterRect(face);
    if (spec_.printPaperImages && paperImages) {
        TDOList images;
        paperImages(face, images);
        for (const TDrawObject* image : images.items()) {
            std::unique_ptr<TDrawObject> copy = TDrawObject::clone(*image);
            copy->setLayerGroup(kPaperTemplateLayer);
            objects.add(copy.release());
        }
    }
    // Designs are made relative to their face.
    for (TDrawObject* object : objects.items()) {
        if (auto* movable = dynamic_cast<IDOMovable*>(object)) movable->moveBy(outer.left, outer.top);
    }
    std::vector<TDrawObject*> ordered = objects.items();
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TDrawObject* a, const TDrawObject* b) { return a->layerGroup() < b->layerGroup(); });
    for (qsizetype i = 0; i < qsizetype(ordered.size()); ++i) objects.setItem(i, ordered[std::size_t(i)]);
}

void TPrintSite::PrintFace(int face) {
    FaceObjects objects;
    loadObjects(face, objects.list);
    if (beforePlacing) beforePlacing(objects.list, labelCounter_);
    for (TDrawObject* object : objects.list.items()) {
        object->setSelectable(false);
        object->setEnabled(false);
        addDrawObject(*object);
    }
    if (afterPlacing) afterPlacing(objects.list, labelCounter_);

    const TFaceInfo info = paper_.getFaceInfo(face);
    QPainter& page = canvas_->painter();
    const PainterState state(page);
    applySheetMapping(page);
    page.setClipPath(info.clipPath(true), Qt::ReplaceClip);
    switch (banding_) {
    case DrawDirect: {
        renderResolution_ = canvas_->resolution();
        ProgressPhase bands(progress_, 1);
        paintObjects(page);
        progress_.step();
        break;
    }
    case FaceBitmap:
        renderFaceBitmap(page, info);
        break;
    default:
        renderStrips(page, info);
        break;
    }
}

void TPrintSite::applySheetMapping(QPainter& painter) const {
    scaler().prepareCanvas(painter, canvas_->resolution());
    if (canvas_->turnsLandscape() && paper_.landscape()) {
        // The landscape sheet's top edge lies along the right edge of the portrait page.
        painter.translate(paper_.physicalWidth(), 0);
        painter.rotate(90);
    }
    painter.translate(spec_.offset.x(), spec_.offset.y());
    painter.scale(spec_.scaleX, spec_.scaleY);
}

void TPrintSite::paintObjects(QPainter& painter) {
    const std::vector<TDrawObject*> objects = drawObjects();
    ProgressPhase phase(progress_, int(objects.size()));
    for (TDrawObject* object : objects) {
        if (aborted_) break;
        {
            // DontPrint objects stay out and fills take their printer path on every target,
            // layers of blended objects included; screen paints in between stay as they are.
            const PrintRendering printing;
            object->paintTo(painter);
        }
        progress_.step();
        if (processMessages) processMessages();
    }
}

void TPrintSite::renderFaceBitmap(QPainter& page, const TFaceInfo& face) {
    renderResolution_ = kUnitsPerInch;
    const QRect area = deviceRect(face.outerRect(), kUnitsPerInch)
                           .adjusted(-kBandBorder, -kBandBorder, kBandBorder, kBandBorder);
    ProgressPhase bands(progress_, 1);
    renderBand(page, area, area);
    progress_.step();
}

void TPrintSite::renderStrips(QPainter& page, const TFaceInfo& face) {
    renderResolution_ = canvas_->resolution();
    const QRect area = deviceRect(face.outerRect(), renderResolution_)
                           .adjusted(-kBandBorder, -kBandBorder, kBandBorder, kBandBorder);
    const int rows = bandHeight(area.width(), area.height());
    const int count = bandCount(area.width(), area.height());
    ProgressPhase bands(progress_, count);
    for (int band = 0; band < count && !aborted_; ++band) {
        const int top = area.top() + band * rows;
        const QRect keep(area.left(), top, area.width(), std::min(rows, area.top() + area.height() - top));
        renderBand(page, keep.adjusted(0, -kStripOverlap, 0, kStripOverlap), keep);
        progress_.step();
    }
}

void TPrintSite::renderBand(QPainter& page, const QRect& pixels, const QRect& keep) {
    QImage band = allocateImage(pixels.width(), pixels.height(), QImage::Format_RGB32);
    band.fill(Qt::white);
    {
        QPainter painter(&band);
        // Device pixel pixels.topLeft() of the sheet lands on the bitmap's corner.
        painter.setWindow(0, 0, 1, 1);
        painter.setViewport(-pixels.left(), -pixels.top(), 1, 1);
        painter.setViewTransformEnabled(true);
        scaler().prepareCanvas(painter, renderResolution_);
        paintObjects(painter);
    }
    const QImage kept = reusedBand(keep, keep == pixels ? band : band.copy(keep.translated(-pixels.topLeft())));
    const double unit = double(kUnitsPerInch) / renderResolution_;
    page.setRenderHint(QPainter::LosslessImageRendering);
    page.drawImage(QRectF(keep.left() * unit, keep.top() * unit, keep.width() * unit, keep.height() * unit), kept);
}

QImage TPrintSite::reusedBand(const QRect& place, QImage band) {
    const auto key = std::make_tuple(place.left(), place.top(), place.width(), place.height());
    const auto found = bandCache_.find(key);
    if (found != bandCache_.end()) {
        if (found->second == band) return found->second;
        bandCacheBytes_ -= found->second.sizeInBytes();
        bandCache_.erase(found);
    }
    if (bandCacheBytes_ + band.sizeInBytes() <= kBandCacheBytes) {
        bandCacheBytes_ += band.sizeInBytes();
        bandCache_.emplace(key, band);
    }
    return band;
}

void TPrintSite::PrintCalibrationSheet() {
    QPainter& page = canvas_->painter();
    {
        const PainterState state(page);
        applySheetMapping(page);
        page.setBrush(Qt::NoBrush);
        QPen pen(Qt::black, kMarkPenWidth);
        pen.setCapStyle(Qt::FlatCap);
        page.setPen(pen);
        for (int i = 0; i < paper_.getFaceCount(); ++i) {
            const TFaceInfo info = paper_.getFaceInfo(i);
            info.drawOutline(page);
            const QPointF centre = info.faceRect.toQRectF().center();
            page.drawLine(centre - QPointF(kCrosshairArm, 0), centre + QPointF(kCrosshairArm, 0));
            page.drawLine(centre - QPointF(0, kCrosshairArm), centre + QPointF(0, kCrosshairArm));
        }
        const auto tickLength = [](int millimetre) {
            return millimetre % 10 == 0 ? kTenTick : millimetre % 5 == 0 ? kFiveTick : kTick;
        };
        // Ticks sit on their millimetre: a tick's left (or top) edge is the measured line.
        const qreal half = kMarkPenWidth / 2;
        for (int mm = 1; mm * 10 < paper_.width(); ++mm)
            page.drawLine(QPointF(mm * 10 + half, kRulerInset), QPointF(mm * 10 + half, kRulerInset + tickLength(mm)));
        for (int mm = 1; mm * 10 < paper_.height(); ++mm)
            page.drawLine(QPointF(kRulerInset, mm * 10 + half), QPointF(kRulerInset + tickLength(mm), mm * 10 + half));
    }
}

void TPrintSite::DrawFaceMarks(bool firstCopy) {
    if (!spec_.printOutlines && !spec_.printCutLines) return;
    QPainter& page = canvas_->painter();
    const PainterState state(page);
    applySheetMapping(page);
    page.setClipping(false);
    page.setBrush(Qt::NoBrush);
    QPen outline(Qt::black, kMarkPenWidth);
    outline.setJoinStyle(Qt::MiterJoin);
    QPen cut(Qt::black, kMarkPenWidth);
    cut.setCapStyle(Qt::FlatCap);
    cut.setDashPattern({kCutDash, kCutGap});
    for (int i = 0; i < paper_.getFaceCount(); ++i) {
        if (!isPrinted(i, firstCopy)) continue;
        const TFaceInfo info = paper_.getFaceInfo(i);
        if (spec_.printOutlines) {
            page.setPen(outline);
            info.drawOutline(page);
        }
        if (spec_.printCutLines) {
            page.setPen(cut);
            info.drawTrimLine(page);
        }
    }
}

}  // namespace poremi
