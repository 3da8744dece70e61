#pragma once
// The "位置" rows of the line and decorated-rule dialogs: the two end points in millimetres
// from the label's edges, left out of print and locked.

class QCheckBox;
class QFormLayout;

namespace poremi {

class ShapeLengthBox;
class TLOLine;

class ShapeLineEnds {
public:
    // The boxes are owned by the layout they are added to.
    ShapeLineEnds();

    void addPointRowsTo(QFormLayout& form);
    void addFlagRowsTo(QFormLayout& form);

    void load(const TLOLine& line);
    // Writes StartX, StartY, EndX, EndY, movable and do-not-print.
    void store(TLOLine& line) const;

    ShapeLengthBox* startX() const { return startX_; }
    ShapeLengthBox* startY() const { return startY_; }
    ShapeLengthBox* endX() const { return endX_; }
    ShapeLengthBox* endY() const { return endY_; }
    QCheckBox* dontPrint() const { return dontPrint_; }
    QCheckBox* lock() const { return lock_; }

private:
    ShapeLengthBox* startX_;
    ShapeLengthBox* startY_;
    ShapeLengthBox* endX_;
    ShapeLengthBox* endY_;
    QCheckBox* dontPrint_;
    QCheckBox* lock_;
};

}  // namespace poremi
