#pragma once
// Scope objects that undo what drawing code does to a painter: pen, brush, font and copy
// mode (or the whole state), the clip region, and the coordinate mapping.

#include "base/error.h"

#include <QtGui/QBrush>
#include <QtGui/QFont>
#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <QtGui/QRegion>
#include <QtGui/QTransform>

namespace poremi {

class TCanvasSaver {
public:
    // wholeState also saves and restores everything else the painter holds.
    explicit TCanvasSaver(QPainter& painter, bool wholeState = false);
    ~TCanvasSaver();
    TCanvasSaver(const TCanvasSaver&) = delete;
    TCanvasSaver& operator=(const TCanvasSaver&) = delete;

private:
    QPainter& painter_;
    bool wholeState_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QPainter::CompositionMode mode_;
};

class TClipSaver {
public:
    explicit TClipSaver(QPainter& painter);
    ~TClipSaver();
    TClipSaver(const TClipSaver&) = delete;
    TClipSaver& operator=(const TClipSaver&) = delete;

private:
    QPainter& painter_;
    bool hadClip_;
    QRegion deviceClip_;  // kept in device units so a changed mapping cannot move it
};

class TCoordinateMap {
public:
    explicit TCoordinateMap(QPainter& painter);
    ~TCoordinateMap() { reapply(); }
    TCoordinateMap(const TCoordinateMap&) = delete;
    TCoordinateMap& operator=(const TCoordinateMap&) = delete;

    // Identity mapping, origins 0: coordinates are device pixels.
    void useDeviceUnits();
    // The remembered mapping again.
    void reapply();

private:
    QPainter& painter_;
    QTransform world_;
    bool worldEnabled_;
    QRect window_;
    QRect viewport_;
    bool viewEnabled_;
};

// Direct pixel access to the image a painter draws into. Raises "TDCRelatedBitmap cannot
// change" when the painter has been moved to another device meanwhile.
class TBitmapRelatedDC {
public:
    explicit TBitmapRelatedDC(QPainter& painter);
    bool isValid() const { return image_ != nullptr; }
    QImage& image();

private:
    QPainter& painter_;
    QImage* image_;
};

}  // namespace poremi
