#pragma once
// One face of the whole sheet on the menu screen, lying over the face's design: only its
// outline and trim line are painted, a blue frame while it is the chosen face, and a grey
// hatch while a label is dragged over it.

#include "objects/picture_face.h"

namespace poremi {

class TLOFaceForSheet : public TLOFace {
public:
    // What a drag over the face would do.
    enum class DragMark { None, Copy, Move };

    static constexpr QRgb kFrameColor = 0xFF0000FF;
    static constexpr QRgb kHatchColor = 0xFFC0C0C0;
    // The chosen face's frame, inside its outline.
    static constexpr int kFramePixels = 4;

    using TLOFace::TLOFace;

    DragMark dragMark() const { return dragMark_; }
    void setDragMark(DragMark mark);

protected:
    void paint(QPainter& painter) override;

private:
    DragMark dragMark_ = DragMark::None;
};

}  // namespace poremi
