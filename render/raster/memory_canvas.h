#pragma once
// A canvas over a bitmap that carries its own resolution, so that document units can be
// rendered at any pixel density (print bands at 254 dpi, previews at the screen's).

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <memory>

namespace poremi {

class TMemoryCanvas {
public:
    // resolution 0: that of the reference device (the screen's unless another is attached).
    explicit TMemoryCanvas(int resolution = 0) : resolution_(resolution) {}
    ~TMemoryCanvas() { release(); }
    TMemoryCanvas(const TMemoryCanvas&) = delete;
    TMemoryCanvas& operator=(const TMemoryCanvas&) = delete;

    // The device whose resolution applies when the canvas has none of its own (e.g. the printer).
    void attachReference(const QPaintDevice* device) { reference_ = device; }
    // Paints into bitmap from now on; the bitmap takes the canvas's resolution.
    void selectBitmap(QImage* bitmap);
    void release();

    QPainter& painter() { return *painter_; }
    bool isActive() const { return painter_ != nullptr; }
    int resolution() const;

private:
    int resolution_;
    const QPaintDevice* reference_ = nullptr;
    QImage* bitmap_ = nullptr;
    std::unique_ptr<QPainter> painter_;
};

// Marks a paint device as print output for as long as the object lives: fills then render
// the way they do for printers (resampled gradients instead of stretched ones).
class TPrintTargetMark {
public:
    explicit TPrintTargetMark(const QPaintDevice* device);
    ~TPrintTargetMark();
    TPrintTargetMark(const TPrintTargetMark&) = delete;
    TPrintTargetMark& operator=(const TPrintTargetMark&) = delete;

private:
    const QPaintDevice* device_;
};

// Marks every paint of its lifetime as print output, whatever the device (a whole print job,
// whose bitmaps are composed for the printer).
class PrintRendering {
public:
    PrintRendering();
    ~PrintRendering();
    PrintRendering(const PrintRendering&) = delete;
    PrintRendering& operator=(const PrintRendering&) = delete;
};

// Printers, PDF output, devices marked as print output and any device while a PrintRendering
// is alive.
bool isPrintTarget(const QPainter& painter);

}  // namespace poremi
