#include "print/printer_forms.h"

#include "paper/paper_info.h"

#include <cups/cups.h>
#include <cstdlib>

namespace poremi {

TPrinterForm::TPrinterForm(std::vector<TPrinterFormRecord> forms) : forms_(std::move(forms)) {}

TPrinterForm TPrinterForm::ofPrinter(const QString& printer) {
    std::vector<TPrinterFormRecord> forms;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cups_dest_t* dest = cupsGetDest(printer.toUtf8().constData(), nullptr, count, dests);
    if (cups_dinfo_t* info = dest ? cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest) : nullptr) {
        const int media = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
        for (int i = 0; i < media && i <= 0xFFFF; ++i) {
            cups_size_t size;
            if (!cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size)) continue;
            const char* shown = cupsLocalizeDestMedia(CUPS_HTTP_DEFAULT, dest, info, 0, &size);
            TPrinterFormRecord form;
            form.name = QString::fromUtf8(shown ? shown : size.media).left(TPrinterFormRecord::kMaxNameLength);
            // CUPS sizes are in hundredths of a millimetre.
            form.width = (size.width + 5) / 10;
            form.height = (size.length + 5) / 10;
            form.id = quint16(i);
            forms.push_back(form);
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(count, dests);
    return TPrinterForm(std::move(forms));
}

int TPrinterForm::FindForm(int width, int height) const {
    for (std::size_t i = 0; i < forms_.size(); ++i)
        if (forms_[i].width == width && forms_[i].height == height) return int(i);
    return -1;
}

QString millimetreText(int length) {
    const QString whole = QString::number(length / 10);
    const int tenths = std::abs(length % 10);
    const QString sign = length < 0 && length > -10 ? QStringLiteral("-") : QString();
    return tenths == 0 ? sign + whole : sign + whole + QLatin1Char('.') + QString::number(tenths);
}

QString paperSizeText(const TPaperInfo& paper, const TPrinterForm& forms) {
    const int form = forms.FindForm(paper.width(), paper.height());
    if (form >= 0) return forms.GetForm(form).name;
    return QStringLiteral("%1x%2mm").arg(millimetreText(paper.width()), millimetreText(paper.height()));
}

QString SelectUsablePrinter(const std::vector<PrinterQueue>& queues, const std::function<bool(const QString&)>& canOpen) {
    for (const PrinterQueue& queue : queues)
        if (queue.isDefault && canOpen(queue.name)) return queue.name;
    for (const PrinterQueue& queue : queues)
        if (canOpen(queue.name)) return queue.name;
    return {};
}

QString SelectUsablePrinter() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const auto accepting = [dests, count](const QString& name) {
        const cups_dest_t* dest = cupsGetDest(name.toUtf8().constData(), nullptr, count, dests);
        const char* value = dest ? cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options) : nullptr;
        return dest && (!value || qstrcmp(value, "true") == 0);
    };
    const QString chosen = SelectUsablePrinter(printerQueues(), accepting);
    cupsFreeDests(count, dests);
    return chosen;
}

}  // namespace poremi
