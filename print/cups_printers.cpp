#include "print/cups_printers.h"

#include "base/error.h"
#include "paper/paper_info.h"
#include "print/pdf_sheet_file.h"
#include "print/printer_forms.h"

#include <QtCore/QFile>
#include <QtGui/QPageSize>
#include <algorithm>
#include <cups/cups.h>

namespace poremi {
namespace {

// The queue's own defaults that would change what a sheet looks like.
constexpr const char* kStrippedOptions[] = {"number-up", "page-set", "page-ranges", "fit-to-page", "scaling",
                                            "landscape", "orientation-requested"};

// Frees the destinations however the scope is left.
class Destinations {
public:
    Destinations() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_); }
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
    int count() const { return count_; }
    const cups_dest_t& at(int i) const { return dests_[i]; }
    cups_dest_t* find(const QByteArray& name) const { return cupsGetDest(name.constData(), nullptr, count_, dests_); }

private:
    int count_ = 0;
    cups_dest_t* dests_ = nullptr;
};

}  // namespace

std::vector<PrinterQueue> printerQueues() {
    const Destinations dests;
    std::vector<PrinterQueue> queues;
    for (int i = 0; i < dests.count(); ++i) {
        if (dests.at(i).instance) continue;
        queues.push_back({QString::fromUtf8(dests.at(i).name), dests.at(i).is_default != 0});
    }
    return queues;
}

QString defaultPrinterQueue() {
    for (const PrinterQueue& queue : printerQueues())
        if (queue.isDefault) return queue.name;
    return {};
}

QString mediaOption(const TPaperInfo& paper) {
    const QPageSize size = pageSizeOfPaper(paper);
    if (size.id() != QPageSize::Custom) return size.key();
    return QStringLiteral("Custom.%1x%2mm").arg(millimetreText(paper.physicalWidth()), millimetreText(paper.physicalHeight()));
}

int submitPdf(const QString& printer, const QString& pdfFile, const QString& title, const TPaperInfo& paper) {
    const QByteArray name = printer.toUtf8();
    const Destinations dests;
    const cups_dest_t* dest = dests.find(name);
    if (!dest) throw Exception(QStringLiteral("プリンタ「%1」が見つかりません").arg(printer));
    int count = 0;
    cups_option_t* options = nullptr;
    for (int i = 0; i < dest->num_options; ++i) {
        const char* option = dest->options[i].name;
        if (std::none_of(std::begin(kStrippedOptions), std::end(kStrippedOptions),
                         [option](const char* stripped) { return qstrcmp(option, stripped) == 0; }))
            count = cupsAddOption(option, dest->options[i].value, count, &options);
    }
    count = cupsAddOption("media", mediaOption(paper).toUtf8().constData(), count, &options);
    count = cupsAddOption("print-scaling", "none", count, &options);
    count = cupsAddOption("copies", "1", count, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), QFile::encodeName(pdfFile).constData(),
                                   title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0) throw Exception(QStringLiteral("印刷できませんでした: %1").arg(QString::fromUtf8(cupsLastErrorString())));
    return job;
}

}  // namespace poremi
