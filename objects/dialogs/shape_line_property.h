#pragma once
// The property dialog of lines ("直線の設定") and arcs ("円弧の設定"): the line's width and
// paint, its end points, left out of print and locked. Each kind reopens on the tab it was
// closed on, for the life of the process.

#include "objects/dialogs/shape_line_ends.h"

#include <QtWidgets/QDialog>
#include <memory>

class QCheckBox;
class QTabWidget;

namespace poremi {

class ShapeFillPanel;
class ShapeLengthBox;
class TLOLine;

class TfrmLineProperty : public QDialog {
    Q_OBJECT
public:
    TfrmLineProperty(bool arc, QWidget* parent = nullptr);
    ~TfrmLineProperty() override;

    void load(const TLOLine& line);
    // Writes LineColor, LineWidth, StartX, StartY, EndX, EndY, movable, do-not-print, as one
    // change.
    void store(TLOLine& line) const;

    QTabWidget* tabs() const { return tabs_; }
    ShapeLengthBox* lineWidthBox() const { return lineWidth_; }
    ShapeFillPanel* lineFill() const { return lineFill_; }
    ShapeLengthBox* startXBox() const { return ends_->startX(); }
    ShapeLengthBox* startYBox() const { return ends_->startY(); }
    ShapeLengthBox* endXBox() const { return ends_->endX(); }
    ShapeLengthBox* endYBox() const { return ends_->endY(); }
    QCheckBox* dontPrintBox() const { return ends_->dontPrint(); }
    QCheckBox* lockBox() const { return ends_->lock(); }

    void done(int result) override;

private:
    int& rememberedTab() const;

    bool arc_;
    QTabWidget* tabs_;
    ShapeLengthBox* lineWidth_;
    ShapeFillPanel* lineFill_;
    std::unique_ptr<ShapeLineEnds> ends_;
};

}  // namespace poremi
