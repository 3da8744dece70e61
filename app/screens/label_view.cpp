#include "app/screens/label_view.h"

#include "app/screens/face_site.h"
#include "app/screens/working_copy.h"
#include "document/model/label_data.h"
#include "edit/draw_site_widget.h"
#include "edit/ruler.h"
#include "edit/site_rulers.h"
#include "paper/paper_info.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

namespace poremi {
namespace {

const QColor kSurround(0x80, 0x80, 0x80);

// The face of the copy's current label, or an empty face for a paper without faces.
TFaceInfo currentFace(const WorkingCopy& copy) {
    const TPaperInfo* paper = copy.data().Paper();
    if (!paper || paper->getFaceCount() == 0) return TFaceInfo{};
    return paper->getFaceInfo(copy.currentLabel());
}

}  // namespace

LabelView::LabelView(QWidget* parent)
    : QWidget(parent),
      site_(new TDrawSite),
      scrollBox_(new QScrollArea(this)),
      horizontal_(new TRuler(TRuler::rkHorizontal, this)),
      vertical_(new TRuler(TRuler::rkVertical, this)) {
    setObjectName(QStringLiteral("LabelView"));
    site_->setObjectName(QStringLiteral("LabelSite"));
    site_->scaler().setUnitDpi(254);
    // The label's frame is painted with the other marks over the objects.
    site_->setBorder(false);
    site_->onPaintAfter = [this](QPainter& painter) { paintAfterObjects(painter); };

    scrollBox_->setObjectName(QStringLiteral("LabelScrollBox"));
    scrollBox_->setAlignment(Qt::AlignCenter);
    scrollBox_->setWidgetResizable(false);
    QPalette grey = scrollBox_->viewport()->palette();
    grey.setColor(QPalette::Window, kSurround);
    scrollBox_->viewport()->setPalette(grey);
    scrollBox_->viewport()->setAutoFillBackground(true);
    scrollBox_->viewport()->setMouseTracking(true);
    scrollBox_->setWidget(site_);
    scrollBox_->viewport()->installEventFilter(this);

    auto* corner = new QWidget(this);
    corner->setAutoFillBackground(true);
    corner->setBackgroundRole(QPalette::Button);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(corner, 0, 0);
    grid->addWidget(horizontal_, 0, 1);
    grid->addWidget(vertical_, 1, 0);
    grid->addWidget(scrollBox_, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    corner->setFixedSize(vertical_->sizeHint().width(), horizontal_->sizeHint().height());

    rulers_ = new SiteRulers(*site_, *horizontal_, *vertical_);
    connect(site_, &TDrawSite::pointerMoved, this, &LabelView::pointerMoved);
    connect(site_, &TDrawSite::scalerChanged, this, [this] {
        if (scale() == shownScale_) return;
        shownScale_ = scale();
        emit scaleChanged(shownScale_);
    });
}

LabelView::~LabelView() = default;

void LabelView::load(WorkingCopy& copy) {
    face_ = currentFace(copy);
    loadFaceOntoSite(copy.data(), *site_);
    rulers_->sync();
    if (automatic_) fit();
}

int LabelView::scale() const { return site_->scaler().scale(); }

void LabelView::setScale(int percent) {
    automatic_ = false;
    scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    site_->scaler().setScale(percent);
}

void LabelView::fit() {
    scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int edge = scrollBox_->frameWidth();
    const QRect client = scrollBox_->viewport()->rect().adjusted(edge, edge, -edge, -edge);
    site_->scaler().setScale(site_->fitScale(client.size(), true, true));
}

void LabelView::setAutomatic(bool automatic) {
    if (automatic) {
        automatic_ = true;
        fit();
    } else {
        setScale(scale());
    }
}

void LabelView::scrollToOrigin() {
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);
}

void LabelView::ensureVisible(const TRect& logical) {
    // The scroll box shows or hides its scroll bars through a queued call after a new scale;
    // take it now, or the area would be measured without them.
    QCoreApplication::sendPostedEvents(scrollBox_, QEvent::MetaCall);
    const QRect pixels = site_->logToPixelRect(normalizeRect(logical));
    const QPoint centre = pixels.center();
    scrollBox_->ensureVisible(centre.x(), centre.y(), pixels.width() / 2 + 1, pixels.height() / 2 + 1);
}

void LabelView::setPaintBetween(std::function<void(QPainter&)> paint) {
    paintBetween_ = std::move(paint);
    site_->invalidateObjects();
}

void LabelView::paintAfterObjects(QPainter& painter) const {
    if (site_->logicalSize().isEmpty()) return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    // White XOR stays visible on any design: it inverts what lies below.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0));
    face_.drawOutline(painter, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (paintBetween_) paintBetween_(painter);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, site_->logWidth(), site_->logHeight()));
    painter.setPen(QPen(QColor(128, 128, 128), 0, Qt::DotLine));
    face_.drawTrimLine(painter, true);
    painter.restore();
}

void LabelView::resizeEvent(QResizeEvent* event) {
    // The layout has placed the scroll box already, so an automatic fit is done.
    QWidget::resizeEvent(event);
    emit viewResized();
}

bool LabelView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBox_->viewport()) return greyAreaEvent(event);
    return QWidget::eventFilter(watched, event);
}

bool LabelView::greyAreaEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (automatic_) fit();
        return false;
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (site_->geometry().contains(press->position().toPoint())) return false;
        site_->deselectAll();
        site_->refreshHandles();
        return true;
    }
    case QEvent::MouseMove: {
        // The site hears the pointer as if it were over it, so the rulers' markers follow.
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPointF onSite = move->position() - QPointF(site_->pos());
        QMouseEvent forwarded(QEvent::MouseMove, onSite, move->scenePosition(), move->globalPosition(), move->button(),
                              move->buttons(), move->modifiers());
        QCoreApplication::sendEvent(site_, &forwarded);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace poremi
