#pragma once
// The property dialog of a date: the moment, its refresh and its format on "日付", and the
// shared text pages.

#include <QtWidgets/QDialog>

class QTabWidget;

namespace poremi {

class DatePage;
class TLODate;
class TextStylePages;

class TfrmDateProperty : public QDialog {
    Q_OBJECT
public:
    // Opens on the page last left open in this process, or the first for a new date.
    explicit TfrmDateProperty(bool adding, const QString& presetFile, QWidget* parent = nullptr);

    void load(const TLODate& date);
    // The text pages first, then format, date and refresh (which set the lines).
    void store(TLODate& date) const;

    // Refuses distortion without a pattern, bringing up its page.
    void accept() override;
    void done(int result) override;

private:
    QTabWidget* tabs_;
    DatePage* datePage_;
    TextStylePages* pages_;
};

}  // namespace poremi
