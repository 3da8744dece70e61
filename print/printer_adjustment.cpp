#include "print/printer_adjustment.h"

#include "core/app_frame.h"
#include "platform/settings_store.h"
#include "print/print_job_settings.h"

#include <QtCore/QUrl>
#include <algorithm>

namespace poremi {
namespace {

// One key per printer below the settings; names are escaped so that no "\" splits them.
QString printerKey(const QString& printer) {
    TAppFrame* frame = TAppFrame::instance();
    QString base = frame ? frame->settingsKey() : QString();
    if (base.isEmpty()) base = QStringLiteral("Settings");
    return base + QStringLiteral("\\Printers\\") + QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

int readInt(const QString& key, const QString& name, int limit) {
    const auto value = SettingsStore::instance().value(key, name);
    bool ok = false;
    const int number = value ? value->toInt(&ok) : 0;
    return ok ? std::clamp(number, -limit, limit) : 0;
}

PrinterAdjustment clamped(const PrinterAdjustment& a) {
    const auto clamp = [](int v, int limit) { return std::clamp(v, -limit, limit); };
    return {QPoint(clamp(a.offset.x(), PrinterAdjustment::kMaxOffset), clamp(a.offset.y(), PrinterAdjustment::kMaxOffset)),
            clamp(a.scaleX, PrinterAdjustment::kMaxScale), clamp(a.scaleY, PrinterAdjustment::kMaxScale)};
}

}  // namespace

void PrinterAdjustment::applyTo(TPrintSpec& spec) const {
    spec.offset = offset;
    spec.scaleX = 1.0 + scaleX / 10000.0;
    spec.scaleY = 1.0 + scaleY / 10000.0;
}

PrinterAdjustment readPrinterAdjustment(const QString& printer) {
    const QString key = printerKey(printer);
    return {QPoint(readInt(key, QStringLiteral("OffsetX"), PrinterAdjustment::kMaxOffset),
                   readInt(key, QStringLiteral("OffsetY"), PrinterAdjustment::kMaxOffset)),
            readInt(key, QStringLiteral("ScaleX"), PrinterAdjustment::kMaxScale),
            readInt(key, QStringLiteral("ScaleY"), PrinterAdjustment::kMaxScale)};
}

void writePrinterAdjustment(const QString& printer, const PrinterAdjustment& adjustment) {
    const PrinterAdjustment a = clamped(adjustment);
    const QString key = printerKey(printer);
    SettingsStore& store = SettingsStore::instance();
    store.setValue(key, QStringLiteral("OffsetX"), a.offset.x());
    store.setValue(key, QStringLiteral("OffsetY"), a.offset.y());
    store.setValue(key, QStringLiteral("ScaleX"), a.scaleX);
    store.setValue(key, QStringLiteral("ScaleY"), a.scaleY);
    store.sync();
}

}  // namespace poremi
