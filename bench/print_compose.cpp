// Composing a job of 100 copies of a two-face CD sheet (text, a gradient and a picture on
// each face) into a PDF file, through face bitmaps and directly, against Qt's own PDF writer
// drawing the same content without composition. Prints pages per second and, at the end,
// the peak memory of the process (VmHWM).

#include "document/model/document_model_classes.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "document/model/rect_object.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "paper/paper_classes.h"
#include "paper/paper_info.h"
#include "print/pdf_sheet_file.h"
#include "print/print_job.h"
#include "print/print_site.h"
#include "render/text/point_based_font.h"
#include "render/text/simple_text.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QLinearGradient>
#include <QtGui/QPdfWriter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

using namespace poremi;

constexpr int kCopies = 100;

// Pages per second measured by each benchmark, for the ratios printed at the end.
std::map<std::string, double> pagesPerSecond;

void note(const char* name, const QElapsedTimer& timer, benchmark::State& state) {
    pagesPerSecond[name] = double(kCopies) * double(state.iterations()) * 1000.0 / std::max<qint64>(timer.elapsed(), 1);
}

// A label's content: a gradient over the face, a photograph and two lines of text.
class TBenchLabel : public TLORectBase {
    POREMI_PERSISTENT(TBenchLabel)
public:
    using TLORectBase::TLORectBase;
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter&) override {}
    static void paintLabel(QPainter& painter, const QRectF& area);

protected:
    void paint(QPainter& painter) override { paintLabel(painter, rect().toQRectF()); }
};

const TClassInfo& TBenchLabel::staticClassInfo() {
    static const TClassInfo info = describeClass<TBenchLabel, TLORectBase>("TBenchLabel");
    return info;
}

const QImage& photograph() {
    static const QImage image = [] {
        QImage made(600, 400, QImage::Format_RGB32);
        quint32 state = 1;
        for (int y = 0; y < made.height(); ++y)
            for (int x = 0; x < made.width(); ++x) {
                state = state * 1664525u + 1013904223u;
                made.setPixel(x, y, qRgb((x + int(state >> 28)) & 0xFF, (y * 2) & 0xFF, int(state >> 24)));
            }
        return made;
    }();
    return image;
}

void TBenchLabel::paintLabel(QPainter& painter, const QRectF& area) {
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0, QColor(30, 60, 200));
    gradient.setColorAt(1, QColor(250, 220, 40));
    painter.fillRect(area, gradient);
    painter.drawImage(QRectF(area.left() + 200, area.top() + 300, 600, 400), photograph());
    TPointBasedFont font;
    font.setName(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setSize(24);
    TSimpleText text;
    text.setFont(font);
    text.setText({QStringLiteral("ぽれみ ベスト・アルバム"), QStringLiteral("2026年12月10日")});
    text.draw(painter, TRect{int(area.left()) + 150, int(area.top()) + 800, int(area.right()) - 150, int(area.bottom()) - 150});
}

void setUpCdSheet(TMatrixPaperInfo& paper) {
    paper.setPaperName(QStringLiteral("A4 CD 2面"));
    paper.setPhysicalSize(2100, 2970);
    paper.setFaceCountX(1);
    paper.setFaceCountY(2);
    paper.setFaceWidth(1200);
    paper.setFaceHeight(1200);
    paper.setLeftOffset(450);
    paper.setTopOffset(200);
    paper.setBottomMargin(170);
    paper.setFaceShape(fsDoughnut);
    paper.setFaceMargin(20);
}

std::unique_ptr<TLabelData> benchDocument() {
    registerDocumentModelClasses();
    registerPaperClasses();
    RegisterClass<TBenchLabel>();
    auto data = std::make_unique<TLabelData>(nullptr);
    TMatrixPaperInfo paper;
    setUpCdSheet(paper);
    data->SetPaper(paper);
    for (int face = 0; face < 2; ++face) {
        TBenchLabel label;
        label.setRect({0, 0, 1240, 1240});
        TDOList list;
        list.add(&label);
        data->SaveLabelObjects(face, list);
    }
    return data;
}

void composeJob(benchmark::State& state, int banding) {
    const auto data = benchDocument();
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("job.pdf"));
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        TPrintSpec spec;
        spec.copies = kCopies;
        spec.printOutlines = true;
        TPrintSite site(*data, spec);
        site.setBanding(banding);
        if (!printToPdf(site, pdf, QStringLiteral("bench"))) state.SkipWithError("aborted");
    }
    state.counters["pages/s"] = benchmark::Counter(double(kCopies) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["MB"] = double(QFile(pdf).size()) / 1e6;
    note(banding == TPrintSite::DrawDirect ? "direct" : "bitmaps", timer, state);
}

void BM_ComposeFaceBitmaps(benchmark::State& state) { composeJob(state, TPrintSite::FaceBitmap); }
BENCHMARK(BM_ComposeFaceBitmaps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_ComposeDirect(benchmark::State& state) { composeJob(state, TPrintSite::DrawDirect); }
BENCHMARK(BM_ComposeDirect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// The same content drawn straight with QPdfWriter: clipped faces, no documents, no objects.
void BM_QtPdfWriterAlone(benchmark::State& state) {
    TMatrixPaperInfo paper;
    setUpCdSheet(paper);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("qt.pdf"));
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        QPdfWriter writer(pdf);
        writer.setResolution(TPdfSheetFile::kDefaultResolution);
        writer.setPageLayout(QPageLayout(pageSizeOfPaper(paper), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        painter.scale(TPdfSheetFile::kDefaultResolution / 254.0, TPdfSheetFile::kDefaultResolution / 254.0);
        for (int copy = 0; copy < kCopies; ++copy) {
            if (copy > 0) writer.newPage();
            for (int face = 0; face < 2; ++face) {
                const TFaceInfo info = paper.getFaceInfo(face);
                painter.save();
                painter.setClipPath(info.clipPath(true));
                TBenchLabel::paintLabel(painter, info.outerRect().toQRectF());
                painter.restore();
            }
        }
    }
    state.counters["pages/s"] = benchmark::Counter(double(kCopies) * state.iterations(), benchmark::Counter::kIsRate);
    note("qt", timer, state);
}
BENCHMARK(BM_QtPdfWriterAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

std::string peakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return line;
    return "VmHWM: unknown";
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double qt = pagesPerSecond["qt"];
    if (qt > 0) {
        for (const char* name : {"bitmaps", "direct"})
            if (pagesPerSecond.count(name))
                std::printf("%s: %.1f pages/s, %.2f × QPdfWriter alone (%.1f pages/s)\n", name, pagesPerSecond[name],
                            pagesPerSecond[name] / qt, qt);
    }
    std::printf("peak memory %s\n", peakMemory().c_str());
    return 0;
}
