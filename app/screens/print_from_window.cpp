#include "app/screens/print_from_window.h"

#include "app/screens/print_paper_images.h"
#include "base/datetime.h"
#include "base/error.h"
#include "base/format.h"
#include "base/user_interface.h"
#include "core/app_frame.h"
#include "core/settings.h"
#include "document/model/label_data.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"
#include "print/cups_printers.h"
#include "print/dialog/print_progress_window.h"
#include "print/print_job.h"
#include "print/print_site.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

namespace poremi {
namespace {

const QString kPdfTitle = QStringLiteral("PDFファイルに印刷");
const QString kPdfFilter = QStringLiteral("PDFファイル (*.pdf)|*.pdf");

void tell(const QString& text) {
    userInterface().messageBox(ExpandMacros(QStringLiteral("$(AppName)")), text, {MessageButton::Ok}, 0, 0);
}

}  // namespace

QStringList printerQueueNames() {
    QStringList names;
    for (const PrinterQueue& queue : printerQueues()) {
        if (queue.isDefault)
            names.prepend(queue.name);
        else
            names.append(queue.name);
    }
    return names;
}

void openPrinterSetup(const QString& printer) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("system-config-printer"));
    if (!tool.isEmpty() && QProcess::startDetached(tool, {})) return;
    const QString page = printer.isEmpty() ? QStringLiteral("http://localhost:631/printers/")
                                           : QStringLiteral("http://localhost:631/printers/") + QUrl::toPercentEncoding(printer);
    QDesktopServices::openUrl(QUrl(page));
}

WindowPrinting::WindowPrinting(QWidget* parent)
    : parent_(parent), printerList_(printerQueueNames), printerSetup_(openPrinterSetup) {}

bool WindowPrinting::print(TLabelData& document, const QString& name) {
    const TPaperInfo* paper = document.Paper();
    if (!paper) return false;
    const bool paperImages = PrintPaperImages::anyFace(document.ImagePaperInfo(), *paper);
    PrintDialog dialog(*paper, printers(), paperImages, state_, parent_);
    QObject::connect(&dialog, &PrintDialog::printerSetupRequested, &dialog,
                     [this](const QString& printer) {
                         // The PDF entry is no queue: the setup then shows them all.
                         showPrinterSetup(printer == PrintDialog::pdfDestination() ? QString() : printer);
                     });
    if (dialog.exec() != QDialog::Accepted) return false;

    QString pdfFile;
    if (dialog.destination() == PrintDialog::pdfDestination()) {
        pdfFile = askPdfFile(name);
        if (pdfFile.isEmpty()) return false;
    }
    const QString title = format(ExpandMacros(QStringLiteral("$(PrintTitleFormat)")), {name});
    return runJob(document, dialog, pdfFile, title);
}

QString WindowPrinting::askPdfFile(const QString& name) const {
    FileQuestion question;
    question.kind = FileQuestion::Kind::Save;
    question.title = kPdfTitle;
    question.filter = kPdfFilter;
    question.defaultExtension = QStringLiteral("pdf");
    question.fileName = QFileInfo(name).completeBaseName() + QStringLiteral(".pdf");
    question.overwritePrompt = true;
    const auto answer = userInterface().askFileName(question);
    return answer ? answer->fileName : QString();
}

bool WindowPrinting::runJob(TLabelData& document, const PrintDialog& dialog, const QString& pdfFile,
                            const QString& title) {
    const bool calibration = dialog.calibrationRequested();
    const double earlierPrint = document.lastPrint();
    // The date objects that follow the print time show this job's time.
    if (!calibration) document.setLastPrint(toDateTimeValue(QDateTime::currentDateTime()));

    bool delivered = false;
    try {
        const TPrintSpec spec = dialog.spec();
        PrintPaperImages images(document.ImagePaperInfo(), *document.Paper());
        TPrintSite site(document, spec);
        site.setBanding(setting::read(setting::Banding));
        site.setCalibrationSheet(calibration);
        site.paperImages = [&images](int face, TDOList& objects) { images.addTo(face, objects); };
        PrintProgressWindow progress(site, parent_);
        progress.setModal(true);
        progress.show();
        site.processMessages = [] { QCoreApplication::processEvents(); };
        try {
            delivered = pdfFile.isEmpty() ? printToPrinter(site, dialog.destination(), title)
                                          : printToPdf(site, pdfFile, title);
        } catch (...) {
            progress.finish();
            throw;
        }
        progress.finish();
    } catch (const Exception& error) {
        tell(error.message());
    } catch (const std::exception& error) {
        tell(QString::fromUtf8(error.what()));
    }
    if (!delivered) document.setLastPrint(earlierPrint);
    return delivered;
}

}  // namespace poremi
