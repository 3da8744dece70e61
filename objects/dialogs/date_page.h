#pragma once
// The "日付" page of the date object's dialog: a day on a calendar, an hour and a minute, when
// the date is refreshed, and the format, each offered format shown applied to the chosen moment.

#include <QtWidgets/QWidget>

class QButtonGroup;
class QCalendarWidget;
class QListWidget;
class QSpinBox;

namespace poremi {

class DatePage : public QWidget {
    Q_OBJECT
public:
    explicit DatePage(QWidget* parent = nullptr);

    // date counts days since 30 December 1899 (a date that has no day shows the current
    // moment); updateFlag is 0 never, 1 on opening, 2 on printing, 3 on saving.
    void setValues(const QString& format, double date, int updateFlag);
    // The chosen format; a loaded format that is not offered stays until another is chosen.
    QString format() const;
    // The chosen day plus the hour and minute; the loaded date, seconds and all, while the day,
    // hour and minute are those it had.
    double date() const;
    int updateFlag() const;

private:
    void showMonth(int months);
    void refreshSamples();

    QCalendarWidget* calendar_;
    QSpinBox* hour_;
    QSpinBox* minute_;
    QButtonGroup* updateFlag_;
    QListWidget* formats_;
    QString loadedFormat_;
    double loadedDate_ = 0;
};

}  // namespace poremi
