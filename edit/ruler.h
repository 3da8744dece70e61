#pragma once
// A millimetre ruler beside a draw site, with a marker for the pointer and a band for the
// selection.

#include "render/geometry/scaler.h"

#include <QtGui/QColor>
#include <QtWidgets/QWidget>
#include <optional>

namespace poremi {

class TRuler : public QWidget {
    Q_OBJECT
public:
    enum Kind { rkHorizontal, rkVertical };

    explicit TRuler(Kind kind = rkHorizontal, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    // Percent.
    int scale() const { return scale_; }
    void setScale(int scale);
    bool printNum() const { return printNum_; }
    void setPrintNum(bool printNum);
    // Depth of the 5 mm and the 1 mm ticks in percent of the ruler's depth (less the labels).
    int percentage5() const { return percentage5_; }
    void setPercentage5(int percent);
    int percentage1() const { return percentage1_; }
    void setPercentage1(int percent);
    // Pixels from the ruler's start to its 0 mm.
    int rulerOffset() const { return rulerOffset_; }
    void setRulerOffset(int pixels);
    // Millimetres.
    int rulerLength() const { return rulerLength_; }
    void setRulerLength(int millimetres);
    QColor color() const { return color_; }
    void setColor(QColor color);
    QColor endColor() const { return endColor_; }
    // A background gradient from Color when it differs.
    void setEndColor(QColor color);
    // A fixed resolution instead of the screen's.
    void setResolution(DeviceResolution resolution);

    // Pixels from the ruler's start of a position in document units.
    int pixelOf(int units) const;
    // Document units at a pixel from the ruler's start.
    int unitsAt(int pixel) const;

    // The pointer's position in document units; none hides the marker.
    void setPointer(std::optional<int> units);
    std::optional<int> pointer() const { return pointer_; }
    // The selection's extent in document units; none hides the band.
    void setSelection(std::optional<std::pair<int, int>> units);

    QSize sizeHint() const override;

signals:
    // A press on the ruler that may become a new guide, in document units along the ruler.
    void guidePressed(int units, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int along(QPoint p) const { return kind_ == rkHorizontal ? p.x() : p.y(); }
    int length() const { return kind_ == rkHorizontal ? width() : height(); }
    int depth() const { return kind_ == rkHorizontal ? height() : width(); }
    void paintTicks(QPainter& painter) const;

    Kind kind_;
    int scale_ = 100;
    bool printNum_ = true;
    int percentage5_ = 100;
    int percentage1_ = 75;
    int rulerOffset_ = 0;
    int rulerLength_ = 10;
    QColor color_;
    QColor endColor_;
    std::optional<DeviceResolution> resolution_;  // none: the screen's
    std::optional<int> pointer_;
    std::optional<std::pair<int, int>> selection_;
};

}  // namespace poremi
