#include "render/raster/dib.h"

#include "render/raster/bmp_reader.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace poremi {

int nearestSourceIndex(int start, int length, int i, int n)
{
    return start + int((std::int64_t(length) + 2 * std::int64_t(length) * i) / (2 * std::int64_t(n)));
}

QImage stretchNearest(const QImage& source, const QRect& sourceRect, const QSize& destinationSize,
                      const QRect& visible)
{
    QImage in = source;
    if (in.depth() < 8)
        in = convertImage(in, QImage::Format_Indexed8);
    QImage out = allocateImage(visible.width(), visible.height(), in.format());
    if (in.format() == QImage::Format_Indexed8)
        out.setColorTable(in.colorTable());
    const int bytes = in.depth() / 8;
    std::vector<int> columns(size_t(visible.width()));
    for (int x = 0; x < visible.width(); ++x)
        columns[size_t(x)] = nearestSourceIndex(sourceRect.left(), sourceRect.width(), visible.left() + x,
                                                destinationSize.width());
    for (int y = 0; y < visible.height(); ++y) {
        const int sy = nearestSourceIndex(sourceRect.top(), sourceRect.height(), visible.top() + y,
                                          destinationSize.height());
        const uchar* row = in.constScanLine(std::clamp(sy, 0, in.height() - 1));
        uchar* target = out.scanLine(y);
        for (int x = 0; x < visible.width(); ++x)
            std::memcpy(target + x * bytes, row + std::clamp(columns[size_t(x)], 0, in.width() - 1) * bytes,
                        size_t(bytes));
    }
    return out;
}

bool visibleDeviceRect(const QPainter& painter, const QRect& logical, QRect& device, QRect& visible)
{
    const QTransform t = painter.combinedTransform();
    if (t.type() > QTransform::TxScale)
        return false;
    const QPointF a = t.map(QPointF(logical.left(), logical.top()));
    const QPointF b = t.map(QPointF(logical.left() + logical.width(), logical.top() + logical.height()));
    const int left = int(std::lround(std::min(a.x(), b.x())));
    const int top = int(std::lround(std::min(a.y(), b.y())));
    const int right = int(std::lround(std::max(a.x(), b.x())));
    const int bottom = int(std::lround(std::max(a.y(), b.y())));
    device = QRect(left, top, right - left, bottom - top);
    QRect bounds(0, 0, painter.device()->width(), painter.device()->height());
    if (painter.hasClipping())
        bounds &= t.mapRect(painter.clipBoundingRect()).toAlignedRect();
    visible = device & bounds;
    return true;
}

bool isRasterTarget(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

TDIB TDIB::fromBytes(QByteArrayView bytes)
{
    return TDIB(readBmp(bytes));
}

void TDIB::draw(QPainter& painter, const QRect& destination, const QRect& source) const
{
    if (isEmpty() || (destination.width() == 0 && destination.height() == 0 && source.width() == 0
                      && source.height() == 0))
        return;
    QRect device, visible;
    if (!isRasterTarget(painter) || !visibleDeviceRect(painter, destination, device, visible)) {
        painter.drawImage(QRectF(destination), image_, QRectF(source));
        return;
    }
    if (visible.isEmpty())
        return;
    painter.save();
    painter.resetTransform();
    painter.setViewTransformEnabled(false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (device.size() == source.size())
        painter.drawImage(visible.topLeft(), image_, visible.translated(source.topLeft() - device.topLeft()));
    else
        painter.drawImage(visible.topLeft(),
                          stretchNearest(image_, source, device.size(), visible.translated(-device.topLeft())));
    painter.restore();
}

}  // namespace poremi
