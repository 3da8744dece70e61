#include "document/model/print_target.h"

#include <QtGui/QPaintDevice>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>

namespace poremi {
namespace {

int printRenderings = 0;  // paints happen on the interface thread only

}  // namespace

bool isPrintTarget(const QPainter& painter) {
    if (printRenderings > 0) return true;
    const QPaintDevice* device = painter.device();
    if (device && device->devType() == QInternal::Printer) return true;
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

PrintRendering::PrintRendering() { ++printRenderings; }
PrintRendering::~PrintRendering() { --printRenderings; }

}  // namespace poremi
