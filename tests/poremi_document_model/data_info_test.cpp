#include "document/model/data_info.h"
#include "document/model/document_model_classes.h"
#include "document/stream/component_stream.h"
#include "paper/paper_classes.h"
#include "paper/product_info.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class DataInfoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerPaperClasses();
        registerDocumentModelClasses();
    }

    static std::unique_ptr<TDataInfo> readBack(const QByteArray& bytes) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        return ReadComponentResAs<TDataInfo>(buffer);
    }
};

TEST_F(DataInfoTest, RoundTripKeepsValuesAndBindsTheThreeRecordsByName) {
    TProductInfo product, creatorE, creatorJ;
    product.setValue(0, QStringLiteral("メインタイトル値"));
    creatorE.setValue(0, QStringLiteral("Company"));
    creatorJ.setValue(0, QStringLiteral("会社"));
    TDataInfo info;
    info.setSheetCount(3);
    info.setDataName(QStringLiteral("題名"));
    info.setCurrentSheetNo(2);
    info.setLastPrint(45000.25);
    info.setLastSave(45001.5);
    info.setSheetMode(true);
    info.setRecords(product, creatorE, creatorJ);

    const QByteArray bytes = componentResourceBytes(QStringLiteral("DataInfo"), info);
    EXPECT_TRUE(bytes.contains("DATAINFO"));
    EXPECT_FALSE(bytes.contains("SheetCount"));
    for (const char* name : {"ProductInfo", "CreatorInfoE", "CreatorInfoJ"}) EXPECT_TRUE(bytes.contains(name)) << name;

    std::unique_ptr<TDataInfo> read = readBack(bytes);
    EXPECT_EQ(read->sheetCount(), 0);
    EXPECT_EQ(read->dataName(), QStringLiteral("題名"));
    EXPECT_EQ(read->currentSheetNo(), 2);
    EXPECT_DOUBLE_EQ(read->lastPrint(), 45000.25);
    EXPECT_DOUBLE_EQ(read->lastSave(), 45001.5);
    EXPECT_TRUE(read->sheetMode());
    ASSERT_NE(read->productInfo(), nullptr);
    ASSERT_NE(read->creatorInfoE(), nullptr);
    ASSERT_NE(read->creatorInfoJ(), nullptr);
    EXPECT_EQ(read->productInfo()->value(0), QStringLiteral("メインタイトル値"));
    EXPECT_EQ(read->creatorInfoE()->value(0), QStringLiteral("Company"));
    EXPECT_EQ(read->creatorInfoJ()->value(0), QStringLiteral("会社"));
    EXPECT_TRUE(read->productInfo()->isSameRecord(product));
}

TEST_F(DataInfoTest, RecordsAreOptionalAndSettingThemAgainReplacesTheCopies) {
    TDataInfo bare;
    std::unique_ptr<TDataInfo> read = readBack(componentResourceBytes(QStringLiteral("DataInfo"), bare));
    EXPECT_EQ(read->productInfo(), nullptr);
    EXPECT_EQ(read->creatorInfoE(), nullptr);
    EXPECT_EQ(read->creatorInfoJ(), nullptr);

    TProductInfo a, b;
    a.setValue(0, QStringLiteral("a"));
    b.setValue(0, QStringLiteral("b"));
    TDataInfo info;
    info.setRecords(a, a, a);
    info.setRecords(b, b, b);
    EXPECT_EQ(info.components().size(), 3u);
    EXPECT_EQ(info.productInfo()->value(0), QStringLiteral("b"));
}

}  // namespace
}  // namespace poremi
