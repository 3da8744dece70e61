#pragma once
// The colour part of a fill: the palette of forty colours and a sample of the chosen one. It
// works on its own copy of the fill; a click on a colour makes the copy a solid fill of it,
// any other kind stays as it was loaded until then.

#include "render/raster/fill_color.h"

#include <QtWidgets/QWidget>
#include <array>
#include <functional>

class QLabel;
class QToolButton;

namespace poremi {

class ShapeFillPanel : public QWidget {
    Q_OBJECT
public:
    // The palette, row by row, as colour values (0x00BBGGRR).
    static const std::array<TColor, 40>& paletteColors();

    explicit ShapeFillPanel(QWidget* parent = nullptr);

    // Copies fill in.
    void load(const TColorSpec& fill);
    // The copy; a fill that is no picture (or a disabled panel) keeps no hidden picture.
    void read(TColorSpec& fill) const;

    // The palette's buttons, row by row.
    QToolButton* colorButton(int index) const { return buttons_.at(std::size_t(index)); }

    // Called after every change of the copy.
    std::function<void()> onChange;

private:
    void choose(TColor color);
    void showSample();

    TColorSpec fill_;
    std::array<QToolButton*, 40> buttons_{};
    QLabel* sample_ = nullptr;
};

}  // namespace poremi
