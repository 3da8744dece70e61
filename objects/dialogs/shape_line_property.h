#pragma once
// The property dialog of lines ("直線の設定") and arcs ("円弧の設定"): the line's width and
// paint, its end points, left out of print and locked. Each kind reopens on the tab it was
// closed on, for the life of the process.

#include <QtWidgets/QDialog>

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

    void load(const TLOLine& line);
    // Writes LineColor, LineWidth, StartX, StartY, EndX, EndY, movable, do-not-print, as one
    // change.
    void store(TLOLine& line) const;

    QTabWidget* tabs() const { return tabs_; }
    ShapeLengthBox* lineWidthBox() const { return lineWidth_; }
    ShapeFillPanel* lineFill() const { return lineFill_; }
    ShapeLengthBox* startXBox() const { return startX_; }
    ShapeLengthBox* startYBox() const { return startY_; }
    ShapeLengthBox* endXBox() const { return endX_; }
    ShapeLengthBox* endYBox() const { return endY_; }
    QCheckBox* dontPrintBox() const { return dontPrint_; }
    QCheckBox* lockBox() const { return lock_; }

    void done(int result) override;

private:
    int& rememberedTab() const;

    bool arc_;
    QTabWidget* tabs_;
    ShapeLengthBox* lineWidth_;
    ShapeFillPanel* lineFill_;
    ShapeLengthBox* startX_;
    ShapeLengthBox* startY_;
    ShapeLengthBox* endX_;
    ShapeLengthBox* endY_;
    QCheckBox* dontPrint_;
    QCheckBox* lock_;
};

}  // namespace poremi
