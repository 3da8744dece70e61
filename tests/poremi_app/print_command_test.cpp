// The printing commands as a user runs them: a saved document printed to PDF or exported as
// a picture, read back with poppler; bad arguments leave no output behind.

#include "app/cli/commands.h"
#include "app/module/main_data_module.h"
#include "base/error.h"
#include "core/app_frame.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "objects/jan_object.h"
#include "paper/paper_info.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtGui/QImage>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// Two CD faces on a 140 × 270 mm sheet; a barcode on face 0 only.
class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override {
        FrameEnvironment env;
        env.executablePath = test::freshFolder(QStringLiteral("program")) + QStringLiteral("/poremi");
        env.appDataFolder = test::freshFolder(QStringLiteral("user"));
        env.version = QVersionNumber({0, 1});
        module_ = std::make_unique<MainDataModule>(env);
        folder_ = test::outputFolder() + QStringLiteral("/print_command");
        QDir().mkpath(folder_);
        document_ = folder_ + QStringLiteral("/barcode.lbx");

        TMatrixPaperInfo paper;
        paper.setPaperName(QStringLiteral("CD 2面"));
        paper.setPhysicalSize(1400, 2700);
        paper.setFaceCountX(1);
        paper.setFaceCountY(2);
        paper.setFaceWidth(1200);
        paper.setFaceHeight(1200);
        paper.setLeftOffset(100);
        paper.setTopOffset(100);
        paper.setBottomMargin(100);
        paper.setFaceShape(fsDoughnut);
        paper.setFaceMargin(20);
        TLabelData data(nullptr);
        data.SetPaper(paper);
        TLOJANCode code;
        code.setRect({300, 150, 900, 350});
        code.setJANCode(QStringLiteral("4901234567894"));
        TDOList list;
        list.add(&code);
        data.SaveLabelObjects(0, list);
        data.SaveToFile(document_);
    }

    QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    std::unique_ptr<MainDataModule> module_;
    QString folder_;
    QString document_;
};

QString toolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Dark pixels of the picture inside a rectangle of 0.1 mm units at 254 dpi.
int darkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
}

TEST_F(PrintCommand, PrintsTheCopiesToAPdfFile) {
    const QString pdf = path(QStringLiteral("two_copies.pdf"));
    QFile::remove(pdf);
    EXPECT_EQ(runPrintCommand({document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--copies"), QStringLiteral("2"),
                               QStringLiteral("--outlines")}),
              0);
    const QString info = toolOutput(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    toolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-singlefile"),
                                            QStringLiteral("-png"), pdf, path(QStringLiteral("two_copies"))});
    const QImage page(path(QStringLiteral("two_copies.png")));
    ASSERT_FALSE(page.isNull());
    // The barcode lies on face 0 (its design moved by the face's place); face 1 shows only its outline.
    EXPECT_GT(darkPixels(page, QRect(80 + 300, 80 + 150, 600, 200)), 20000);
    EXPECT_EQ(darkPixels(page, QRect(80 + 300, 1380 + 150, 600, 200)), 0);
}

TEST_F(PrintCommand, ExportsTheSheetAsAPicture) {
    const struct {
        QStringList options;
        QSize size;
        bool white;
    } cases[] = {
        {{}, QSize(1400, 2700), false},
        {{QStringLiteral("--dpi"), QStringLiteral("127"), QStringLiteral("--background"), QStringLiteral("white")},
         QSize(700, 1350), true},
    };
    for (const auto& c : cases) {
        const QString png = path(QStringLiteral("sheet_%1.png").arg(c.size.width()));
        EXPECT_EQ(runExportPngCommand(QStringList{document_, png} + c.options), 0);
        const QImage image(png);
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(image.pixel(0, 0), c.white ? qRgba(255, 255, 255, 255) : qRgba(0, 0, 0, 0));
        const int scale = 1400 / c.size.width();
        EXPECT_GT(darkPixels(image, QRect((80 + 300) / scale, (80 + 150) / scale, 600 / scale, 200 / scale)),
                  20000 / (scale * scale));
    }
}

TEST_F(PrintCommand, BadArgumentsFailWithoutOutput) {
    const QString pdf = path(QStringLiteral("never.pdf"));
    const QList<QStringList> cases = {
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--copies"), QStringLiteral("0")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--copies"), QStringLiteral("100")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--faces"), QStringLiteral("0,2")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--first"), QStringLiteral("2")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--offset"), QStringLiteral("100,0")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--offset"), QStringLiteral("1.25,0")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--printer"), QStringLiteral("x")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--sheet"), QStringLiteral("ありません")},
        {document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--copies")},
        {path(QStringLiteral("missing.lbx")), QStringLiteral("--pdf"), pdf},
        {QStringLiteral("--pdf"), pdf},
    };
    for (const QStringList& arguments : cases) {
        QFile::remove(pdf);
        EXPECT_THROW(runPrintCommand(arguments), Exception) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << arguments.join(u' ').toStdString();
    }
}

TEST_F(PrintCommand, ChecksTheOffsetAndFacesItIsGiven) {
    const QString pdf = path(QStringLiteral("offset.pdf"));
    // Face 1 only, moved 1.5 mm left and 0.5 mm down: its outline's top lies at 138.5 mm − 2 mm bleed.
    EXPECT_EQ(runPrintCommand({document_, QStringLiteral("--pdf"), pdf, QStringLiteral("--faces"), QStringLiteral("1"),
                               QStringLiteral("--offset"), QStringLiteral("-1.5,0.5"), QStringLiteral("--outlines")}),
              0);
    toolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-singlefile"),
                                            QStringLiteral("-png"), pdf, path(QStringLiteral("offset"))});
    const QImage page(path(QStringLiteral("offset.png")));
    ASSERT_FALSE(page.isNull());
    int top = -1;
    for (int y = 1370; y < 1400 && top < 0; ++y)
        if (qGray(page.pixel(700 - 15, y)) < 160) top = y;
    EXPECT_NEAR(top, 1380 + 5, 1);
    // Face 0 was not printed: neither its barcode nor its outline.
    EXPECT_EQ(darkPixels(page, QRect(0, 0, 1400, 1350)), 0);
}

TEST_F(PrintCommand, WithoutAnyPrinterSaysSo) {
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    try {
        runPrintCommand({document_});
        ADD_FAILURE() << "printed without a printer";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), ExpandMacros(QStringLiteral("$(SysMsgNotDefaultPrinter)")));
    }
    qunsetenv("CUPS_SERVER");
}

}  // namespace
}  // namespace poremi
