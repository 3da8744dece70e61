// Printing from the main window as a user does it: the dialog, the PDF file question, the
// progress window with its abort question, the print time the date objects show, and the
// printer setup with the status bar.

#include "app/module/class_registration.h"
#include "app/screens/print_from_window.h"
#include "base/datetime.h"
#include "base/user_interface.h"
#include "document/model/object_list.h"
#include "objects/text_date_object.h"
#include "paper/paper_info.h"
#include "print/dialog/print_dialog.h"
#include "print/dialog/print_progress_window.h"
#include "tests/poremi_app/window_fixture.h"

#include <QtCore/QDateTime>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <functional>

namespace poremi {
namespace {

// Runs `step` on the first visible widget of type T once one appears while the window works.
template <class T>
void whenShown(std::function<void(T&)> step) {
    auto* poll = new QTimer;
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<T*>(widget);
            if (shown && shown->isVisible()) {
                poll->stop();
                poll->deleteLater();
                step(*shown);
                return;
            }
        }
    });
    poll->start();
}

template <class T>
T* control(QWidget& parent, const QString& text) {
    for (T* child : parent.findChildren<T*>())
        if (child->text() == text) return child;
    ADD_FAILURE() << "no control " << text.toStdString();
    return nullptr;
}

// Chooses the PDF destination, marks outlines and starts the job.
void startPdfJob(PrintDialog& dialog) {
    auto* destination = dialog.findChild<QComboBox*>();
    destination->setCurrentIndex(destination->findText(PrintDialog::pdfDestination()));
    control<QCheckBox>(dialog, QStringLiteral("ラベル枠線を印刷(&F)"))->setChecked(true);
    control<QPushButton>(dialog, QStringLiteral("印刷開始"))->click();
}

// The page of a PDF at 254 dpi, one pixel a sheet unit (pdftoppm).
QImage rasterize(const QString& pdf) {
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("page"));
    QProcess tool;
    tool.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                                            QStringLiteral("-singlefile"), pdf, prefix});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {};
    return QImage(prefix + QStringLiteral(".png"));
}

bool darkNear(const QImage& page, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx)
        if (page.valid(x + dx, y) && qGray(page.pixel(x + dx, y)) < 128) return true;
    return false;
}

class PrintWindowTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registerAllClasses();
        window->printing().setPrinterList([this] { return printers; });
        window->printing().setPrinterSetup([this](const QString& printer) { setups << printer; });
        window->startWith(QString());
        pdf = document(QStringLiteral("sheet.pdf"));
    }

    // A date on face 0 that follows the print time (designs lie relative to their face).
    void putPrintDate() {
        auto* date = new TLODate;
        date->setFormat(QStringLiteral("yyyy/mm/dd hh:nn"));
        date->setUpdateFlag(dufPrint);
        date->setRect({100, 100, 900, 300});
        TDOList list;
        list.add(date);
        window->document().SaveLabelObjects(0, list);
        list.freeAll();
    }
    double printDateShown() {
        TDOList list;
        window->document().LoadLabelObjects(0, list);
        double shown = -1;
        for (TDrawObject* object : list.items())
            if (auto* date = dynamic_cast<TLODate*>(object)) shown = date->date();
        list.freeAll();
        return shown;
    }

    QStringList printers;
    QStringList setups;
    QString pdf;
};

TEST_F(PrintWindowTest, PrintsTheDocumentToTheChosenPdfFileAndNotesThePrintTime) {
    putPrintDate();
    window->document().setLastPrint(1000.5);
    const double before = toDateTimeValue(QDateTime::currentDateTime().addSecs(-1));
    ui.answerFile(pdf);
    whenShown<PrintDialog>(startPdfJob);
    ASSERT_TRUE(window->action(QStringLiteral("actPrint"))->isEnabled());
    window->action(QStringLiteral("actPrint"))->trigger();

    ASSERT_EQ(ui.fileQuestions().size(), 1);
    const FileQuestion& asked = ui.fileQuestions().first();
    EXPECT_EQ(asked.kind, FileQuestion::Kind::Save);
    EXPECT_EQ(asked.defaultExtension, QStringLiteral("pdf"));
    EXPECT_EQ(asked.fileName, QStringLiteral("新規作成.pdf"));
    EXPECT_TRUE(asked.overwritePrompt);
    EXPECT_TRUE(ui.questions().isEmpty()) << ui.texts().join(QLatin1Char('\n')).toStdString();

    // The job's time is the document's print time, and the print date shows it.
    const double printed = window->document().lastPrint();
    EXPECT_GE(printed, before);
    EXPECT_LE(printed, toDateTimeValue(QDateTime::currentDateTime().addSecs(1)));
    EXPECT_EQ(printDateShown(), printed);

    const QImage page = rasterize(pdf);
    ASSERT_FALSE(page.isNull()) << "pdftoppm could not read " << pdf.toStdString();
    page.save(test::outputFolder() + QStringLiteral("/print_window_page.png"));
    const TPaperInfo& paper = *window->document().Paper();
    ASSERT_FALSE(paper.landscape());
    EXPECT_NEAR(page.width(), paper.physicalWidth(), 2);
    EXPECT_NEAR(page.height(), paper.physicalHeight(), 2);
    // The outline of every face lies on its outer rectangle; inside the face stays white.
    for (int face = 0; face < paper.getFaceCount(); ++face) {
        SCOPED_TRACE(face);
        const TRect outer = paper.getFaceOuterRect(face);
        const int middle = (outer.top + outer.bottom) / 2;
        EXPECT_TRUE(darkNear(page, outer.left, middle));
        EXPECT_TRUE(darkNear(page, outer.right, middle));
        EXPECT_FALSE(darkNear(page, outer.left + 30, middle));
    }
}

TEST_F(PrintWindowTest, AnAbortedJobLeavesTheEarlierFileAndPrintTime) {
    putPrintDate();
    {
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    window->document().setLastPrint(1000.5);
    ui.answerFile(pdf);
    ui.answer(mrOk);
    whenShown<PrintDialog>([](PrintDialog& dialog) {
        // Closing the progress window asks; OK aborts the job at its next test.
        whenShown<PrintProgressWindow>([](PrintProgressWindow& progress) { progress.close(); });
        startPdfJob(dialog);
    });
    EXPECT_FALSE(window->print());

    EXPECT_TRUE(ui.texts().contains(QStringLiteral("印刷を中断しますか？"))) << ui.texts().join(QLatin1Char('\n')).toStdString();
    QFile earlier(pdf);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
    EXPECT_EQ(QDir(root + QStringLiteral("/documents")).entryList(QDir::Files), QStringList{QStringLiteral("sheet.pdf")});
    EXPECT_EQ(window->document().lastPrint(), 1000.5);
    EXPECT_EQ(printDateShown(), 1000.5);
}

TEST_F(PrintWindowTest, CancellingTheDialogOrTheFileQuestionPrintsNothing) {
    window->document().setLastPrint(1000.5);
    whenShown<PrintDialog>([](PrintDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(window->print());
    EXPECT_TRUE(ui.fileQuestions().isEmpty());

    ui.cancelFile();
    whenShown<PrintDialog>(startPdfJob);
    EXPECT_FALSE(window->print());
    EXPECT_EQ(ui.fileQuestions().size(), 1);

    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(window->document().lastPrint(), 1000.5);
}

TEST_F(PrintWindowTest, ThePrintDialogOffersThePrintersAndPdfAndHandsOnTheSetup) {
    printers = {QStringLiteral("Office"), QStringLiteral("Lab")};
    QStringList offered;
    whenShown<PrintDialog>([&offered](PrintDialog& dialog) {
        auto* destination = dialog.findChild<QComboBox*>();
        for (int i = 0; i < destination->count(); ++i) offered << destination->itemText(i);
        destination->setCurrentIndex(1);
        control<QPushButton>(dialog, QStringLiteral("プリンタ設定"))->click();
        destination->setCurrentIndex(2);
        control<QPushButton>(dialog, QStringLiteral("プリンタ設定"))->click();
        dialog.reject();
    });
    window->print();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Office"), QStringLiteral("Lab"), QStringLiteral("PDFファイル")}));
    EXPECT_EQ(setups, (QStringList{QStringLiteral("Lab"), QString()}));
}

TEST_F(PrintWindowTest, TheStatusBarFollowsWhetherAPrinterIsSetUp) {
    // A printer was there at start; the setup removes it, then another one is added.
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("PrinterStatus")), nullptr);
    window->action(QStringLiteral("actPrinterSetup"))->trigger();
    EXPECT_EQ(setups, QStringList{QString()});
    auto* status = window->findChild<QLabel*>(QStringLiteral("PrinterStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(status->isHidden());
    EXPECT_EQ(status->text(), QStringLiteral("通常使うプリンタがセットされていません"));

    printers = {QStringLiteral("Office")};
    window->printerSetup();
    EXPECT_TRUE(status->isHidden());
    EXPECT_TRUE(ui.questions().isEmpty());
}

}  // namespace
}  // namespace poremi
