#pragma once
// The document information record written once per document: title, current sheet, print and
// save times, the screens' sheet mode, and the product record with the two creator records as
// children named "ProductInfo", "CreatorInfoE" and "CreatorInfoJ".

#include "document/stream/component.h"

namespace poremi {

class TProductInfo;

class TDataInfo : public TComponent {
    POREMI_PERSISTENT(TDataInfo)
public:
    explicit TDataInfo(TComponent* owner = nullptr) : TComponent(owner) {}

    qint32 sheetCount() const { return sheetCount_; }
    void setSheetCount(qint32 count) { sheetCount_ = count; }
    const QString& dataName() const { return dataName_; }
    void setDataName(const QString& name) { dataName_ = name; }
    qint32 currentSheetNo() const { return currentSheetNo_; }
    void setCurrentSheetNo(qint32 index) { currentSheetNo_ = index; }
    double lastPrint() const { return lastPrint_; }
    void setLastPrint(double value) { lastPrint_ = value; }
    double lastSave() const { return lastSave_; }
    void setLastSave(double value) { lastSave_ = value; }
    bool sheetMode() const { return sheetMode_; }
    void setSheetMode(bool mode) { sheetMode_ = mode; }

    // The records read or set; none until then.
    TProductInfo* productInfo() const { return productInfo_; }
    TProductInfo* creatorInfoE() const { return creatorInfoE_; }
    TProductInfo* creatorInfoJ() const { return creatorInfoJ_; }
    // Owned copies of the three records, named for writing.
    void setRecords(const TProductInfo& product, const TProductInfo& creatorE, const TProductInfo& creatorJ);

    // Only the three records, in their order.
    void getChildren(const std::function<void(TComponent&)>& yield) const override;
    // Binds the children read to the records by name; children of other classes stay unbound.
    void loaded() override;

private:
    TProductInfo* ownedCopy(const QString& name, const TProductInfo& source);

    qint32 sheetCount_ = 0;
    QString dataName_;
    qint32 currentSheetNo_ = 0;
    double lastPrint_ = 0;
    double lastSave_ = 0;
    bool sheetMode_ = false;
    TProductInfo* productInfo_ = nullptr;
    TProductInfo* creatorInfoE_ = nullptr;
    TProductInfo* creatorInfoJ_ = nullptr;
};

}  // namespace poremi
