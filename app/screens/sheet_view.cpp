#include "app/screens/sheet_view.h"

#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "document/model/objects_thumbnail.h"
#include "paper/face_outline.h"
#include "paper/paper_info.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

namespace poremi {
namespace {

constexpr int kMargin = 12;

QImage facePreview(TLabelData& document, const TPaperInfo& paper, int face) {
    if (!document.HasLabelData(face)) return QImage();
    TDOList objects;
    document.LoadLabelObjects(face, objects);
    QImage preview = objectsThumbnail(objects.items(), paper.getFaceInfo(face), Qt::white);
    objects.freeAll();
    return preview;
}

}  // namespace

SheetView::SheetView(QWidget* parent) : Screen(parent) {
    setObjectName(QStringLiteral("SheetView"));
    setAutoFillBackground(true);
    QPalette shade = palette();
    shade.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(shade);
}

SheetView::~SheetView() = default;

void SheetView::load(TLabelData& document) {
    previews_.clear();
    paper_.reset();
    if (const TPaperInfo* paper = document.Paper()) {
        paper_ = paper->clone();
        for (int face = 0; face < paper_->getFaceCount(); ++face) {
            // A face whose design does not read is shown empty; the document stays usable.
            try {
                previews_.push_back(facePreview(document, *paper_, face));
            } catch (const std::exception&) {
                previews_.emplace_back();
            }
        }
    }
    update();
}

void SheetView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSheet(painter, QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin));
}

QImage SheetView::render(int width) const {
    const double aspect = paper_ && paper_->width() > 0 ? double(paper_->height()) / paper_->width() : 1.0;
    QImage image(width, int(width * aspect) + 2 * kMargin, QImage::Format_RGB32);
    image.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&image);
    paintSheet(painter, QRectF(image.rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin));
    return image;
}

void SheetView::paintSheet(QPainter& painter, const QRectF& area) const {
    if (!paper_ || paper_->width() <= 0 || paper_->height() <= 0 || area.isEmpty()) return;
    const double scale = std::min(area.width() / paper_->width(), area.height() / paper_->height());
    const QSizeF sheetSize(paper_->width() * scale, paper_->height() * scale);
    const QPointF origin(area.center().x() - sheetSize.width() / 2, area.center().y() - sheetSize.height() / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(origin + QPointF(3, 3), sheetSize), QColor(0x40, 0x40, 0x40));
    painter.fillRect(QRectF(origin, sheetSize), Qt::white);
    painter.translate(origin);
    painter.scale(scale, scale);
    for (int face = 0; face < paper_->getFaceCount(); ++face) {
        const TFaceInfo info = paper_->getFaceInfo(face);
        if (face < int(previews_.size()) && !previews_[std::size_t(face)].isNull())
            painter.drawImage(info.outerRect().toQRectF(), previews_[std::size_t(face)]);
        QPainterPath outline = shapePath(info.faceShape, info.faceRect, info.roundSize);
        if (info.hasCutCenter()) outline.addPath(holePath(info.centerShape, info.cutCenterRect()));
        painter.setPen(QPen(QColor(0x60, 0x60, 0xa0), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(outline);
    }
}

}  // namespace poremi
