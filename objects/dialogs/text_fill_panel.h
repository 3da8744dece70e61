#pragma once
// The fill panel of the text pages: edits its own copy of a fill as a palette colour or a
// gradient of two to seven stops in one of the ten directions. A loaded picture fill can be
// kept as it is; choosing a picture is left to the picture chooser.

#include "render/raster/fill_color.h"

#include <QtWidgets/QWidget>
#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QSpinBox;
class QStackedWidget;

namespace poremi {

class ColorButton;
class TColGrid;

class TextFillPanel : public QWidget {
    Q_OBJECT
public:
    explicit TextFillPanel(QWidget* parent = nullptr);

    void load(const TColorSpec& fill);
    // The edited copy; a fill that is no picture fill keeps no hidden picture.
    const TColorSpec& fill();
    // The user changed the fill since it was loaded (a fill left alone is kept as stored,
    // gradients the panel cannot show included).
    bool isChanged() const { return changed_; }

    static constexpr int kMaxStops = 7;

signals:
    void changed();

private:
    void setKind(TColorSpecKind kind);
    void setStopCount(int count);
    void showColor();
    void showStops();

    TColorSpec fill_;
    QButtonGroup* modes_;
    QStackedWidget* pages_;
    TColGrid* grid_;
    QLabel* sample_;
    QSpinBox* stopCount_;
    std::array<ColorButton*, kMaxStops> stops_{};
    QComboBox* direction_;
    bool changed_ = false;
};

}  // namespace poremi
