// Memory canvases carry their own resolution; the guards undo what drawing code changes.

#include "render/geometry/scaler.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/canvas_guards.h"
#include "render/raster/memory_canvas.h"
#include "render/raster/pixel_layout.h"

#include <gtest/gtest.h>

using namespace poremi;

TEST(MemoryCanvas, ReportsItsOwnResolutionOrTheReferenceDevices)
{
    QImage band = createWorkBitmap(10, 10);
    TMemoryCanvas canvas(254);
    canvas.selectBitmap(&band);
    EXPECT_EQ(canvas.resolution(), 254);
    EXPECT_EQ(deviceResolution(*canvas.painter().device()).y, 254);
    canvas.release();

    QImage printer(1, 1, QImage::Format_RGB32);
    printer.setDotsPerMeterX(23622);  // 600 dpi
    printer.setDotsPerMeterY(23622);
    TMemoryCanvas referenced;
    referenced.attachReference(&printer);
    EXPECT_EQ(referenced.resolution(), 600);
}

TEST(PrintTargetMark, MarksOnlyWhileItLives)
{
    QImage image(2, 2, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_FALSE(isPrintTarget(painter));
    {
        const TPrintTargetMark mark(&image);
        EXPECT_TRUE(isPrintTarget(painter));
    }
    EXPECT_FALSE(isPrintTarget(painter));
}

TEST(CanvasGuards, RestorePenClipAndMapping)
{
    QImage image(100, 100, QImage::Format_RGB32);
    QImage other(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red));
    painter.scale(2, 2);
    painter.setClipRect(QRect(5, 5, 10, 10));
    {
        TCanvasSaver saver(painter);
        TClipSaver clip(painter);
        TCoordinateMap map(painter);
        painter.setPen(QPen(Qt::green));
        map.useDeviceUnits();
        EXPECT_TRUE(painter.combinedTransform().isIdentity());
        painter.setClipRect(QRect(0, 0, 3, 3));
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    EXPECT_EQ(painter.combinedTransform(), QTransform::fromScale(2, 2));
    EXPECT_EQ(painter.clipBoundingRect().toAlignedRect(), QRect(5, 5, 10, 10));

    TBitmapRelatedDC dc(painter);
    ASSERT_TRUE(dc.isValid());
    EXPECT_EQ(&dc.image(), &image);
    painter.end();
    painter.begin(&other);
    EXPECT_THROW(dc.image(), Exception);
}

TEST(PackedDib, ClipboardBitmapsGetAFileHeader)
{
    QImage source(2, 1, QImage::Format_BGR888);
    source.setPixel(0, 0, qRgb(1, 2, 3));
    source.setPixel(1, 0, qRgb(4, 5, 6));
    const QByteArray packed = writeBmp(source).mid(14);
    const QImage image = readPackedDib(packed);
    EXPECT_EQ(image.pixel(1, 0), qRgb(4, 5, 6));
}
