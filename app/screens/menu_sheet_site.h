#pragma once
// The whole sheet on the menu screen: every face's design lies fixed under one face object
// per face. A press chooses a face; dragging the chosen face's label onto another face marks
// that face (Shift: a move) until the button is released there or Esc cancels.

#include "app/screens/menu_sheet_face.h"
#include "edit/draw_site_widget.h"

#include <vector>

namespace poremi {

class TMenuSheetSite : public TDrawSite {
    Q_OBJECT
public:
    explicit TMenuSheetSite(QWidget* parent = nullptr);

    // Frees every object of the sheet and forgets the faces.
    void clearSheet();
    // The site owns the face and shows it in front of what it holds.
    void addFace(TLOFaceForSheet* face);
    const std::vector<TLOFaceForSheet*>& faces() const { return faces_; }
    // The index of the first face at the widget point, or −1.
    int faceAt(QPoint pixel) const;
    // Chooses the face (−1 chooses none).
    void chooseFace(int index);
    int chosenFace() const;

    int pressedFace() const { return pressed_; }
    int targetFace() const { return target_; }
    // Ends a drag under way, leaving every label as it was.
    void cancelLabelDrag();

signals:
    // A press chose the face.
    void faceChosen(int index);
    // The chosen face's label was released over the face (−1: none) after a drag.
    void labelDropped(int index, bool move);
    void faceDoubleClicked(int index);
    // The context menu asked for at the global point over the face (−1: none).
    void faceMenuRequested(QPoint global, int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void markTarget(bool shift);

    std::vector<TLOFaceForSheet*> faces_;
    int pressed_ = -1;
    int target_ = -1;
};

}  // namespace poremi
