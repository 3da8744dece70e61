// The class registry, declarations, assign, the component base and what the writer decides.

#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/name_tables.h"
#include "document/stream/value_reader.h"
#include "fuzz/support/sample_classes.h"
#include "tests/poremi_docstream/stream_fixture.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::sample;
using poremi::test::failure;
using poremi::test::failureOf;
using poremi::test::fixture;

namespace {

class PropertySystem : public ::testing::Test {
protected:
    void SetUp() override { registerSampleClasses(); }
};

QStringList propertyNames(const TClassInfo& info) {
    QStringList names;
    for (const PropertyInfo* p : info.properties()) names.append(p->name);
    return names;
}

TEST_F(PropertySystem, PropertiesComeInDeclarationOrderBaseFirst) {
    const QStringList names = propertyNames(TSampleObject::staticClassInfo());
    ASSERT_GE(names.size(), 3);
    EXPECT_EQ(names.mid(0, 3), QStringList({"Tag", "Left", "Top"}));
    EXPECT_EQ(names.last(), "OnChange");
    EXPECT_TRUE(TSampleObject::staticClassInfo().inheritsFrom(TComponent::staticClassInfo()));
    EXPECT_EQ(TSampleObject::staticClassInfo().findProperty(u"CAPTION")->name, "Caption");
}

TEST_F(PropertySystem, RegistryFindsClassesByNameInAnyCase) {
    EXPECT_EQ(ClassRegistry::instance().find(QStringLiteral("tsampleobject")), &TSampleObject::staticClassInfo());
    EXPECT_EQ(ClassRegistry::instance().find(QStringLiteral("TUnknown")), nullptr);
}

TEST_F(PropertySystem, NameTablesReadEverySpellingAndWriteTheFirst) {
    EXPECT_EQ(colorNames().nameOf(0xC0C0C0), "clSilver");
    EXPECT_EQ(colorNames().valueOf(QStringLiteral("clLtGray")), 0xC0C0C0);
    EXPECT_EQ(colorNames().nameOf(color::systemColor(15)), "clBtnFace");
    EXPECT_EQ(colorNames().valueOf(QStringLiteral("clWindow")), color::systemColor(5));
    EXPECT_EQ(colorNames().nameOf(0xC0DCC0), std::nullopt);
    EXPECT_EQ(colorNames().nameOf(color::clNone), "clNone");
    EXPECT_EQ(cursorNames().valueOf(QStringLiteral("crHandPoint")), -21);
    EXPECT_EQ(charsetNames().nameOf(128), "SHIFTJIS_CHARSET");
    EXPECT_EQ(charsetNames().valueOf(QStringLiteral("DEFAULT_CHARSET")), 1);
}

TEST_F(PropertySystem, RoundTripKeepsEveryValue) {
    TSampleObject original;
    original.setName(QStringLiteral("Original"));
    original.setLeft(-5);
    original.setBig(1LL << 40);
    original.setCaption(QStringLiteral("曲名 ♫ 한"));
    original.setRatio(-0.1);
    original.setDate(45000.75);
    original.setColor(color::systemColor(15));
    original.setCharset(0);
    original.setMark('\xC8');
    original.grid()->setVisible(true);
    original.grid()->pen()->setWidth(3);
    original.lines()->setText(QStringLiteral("one\r\ntwo"));
    original.items()->add().setId(QStringLiteral("X"));
    original.points = {QPoint(7, 8)};

    const std::unique_ptr<TComponent> read = test::readStream(test::streamOf(original));
    auto& back = dynamic_cast<TSampleObject&>(*read);
    EXPECT_EQ(test::streamOf(back), test::streamOf(original));
    EXPECT_EQ(back.caption(), original.caption());
    EXPECT_EQ(back.ratio(), -0.1);
    EXPECT_EQ(back.mark(), '\xC8');
    EXPECT_EQ(back.lines()->lines(), QStringList({"one", "two"}));
}

TEST_F(PropertySystem, AssignCopiesDeeply) {
    TSampleObject source;
    source.setCaption(QStringLiteral("c"));
    source.setTitle(QString());
    source.grid()->pen()->setColor(0x123);
    source.lines()->setLines({"a"});
    source.items()->add().setValue(4);
    source.points = {QPoint(1, 1)};

    TSampleObject target;
    target.items()->add();
    target.items()->add();
    target.assign(source);
    EXPECT_EQ(target.caption(), "c");
    EXPECT_EQ(target.title(), "");
    EXPECT_EQ(target.grid()->pen()->color(), 0x123);
    EXPECT_EQ(target.lines()->lines(), QStringList({"a"}));
    ASSERT_EQ(target.items()->count(), 1);
    EXPECT_EQ((*target.items())[0].value(), 4);
    EXPECT_EQ(target.points, source.points);

    TSampleGroup group;
    EXPECT_THROW(target.assign(group), EInvalidCast);
}

TEST_F(PropertySystem, ComponentsOwnAndNameTheirChildren) {
    const int before = TSampleObject::liveCount();
    TSampleGroup owner;
    auto* a = new TSampleObject;
    owner.insertComponent(a);
    a->setName(QStringLiteral("A"));
    auto* b = new TSampleObject;
    owner.insertComponent(b);
    EXPECT_EQ(failureOf([&] { b->setName(QStringLiteral("a")); }), failure(StreamFault::DuplicateName, "コンポーネント名 a はすでに使われています"));
    EXPECT_EQ(owner.findComponent(u"a"), a);
    delete a;
    EXPECT_EQ(owner.components().size(), 1u);
    EXPECT_EQ(TSampleObject::liveCount(), before + 1);
}

TEST_F(PropertySystem, ReadingIntoAGivenRootRenamesAClash) {
    TSampleGroup owner;
    auto* existing = new TSampleGroup;
    owner.insertComponent(existing);
    existing->setName(QStringLiteral("Design"));
    auto* root = new TSampleGroup;
    owner.insertComponent(root);
    test::readStreamInto(fixture("'TPF0' 0C 'TSampleGroup' 06 'Design' 00 00"), *root);
    EXPECT_EQ(root->name(), "Design_1");
}

TEST_F(PropertySystem, ReferencesResolveAfterReadingAndEventsAreIgnored) {
    const QByteArray stream = fixture(R"(
        'TPF0' 0C 'TSampleGroup' 00 00
          0D 'TSampleObject' 01 'A' 06 'Target' 07 01 'B' 08 'OnChange' 07 07 'Clicked' 00 00
          0D 'TSampleObject' 01 'B' 06 'Target' 07 07 'Missing' 00 00
          0D 'TSampleObject' 01 'C' 06 'Target' 0D 00 00
        00)");
    const std::unique_ptr<TComponent> root = test::readStream(stream);
    auto* a = dynamic_cast<TSampleObject*>(root->findComponent(u"A"));
    auto* b = dynamic_cast<TSampleObject*>(root->findComponent(u"B"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->target(), b);
    EXPECT_EQ(b->target(), nullptr);
    // This system never writes references or events.
    EXPECT_FALSE(test::streamOf(*a).contains("Target"));
}

// A collection written twice in one record is cleared and refilled: the references read into
// the first items go with them, those of the items that stay are resolved.
TEST_F(PropertySystem, ReferencesOfCollectionItemsSurviveARefilledCollection) {
    const QByteArray stream = fixture(R"(
        'TPF0' 0D 'TSampleObject' 00
          05 'Items' 0E 01 04 'Link' 07 01 'B' 00 01 04 'Link' 07 01 'B' 00 00
          05 'Items' 0E 01 05 'Value' 02 07 00 01 04 'Link' 07 01 'B' 00 00
          00
          0D 'TSampleObject' 01 'B' 00 00
        00)");
    const std::unique_ptr<TComponent> root = test::readStream(stream);
    const auto& items = *dynamic_cast<TSampleObject&>(*root).items();
    ASSERT_EQ(items.count(), 2);
    EXPECT_EQ(items[0].value(), 7);
    EXPECT_EQ(items[0].link(), nullptr);
    EXPECT_EQ(items[1].link(), root->findComponent(u"B"));
}

TEST_F(PropertySystem, EveryReadComponentIsToldLoadingFinished) {
    const std::unique_ptr<TComponent> root = test::readStream(fixture(R"(
        'TPF0' 0D 'TSampleObject' 00 00
          0D 'TSampleObject' 01 'A' 00 00
        00)"));
    EXPECT_EQ(dynamic_cast<TSampleObject&>(*root).loadedCalls, 1);
    EXPECT_EQ(dynamic_cast<TSampleObject&>(*root->components()[0]).loadedCalls, 1);
}

TEST_F(PropertySystem, ReadingConsumesExactlyOneStream) {
    TSampleGroup first;
    first.setName(QStringLiteral("First"));
    TSampleGroup second;
    second.setName(QStringLiteral("Second"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteComponentRes(buffer, QStringLiteral("A"), first);
    WriteComponent(buffer, second);
    buffer.seek(0);
    EXPECT_EQ(ReadComponentRes(buffer)->name(), "First");
    EXPECT_EQ(ReadComponent(buffer)->name(), "Second");
    EXPECT_TRUE(buffer.atEnd());
}

TEST_F(PropertySystem, AStreamThatCannotBeWrittenFails) {
    TSampleGroup group;
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_EQ(failureOf([&] { WriteComponent(readOnly, group); }), failure(StreamFault::WriteError, "ストリームへの書き込みエラー"));
}

TEST_F(PropertySystem, StringListText) {
    TStringList list;
    list.setText(QStringLiteral("a\r\nb\nc\rd"));
    EXPECT_EQ(list.lines(), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(list.text(), "a\r\nb\r\nc\r\nd\r\n");
    list.setText(QStringLiteral("x\r\n\r\n"));
    EXPECT_EQ(list.lines(), QStringList({"x", ""}));
}

TEST(ValueReader, SkipsEveryValueType) {
    const QByteArray values = fixture(R"(
        00 01 02 01 06 01 'a' 01 00 00 02 FF 03 FF FF 04 01 02 03 04
        05 00 00 00 00 00 00 00 80 FF 3F 06 02 'ab' 07 01 'x' 08 09 0A 02 00 00 00 'zz'
        0B 01 'p' 01 'q' 00 0C 01 00 00 00 'L' 0D
        0E 01 02 'ID' 06 01 'a' 00 02 03 01 00 00
        0F 00 00 80 3F 10 01 00 00 00 00 00 00 00 11 00 00 00 00 00 00 F0 3F
        12 01 00 00 00 41 00 13 01 00 00 00 00 00 00 00 'END')");
    ValueReader reader(values);
    int count = 0;
    while (reader.bytes().remaining() > 3) {
        reader.skipValue();
        ++count;
    }
    EXPECT_EQ(count, 20);
    EXPECT_EQ(reader.bytes().readBytes(3), QByteArrayView("END"));
}

}  // namespace
