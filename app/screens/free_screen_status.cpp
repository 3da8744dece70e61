#include "app/screens/free_screen_status.h"

#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/model/label_object.h"
#include "edit/style/object_style.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <cstdlib>

namespace poremi {

QString statusMillimetres(int units) {
    const qint64 magnitude = std::llabs(qint64(units));
    return QStringLiteral("%1%2.%3mm")
        .arg(units < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

FreeScreenStatus freeScreenStatus(const DrawSite& site, QPoint pointer) {
    FreeScreenStatus status;
    status.pointer = QStringLiteral("ﾏｳｽ(%1,%2)").arg(statusMillimetres(pointer.x()), statusMillimetres(pointer.y()));
    const TDrawObject* front = frontSelected(site);
    if (!front) return status;
    if (const auto* lined = dynamic_cast<const IDOLineRect*>(front)) {
        const TRect r = lined->getRect();
        status.selection = QStringLiteral("位置(%1,%2),ｻｲｽﾞ(%3,%4)")
                               .arg(statusMillimetres(r.left), statusMillimetres(r.top),
                                    statusMillimetres(rectWidth(r)), statusMillimetres(rectHeight(r)));
    }
    if (const auto* label = dynamic_cast<const TLabelObject*>(front)) {
        if (!label->movable()) status.fixed = QStringLiteral("固定");
        if (label->dontPrint()) status.dontPrint = QStringLiteral("印刷しない");
    }
    return status;
}

FreeScreenStatusBar::FreeScreenStatusBar(QStatusBar& bar) : bar_(&bar) {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* label = new QLabel(&bar);
        label->setObjectName(QStringLiteral("FreeStatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        // The last panel takes what the others leave.
        bar.addWidget(label, i + 1 == panels_.size() ? 1 : 0);
        label->show();
        panels_[i] = label;
    }
    sizePanels();
}

FreeScreenStatusBar::~FreeScreenStatusBar() {
    // A closing window may have taken the bar and its panels already.
    if (!bar_) return;
    for (const QPointer<QLabel>& label : panels_) {
        if (!label) continue;
        bar_->removeWidget(label);
        delete label.data();
    }
}

void FreeScreenStatusBar::sizePanels() {
    static const QString widest[] = {QStringLiteral("ﾏｳｽ-(999.9mm,999.9mm)"),
                                     QStringLiteral("位置-(999.9mm,999.9mm),ｻｲｽﾞ-(999.9mm,999.9mm)"),
                                     QStringLiteral("固定しない"), QStringLiteral("印刷しない"), QStringLiteral("999%")};
    for (std::size_t i = 0; i < std::size(widest); ++i) {
        QLabel* label = panels_[i];
        if (!label) continue;
        const int frame = 2 * label->frameWidth() + 2 * label->margin();
        label->setFixedWidth(label->fontMetrics().horizontalAdvance(widest[i]) + 8 + frame);
    }
}

void FreeScreenStatusBar::show(const FreeScreenStatus& status, int zoomPercent) {
    if (!bar_) return;
    panels_[0]->setText(status.pointer);
    panels_[1]->setText(status.selection);
    panels_[2]->setText(status.fixed);
    panels_[3]->setText(status.dontPrint);
    panels_[4]->setText(QStringLiteral("%1%").arg(zoomPercent));
}

}  // namespace poremi
