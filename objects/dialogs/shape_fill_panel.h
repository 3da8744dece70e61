#pragma once
// The colour part of a fill: the palette of forty colours and a sample of the chosen colour
// or picture. It works on its own copy of the fill; a click on a colour makes the copy a solid
// fill of it, any other kind stays as it was loaded until then.

#include "render/raster/fill_color.h"

#include <QtWidgets/QWidget>
#include <functional>

class QLabel;

namespace poremi {

class TColGrid;

class ShapeFillPanel : public QWidget {
    Q_OBJECT
public:
    explicit ShapeFillPanel(QWidget* parent = nullptr);

    // Copies fill in.
    void load(const TColorSpec& fill);
    // Makes the copy a picture fill of picture cut to clip (picture pixels), not tiled.
    void setPicture(const TPicture& picture, const TRect& clip);
    const TColorSpec& fill() const { return fill_; }
    // The copy; a fill that is no picture (or a disabled panel) keeps no hidden picture.
    void read(TColorSpec& fill) const;

    // The palette grid; choosing a cell there sets the colour.
    TColGrid* grid() const { return grid_; }
    // The strip that shows the chosen colour, or the picture of a picture fill.
    QLabel* sample() const { return sample_; }

    // Called after every change of the copy.
    std::function<void()> onChange;

private:
    void choose(TColor color);
    void showSample();

    TColorSpec fill_;
    TColGrid* grid_ = nullptr;
    QLabel* sample_ = nullptr;
};

}  // namespace poremi
