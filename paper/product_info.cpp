#include "paper/product_info.h"

#include "document/container/doc_name_list.h"
#include "document/container/storage_mode.h"
#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"

#include <QtCore/QBuffer>
#include <QtCore/QUuid>
#include <algorithm>

namespace poremi {
namespace {

const QString kResourceName = QStringLiteral("ProductInfo");

Guid freshGuid() { return *Guid::fromString(QUuid::createUuid().toString(QUuid::WithBraces)); }

}  // namespace

// ---- TProductItem

const TClassInfo& TProductItem::staticClassInfo() {
    static const TClassInfo info = describeClass<TProductItem, TCollectionItem>("TProductItem", [](auto& d) {
        d.string("FieldName", &TProductItem::fieldName, &TProductItem::setFieldName);
        d.object("Info", static_cast<TStringList& (TProductItem::*)()>(&TProductItem::info));
    });
    return info;
}

const TClassInfo& TProductItemCollection::staticClassInfo() {
    static const TClassInfo info = describeClass<TProductItemCollection, TCollection>("TProductItemCollection");
    return info;
}

// ---- TProductInfo

const TClassInfo& TProductInfo::staticClassInfo() {
    static const TClassInfo info = describeClass<TProductInfo, TComponent>("TProductInfo", [](auto& d) {
        d.object("Items", static_cast<TProductItemCollection& (TProductInfo::*)()>(&TProductInfo::items));
    });
    return info;
}

const QStringList& TProductInfo::productFieldNames() {
    static const QStringList names{
        QStringLiteral("メインタイトル"), QStringLiteral("サブタイトル"), QStringLiteral("担当者"),
        QStringLiteral("コピーライト"),   QStringLiteral("バージョン"),   QStringLiteral("日付"),
        QStringLiteral("自由項目1"),      QStringLiteral("自由項目2"),    QStringLiteral("自由項目3"),
        QStringLiteral("自由項目4")};
    return names;
}

const QStringList& TProductInfo::companyFieldNames() {
    static const QStringList names{
        QStringLiteral("会社名"),   QStringLiteral("部署名"),       QStringLiteral("TEL"),
        QStringLiteral("FAX"),      QStringLiteral("郵便番号"),     QStringLiteral("住所1"),
        QStringLiteral("住所2"),    QStringLiteral("ホームページ"), QStringLiteral("自由項目1"),
        QStringLiteral("自由項目2"), QStringLiteral("自由項目3")};
    return names;
}

TProductInfo::TProductInfo(TComponent* owner) : TComponent(owner), guid_(freshGuid()) { ensureDefaultFields(); }

void TProductInfo::renewGuid() { guid_ = freshGuid(); }

QString TProductInfo::value(int i) const {
    if (i < 0 || i >= items_.count()) return {};
    const QStringList& lines = items_[i].info().lines();
    return lines.isEmpty() ? QString() : lines.first();
}

void TProductInfo::setValue(int i, const QString& value) {
    if (i < 0) return;
    while (items_.count() <= i) items_.add();
    items_[i].info().setLines(value.isEmpty() ? QStringList() : QStringList{value});
}

void TProductInfo::setFieldNames(const QStringList& names) {
    while (items_.count() < names.size()) items_.add();
    for (qsizetype i = 0; i < names.size(); ++i) items_[i].setFieldName(names[i]);
}

void TProductInfo::defineProperties(TFiler& filer) {
    TComponent::defineProperties(filer);
    filer.defineBinaryProperty(
        QStringLiteral("GUID"),
        [this](ByteReader& reader) {
            const std::optional<Guid> guid = Guid::fromBytes(reader.readBytes(reader.remaining()).toByteArray());
            if (!guid) stream_error::invalidPropertyValue();
            guid_ = *guid;
        },
        [this](ByteWriter& writer) { writer.writeBytes(guid_.toBytes()); }, true);
}

void TProductInfo::assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TProductInfo*>(&source);
    if (!other) stream_error::invalidCast();
    items_.assign(other->items_);
    guid_ = other->guid_;
}

void TProductInfo::loaded() { ensureDefaultFields(); }

void TProductInfo::ensureDefaultFields() {
    const QStringList& names = productFieldNames();
    while (items_.count() < kProductFieldCount) items_.add();
    for (int i = 0; i < kProductFieldCount; ++i)
        if (items_[i].fieldName().isEmpty()) items_[i].setFieldName(names[i]);
}

// ---- TProductDB

TProductDB::TProductDB() : fileName_(QStringLiteral("$(ProductDB)")) {}

TProductDB::~TProductDB() = default;

void TProductDB::initialise() {
    names_.reset();
    storage_ = std::make_unique<TTemporaryStorage>();
    names_ = std::make_unique<TDocStreamList>(*storage_, QStringLiteral("Infos\\NameList"));
    for (int company = 0; company < 2; ++company) {
        TProductInfo record;
        record.setFieldNames(TProductInfo::companyFieldNames());
        appendEntry(record);
    }
    while (entryCount() < kReservedEntries) appendEntry(TProductInfo());
}

int TProductDB::entryCount() const { return names_ ? names_->Count() : 0; }

QString TProductDB::storageFileName() const { return storage_ ? storage_->FileName() : QString(); }

int TProductDB::getProductCount() const { return std::max(0, entryCount() - kReservedEntries); }

void TProductDB::readProduct(int p, TProductInfo& record) const { readEntry(p + kReservedEntries, record); }

void TProductDB::readCompany1(TProductInfo& record) const { readEntry(0, record); }

void TProductDB::readCompany2(TProductInfo& record) const { readEntry(1, record); }

int TProductDB::indexOf(const TProductInfo& record) const {
    for (int i = 0; i < entryCount(); ++i) {
        TProductInfo stored;
        readEntry(i, stored);
        if (stored.isSameRecord(record)) return i;
    }
    return -1;
}

int TProductDB::productIndexOf(const TProductInfo& record) const {
    const int index = indexOf(record);
    return index >= kReservedEntries ? index - kReservedEntries : -1;
}

void TProductDB::save(const TProductInfo& record) {
    const int index = indexOf(record);
    if (index >= 0)
        writeEntry(index, record);
    else
        appendEntry(record);
    modified_ = true;
}

bool TProductDB::remove(const TProductInfo& record) {
    const int index = indexOf(record);
    if (index < kReservedEntries) return false;
    names_->DeleteItem(index);
    modified_ = true;
    return true;
}

void TProductDB::moveProduct(int from, int to) {
    const int count = getProductCount();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
    std::vector<std::unique_ptr<TProductInfo>> records;
    for (int p = 0; p < count; ++p) {
        records.push_back(std::make_unique<TProductInfo>());
        readProduct(p, *records.back());
    }
    auto moved = std::move(records[std::size_t(from)]);
    records.erase(records.begin() + from);
    records.insert(records.begin() + to, std::move(moved));
    for (int p = std::min(from, to); p <= std::max(from, to); ++p)
        writeEntry(p + kReservedEntries, *records[std::size_t(p)]);
    modified_ = true;
}

void TProductDB::readNewDocumentRecords(TProductInfo& product, TProductInfo& company1, TProductInfo& company2) const {
    if (getProductCount() > 0) readProduct(0, product);
    readCompany2(company2);
    readCompany1(company1);
}

void TProductDB::readEntry(int index, TProductInfo& record) const {
    if (index < 0 || index >= entryCount()) stream_error::readError();
    QByteArray bytes = names_->OpenItem(index, fmOpenRead | fmShareExclusive)->ReadRest();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadComponentRes(buffer, record);
}

void TProductDB::writeEntry(int index, const TProductInfo& record) {
    if (!names_) stream_error::writeError();
    names_->OpenItem(index, fmCreate)->WriteBytes(componentResourceBytes(kResourceName, record));
}

void TProductDB::appendEntry(const TProductInfo& record) {
    if (!names_) stream_error::writeError();
    writeEntry(names_->AddItem(), record);
}

}  // namespace poremi
