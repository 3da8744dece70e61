#include "document/model/grid_guide.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_writer.h"

#include <QtCore/QBuffer>
#include <QtCore/QtEndian>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// Holds a grid and a guide as the document's information does.
class TTestInfo : public TComponent {
    POREMI_PERSISTENT(TTestInfo)
public:
    using TComponent::TComponent;
    TGrid& grid() { return grid_; }
    TGuide& guide() { return guide_; }

private:
    TGrid grid_;
    TGuide guide_;
};

const TClassInfo& TTestInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestInfo, TComponent>("TTestInfo", [](auto& c) {
        c.object("Grid", &TTestInfo::grid);
        c.object("Guide", &TTestInfo::guide);
    });
    return info;
}

void readInto(TTestInfo& info, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadComponent(buffer, info);
}

// A stream whose only property is Guide.Pos with the given count and slots (x = y = index + 1).
QByteArray positions(qint32 count, int slotsWritten) {
    QByteArray data(4, '\0');
    qToLittleEndian(count, data.data());
    for (int i = 0; i < slotsWritten; ++i) {
        QByteArray pair(8, '\0');
        qToLittleEndian<qint32>(i + 1, pair.data());
        qToLittleEndian<qint32>(i + 1, pair.data() + 4);
        data += pair;
    }
    ValueWriter out;
    out.bytes().writeBytes("TPF0");
    out.writeShortString("TTestInfo");
    out.writeShortString("");
    out.writeShortString("Guide.Pos");
    out.writeBinary(data);
    out.writeListEnd();
    out.writeListEnd();
    return out.data();
}

TEST(GridGuide, RoundTrip) {
    TTestInfo info;
    info.grid().setVisible(true);
    info.grid().setLineShape(true);
    info.grid().setSize(25);
    info.grid().setEnabled(true);
    info.guide().setVisible(true);
    info.guide().setGuide(0, {120, 0});
    info.guide().setGuide(9, {0, -40});
    const QByteArray bytes = componentStreamBytes(info);
    EXPECT_TRUE(bytes.contains("Guide.Pos"));

    TTestInfo read;
    readInto(read, bytes);
    EXPECT_TRUE(read.grid().visible());
    EXPECT_TRUE(read.grid().lineShape());
    EXPECT_EQ(read.grid().size(), 25);
    EXPECT_TRUE(read.grid().enabled());
    EXPECT_TRUE(read.guide().visible());
    EXPECT_FALSE(read.guide().enabled());
    EXPECT_EQ(read.guide().guide(0), QPoint(120, 0));
    EXPECT_EQ(read.guide().guide(9), QPoint(0, -40));
    EXPECT_EQ(read.guide().guide(5), QPoint(0, 0));
    EXPECT_EQ(componentStreamBytes(read), bytes);
}

TEST(GridGuide, GuidePositionsTakeAtMostTenSlots) {
    TTestInfo more;
    readInto(more, positions(12, 12));
    EXPECT_EQ(more.guide().guide(9), QPoint(10, 10));

    TTestInfo fewer;
    fewer.guide().setGuide(5, {7, 7});
    readInto(fewer, positions(3, 3));
    EXPECT_EQ(fewer.guide().guide(2), QPoint(3, 3));
    EXPECT_EQ(fewer.guide().guide(5), QPoint(0, 0)) << "slots beyond the count are empty";

    TTestInfo hostile;
    EXPECT_THROW(readInto(hostile, positions(0x7FFFFFFF, 2)), EReadError);
    EXPECT_THROW(readInto(hostile, positions(4, 3)), EReadError);
    EXPECT_EQ(TGrid().size(), 50);
}

}  // namespace
}  // namespace poremi
