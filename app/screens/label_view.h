#pragma once
// One label shown for editing: the current face's design on a draw site inside a grey scroll
// box, with millimetre rulers above and beside it that follow the scale, the scrolling and the
// pointer. Over the objects it paints the face outline, the label's frame and its trim line.

#include "paper/face_info.h"
#include "render/geometry/rect.h"

#include <QtWidgets/QWidget>
#include <functional>

class QScrollArea;

namespace poremi {

class SiteRulers;
class TDrawSite;
class TRuler;
class WorkingCopy;

class LabelView : public QWidget {
    Q_OBJECT
public:
    explicit LabelView(QWidget* parent = nullptr);
    ~LabelView() override;

    TDrawSite& site() { return *site_; }
    const TDrawSite& site() const { return *site_; }
    TRuler& horizontalRuler() { return *horizontal_; }
    TRuler& verticalRuler() { return *vertical_; }
    QScrollArea& scrollBox() { return *scrollBox_; }
    // The current face as the paper gives it (turned for a landscape paper).
    const TFaceInfo& face() const { return face_; }

    // Shows the copy's current face: the face description, the ruler lengths and the face's
    // objects on the site (unmodified); then applies the zoom.
    void load(WorkingCopy& copy);

    // Percent.
    int scale() const;
    // A fixed scale with scroll bars; ends automatic fitting.
    void setScale(int percent);
    // The largest scale at which the whole label fits the visible area, without scroll bars.
    void fit();
    // Whether every resize fits the label anew; switching it on fits at once, off keeps the
    // scale and shows the scroll bars.
    bool automatic() const { return automatic_; }
    void setAutomatic(bool automatic);

    void scrollToOrigin();
    // Scrolls so that as much as possible of the rectangle (document units) is visible.
    void ensureVisible(const TRect& logical);

    // Painted over the objects between the face outline and the label's frame, in document
    // units (the free-design screen's grid and guides).
    void setPaintBetween(std::function<void(QPainter&)> paint);

signals:
    // The pointer's position in document units, over the site or over the grey area.
    void pointerMoved(QPoint logical);
    void scaleChanged(int percent);
    // The view changed size (after an automatic fit).
    void viewResized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintAfterObjects(QPainter& painter) const;
    bool greyAreaEvent(QEvent* event);

    TDrawSite* site_;
    QScrollArea* scrollBox_;
    TRuler* horizontal_;
    TRuler* vertical_;
    SiteRulers* rulers_;
    TFaceInfo face_;
    bool automatic_ = false;
    int shownScale_ = 100;  // the scale last reported
    std::function<void(QPainter&)> paintBetween_;
};

}  // namespace poremi
