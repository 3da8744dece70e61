#include "render/raster/memory_canvas.h"

#include "render/geometry/scaler.h"

#include <QtGui/QPaintDevice>
#include <QtGui/QPaintEngine>

#include <algorithm>
#include <cmath>
#include <vector>

namespace poremi {

namespace {

std::vector<const QPaintDevice*>& markedPrintTargets()
{
    static std::vector<const QPaintDevice*> devices;
    return devices;
}

int printRenderings = 0;  // paints happen on the interface thread only

}  // namespace

void TMemoryCanvas::selectBitmap(QImage* bitmap)
{
    release();
    bitmap_ = bitmap;
    if (!bitmap_)
        return;
    const int dpi = resolution();
    const int perMetre = int(std::lround(dpi / 0.0254));
    bitmap_->setDotsPerMeterX(perMetre);
    bitmap_->setDotsPerMeterY(perMetre);
    painter_ = std::make_unique<QPainter>(bitmap_);
}

void TMemoryCanvas::release()
{
    painter_.reset();
    bitmap_ = nullptr;
}

int TMemoryCanvas::resolution() const
{
    if (resolution_ != 0)
        return resolution_;
    return reference_ ? deviceResolution(*reference_).y : screenResolution().y;
}

TPrintTargetMark::TPrintTargetMark(const QPaintDevice* device) : device_(device)
{
    markedPrintTargets().push_back(device);
}

TPrintTargetMark::~TPrintTargetMark()
{
    auto& devices = markedPrintTargets();
    devices.erase(std::find(devices.begin(), devices.end(), device_));
}

PrintRendering::PrintRendering()
{
    ++printRenderings;
}

PrintRendering::~PrintRendering()
{
    --printRenderings;
}

bool isPrintTarget(const QPainter& painter)
{
    if (printRenderings > 0)
        return true;
    const QPaintDevice* device = painter.device();
    if (!device)
        return false;
    const QPaintEngine* engine = painter.paintEngine();
    if (device->devType() == QInternal::Printer || (engine && engine->type() == QPaintEngine::Pdf))
        return true;
    const auto& devices = markedPrintTargets();
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

}  // namespace poremi
