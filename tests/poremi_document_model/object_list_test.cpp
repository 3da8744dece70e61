#include "document/model/document_model_classes.h"
#include "document/model/group_object.h"
#include "document/model/object_list.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "test_objects.h"

#include <QtCore/QBuffer>
#include <QtCore/QtEndian>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::OwnedList;
using testing::TTestBox;

// A component that is not a draw object.
class TTestNote : public TComponent {
    POREMI_PERSISTENT(TTestNote)
public:
    using TComponent::TComponent;
};

const TClassInfo& TTestNote::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestNote, TComponent>("TTestNote");
    return info;
}

QByteArray countBytes(qint32 count) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(count, bytes.data());
    return bytes;
}

// Reads a list from the bytes into list; the buffer's position after reading is returned.
qint64 readList(TDOList& list, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    list.readFrom(buffer);
    return buffer.pos();
}

class ObjectListTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::registerTestObjects();
        registerDocumentModelClasses();
        RegisterClass<TTestNote>();
    }

    static QByteArray twoObjects() {
        TTestBox box;
        box.setRect({1, 2, 3, 4});
        box.setColor(0x445566);
        TDOGroup group;
        group.takeMembers({&box});
        TDOList list;
        list.add(&box);
        list.add(&group);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        list.writeTo(buffer);
        return buffer.data();
    }
};

TEST_F(ObjectListTest, RoundTripKeepsClassesOrderAndValues) {
    const QByteArray bytes = twoObjects();
    EXPECT_EQ(bytes.left(4), countBytes(2));
    EXPECT_EQ(bytes.mid(4, 4), "TPF0");

    OwnedList read;
    TTestBox stale;
    read.list.add(&stale);  // replaced, not freed
    EXPECT_EQ(readList(read.list, bytes + "tail"), bytes.size());
    ASSERT_EQ(read.list.count(), 2);
    auto* box = dynamic_cast<TTestBox*>(read.list.item(0));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->rect(), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(box->color(), 0x445566);
    auto* group = dynamic_cast<TDOGroup*>(read.list.item(1));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->members().size(), 1u);
}

TEST_F(ObjectListTest, ComponentsThatAreNotDrawObjectsAreSkipped) {
    TTestBox box;
    TTestNote note;
    const QByteArray bytes = countBytes(3) + componentStreamBytes(note) + componentStreamBytes(box) +
                             componentStreamBytes(note);
    OwnedList read;
    readList(read.list, bytes);
    ASSERT_EQ(read.list.count(), 1);
    EXPECT_NE(dynamic_cast<TTestBox*>(read.list.item(0)), nullptr);
}

TEST_F(ObjectListTest, HostileBytesFailCleanly) {
    const QByteArray one = componentStreamBytes(TTestBox());
    TDOGroup group;
    group.takeMembers({std::make_unique<TTestBox>().get()});
    const QByteArray nested = componentStreamBytes(group);
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"no count", QByteArray("\x01\x00", 2)},
        {"negative count", countBytes(-1) + one},
        {"huge count", countBytes(0x7FFFFFFF) + one},
        {"count beyond the objects", countBytes(3) + one + one},
        {"truncated object", countBytes(2) + one + one.left(one.size() - 3)},
        {"truncated group", countBytes(1) + nested.left(nested.size() - 2)},
    };
    for (const Case& c : cases) {
        OwnedList read;
        EXPECT_THROW(readList(read.list, c.bytes), EReadError) << c.what;
        EXPECT_EQ(read.list.count(), 0) << c.what;  // what was read is freed (LeakSanitizer)
    }
    OwnedList read;
    QByteArray unknown = countBytes(2) + one + one;
    unknown.replace("TTestBox", "TNoSuchX");
    EXPECT_THROW(readList(read.list, unknown), EClassNotFound);
    EXPECT_EQ(read.list.count(), 0);
}

TEST_F(ObjectListTest, EmptyListAndFreeAll) {
    TDOList list;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    list.writeTo(buffer);
    EXPECT_EQ(buffer.data(), countBytes(0));
    OwnedList read;
    readList(read.list, buffer.data());
    EXPECT_EQ(read.list.count(), 0);

    read.list.add(new TTestBox);
    read.list.add(new TTestBox);
    read.list.freeAll();  // LeakSanitizer checks the two are gone
    EXPECT_EQ(read.list.count(), 0);
}

}  // namespace
}  // namespace poremi
