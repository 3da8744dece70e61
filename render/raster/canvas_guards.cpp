#include "render/raster/canvas_guards.h"

namespace poremi {

TCanvasSaver::TCanvasSaver(QPainter& painter, bool wholeState)
    : painter_(painter), wholeState_(wholeState), pen_(painter.pen()), brush_(painter.brush()),
      font_(painter.font()), mode_(painter.compositionMode())
{
    if (wholeState_)
        painter_.save();
}

TCanvasSaver::~TCanvasSaver()
{
    if (wholeState_)
        painter_.restore();
    painter_.setPen(pen_);
    painter_.setBrush(brush_);
    painter_.setFont(font_);
    painter_.setCompositionMode(mode_);
}

TClipSaver::TClipSaver(QPainter& painter) : painter_(painter), hadClip_(painter.hasClipping())
{
    if (hadClip_)
        deviceClip_ = painter.combinedTransform().map(painter.clipRegion());
}

TClipSaver::~TClipSaver()
{
    if (!hadClip_) {
        painter_.setClipping(false);
        return;
    }
    const QTransform inverse = painter_.combinedTransform().inverted();
    painter_.setClipRegion(inverse.map(deviceClip_));
}

TCoordinateMap::TCoordinateMap(QPainter& painter)
    : painter_(painter), world_(painter.worldTransform()), worldEnabled_(painter.worldMatrixEnabled()),
      window_(painter.window()), viewport_(painter.viewport()), viewEnabled_(painter.viewTransformEnabled())
{
}

void TCoordinateMap::useDeviceUnits()
{
    painter_.setWorldTransform(QTransform());
    painter_.setViewTransformEnabled(false);
}

void TCoordinateMap::reapply()
{
    painter_.setWindow(window_);
    painter_.setViewport(viewport_);
    painter_.setViewTransformEnabled(viewEnabled_);
    painter_.setWorldTransform(world_);
    painter_.setWorldMatrixEnabled(worldEnabled_);
}

TBitmapRelatedDC::TBitmapRelatedDC(QPainter& painter)
    : painter_(painter),
      image_(painter.device() && painter.device()->devType() == QInternal::Image
                 ? static_cast<QImage*>(painter.device())
                 : nullptr)
{
}

QImage& TBitmapRelatedDC::image()
{
    if (!image_ || painter_.device() != image_)
        throw Exception(QStringLiteral("TDCRelatedBitmap cannot change"));
    return *image_;
}

}  // namespace poremi
