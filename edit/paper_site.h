#pragma once
// The paper view: a draw site that shows a whole sheet, one face object per face, fitted and
// centred in its parent; a click on a face is reported when the button is released.

#include "edit/draw_site_widget.h"

#include <QtGui/QColor>
#include <functional>
#include <memory>

namespace poremi {

class TPaperInfo;

class TPaperSite : public TDrawSite {
    Q_OBJECT
public:
    // Makes the object that shows face index of a paper (the face objects live above this
    // library); none leaves the face out.
    using FaceMaker = std::function<std::unique_ptr<TDrawObject>(const TPaperInfo& paper, int index, const TPaperSite& site)>;

    explicit TPaperSite(QWidget* parent = nullptr);

    bool multiSelect() const { return multiSelect_; }
    void setMultiSelect(bool multiSelect) { multiSelect_ = multiSelect; }
    // Face objects show their number and purpose.
    bool drawInfo() const { return drawInfo_; }
    void setDrawInfo(bool drawInfo) { drawInfo_ = drawInfo; }
    QColor faceColor() const { return faceColor_; }
    void setFaceColor(QColor color) { faceColor_ = color; }
    void setFaceMaker(FaceMaker maker) { faceMaker_ = std::move(maker); }

    // Shows the paper (not owned; none shows nothing): the area takes its size, the scale
    // fits it into the parent, the site is centred there and the face objects are made anew.
    void setPaper(const TPaperInfo* paper);
    const TPaperInfo* paper() const { return paper_; }
    // The face objects, in face order (a face the maker left out is none).
    const std::vector<TDrawObject*>& faceObjects() const { return faces_; }
    // Fits and centres the site in its parent again.
    void fitToParent();

signals:
    void faceClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void clearFaces();

    const TPaperInfo* paper_ = nullptr;
    bool multiSelect_ = false;
    bool drawInfo_ = false;
    QColor faceColor_{255, 231, 175};
    FaceMaker faceMaker_;
    std::vector<TDrawObject*> faces_;
    int pressedFace_ = -1;
};

}  // namespace poremi
