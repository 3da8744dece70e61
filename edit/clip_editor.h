#pragma once
// The crop pane's editor: a picture shown with a free margin around it and a clip rectangle
// on it that the user moves and resizes. Its logical unit is one pixel of the picture.

#include "document/model/rect_object.h"
#include "edit/draw_site_widget.h"
#include "edit/rect_ghost.h"

#include <QtGui/QImage>
#include <functional>

namespace poremi {

class TClipObject : public TLORectBase {
    POREMI_PERSISTENT(TClipObject)
public:
    using TLORectBase::TLORectBase;

    // Draws what frames the clip (a face outline, a frame picture) before the rectangle.
    std::function<void(QPainter& painter, const TRect& rect)> onDrawFrame;

    bool keepAspect() const override { return keepAspect_; }
    void setKeepAspect(bool keepAspect) { keepAspect_ = keepAspect; }
    // The user cannot switch the aspect keeping with Shift.
    bool aspectLocked() const { return aspectLocked_; }
    void setAspectLocked(bool locked) { aspectLocked_ = locked; }

    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    // −1 moves without copying, 0 to 7 resize; anything else as every object.
    void beginDrag(int handle) override;

protected:
    // The frame, then the rectangle dotted and inverting.
    void paint(QPainter& painter) override;

private:
    bool keepAspect_ = false;
    bool aspectLocked_ = false;
};

// Resizes the clip; Shift does nothing while the aspect is locked.
class TClipResizeGhost : public TRectGhost {
public:
    TClipResizeGhost(TClipObject& object, int handle) : TRectGhost(object, handle) {}
    void move(Qt::KeyboardModifiers modifiers, QPoint offset) override;
};

class TClipEditor : public TDrawSite {
    Q_OBJECT
public:
    explicit TClipEditor(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    // Lays the editor out anew; the clip takes the whole picture.
    void setPicture(const QImage& picture);
    // Percent of the picture's size left free around it.
    int margin() const { return margin_; }
    void setMargin(int percent);
    TClipObject& clipObject() { return *clip_; }

    // The clip in picture pixels.
    TRect clipRect() const;
    void setClipRect(const TRect& rect);
    // Fits and centres the editor in its parent.
    void fitToParent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    QPoint marginOffset() const;

    QImage picture_;
    int margin_ = 10;
    TClipObject* clip_;
};

}  // namespace poremi
