#pragma once
// A label sheet as a picture, in the sheet's own orientation, transparent or white where
// nothing is printed.

#include "print/print_canvas.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace poremi {

class TPaperInfo;

class TSheetImage : public TPrintCanvas {
public:
    static constexpr int kDefaultResolution = 254;  // one pixel is 0.1 mm

    // Fails with "メモリが不足しています" when the picture would be too large.
    TSheetImage(const TPaperInfo& paper, int resolution, bool whiteBackground);

    QPainter& painter() override { return painter_; }
    int resolution() const override { return resolution_; }
    // One sheet only: later copies paint over it.
    void newPage() override {}
    bool turnsLandscape() const override { return false; }

    // Ends painting; the picture is complete afterwards.
    const QImage& finish();
    // Writes the finished picture as PNG, replacing the file only when complete.
    void savePng(const QString& fileName);

private:
    int resolution_;
    QImage image_;
    QPainter painter_;
};

}  // namespace poremi
