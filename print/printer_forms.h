#pragma once
// The paper forms (named sheet sizes) a printer offers, the size text of paper lists, and the
// choice of a usable printer at start.

#include "print/cups_printers.h"

#include <QtCore/QString>
#include <functional>
#include <vector>

namespace poremi {

class TPaperInfo;

struct TPrinterFormRecord {
    static constexpr int kMaxNameLength = 64;
    QString name;
    int width = 0;   // 0.1 mm
    int height = 0;  // 0.1 mm
    quint16 id = 0;
};

class TPrinterForm {
public:
    // The forms of the queue as it is now, in the printer's order; none when it cannot tell.
    static TPrinterForm ofPrinter(const QString& printer);
    TPrinterForm() = default;
    explicit TPrinterForm(std::vector<TPrinterFormRecord> forms);

    // The first form of exactly this size; −1 when none.
    int FindForm(int width, int height) const;
    const TPrinterFormRecord& GetForm(int index) const { return forms_.at(std::size_t(index)); }
    int GetFormCount() const { return int(forms_.size()); }

private:
    std::vector<TPrinterFormRecord> forms_;
};

// 0.1 mm as millimetres, the tenths digit only when it is not 0 (1150 → "115", 1155 → "115.5").
QString millimetreText(int length);
// The size column of paper lists: the form's name when one matches exactly, else "WxHmm".
QString paperSizeText(const TPaperInfo& paper, const TPrinterForm& forms);

// The default queue when it can be opened, else the first queue that can; empty when none can.
QString SelectUsablePrinter(const std::vector<PrinterQueue>& queues, const std::function<bool(const QString&)>& canOpen);
// The same over the CUPS queues, a queue being usable when it accepts jobs.
QString SelectUsablePrinter();

}  // namespace poremi
