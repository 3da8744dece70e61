// The records a sheet carries besides its paper (maker and usage text, template images) and the
// product records a document takes from the application's store.

#include "label_documents.h"
#include "test_objects.h"

#include "document/container/doc_storage.h"
#include "document/container/storage_mode.h"
#include "paper/database/extra_paper_info.h"
#include "paper/product_info.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::documentPath;
using testing::matrixPaper;
using testing::TTestBox;

std::unique_ptr<TExPaperInfo> makerRecord(const QString& company) {
    auto record = std::make_unique<TExPaperInfo>();
    record->setPaperName(QStringLiteral("Four"));
    record->setCompany(company);
    record->setPurpose(QStringLiteral("CD"));
    record->setRoundSize(7);
    return record;
}

// Face 1 carries a red box; face 0 stays empty.
std::unique_ptr<TImagePaperInfo> templateImages() {
    auto record = std::make_unique<TImagePaperInfo>();
    record->setPaperName(QStringLiteral("Four"));
    record->setLabelCount(4);
    auto box = std::make_unique<TTestBox>();
    box->setRect({1, 2, 300, 400});
    box->setColor(0x0000FF);
    TImagePaperInfo::Objects objects;
    objects.push_back(std::move(box));
    record->setObjects(1, std::move(objects));
    return record;
}

bool elementExists(const QString& file, const QString& path, bool storage) {
    TFileStorage root(file, fmOpenRead | fmShareExclusive);
    return storage ? root.StorageExists(path) : root.StreamExists(path);
}

class LabelSheetRecords : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerLabelDocumentClasses(); }
};

TEST_F(LabelSheetRecords, SettingCopiesTheRecordAndMarksModified) {
    TLabelData data(nullptr);
    EXPECT_TRUE(data.ExtraPaperInfo().isEmpty());
    EXPECT_TRUE(data.ImagePaperInfo().isEmpty());
    auto maker = makerRecord(QStringLiteral("Maker"));
    data.SetExtraPaperInfo(maker.get());
    EXPECT_TRUE(data.modified());
    maker->setCompany(QStringLiteral("Changed later"));
    EXPECT_EQ(data.ExtraPaperInfo().company(), QStringLiteral("Maker"));

    auto images = templateImages();
    data.setModified(false);
    data.SetImagePaperInfo(images.get());
    EXPECT_TRUE(data.modified());
    images.reset();
    ASSERT_EQ(data.ImagePaperInfo().objects(1).size(), 1u);

    data.SetExtraPaperInfo(nullptr);
    data.SetImagePaperInfo(nullptr);
    EXPECT_TRUE(data.ExtraPaperInfo().isEmpty());
    EXPECT_TRUE(data.ImagePaperInfo().isEmpty());
}

TEST_F(LabelSheetRecords, RecordsBelongToTheirSheetAndTravelThroughTheFile) {
    const QString path = documentPath(QStringLiteral("sheet_records.lbx"));
    const auto maker = makerRecord(QStringLiteral("シール工業"));
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("Four"), 2, 2));
        data.SetExtraPaperInfo(maker.get());
        data.SetImagePaperInfo(templateImages().get());
        data.AddNewSheet();
        // The new sheet starts with what was current; this one drops both.
        EXPECT_FALSE(data.ExtraPaperInfo().isEmpty());
        data.SetExtraPaperInfo(nullptr);
        data.SetImagePaperInfo(nullptr);
        data.SetCurrentSheet(0);
        data.SaveToFile(path);
    }
    EXPECT_TRUE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperExtraInfo"), false));
    EXPECT_TRUE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperImageInfo"), false));
    EXPECT_TRUE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperImages\\$00000002"), false));
    EXPECT_FALSE(elementExists(path, QStringLiteral("Sheets\\NameList1\\PaperExtraInfo"), false));
    EXPECT_FALSE(elementExists(path, QStringLiteral("Sheets\\NameList1\\PaperImageInfo"), false));
    EXPECT_FALSE(elementExists(path, QStringLiteral("Sheets\\NameList1\\PaperImages"), true));

    TLabelData read(nullptr);
    read.LoadFromFile(path);
    EXPECT_TRUE(read.ExtraPaperInfo().sameAs(*maker));
    EXPECT_TRUE(read.ImagePaperInfo().sameAs(*templateImages()));
    const auto objects = read.ImagePaperInfo().objects(1);
    ASSERT_EQ(objects.size(), 1u);
    const auto* box = dynamic_cast<const TTestBox*>(objects[0]);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->rect(), TRect(1, 2, 300, 400));
    EXPECT_FALSE(read.modified());
    read.SetCurrentSheet(1);
    EXPECT_TRUE(read.ExtraPaperInfo().isEmpty());
    EXPECT_TRUE(read.ImagePaperInfo().isEmpty());
    read.SetCurrentSheet(0);
    EXPECT_EQ(read.ExtraPaperInfo().company(), QStringLiteral("シール工業"));
    EXPECT_FALSE(read.modified());
}

TEST_F(LabelSheetRecords, ClearedRecordsLeaveNoElementsBehindOnSave) {
    const QString path = documentPath(QStringLiteral("sheet_records_cleared.lbx"));
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("Four"), 2, 2));
    data.SetExtraPaperInfo(makerRecord(QStringLiteral("Maker")).get());
    data.SetImagePaperInfo(templateImages().get());
    data.SaveToFile(path);
    ASSERT_TRUE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperImages"), true));
    data.SetExtraPaperInfo(nullptr);
    data.SetImagePaperInfo(nullptr);
    data.SaveToFile(path);
    EXPECT_FALSE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperExtraInfo"), false));
    EXPECT_FALSE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperImageInfo"), false));
    EXPECT_FALSE(elementExists(path, QStringLiteral("Sheets\\NameList0\\PaperImages"), true));
}

TEST_F(LabelSheetRecords, NewDocumentTakesProductZeroAndTheCompanyRecordsLoadTakesOnlyTheProduct) {
    TProductDB store;
    store.initialise();
    TProductInfo product;
    product.setValue(0, QStringLiteral("ベスト盤"));
    store.save(product);
    TProductInfo company1, company2;
    store.readCompany1(company1);
    store.readCompany2(company2);

    const QString path = documentPath(QStringLiteral("products.lbx"));
    {
        TLabelData data(nullptr, &store);
        EXPECT_TRUE(data.productInfo().isSameRecord(product));
        EXPECT_EQ(data.productInfo().value(0), QStringLiteral("ベスト盤"));
        EXPECT_TRUE(data.creatorInfoE().isSameRecord(company1));
        EXPECT_TRUE(data.creatorInfoJ().isSameRecord(company2));
        EXPECT_FALSE(data.modified());
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 1, 1));
        data.SaveToFile(path);
    }
    TLabelData other(nullptr);
    const Guid creatorBefore = other.creatorInfoE().guid();
    other.LoadFromFile(path);
    EXPECT_TRUE(other.productInfo().isSameRecord(product));
    EXPECT_EQ(other.productInfo().value(0), QStringLiteral("ベスト盤"));
    EXPECT_EQ(other.creatorInfoE().guid(), creatorBefore);
}

}  // namespace
}  // namespace poremi
