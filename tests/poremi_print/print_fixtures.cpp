#include "print_fixtures.h"

#include "base/error.h"
#include "document/model/document_model_classes.h"
#include "document/model/object_list.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "paper/paper_classes.h"
#include "paper/paper_info.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace poremi::printtest {

const TClassInfo& TPrintTestBox::staticClassInfo() {
    static const TClassInfo info = describeClass<TPrintTestBox, TLORectBase>("TPrintTestBox", [](auto& c) {
        c.integer("Color", &TPrintTestBox::color, &TPrintTestBox::setColor).defaultValue(0);
        c.boolean("Noise", &TPrintTestBox::noise, &TPrintTestBox::setNoise).defaultValue(false);
        c.boolean("FailPaint", &TPrintTestBox::failPaint, &TPrintTestBox::setFailPaint).defaultValue(false);
    });
    return info;
}

void TPrintTestBox::paint(QPainter& painter) {
    if (failPaint_) throw Exception(QStringLiteral("描画に失敗しました"));
    const QColor color(color_ & 0xFF, (color_ >> 8) & 0xFF, (color_ >> 16) & 0xFF);
    if (!noise_) {
        painter.fillRect(rect().toQRectF(), color);
        return;
    }
    QImage pattern(256, 256, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < pattern.height(); ++y) {
        for (int x = 0; x < pattern.width(); ++x) {
            state = state * 1103515245u + 12345u;
            const int v = int(state >> 24);
            pattern.setPixel(x, y, qRgb(v, (v * 7) & 0xFF, 255 - v));
        }
    }
    painter.drawImage(rect().toQRectF(), pattern);
}

const TClassInfo& TPrintTestMerge::staticClassInfo() {
    static const TClassInfo info = describeClass<TPrintTestMerge, TLORectBase>("TPrintTestMerge", [](auto& c) {
        c.integer("Face", &TPrintTestMerge::face, &TPrintTestMerge::setFace).defaultValue(0);
    });
    return info;
}

std::vector<std::pair<int, qint64>>& TPrintTestMerge::paints() {
    static std::vector<std::pair<int, qint64>> log;
    return log;
}

void registerPrintTestObjects() {
    registerDocumentModelClasses();
    registerPaperClasses();
    RegisterClass<TPrintTestBox>();
    RegisterClass<TPrintTestMerge>();
}

std::unique_ptr<TLabelData> makeDocument(const TPaperInfo& paper) {
    registerPrintTestObjects();
    auto data = std::make_unique<TLabelData>(nullptr);
    data->SetPaper(paper);
    return data;
}

void designFaceBox(TLabelData& data, int face, int color, int overhang, bool noise) {
    const TRect outer = data.Paper()->getFaceOuterRect(face);
    TPrintTestBox box;
    box.setRect({-overhang, -overhang, rectWidth(outer) + overhang, rectHeight(outer) + overhang});
    box.setColor(color);
    box.setNoise(noise);
    TDOList list;
    list.add(&box);
    data.SaveLabelObjects(face, list);
}

std::unique_ptr<TPaperInfo> cdMatrixPaper() {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("CD 2面"));
    paper->setPhysicalSize(1400, 2700);
    paper->setFaceCountX(1);
    paper->setFaceCountY(2);
    paper->setFaceWidth(1200);
    paper->setFaceHeight(1200);
    paper->setLeftOffset(100);
    paper->setTopOffset(100);
    paper->setBottomMargin(100);
    paper->setFaceShape(fsDoughnut);
    paper->setFaceMargin(20);
    return paper;
}

std::unique_ptr<TPaperInfo> mixedLandscapePaper() {
    auto paper = std::make_unique<TFreePaperInfo>();
    paper->setPaperName(QStringLiteral("混在 横"));
    paper->setPhysicalSize(1500, 2100);
    paper->setLandscape(true);
    const auto add = [&paper](TRect rect, TFaceShape shape, int margin) -> TFaceItem& {
        TFaceItem& item = paper->faces().add();
        item.setFaceRect(rect);
        item.setFaceShape(shape);
        item.setFaceMargin(margin);
        return item;
    };
    TFaceItem& barrel = add({150, 120, 1330, 1300}, fsBarrelCD, 20);
    barrel.setCenterShape(csBarrel);
    barrel.setCutCenterWidth(410);
    barrel.setCutCenterHeight(220);
    add({120, 1420, 720, 2000}, fsRoundRect, 30).setRoundSize(150);
    add({820, 1430, 1400, 1990}, fsEllipse, 0);
    return paper;
}

std::unique_ptr<TPaperInfo> rectGridPaper(int columns, int rows, int margin) {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("四角"));
    paper->setPhysicalSize(100 + columns * 450, 100 + rows * 350);
    paper->setFaceCountX(columns);
    paper->setFaceCountY(rows);
    paper->setFaceWidth(400);
    paper->setFaceHeight(300);
    paper->setLeftOffset(50);
    paper->setTopOffset(50);
    paper->setRightMargin(50);
    paper->setBottomMargin(50);
    paper->setFaceShape(fsRect);
    paper->setFaceMargin(margin);
    return paper;
}

QString outputPath(const QString& name) {
    const QString folder = test::outputFolder();
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

QImage rasterize(const QString& pdf, int dpi, int page) {
    const QString prefix = pdf.chopped(4) + QStringLiteral("-p%1").arg(page);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
                                     QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"),
                                     QStringLiteral("-png"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

int pdfPageCount(const QString& pdf) {
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QSizeF pdfPageSize(const QString& pdf) {
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                           .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

namespace {

// pdfimages -list: one row per use of an image, after two heading lines.
QList<QStringList> pdfImageRows(const QString& pdf) {
    QList<QStringList> rows;
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList columns = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() > 10) rows << columns;
    }
    return rows;
}

}  // namespace

QStringList pdfImageEncodings(const QString& pdf) {
    QStringList encodings;
    for (const QStringList& row : pdfImageRows(pdf)) encodings << row[8];
    return encodings;
}

int pdfImageObjects(const QString& pdf) {
    QSet<QString> objects;
    for (const QStringList& row : pdfImageRows(pdf)) objects.insert(row[10]);
    return int(objects.size());
}

QImage expectedFaces(const TPaperInfo& paper, QPoint shift) {
    // The faces where the die cuts them: the paper as it lies in the printer.
    const std::unique_ptr<TPaperInfo> physical = paper.clone();
    physical->setLandscape(false);
    QImage image(physical->physicalWidth(), physical->physicalHeight(), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(shift);
    for (int i = 0; i < physical->getFaceCount(); ++i)
        painter.fillPath(physical->getFaceInfo(i).clipPath(true), Qt::black);
    return image;
}

int misplacedPixels(const QImage& actual, const QImage& expected) {
    const auto dark = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    const int width = std::min(actual.width(), expected.width());
    const int height = std::min(actual.height(), expected.height());
    int misplaced = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool want = dark(expected, x, y);
            if (dark(actual, x, y) == want) continue;
            bool nearEdge = false;
            for (int dy = -1; dy <= 1 && !nearEdge; ++dy)
                for (int dx = -1; dx <= 1 && !nearEdge; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < expected.width() && ny < expected.height())
                        nearEdge = dark(expected, nx, ny) != want;
                }
            if (!nearEdge) ++misplaced;
        }
    }
    return misplaced;
}

}  // namespace poremi::printtest
