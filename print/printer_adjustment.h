#pragma once
// The print position adjustment and scale correction a user measured for one printer,
// remembered across runs in the settings under the printer's name.

#include <QtCore/QPoint>
#include <QtCore/QString>

namespace poremi {

struct TPrintSpec;

struct PrinterAdjustment {
    static constexpr int kMaxOffset = 999;  // 0.1 mm: ±99.9 mm
    static constexpr int kMaxScale = 200;   // hundredths of a percent: ±2 %

    QPoint offset;    // 0.1 mm, positive right and down
    int scaleX = 0;   // hundredths of a percent added to 100 %
    int scaleY = 0;

    // Puts the adjustment into the job.
    void applyTo(TPrintSpec& spec) const;
    friend bool operator==(const PrinterAdjustment&, const PrinterAdjustment&) = default;
};

// Nothing remembered reads as no adjustment; stored values out of range are brought into it.
PrinterAdjustment readPrinterAdjustment(const QString& printer);
// Values out of range are brought into it before they are stored.
void writePrinterAdjustment(const QString& printer, const PrinterAdjustment& adjustment);

}  // namespace poremi
