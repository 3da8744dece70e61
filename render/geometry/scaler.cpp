#include "render/geometry/scaler.h"

#include "base/arithmetic.h"

#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <algorithm>
#include <limits>
#include <numeric>

namespace poremi {
namespace {

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t scaled(std::int32_t v, std::int64_t num, std::int64_t den) { return saturate(mulDiv64(v, num, den)); }

}  // namespace

DeviceResolution screenResolution() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const int x = qRound(screen->logicalDotsPerInchX());
            const int y = qRound(screen->logicalDotsPerInchY());
            if (x > 0 && y > 0) return {x, y};
        }
    }
    return {};
}

DeviceResolution deviceResolution(const QPaintDevice& device) {
    const int x = device.logicalDpiX();
    const int y = device.logicalDpiY();
    if (x > 0 && y > 0) return {x, y};
    return screenResolution();
}

int nextZoomStep(int scale) {
    for (int step : kZoomSteps)
        if (step > scale) return step;
    return scale;
}

int previousZoomStep(int scale) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < scale) return *it;
    return scale;
}

TScaler::TScaler() : unitDpi_(screenResolution().y) {}

void TScaler::setScale(int scale) {
    if (scale == scale_) return;
    scale_ = scale;
    changed();
}

void TScaler::setUnitDpi(int unitDpi) {
    if (unitDpi == unitDpi_) return;
    unitDpi_ = unitDpi;
    changed();
}

void TScaler::assign(const TScaler& source) {
    scale_ = source.scale_;
    unitDpi_ = source.unitDpi_;
    changed();
}

void TScaler::changed() {
    if (OnChange) OnChange();
}

QPoint TScaler::logToDevPoint(DeviceResolution device, QPoint p) const {
    const std::int64_t den = std::int64_t(unitDpi_) * 100;
    return {scaled(p.x(), std::int64_t(device.x) * scale_, den), scaled(p.y(), std::int64_t(device.y) * scale_, den)};
}

QPoint TScaler::logToDevPoint(const QPaintDevice& device, QPoint p) const {
    return logToDevPoint(deviceResolution(device), p);
}

QPoint TScaler::devToLogPoint(DeviceResolution device, QPoint p) const {
    const std::int64_t den = std::int64_t(unitDpi_) * 100;
    return {scaled(p.x(), den, std::int64_t(device.x) * scale_), scaled(p.y(), den, std::int64_t(device.y) * scale_)};
}

QPoint TScaler::devToLogPoint(const QPaintDevice& device, QPoint p) const {
    return devToLogPoint(deviceResolution(device), p);
}

TRect TScaler::logToDevRect(DeviceResolution device, const TRect& r) const {
    const std::int64_t den = std::int64_t(unitDpi_) * 100;
    const std::int64_t numX = std::int64_t(device.x) * scale_;
    const std::int64_t numY = std::int64_t(device.y) * scale_;
    if (den == 0) return {};
    return {saturate(r.left * numX / den), saturate(r.top * numY / den), saturate((r.right * numX + den - 1) / den),
            saturate((r.bottom * numY + den - 1) / den)};
}

TRect TScaler::logToDevRect(const QPaintDevice& device, const TRect& r) const {
    return logToDevRect(deviceResolution(device), r);
}

void TScaler::prepareCanvas(QPainter& painter, int resolution) const {
    // Where logical (0, 0) lies on the device under the current window/viewport mapping.
    QPoint origin;
    if (painter.viewTransformEnabled()) {
        const QRect window = painter.window();
        const QRect viewport = painter.viewport();
        if (window.width() != 0 && window.height() != 0) {
            origin = QPoint(int(roundHalfEven(viewport.x() - double(window.x()) * viewport.width() / window.width())),
                            int(roundHalfEven(viewport.y() - double(window.y()) * viewport.height() / window.height())));
        }
    }
    const DeviceResolution device =
        resolution != 0 ? DeviceResolution{resolution, resolution} : deviceResolution(*painter.device());
    const std::int64_t b = std::int64_t(unitDpi_) * 100;
    const std::int64_t ax = std::int64_t(device.x) * scale_;
    const std::int64_t ay = std::int64_t(device.y) * scale_;
    const std::int64_t gx = std::gcd(b, ax), gy = std::gcd(b, ay);
    if (gx == 0 || gy == 0) return;
    painter.setWindow(0, 0, saturate(b / gx), saturate(b / gy));
    painter.setViewport(origin.x(), origin.y(), saturate(ax / gx), saturate(ay / gy));
    painter.setViewTransformEnabled(true);

    QFont font = painter.font();
    if (font.pointSizeF() > 0) {
        font.setPixelSize(std::max<int>(1, int(roundHalfEven(font.pointSizeF() * unitDpi_ / 72.0))));
        painter.setFont(font);
    }
}

}  // namespace poremi
