#pragma once
// Product information a label can show (titles, person in charge, rights notice, version,
// date, free items) and the company records, each identified by a GUID; and the store that
// keeps the records typed in while the application runs.

#include "base/guid.h"
#include "document/stream/collection.h"
#include "document/stream/component.h"
#include "document/stream/string_list.h"

#include <QtCore/QByteArray>
#include <QtCore/QStringList>
#include <memory>

namespace poremi {

class TDocNameList;
class TTemporaryStorage;

class TProductItem : public TCollectionItem {
    POREMI_PERSISTENT(TProductItem)
public:
    const QString& fieldName() const { return fieldName_; }
    void setFieldName(const QString& name) { fieldName_ = name; }
    // The first line is the value; an empty list means no value.
    TStringList& info() { return info_; }
    const TStringList& info() const { return info_; }

private:
    QString fieldName_;
    TStringList info_;
};

class TProductItemCollection : public TCollectionOf<TProductItem> {
    POREMI_PERSISTENT(TProductItemCollection)
};

class TProductInfo : public TComponent {
    POREMI_PERSISTENT(TProductInfo)
public:
    static constexpr int kProductFieldCount = 10;
    static constexpr int kCompanyFieldCount = 11;

    // "メインタイトル", "サブタイトル", … "自由項目4".
    static const QStringList& productFieldNames();
    // "会社名", "部署名", … "自由項目3".
    static const QStringList& companyFieldNames();

    // A fresh GUID and the ten product fields.
    explicit TProductInfo(TComponent* owner = nullptr);

    TProductItemCollection& items() { return items_; }
    const TProductItemCollection& items() const { return items_; }
    void setItems(const TProductItemCollection& items) { items_.assign(items); }
    const Guid& guid() const { return guid_; }
    void setGuid(const Guid& guid) { guid_ = guid; }
    void renewGuid();
    // Same GUID, same record.
    bool isSameRecord(const TProductInfo& other) const { return guid_ == other.guid_; }

    // The first line of item i; empty when the item has no value or does not exist.
    QString value(int i) const;
    // An empty value clears the item's list.
    void setValue(int i, const QString& value);
    // Names items 0 … names.size() − 1 (adding items where needed).
    void setFieldNames(const QStringList& names);

    // "GUID": the 16 raw bytes; anything else is an invalid property value.
    void defineProperties(TFiler& filer) override;
    // Items and GUID.
    void assign(const TPersistent& source) override;
    // At least ten items, the empty names among the first ten given their defaults.
    void loaded() override;

private:
    void ensureDefaultFields();

    TProductItemCollection items_;
    Guid guid_;
};

// The records of one application run, kept in a temporary compound file under the name list
// "Infos\NameList": entries 0 and 1 are the two company records, 2 to 4 are reserved product
// records, product p is entry p + 5. Each entry holds one record as a component resource named
// "ProductInfo". Nothing is read from or written to another file; the temporary file goes
// with the store.
class TProductDB {
public:
    static constexpr int kReservedEntries = 5;

    TProductDB();
    ~TProductDB();

    // "$(ProductDB)"; names the store in the start-up failure message.
    const QString& fileName() const { return fileName_; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // Creates the temporary file and its name list with two company records, then empty
    // product records up to five entries. Fails when the file cannot be made or written.
    void initialise();

    int entryCount() const;
    // The temporary compound file; empty before initialise.
    QString storageFileName() const;
    int getProductCount() const;
    void readProduct(int p, TProductInfo& record) const;
    void readCompany1(TProductInfo& record) const;
    void readCompany2(TProductInfo& record) const;
    // The entry of the record with the same GUID; -1 when none.
    int indexOf(const TProductInfo& record) const;
    // indexOf − 5 for a product entry, else -1.
    int productIndexOf(const TProductInfo& record) const;
    // Over the entry with the record's GUID, else appended; sets the modified flag.
    void save(const TProductInfo& record);
    // Removes the record's product entry; the company and reserved entries stay. Returns
    // whether an entry was removed.
    bool remove(const TProductInfo& record);
    // Moves product from to position to, rewriting the entries in the new order by index.
    void moveProduct(int from, int to);

    // What a new document takes: product 0 (when there is one) and the two company records.
    void readNewDocumentRecords(TProductInfo& product, TProductInfo& company1, TProductInfo& company2) const;

private:
    void readEntry(int index, TProductInfo& record) const;
    void writeEntry(int index, const TProductInfo& record);
    void appendEntry(const TProductInfo& record);

    QString fileName_;
    std::unique_ptr<TTemporaryStorage> storage_;
    std::unique_ptr<TDocNameList> names_;  // released before the storage it lives in
    bool modified_ = false;
};

}  // namespace poremi
