#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "paper/paper_classes.h"
#include "paper/product_info.h"
#include "tests/poremi_paper/stream_builder.h"

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <gtest/gtest.h>

namespace poremi {
namespace {

void readInto(const QByteArray& bytes, TProductInfo& record) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ReadComponent(buffer, record);
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

QStringList fieldNames(const TProductInfo& record) {
    QStringList names;
    for (qsizetype i = 0; i < record.items().count(); ++i) names.append(record.items()[i].fieldName());
    return names;
}

QStringList values(const TProductDB& store) {
    QStringList out;
    for (int p = 0; p < store.getProductCount(); ++p) {
        TProductInfo record;
        store.readProduct(p, record);
        out.append(record.value(0));
    }
    return out;
}

TEST(ProductInfo, NewRecordsHaveAGuidAndTheTenFields) {
    const TProductInfo a, b;
    EXPECT_FALSE(a.guid().isNull());
    EXPECT_FALSE(a.isSameRecord(b));
    EXPECT_EQ(fieldNames(a), TProductInfo::productFieldNames());
    EXPECT_EQ(fieldNames(a).first(), QStringLiteral("メインタイトル"));
    EXPECT_EQ(a.value(0), QString());
    EXPECT_EQ(a.value(42), QString());

    TProductInfo c;
    c.setValue(0, QStringLiteral("夏のアルバム"));
    EXPECT_EQ(c.value(0), QStringLiteral("夏のアルバム"));
    c.setValue(0, QString());
    EXPECT_EQ(c.items()[0].info().count(), 0);
    c.setValue(12, QStringLiteral("x"));
    EXPECT_EQ(c.items().count(), 13);
}

TEST(ProductInfo, RoundTripsWithItsGuid) {
    registerPaperClasses();
    TProductInfo record;
    record.setValue(0, QStringLiteral("メイン"));
    record.setValue(5, QStringLiteral("2026/12/10"));
    const QByteArray bytes = componentResourceBytes(QStringLiteral("ProductInfo"), record);
    EXPECT_TRUE(dumpComponentStream(bytes).contains(QLatin1String("GUID")));

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TProductInfo> back = ReadComponentResAs<TProductInfo>(buffer);
    EXPECT_TRUE(back->isSameRecord(record));
    EXPECT_EQ(back->value(0), QStringLiteral("メイン"));
    EXPECT_EQ(back->value(5), QStringLiteral("2026/12/10"));
    EXPECT_EQ(fieldNames(*back), fieldNames(record));

    TProductInfo assigned;
    assigned.assign(record);
    EXPECT_TRUE(assigned.isSameRecord(record));
    EXPECT_EQ(assigned.value(0), record.value(0));
}

TEST(ProductInfo, StreamsWithoutOrWithABrokenGuid) {
    // No GUID: the record keeps its own; short item lists get the ten default fields back.
    const QByteArray noGuid = test::handWrittenStream("TProductInfo", [](ValueWriter& w) {
        w.writeShortString("Items");
        w.writeValue(ValueType::Collection);
        w.writeListBegin();
        w.writeShortString("FieldName");
        w.writeString(QStringLiteral("題名"));
        w.writeListEnd();
        w.writeListEnd();
    });
    TProductInfo record;
    const Guid own = record.guid();
    readInto(noGuid, record);
    EXPECT_EQ(record.guid(), own);
    EXPECT_EQ(record.items().count(), 10);
    EXPECT_EQ(record.items()[0].fieldName(), QStringLiteral("題名"));
    EXPECT_EQ(record.items()[1].fieldName(), QStringLiteral("サブタイトル"));

    for (int size : {0, 15, 17}) {
        const QByteArray broken = test::handWrittenStream("TProductInfo", [&](ValueWriter& w) {
            w.writeShortString("GUID");
            w.writeBinary(QByteArray(size, '\x5a'));
        });
        TProductInfo target;
        const Guid before = target.guid();
        EXPECT_EQ(errorOf([&] { readInto(broken, target); }), QStringLiteral("不正なプロパティの値です")) << size;
        EXPECT_EQ(target.guid(), before);
    }
}

TEST(ProductStore, LivesInATemporaryCompoundFileForItsLifetime) {
    QString file;
    {
        TProductDB store;
        EXPECT_EQ(store.getProductCount(), 0);
        EXPECT_EQ(errorOf([&] { store.save(TProductInfo()); }), QStringLiteral("ストリームへの書き込みエラー"));
        store.initialise();
        file = store.storageFileName();
        ASSERT_FALSE(file.isEmpty());
        EXPECT_TRUE(QFileInfo::exists(file));
        store.save(TProductInfo());
        EXPECT_EQ(store.entryCount(), 6);
    }
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST(ProductStore, HoldsCompaniesReservedEntriesAndProducts) {
    TProductDB store;
    EXPECT_EQ(store.fileName(), QStringLiteral("$(ProductDB)"));
    store.initialise();
    EXPECT_EQ(store.entryCount(), 5);
    EXPECT_EQ(store.getProductCount(), 0);
    EXPECT_FALSE(store.modified());
    TProductInfo company;
    store.readCompany1(company);
    EXPECT_EQ(fieldNames(company), TProductInfo::companyFieldNames());
    TProductInfo company2;
    store.readCompany2(company2);
    EXPECT_FALSE(company2.isSameRecord(company));

    TProductInfo first;
    first.setValue(0, QStringLiteral("一"));
    store.save(first);
    first.setValue(0, QStringLiteral("壱"));
    store.save(first);  // the same GUID keeps one entry
    EXPECT_TRUE(store.modified());
    EXPECT_EQ(store.getProductCount(), 1);
    EXPECT_EQ(values(store), QStringList({QStringLiteral("壱")}));
    EXPECT_EQ(store.indexOf(first), 5);
    EXPECT_EQ(store.productIndexOf(first), 0);
    EXPECT_EQ(store.productIndexOf(company), -1);
    EXPECT_EQ(store.indexOf(company), 0);
    EXPECT_EQ(store.indexOf(TProductInfo()), -1);

    TProductInfo product, c1, c2;
    store.readNewDocumentRecords(product, c1, c2);
    EXPECT_TRUE(product.isSameRecord(first));
    EXPECT_TRUE(c1.isSameRecord(company));
    EXPECT_TRUE(c2.isSameRecord(company2));
    TProductDB empty;
    empty.initialise();
    TProductInfo fresh;
    const Guid freshGuid = fresh.guid();
    empty.readNewDocumentRecords(fresh, c1, c2);
    EXPECT_EQ(fresh.guid(), freshGuid);  // no product 0: the document keeps its own
}

TEST(ProductStore, MovesAndDeletesOnlyProducts) {
    TProductDB store;
    store.initialise();
    std::vector<std::unique_ptr<TProductInfo>> records;
    for (const char* title : {"A", "B", "C", "D"}) {
        records.push_back(std::make_unique<TProductInfo>());
        records.back()->setValue(0, QString::fromLatin1(title));
        store.save(*records.back());
    }
    store.moveProduct(3, 1);
    EXPECT_EQ(values(store), QStringList({"A", "D", "B", "C"}));
    store.moveProduct(0, 3);
    EXPECT_EQ(values(store), QStringList({"D", "B", "C", "A"}));
    EXPECT_EQ(store.productIndexOf(*records[0]), 3);
    store.moveProduct(0, 9);  // out of range: nothing moves
    EXPECT_EQ(values(store), QStringList({"D", "B", "C", "A"}));

    // The company and reserved entries cannot be deleted.
    TProductInfo company;
    store.readCompany1(company);
    EXPECT_FALSE(store.remove(company));
    EXPECT_EQ(store.entryCount(), 9);

    EXPECT_TRUE(store.remove(*records[1]));
    EXPECT_FALSE(store.remove(*records[1]));
    EXPECT_EQ(values(store), QStringList({"D", "C", "A"}));
    EXPECT_EQ(errorOf([&] { store.readProduct(3, company); }), QStringLiteral("ストリームからの読み込みエラー"));
}

}  // namespace
}  // namespace poremi
