#pragma once
// The main window's printing: the dialog "ラベルシートの印刷" for the open document, a file
// question for a PDF destination, the progress window, and the job composed to the PDF file
// or a CUPS queue. The dialog's choices are kept for as long as this lives.

#include "print/dialog/print_dialog.h"

#include <QtCore/QStringList>
#include <functional>

class QWidget;

namespace poremi {

class TLabelData;

class WindowPrinting {
public:
    // The queues to offer, the default first.
    using PrinterList = std::function<QStringList()>;
    // Shows the printer setup of the platform for a queue (empty: all of them).
    using PrinterSetup = std::function<void(const QString& printer)>;

    // The windows open over the parent; the queues come from CUPS unless replaced.
    explicit WindowPrinting(QWidget* parent);

    void setPrinterList(PrinterList list) { printerList_ = std::move(list); }
    void setPrinterSetup(PrinterSetup setup) { printerSetup_ = std::move(setup); }

    QStringList printers() const { return printerList_(); }
    void showPrinterSetup(const QString& printer) const { printerSetup_(printer); }

    // Asks and prints the document, named by name in the job title. The document notes the
    // job's time as its last print, which its date objects show; a job that is cancelled,
    // aborted or fails leaves the earlier time. True when a job was delivered.
    bool print(TLabelData& document, const QString& name);

private:
    // The PDF file to write; empty when the question was cancelled.
    QString askPdfFile(const QString& name) const;
    bool runJob(TLabelData& document, const PrintDialog& dialog, const QString& pdfFile, const QString& title);

    QWidget* parent_;
    PrintDialogState state_;
    PrinterList printerList_;
    PrinterSetup printerSetup_;
};

// The queues of this machine for the print dialog, the default first.
QStringList printerQueueNames();
// Opens the printer setup of the desktop, else the CUPS page of the queue in the browser.
void openPrinterSetup(const QString& printer);

}  // namespace poremi
