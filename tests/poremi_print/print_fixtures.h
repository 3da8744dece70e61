#pragma once
// What the print tests share: label objects made for them, documents on small papers, and
// the independent PDF tools (pdftoppm, pdfinfo, pdfimages) that read the results.

#include "document/model/label_data.h"
#include "document/model/rect_object.h"
#include "paper/paper_info.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <memory>
#include <utility>
#include <vector>

namespace poremi::printtest {

// A box in one colour (0x00BBGGRR), or in a deterministic noise that no encoder shrinks well;
// FailPaint makes its paint fail.
class TPrintTestBox : public Blendable<TLORectBase> {
    POREMI_PERSISTENT(TPrintTestBox)
public:
    using Blendable::Blendable;
    int color() const { return color_; }
    void setColor(int color) { color_ = color; }
    bool noise() const { return noise_; }
    void setNoise(bool noise) { noise_ = noise; }
    bool failPaint() const { return failPaint_; }
    void setFailPaint(bool fail) { failPaint_ = fail; }
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter& painter) override { painter.drawRect(rect().toQRectF()); }

protected:
    void paint(QPainter& painter) override;

private:
    int color_ = 0;
    bool noise_ = false;
    bool failPaint_ = false;
};

// A merge field: the before-placing hook gives it its record; every paint is logged with the
// face its design was made for.
class TPrintTestMerge : public TLORectBase {
    POREMI_PERSISTENT(TPrintTestMerge)
public:
    using TLORectBase::TLORectBase;
    int face() const { return face_; }
    void setFace(int face) { face_ = face; }
    qint64 record = -1;
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter&) override {}

    // (face, record) of every paint, in order.
    static std::vector<std::pair<int, qint64>>& paints();

protected:
    void paint(QPainter&) override { paints().emplace_back(face_, record); }

private:
    int face_ = 0;
};

void registerPrintTestObjects();

// A document on a copy of the paper, with no designs yet.
std::unique_ptr<TLabelData> makeDocument(const TPaperInfo& paper);
// Stores a box covering the face's outer rectangle and `overhang` units around it.
void designFaceBox(TLabelData& data, int face, int color, int overhang = 50, bool noise = false);

// A vertical sheet 140 × 270 mm with two CD faces (with holes), 2 mm bleed.
std::unique_ptr<TPaperInfo> cdMatrixPaper();
// A landscape sheet, 150 × 210 mm as it lies in the printer, with a barrel CD face (barrel
// hole), a rounded rectangle and an ellipse.
std::unique_ptr<TPaperInfo> mixedLandscapePaper();
// A sheet of rectangular faces in a grid, every face 40 × 30 mm, with the given bleed.
std::unique_ptr<TPaperInfo> rectGridPaper(int columns, int rows, int margin);

// The folder for the test's files, below the build's test output.
QString outputPath(const QString& name);

// Page `page` (from 1) of the PDF as a picture at the resolution (pdftoppm).
QImage rasterize(const QString& pdf, int dpi = 254, int page = 1);
// pdfinfo's page count; −1 when it fails.
int pdfPageCount(const QString& pdf);
// pdfinfo's page size in points.
QSizeF pdfPageSize(const QString& pdf);
// The "enc" column of every image pdfimages lists.
QStringList pdfImageEncodings(const QString& pdf);
// The number of distinct image objects behind those uses.
int pdfImageObjects(const QString& pdf);

// Where the faces of a sheet print, in the page's physical (portrait) pixels at 254 dpi:
// white page, faces black with their holes white, shifted by (dx, dy) pixels.
QImage expectedFaces(const TPaperInfo& paper, QPoint shift);
// The pixels where two pictures of the same size disagree (dark below 128 against light)
// further than one pixel from an edge of `expected`.
int misplacedPixels(const QImage& actual, const QImage& expected);

}  // namespace poremi::printtest
