#pragma once
// A text that shows a date and time through a format; it can follow the document's time of
// opening, last print or last save each time the document loads its objects.

#include "document/model/draw_interfaces.h"
#include "objects/text_object.h"

namespace poremi {

enum TDateUpdateFlag : int { dufNo, dufOpen, dufPrint, dufSave };

class TLODate : public TLOText, public IDODateRefresh {
    POREMI_PERSISTENT(TLODate)
public:
    using TLOText::TLOText;

    // Published: Format, Date, UpdateFlag. The lines are always the formatted date: a new
    // format or date replaces them.
    const QString& format() const { return format_; }
    void setFormat(const QString& format);
    // Days since 30 December 1899, the fraction being the time of day.
    double date() const { return date_; }
    // 0 is no moment at all (a document never printed): the stored date stays.
    void setDate(double date) override;
    TDateUpdateFlag updateFlag() const { return updateFlag_; }
    void setUpdateFlag(TDateUpdateFlag flag);
    int dateUpdateFlag() const override { return updateFlag_; }

    // The date tool's objects show the current moment and follow their text.
    void prepareForTool(const QString& toolName, const DrawSite& site) override;

private:
    // A date that is not a number is shown empty and never written.
    bool isDateStored() const;
    void showDate();

    QString format_;
    double date_ = 0;
    TDateUpdateFlag updateFlag_ = dufNo;
};

}  // namespace poremi
