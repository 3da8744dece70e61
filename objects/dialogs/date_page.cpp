#include "objects/dialogs/date_page.h"

#include "base/datetime.h"
#include "objects/label_date_format.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace poremi {
namespace {

QSpinBox* timeBox(const char* name, int maximum) {
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(0, maximum);
    box->setWrapping(true);
    return box;
}

}  // namespace

DatePage::DatePage(QWidget* parent) : QWidget(parent) {
    calendar_ = new QCalendarWidget;
    calendar_->setObjectName(QStringLiteral("calDate"));
    calendar_->setNavigationBarVisible(false);
    calendar_->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    calendar_->setFirstDayOfWeek(Qt::Sunday);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Stored dates may lie anywhere in the years 1 to 9999.
    calendar_->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    auto* previous = new QPushButton(QStringLiteral("前月(&P)"));
    previous->setObjectName(QStringLiteral("btnPrevMonth"));
    auto* next = new QPushButton(QStringLiteral("次月(&N)"));
    next->setObjectName(QStringLiteral("btnNextMonth"));
    auto* month = new QLabel;
    month->setAlignment(Qt::AlignCenter);
    connect(previous, &QPushButton::clicked, this, [this] { showMonth(-1); });
    connect(next, &QPushButton::clicked, this, [this] { showMonth(1); });
    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this, month] {
        const QDate day = calendar_->selectedDate();
        month->setText(QStringLiteral("%1年%2月").arg(day.year()).arg(day.month()));
        refreshSamples();
    });
    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(previous);
    monthRow->addWidget(month, 1);
    monthRow->addWidget(next);

    hour_ = timeBox("spnHour", 23);
    minute_ = timeBox("spnMinute", 59);
    connect(hour_, &QSpinBox::valueChanged, this, &DatePage::refreshSamples);
    connect(minute_, &QSpinBox::valueChanged, this, &DatePage::refreshSamples);
    auto* hourLabel = new QLabel(QStringLiteral("時(&H)"));
    hourLabel->setBuddy(hour_);
    auto* minuteLabel = new QLabel(QStringLiteral("分(&M)"));
    minuteLabel->setBuddy(minute_);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(hour_);
    timeRow->addWidget(hourLabel);
    timeRow->addWidget(minute_);
    timeRow->addWidget(minuteLabel);
    timeRow->addStretch();

    auto* refresh = new QGroupBox;
    auto* refreshLayout = new QVBoxLayout(refresh);
    updateFlag_ = new QButtonGroup(this);
    const char* const choices[] = {"更新しない", "開いたときに更新する", "印刷時に更新する", "保存時に更新する"};
    for (int i = 0; i < 4; ++i) {
        auto* choice = new QRadioButton(QString::fromUtf8(choices[i]));
        choice->setObjectName(QStringLiteral("rdoUpdate%1").arg(i));
        updateFlag_->addButton(choice, i);
        refreshLayout->addWidget(choice);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(monthRow);
    left->addWidget(calendar_);
    left->addLayout(timeRow);
    left->addWidget(refresh);
    left->addStretch();

    formats_ = new QListWidget;
    formats_->setObjectName(QStringLiteral("lstFormat"));
    formats_->setMinimumWidth(260);
    for (qsizetype i = 0; i < labelDateFormats().size(); ++i) formats_->addItem(QString());

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(formats_, 1);

    setValues(labelDateFormats().first(), toDateTimeValue(QDateTime::currentDateTime()), 0);
}

void DatePage::setValues(const QString& format, double date, int updateFlag) {
    auto parts = splitDateTimeValue(date);
    if (!parts || parts->date < calendar_->minimumDate() || parts->date > calendar_->maximumDate()) {
        const QDateTime now = QDateTime::currentDateTime();
        parts = DateTimeParts{now.date(), now.time()};
        date = joinDateTimeValue(parts->date, parts->time);
    }
    {
        const QSignalBlocker blockHour(hour_), blockMinute(minute_);
        hour_->setValue(parts->time.hour());
        minute_->setValue(parts->time.minute());
    }
    calendar_->setSelectedDate(parts->date);
    QAbstractButton* choice = updateFlag_->button(updateFlag);
    (choice ? choice : updateFlag_->button(0))->setChecked(true);
    loadedFormat_ = format;
    loadedDate_ = date;
    formats_->setCurrentRow(int(labelDateFormats().indexOf(format)));
    refreshSamples();
}

QString DatePage::format() const {
    const int row = formats_->currentRow();
    return row >= 0 ? labelDateFormats()[row] : loadedFormat_;
}

double DatePage::date() const {
    const QTime time(hour_->value(), minute_->value());
    const auto loaded = splitDateTimeValue(loadedDate_);
    if (loaded && loaded->date == calendar_->selectedDate() && loaded->time.hour() == time.hour() &&
        loaded->time.minute() == time.minute())
        return loadedDate_;
    return joinDateTimeValue(calendar_->selectedDate(), time);
}

int DatePage::updateFlag() const { return std::max(0, updateFlag_->checkedId()); }

void DatePage::showMonth(int months) { calendar_->setSelectedDate(calendar_->selectedDate().addMonths(months)); }

void DatePage::refreshSamples() {
    const double moment = date();
    for (int row = 0; row < formats_->count(); ++row)
        formats_->item(row)->setText(formatLabelDate(labelDateFormats()[row], moment));
}

}  // namespace poremi
