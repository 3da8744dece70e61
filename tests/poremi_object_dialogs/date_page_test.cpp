// The date page: the values it loads and gives back, the month buttons, the time boxes, the
// samples of the offered formats and a picture of the page.

#include "base/datetime.h"
#include "objects/dialogs/date_page.h"
#include "objects/label_date_format.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace poremi {
namespace {

double at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return joinDateTimeValue(QDate(year, month, day), QTime(hour, minute, second));
}

class DatePageTest : public ::testing::Test {
protected:
    template <class T>
    T& child(const char* name) {
        T* found = page.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    QListWidget& list() { return child<QListWidget>("lstFormat"); }
    QStringList samples() {
        QStringList texts;
        for (int row = 0; row < list().count(); ++row) texts << list().item(row)->text();
        return texts;
    }
    static QStringList expectedSamples(double date) {
        QStringList texts;
        for (const QString& format : labelDateFormats()) texts << formatLabelDate(format, date);
        return texts;
    }

    DatePage page;
};

TEST_F(DatePageTest, showsTheLoadedValuesAndGivesThemBack) {
    const QString& format30 = labelDateFormats()[29];
    const double loaded = at(2024, 3, 5, 14, 7, 42);
    page.setValues(format30, loaded, 2);
    EXPECT_EQ(child<QCalendarWidget>("calDate").selectedDate(), QDate(2024, 3, 5));
    EXPECT_EQ(child<QSpinBox>("spnHour").value(), 14);
    EXPECT_EQ(child<QSpinBox>("spnMinute").value(), 7);
    EXPECT_TRUE(child<QRadioButton>("rdoUpdate2").isChecked());
    EXPECT_EQ(list().currentRow(), 29);
    EXPECT_EQ(list().item(29)->text(), QStringLiteral("Mar 5,2024"));
    EXPECT_EQ(samples(), expectedSamples(loaded));
    // Untouched, the loaded moment comes back to the second.
    EXPECT_EQ(page.format(), format30);
    EXPECT_EQ(page.date(), loaded);
    EXPECT_EQ(page.updateFlag(), 2);
}

TEST_F(DatePageTest, theDateIsTheDayPlusHourAndMinute) {
    page.setValues(labelDateFormats()[16], at(2024, 3, 5, 14, 7, 42), 0);
    child<QSpinBox>("spnHour").setValue(9);
    child<QSpinBox>("spnMinute").setValue(30);
    EXPECT_EQ(page.date(), at(2024, 3, 5, 9, 30));
    EXPECT_EQ(list().item(16)->text(), QStringLiteral("2024/3/5 9:30 AM"));
    child<QCalendarWidget>("calDate").setSelectedDate(QDate(2019, 5, 1));
    EXPECT_EQ(page.date(), at(2019, 5, 1, 9, 30));
    EXPECT_EQ(samples(), expectedSamples(at(2019, 5, 1, 9, 30)));
    EXPECT_EQ(list().item(2)->text(), QStringLiteral("令和1年5月1日"));
}

TEST_F(DatePageTest, monthButtonsMoveTheDayByAMonth) {
    page.setValues(labelDateFormats()[0], at(2024, 1, 31, 8, 0), 0);
    struct Step {
        const char* button;
        QDate day;
    };
    for (const Step& step : {Step{"btnNextMonth", QDate(2024, 2, 29)}, Step{"btnNextMonth", QDate(2024, 3, 29)},
                             Step{"btnPrevMonth", QDate(2024, 2, 29)}, Step{"btnPrevMonth", QDate(2024, 1, 29)},
                             Step{"btnPrevMonth", QDate(2023, 12, 29)}}) {
        child<QPushButton>(step.button).click();
        EXPECT_EQ(child<QCalendarWidget>("calDate").selectedDate(), step.day) << step.button;
        EXPECT_EQ(list().item(0)->text(), QStringLiteral("%1月%2日").arg(step.day.month()).arg(step.day.day()));
        EXPECT_EQ(page.date(), joinDateTimeValue(step.day, QTime(8, 0)));
    }
}

TEST_F(DatePageTest, choosingAFormatAndARefreshTime) {
    page.setValues(labelDateFormats()[0], at(2024, 3, 5), 1);
    EXPECT_EQ(page.updateFlag(), 1);
    child<QRadioButton>("rdoUpdate3").click();
    EXPECT_EQ(page.updateFlag(), 3);
    list().setCurrentRow(40);
    EXPECT_EQ(page.format(), QStringLiteral("d\"/\"mm\"/\"yy"));
}

TEST_F(DatePageTest, aFormatThatIsNotOfferedStaysUntilAnotherIsChosen) {
    page.setValues(QStringLiteral("yyyy.mm.dd"), at(2024, 3, 5), 0);
    EXPECT_EQ(list().currentRow(), -1);
    EXPECT_EQ(page.format(), QStringLiteral("yyyy.mm.dd"));
    list().setCurrentRow(12);
    EXPECT_EQ(page.format(), labelDateFormats()[12]);
}

TEST_F(DatePageTest, valuesWithoutADayShowTheCurrentMoment) {
    for (const double date : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
        for (const int flag : {-1, 4}) {
            const QDate before = QDate::currentDate();
            page.setValues(labelDateFormats()[0], date, flag);
            const QDate shown = child<QCalendarWidget>("calDate").selectedDate();
            EXPECT_TRUE(shown == before || shown == QDate::currentDate()) << date;
            EXPECT_TRUE(std::isfinite(page.date()));
            EXPECT_EQ(page.updateFlag(), 0);
        }
    }
}

TEST_F(DatePageTest, theShortcutsReachTheirBoxes) {
    page.setValues(labelDateFormats()[0], at(2024, 3, 5, 14, 7), 0);
    page.show();
    QApplication::setActiveWindow(&page);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    QTest::keyClick(&page, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(child<QSpinBox>("spnMinute").hasFocus());
    QTest::keyClick(&page, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(child<QSpinBox>("spnHour").hasFocus());
    // A button's mnemonic clicks it after a short animation.
    QTest::keyClick(&page, Qt::Key_N, Qt::AltModifier);
    auto& calendar = child<QCalendarWidget>("calDate");
    EXPECT_TRUE(QTest::qWaitFor([&] { return calendar.selectedDate() == QDate(2024, 4, 5); }, 2000));
    QTest::keyClick(&page, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calendar.selectedDate() == QDate(2024, 3, 5); }, 2000));
}

TEST_F(DatePageTest, thePageIsLeftForAPersonToLookAt) {
    page.setValues(labelDateFormats()[3], at(2024, 3, 5, 14, 7), 1);
    page.resize(page.sizeHint());
    page.show();
    QDir().mkpath(test::outputFolder());
    const QImage shot = page.grab().toImage();
    EXPECT_GT(shot.width(), 300);
    EXPECT_TRUE(shot.save(test::outputFolder() + QStringLiteral("/date_page.png")));
}

}  // namespace
}  // namespace poremi
