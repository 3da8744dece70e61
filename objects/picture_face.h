#pragma once
// One face of a paper on the paper view, for choosing and arranging faces: its outline filled
// white (or in the selection colour), its trim line, and optionally its index and purpose. It
// is never part of a document.

#include "document/model/rect_object.h"
#include "paper/face_info.h"

#include <QtGui/QRgb>

#include <functional>

namespace poremi {

class TLOFace : public TLORectBase {
    POREMI_PERSISTENT(TLOFace)
public:
    static constexpr QRgb selectionColor = 0xFFFFE8AF;

    // The object covers the face's printable area; index counts the faces of the view from 0.
    explicit TLOFace(TComponent* owner = nullptr, const TFaceInfo& face = {}, int index = 0);

    const TFaceInfo& faceInfo() const { return face_; }
    int index() const { return index_; }
    bool isFaceSelected() const { return faceSelected_; }
    // A change fires OnSelectionChanged.
    void setFaceSelected(bool selected);
    bool singleSelection() const { return singleSelection_; }
    void setSingleSelection(bool single) { singleSelection_ = single; }
    bool showNumber() const { return showNumber_; }
    void setShowNumber(bool show);
    std::function<void(TLOFace&)> OnSelectionChanged;

    // The left-button press: toggles the selection; with single selection it selects this
    // face and deselects the other faces of the site.
    void press();

    // Inside the face's region, hole included.
    bool hitTest(QPoint point) const override;
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    // Only a movable face, or one off a site, moves; the face description moves with it.
    void setRect(const TRect& rect) override;

protected:
    void paint(QPainter& painter) override;

private:
    // The index and purpose at a size that stays the same on screen.
    void paintNumber(QPainter& painter) const;

    TFaceInfo face_;
    int index_ = 0;
    bool faceSelected_ = false;
    bool singleSelection_ = false;
    bool showNumber_ = false;
};

}  // namespace poremi
