#pragma once
// The CUPS queues of this machine and the submission of finished PDF files to them.

#include <QtCore/QString>
#include <vector>

namespace poremi {

class TPaperInfo;

struct PrinterQueue {
    QString name;
    bool isDefault = false;
};

// The queues the CUPS server knows (none when it cannot be reached).
std::vector<PrinterQueue> printerQueues();
// The default queue's name; empty when there is none.
QString defaultPrinterQueue();

// The media option for the paper: the standard name where the size is one, else a custom size.
QString mediaOption(const TPaperInfo& paper);

// Prints the PDF once at its own size on the queue: media from the paper, no scaling, one
// copy, every page. Fails with the server's message. Returns the job number.
int submitPdf(const QString& printer, const QString& pdfFile, const QString& title, const TPaperInfo& paper);

}  // namespace poremi
