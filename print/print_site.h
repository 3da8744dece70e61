#pragma once
// The composition of a print job: every printed face of every copy is loaded from the label
// document, moved onto its place on the sheet, clipped to its face (hole excluded) and
// painted on the canvas, directly or through bitmaps; outlines and cut lines follow on top.

#include "base/progress.h"
#include "document/model/draw_site.h"
#include "document/model/object_list.h"
#include "print/print_job_settings.h"

#include <QtCore/QRect>
#include <QtGui/QImage>
#include <functional>
#include <map>
#include <tuple>

class QPainter;

namespace poremi {

class TFaceInfo;
class TLabelData;
class TPaperInfo;
class TPrintCanvas;

class TPrintSite : public DrawSite {
public:
    // How faces reach the page (the Banding setting).
    enum Banding {
        DrawDirect = 0,      // vector drawing on the page
        FaceBitmap = 1,      // each face rendered at 254 dpi (0.1 mm a pixel)
        PrinterStrips = 2,   // each face rendered at the canvas's resolution, in strips
    };
    // A strip bitmap holds at most this many pixels (under 8 MiB at 24 bits).
    static constexpr int kMaxBandPixels = 2796202;
    // Pixels added around a face's rectangle when it is rendered through a bitmap.
    static constexpr int kBandBorder = 10;

    // The document must have a paper.
    TPrintSite(TLabelData& data, const TPrintSpec& spec);
    ~TPrintSite() override;

    TLabelData& document() const { return data_; }
    const TPrintSpec& spec() const { return spec_; }
    // Any value other than 0 and 1 renders in strips.
    void setBanding(int banding) { banding_ = banding; }
    int banding() const { return banding_; }
    PhasedProgress& progress() { return progress_; }

    // Called with the objects about to be placed (sheet positions, back to front) and the
    // label counter; merge objects take their record here.
    std::function<void(TDOList& objects, qint64 labelCounter)> beforePlacing;
    std::function<void(TDOList& objects, qint64 labelCounter)> afterPlacing;
    // The paper's own design objects of a face (the caller owns them; copies are placed).
    std::function<void(int face, TDOList& objects)> paperImages;
    // Called after every painted object so that the interface stays alive.
    std::function<void()> processMessages;

    // Stops the job at its next test.
    void abort() { aborted_ = true; }
    bool isAborted() const { return aborted_; }
    qint64 labelCounter() const { return labelCounter_; }

    // Instead of the designs, one sheet for measuring a printer through the same path, with the
    // job's adjustment: every face's outline with a crosshair at its centre, and millimetre
    // rulers along the top and left edges (ticks every 1 mm from the sheet's edge, longer every
    // 5 and 10 mm).
    void setCalibrationSheet(bool calibration) { calibration_ = calibration; }

    // Composes the whole job on the canvas; false when it was aborted.
    bool Print(TPrintCanvas& canvas);

    DeviceResolution resolution() const override { return {renderResolution_, renderResolution_}; }

    // Device pixels of the sheet (unturned, unshifted) covering a rectangle of sheet units,
    // rounded outward whatever the signs.
    static QRect deviceRect(const TRect& units, int resolution);
    // Rows of each strip for a band of the given width and height, and the strip count.
    static int bandHeight(int width, int height);
    static int bandCount(int width, int height);

private:
    void PrintSheet(bool firstCopy);
    void PrintFace(int face);
    void DrawFaceMarks(bool firstCopy);
    void PrintCalibrationSheet();

    bool isPrinted(int face, bool firstCopy) const;
    bool hasPaperImages(int face);
    void loadObjects(int face, TDOList& objects);
    // Sets the painter to sheet units: the page turn, the offset and the scale correction.
    void applySheetMapping(QPainter& painter) const;
    void paintObjects(QPainter& painter);
    void renderFaceBitmap(QPainter& page, const TFaceInfo& face);
    void renderStrips(QPainter& page, const TFaceInfo& face);
    // Renders the sheet pixels "pixels" into a bitmap and puts its part "keep" on the page.
    void renderBand(QPainter& page, const QRect& pixels, const QRect& keep);
    // Copies of a sheet mostly repeat their faces: a band equal to the one last drawn at the
    // same place is handed back as that very picture, which the PDF stores only once.
    QImage reusedBand(const QRect& place, QImage band);

    TLabelData& data_;
    const TPaperInfo& paper_;
    TPrintSpec spec_;
    int banding_ = FaceBitmap;
    PhasedProgress progress_;
    bool aborted_ = false;
    bool calibration_ = false;
    qint64 labelCounter_ = 0;
    TPrintCanvas* canvas_ = nullptr;
    int renderResolution_ = 254;
    static constexpr qint64 kBandCacheBytes = 64 << 20;
    std::map<std::tuple<int, int, int, int>, QImage> bandCache_;
    qint64 bandCacheBytes_ = 0;
};

}  // namespace poremi
