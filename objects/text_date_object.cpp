#include "objects/text_date_object.h"

#include "base/datetime.h"
#include "document/stream/class_declaration.h"
#include "document/stream/string_list.h"
#include "objects/label_date_format.h"

#include <cmath>

namespace poremi {

const TClassInfo& TLODate::staticClassInfo() {
    static const TClassInfo info = describeClass<TLODate, TLOText>("TLODate", [](auto& c) {
        c.string("Format", &TLODate::format, &TLODate::setFormat);
        c.floating("Date", &TLODate::date, &TLODate::setDate).stored(&TLODate::isDateStored);
        c.enumeration("UpdateFlag", &TLODate::updateFlag, &TLODate::setUpdateFlag,
                      {QStringLiteral("dufNo"), QStringLiteral("dufOpen"), QStringLiteral("dufPrint"),
                       QStringLiteral("dufSave")});
    });
    return info;
}

void TLODate::setFormat(const QString& format) {
    if (format == format_) return;
    format_ = format;
    showDate();
}

void TLODate::setDate(double date) {
    if (date == 0 || date == date_ || (std::isnan(date) && std::isnan(date_))) return;
    date_ = date;
    showDate();
}

void TLODate::setUpdateFlag(TDateUpdateFlag flag) {
    if (flag == updateFlag_) return;
    updateFlag_ = flag;
    changed();
}

bool TLODate::isDateStored() const { return std::isfinite(date_); }

void TLODate::showDate() {
    const QString shown = formatLabelDate(format_, date_);
    // One empty line: an empty result shows nothing rather than the placeholder of a text
    // without lines.
    TStringList lines;
    lines.setText(shown);
    setText(shown.isEmpty() ? QStringList{QString()} : lines.lines());
}

void TLODate::prepareForTool(const QString& toolName, const DrawSite& site) {
    TLOText::prepareForTool(toolName, site);
    setDate(toDateTimeValue(QDateTime::currentDateTime()));
    if (toolName == QLatin1String("TLODate")) setAutoSize(true);
}

}  // namespace poremi
