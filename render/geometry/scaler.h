#pragma once
// Document units (0.1 mm, 254 to the inch) to device pixels for one drawing surface at a zoom
// factor. The conversions take the surface's resolution on each axis separately (a printer may
// have 1200 × 600 dpi) and compute in 64 bits (printer resolutions at 400 % overflow 32).

#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <array>
#include <cstdint>
#include <functional>

class QPainter;
class QPaintDevice;

namespace poremi {

// Pixels per inch of a surface on each axis.
struct DeviceResolution {
    int x = 96;
    int y = 96;
    friend bool operator==(const DeviceResolution&, const DeviceResolution&) = default;
};

// The screen's logical resolution as the user interface reports it (96 without a screen).
DeviceResolution screenResolution();
// A widget's or pixmap's logical resolution, an image's own resolution (dots per metre), a
// printer's resolution; the screen's where the device reports none.
DeviceResolution deviceResolution(const QPaintDevice& device);

// The zoom steps of the edit screens, in percent.
inline constexpr std::array<int, 7> kZoomSteps{25, 50, 75, 100, 150, 200, 400};
// The smallest step above scale (scale itself beyond the last step).
int nextZoomStep(int scale);
// The largest step below scale (scale itself below the first step).
int previousZoomStep(int scale);

class TScaler {
public:
    // Scale 100 % and one unit per screen pixel (UnitDPI = the screen's vertical resolution).
    TScaler();
    TScaler(const TScaler&) = delete;
    TScaler& operator=(const TScaler&) = delete;

    int scale() const { return scale_; }
    void setScale(int scale);
    // How many logical units make one inch; surfaces that show documents set 254.
    int unitDpi() const { return unitDpi_; }
    void setUnitDpi(int unitDpi);

    // Fired after Scale or UnitDPI really changes, and after assign.
    std::function<void()> OnChange;

    // Copies Scale and UnitDPI, then fires this scaler's OnChange.
    void assign(const TScaler& source);

    // Each coordinate MulDiv(v, devDPI × Scale, UnitDPI × 100), halves away from zero.
    QPoint logToDevPoint(DeviceResolution device, QPoint p) const;
    QPoint logToDevPoint(const QPaintDevice& device, QPoint p) const;
    // The inverse: MulDiv(v, UnitDPI × 100, devDPI × Scale).
    QPoint devToLogPoint(DeviceResolution device, QPoint p) const;
    QPoint devToLogPoint(const QPaintDevice& device, QPoint p) const;
    // Outward: Left/Top v × num div den, Right/Bottom (v × num + den − 1) div den, truncating.
    TRect logToDevRect(DeviceResolution device, const TRect& r) const;
    TRect logToDevRect(const QPaintDevice& device, const TRect& r) const;

    // Lets drawing code issue document units: the painter's window/viewport mapping becomes
    // this scale, keeping the device position that logical (0, 0) had under the old mapping.
    // The world transform is left alone (apply translations and turns in document units after
    // this). resolution 0 takes the painter's device resolution. A font given in points is
    // re-expressed in logical units (height = points × UnitDPI / 72).
    void prepareCanvas(QPainter& painter, int resolution = 0) const;

private:
    void changed();

    int scale_ = 100;
    int unitDpi_ = 96;
};

}  // namespace poremi
