#include "print/dialog/sheet_mark_view.h"

#include "paper/paper_info.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace poremi {
namespace {

const QColor kMarkedColor(255, 165, 0);  // orange
constexpr int kMargin = 6;

}  // namespace

SheetMarkView::SheetMarkView(QWidget* parent) : QWidget(parent) {}
SheetMarkView::~SheetMarkView() = default;

void SheetMarkView::setPaper(const TPaperInfo& paper) {
    paper_ = paper.clone();
    marks_.assign(std::size_t(std::max(paper_->getFaceCount(), 0)), false);
    update();
}

int SheetMarkView::firstMarkedFace() const {
    for (std::size_t i = 0; i < marks_.size(); ++i)
        if (marks_[i]) return int(i);
    return -1;
}

bool SheetMarkView::isMarked(int face) const {
    return face >= 0 && std::size_t(face) < marks_.size() && marks_[std::size_t(face)];
}

void SheetMarkView::setMarked(int face, bool marked) {
    if (face < 0 || std::size_t(face) >= marks_.size()) return;
    marks_[std::size_t(face)] = marked;
    update();
}

void SheetMarkView::setShowAllMarked(bool all) {
    showAllMarked_ = all;
    update();
}

QTransform SheetMarkView::sheetToWidget() const {
    if (!paper_ || paper_->width() <= 0 || paper_->height() <= 0) return {};
    const double scale = std::min((width() - 2.0 * kMargin) / paper_->width(), (height() - 2.0 * kMargin) / paper_->height());
    const double left = (width() - paper_->width() * scale) / 2, top = (height() - paper_->height() * scale) / 2;
    return QTransform(scale, 0, 0, scale, left, top);
}

int SheetMarkView::faceAt(QPoint position) const {
    if (!paper_) return -1;
    const QPointF sheet = sheetToWidget().inverted().map(QPointF(position));
    for (int i = 0; i < paper_->getFaceCount(); ++i)
        if (paper_->getFaceInfo(i).clipPath(true).contains(sheet)) return i;
    return -1;
}

QPoint SheetMarkView::facePosition(int face) const {
    if (!paper_ || face < 0 || face >= paper_->getFaceCount()) return {};
    return sheetToWidget().map(paper_->getFaceInfo(face).faceRect.toQRectF().center()).toPoint();
}

void SheetMarkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!paper_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QTransform map = sheetToWidget();
    painter.setPen(QPen(Qt::gray, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(map.mapRect(QRectF(0, 0, paper_->width(), paper_->height())));
    for (int i = 0; i < paper_->getFaceCount(); ++i) {
        const TFaceInfo info = paper_->getFaceInfo(i);
        const bool marked = showAllMarked_ || isMarked(i);
        painter.setPen(QPen(marked ? Qt::blue : Qt::black, marked ? 2 : 1));
        painter.setBrush(marked ? kMarkedColor : QColor(Qt::white));
        painter.drawPath(map.map(info.outlinePath()));
        painter.setPen(Qt::black);
        painter.drawText(map.mapRect(info.faceRect.toQRectF()), Qt::AlignCenter,
                         QStringLiteral("%1 [%2]").arg(i).arg(info.facePurpose));
    }
}

void SheetMarkView::mousePressEvent(QMouseEvent* event) {
    if (showAllMarked_ || !isEnabled()) return;
    const int face = faceAt(event->position().toPoint());
    if (face < 0) return;
    setMarked(face, !isMarked(face));
    emit faceClicked(face);
}

}  // namespace poremi
