// The date object: its lines follow its format and date, it refreshes from the document's
// times, and what a stream holds of it.

#include "base/datetime.h"
#include "document/model/document_model_classes.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "objects/object_classes.h"
#include "objects/text_date_object.h"
#include "objects/text_field_object.h"
#include "tests/poremi_objects/text_test_support.h"
#include "tests/poremi_paper/stream_builder.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>
#include <limits>

namespace poremi {
namespace {

// 5 March 2024, 14:07 (computed when first used: other files' statics are ready by then).
double march5() { return toDateTimeValue(QDateTime(QDate(2024, 3, 5), QTime(14, 7))); }

class TextDate : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerDocumentModelClasses();
        registerObjectClasses();
        test::useTextTestFonts();
    }

    static std::unique_ptr<TLODate> read(const QByteArray& bytes) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        std::unique_ptr<TComponent> root = ReadComponent(buffer);
        auto* date = dynamic_cast<TLODate*>(root.get());
        if (!date) return nullptr;
        root.release();
        return std::unique_ptr<TLODate>(date);
    }
};

TEST_F(TextDate, theLinesAreTheDateInItsFormat) {
    struct Case {
        const char* format;
        const char* shown;
    };
    for (const Case& c : {Case{"$(ShortMonthA) d\",\"yyyy", "Mar 5,2024"}, Case{"$(LongMonthA) d','yyyy", "March 5,2024"},
                          Case{"yyyy\"/\"m\"/\"d hh\":\"nn", "2024/3/5 14:07"}}) {
        TLODate date;
        date.setDate(march5());
        date.setFormat(QString::fromUtf8(c.format));
        EXPECT_EQ(date.text(), QStringList{QString::fromUtf8(c.shown)}) << c.format;
    }
}

TEST_F(TextDate, anUnchangedFormatOrDateSignalsNoChange) {
    TLODate date;
    date.setFormat(QStringLiteral("yyyy"));
    date.setDate(march5());
    int changes = 0;
    date.OnModify = [&changes](TDrawObject&) { ++changes; };
    date.setFormat(QStringLiteral("yyyy"));
    date.setDate(march5());
    EXPECT_EQ(changes, 0);
    date.setFormat(QStringLiteral("yy"));
    EXPECT_GT(changes, 0);
    EXPECT_EQ(date.text(), QStringList{QStringLiteral("24")});
}

TEST_F(TextDate, theDocumentsTimesRefreshTheDateButANeverTakenTimeKeepsIt) {
    TLODate date;
    date.setFormat(QStringLiteral("yyyy\"/\"m\"/\"d"));
    date.setDate(march5());
    date.setUpdateFlag(dufPrint);
    IDODateRefresh& refresh = date;
    EXPECT_EQ(refresh.dateUpdateFlag(), 2);  // the last print
    refresh.setDate(0);  // never printed
    EXPECT_EQ(date.date(), march5());
    EXPECT_EQ(date.text(), QStringList{QStringLiteral("2024/3/5")});
    refresh.setDate(toDateTimeValue(QDateTime(QDate(2019, 5, 1), QTime(9, 0))));
    EXPECT_EQ(date.text(), QStringList{QStringLiteral("2019/5/1")});
}

TEST_F(TextDate, aDateThatIsNoNumberShowsAnEmptyFieldAndIsNotWritten) {
    TLODate date;
    date.setFormat(QStringLiteral("yyyy"));
    date.setDate(march5());
    date.setDate(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(date.text(), QStringList{QString()});
    QByteArray bytes;
    ASSERT_NO_THROW(bytes = componentStreamBytes(date));
    EXPECT_FALSE(dumpComponentStream(bytes).contains(QStringLiteral("Date =")));
}

TEST_F(TextDate, formatDateAndUpdateFlagSurviveAStreamAndACopy) {
    TLODate date;
    date.setRect({100, 100, 900, 300});
    date.setFormat(QStringLiteral("ggge\"年\"m\"月\"d\"日\""));
    date.setDate(march5());
    date.setUpdateFlag(dufSave);
    date.setShadow(8);
    const std::unique_ptr<TLODate> back = read(componentStreamBytes(date));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->format(), date.format());
    EXPECT_EQ(back->date(), march5());
    EXPECT_EQ(back->updateFlag(), dufSave);
    EXPECT_EQ(back->text(), date.text());
    EXPECT_EQ(back->shadow(), 8);

    const std::unique_ptr<TDrawObject> clone = TDrawObject::clone(date);
    const auto* copy = dynamic_cast<const TLODate*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->format(), date.format());
    EXPECT_EQ(copy->date(), march5());
    EXPECT_EQ(copy->updateFlag(), dufSave);
    EXPECT_EQ(copy->text(), date.text());
}

TEST_F(TextDate, aStoredFormatWithAnUnknownReferenceLoadsAsText) {
    const QByteArray bytes = test::handWrittenStream("TLODate", [](ValueWriter& w) {
        test::property(w, "Version", 1);
        w.writeShortString("Format");
        w.writeString(QStringLiteral("$(Nope"));
        w.writeShortString("Date");
        w.writeFloat(march5());
    });
    std::unique_ptr<TLODate> date;
    ASSERT_NO_THROW(date = read(bytes));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->text(), QStringList{QStringLiteral("$(Nope")});
}

TEST_F(TextDate, sampleImagesOfTheDateAndFieldObjects) {
    TLODate date;
    date.setRect({100, 100, 1300, 400});
    date.setDate(march5());
    date.setFormat(QStringLiteral("ggge\"年\"m\"月\"d\"日(\"aaa\")\" h\"時\"n\"分\""));
    const QImage dateImage = test::renderObject(date, 254);
    test::saveSample(dateImage, "text_date.png");

    TLOField field;
    field.setRect({100, 100, 1300, 400});
    field.setText({QStringLiteral("フィールド 3")});
    field.setFieldNo(3);
    const QImage fieldImage = test::renderObject(field, 254);
    test::saveSample(fieldImage, "text_field.png");
    for (const QImage* image : {&dateImage, &fieldImage}) {
        bool inked = false;
        for (int y = 0; y < image->height() && !inked; ++y)
            for (int x = 0; x < image->width() && !inked; ++x) inked = qGray(image->pixel(x, y)) < 128;
        EXPECT_TRUE(inked);
    }
}

}  // namespace
}  // namespace poremi
