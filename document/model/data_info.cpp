#include "document/model/data_info.h"

#include "document/stream/class_declaration.h"
#include "paper/product_info.h"

namespace poremi {

namespace {
const QString kProductInfo = QStringLiteral("ProductInfo");
const QString kCreatorInfoE = QStringLiteral("CreatorInfoE");
const QString kCreatorInfoJ = QStringLiteral("CreatorInfoJ");
}  // namespace

const TClassInfo& TDataInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TDataInfo, TComponent>("TDataInfo", [](auto& d) {
        d.integer("SheetCount", &TDataInfo::sheetCount, &TDataInfo::setSheetCount).notStored();
        d.string("DataName", &TDataInfo::dataName, &TDataInfo::setDataName);
        d.integer("CurrentSheetNo", &TDataInfo::currentSheetNo, &TDataInfo::setCurrentSheetNo);
        d.floating("LastPrint", &TDataInfo::lastPrint, &TDataInfo::setLastPrint);
        d.floating("LastSave", &TDataInfo::lastSave, &TDataInfo::setLastSave);
        d.boolean("SheetMode", &TDataInfo::sheetMode, &TDataInfo::setSheetMode);
    });
    return info;
}

TProductInfo* TDataInfo::ownedCopy(const QString& name, const TProductInfo& source) {
    if (TComponent* old = findComponent(name)) delete old;
    auto* copy = new TProductInfo(this);
    copy->assign(source);
    copy->setName(name);
    return copy;
}

void TDataInfo::setRecords(const TProductInfo& product, const TProductInfo& creatorE, const TProductInfo& creatorJ) {
    productInfo_ = ownedCopy(kProductInfo, product);
    creatorInfoE_ = ownedCopy(kCreatorInfoE, creatorE);
    creatorInfoJ_ = ownedCopy(kCreatorInfoJ, creatorJ);
}

void TDataInfo::getChildren(const std::function<void(TComponent&)>& yield) const {
    for (TProductInfo* record : {productInfo_, creatorInfoE_, creatorInfoJ_})
        if (record) yield(*record);
}

void TDataInfo::loaded() {
    productInfo_ = dynamic_cast<TProductInfo*>(findComponent(kProductInfo));
    creatorInfoE_ = dynamic_cast<TProductInfo*>(findComponent(kCreatorInfoE));
    creatorInfoJ_ = dynamic_cast<TProductInfo*>(findComponent(kCreatorInfoJ));
}

}  // namespace poremi
