#pragma once
// The stores of per-paper records inside a paper database, one storage each: "ExtraInfos"
// holds one stream per TExPaperInfo, "PaperImages" one storage per TImagePaperInfo with its
// design streams.

#include "paper/database/extra_paper_info.h"

#include <QtCore/QStringList>
#include <map>
#include <memory>

namespace poremi {

class Exception;
class PaperStore;

class TExtraInfoBase {
public:
    explicit TExtraInfoBase(QString name) : name_(std::move(name)) {}
    virtual ~TExtraInfoBase() = default;
    TExtraInfoBase(const TExtraInfoBase&) = delete;
    TExtraInfoBase& operator=(const TExtraInfoBase&) = delete;

    // The storage the records live in.
    const QString& name() const { return name_; }

    // Binds the base to its storage (which exists) and lists the records there.
    virtual void attach(PaperStore& store, const QString& storagePath) = 0;
    virtual void deleteRecord(const QString& paperName) = 0;
    // Replaces the paper's record; an empty record only deletes the old one.
    virtual void save(const TExtraPaperInfo& record) = 0;
    // A copy of the paper's record, or none. A record that cannot be read is passed over with
    // a warning (warnUnreadable) and left in the file; new records never take its name.
    virtual std::unique_ptr<TExtraPaperInfo> get(const QString& paperName) = 0;
    // The record of the index-th stored element; raises the reading error of a damaged one.
    virtual std::unique_ptr<TExtraPaperInfo> getItem(int index) = 0;
    virtual int count() const = 0;

protected:
    PaperStore& store() const { return *store_; }
    const QString& storagePath() const { return storagePath_; }
    void bind(PaperStore& store, const QString& storagePath) {
        store_ = &store;
        storagePath_ = storagePath;
    }
    QString pathOf(const QString& element) const { return storagePath_ + QLatin1Char('\\') + element; }

private:
    QString name_;
    PaperStore* store_ = nullptr;
    QString storagePath_;
};

class TExInfoBase : public TExtraInfoBase {
public:
    static inline const QString kName = QStringLiteral("ExtraInfos");
    TExInfoBase() : TExtraInfoBase(kName) {}

    void attach(PaperStore& store, const QString& storagePath) override;
    void deleteRecord(const QString& paperName) override;
    void save(const TExtraPaperInfo& record) override;
    std::unique_ptr<TExtraPaperInfo> get(const QString& paperName) override;
    std::unique_ptr<TExtraPaperInfo> getItem(int index) override;
    int count() const override { return int(streams_.size()); }

private:
    struct Cached {
        QString stream;
        std::unique_ptr<TExPaperInfo> record;
    };
    std::unique_ptr<TExPaperInfo> load(const QString& stream) const;
    // The cache entry of the paper, loading uncached streams in list order until it appears.
    const Cached* find(const QString& paperName);

    // The first cache_.size() names are the cached ones.
    QStringList streams_;
    QStringList unreadable_;
    std::map<QString, Cached> cache_;
};

class TImageInfoBase : public TExtraInfoBase {
public:
    static inline const QString kName = QStringLiteral("PaperImages");
    static inline const QString kInfoStream = QStringLiteral("ImageInfo");
    TImageInfoBase() : TExtraInfoBase(kName) {}

    void attach(PaperStore& store, const QString& storagePath) override;
    void deleteRecord(const QString& paperName) override;
    void save(const TExtraPaperInfo& record) override;
    std::unique_ptr<TExtraPaperInfo> get(const QString& paperName) override;
    std::unique_ptr<TExtraPaperInfo> getItem(int index) override;
    int count() const override { return int(storages_.size()); }

private:
    std::unique_ptr<TImagePaperInfo> loadInfo(const QString& storage) const;
    std::unique_ptr<TImagePaperInfo> loadWithDesigns(const QString& storage) const;
    qsizetype find(const QString& paperName);
    void forget(qsizetype index, const Exception& error);

    QStringList storages_;
    QStringList unreadable_;
};

}  // namespace poremi
