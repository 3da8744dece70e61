#include "paper/database/papers.h"

#include "base/datetime.h"
#include "base/error.h"
#include "base/text_codec.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"

#include <QtCore/QBuffer>
#include <QtCore/QDebug>
#include <QtCore/QFileInfo>
#include <QtCore/QSet>

namespace poremi {
namespace {

std::unique_ptr<TComponent> readComponentBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadComponent(buffer);
}

std::unique_ptr<TPaperInfo> readPaper(const QByteArray& bytes) {
    std::unique_ptr<TComponent> root = readComponentBytes(bytes);
    auto* paper = dynamic_cast<TPaperInfo*>(root.get());
    if (!paper) stream_error::invalidCast();
    root.release();
    return std::unique_ptr<TPaperInfo>(paper);
}

// Lines as a string list writes them: CR LF after each, CP932.
QByteArray linesToBytes(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return cp932::encode(text);
}

QStringList bytesToLines(const QByteArray& bytes) {
    QString text = cp932::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace

// ---- TPapers

TPapers::TPapers(const QString& fileName, bool readOnly, PaperFileStart start)
    : store_(std::make_unique<PaperStore>()), readOnly_(readOnly), fileName_(fileName) {
    if (start == PaperFileStart::Load && QFileInfo::exists(fileName)) store_->loadFrom(fileName);
    loadPurposeList();
    loadPapers();
    rememberState();
    if (start == PaperFileStart::Empty) markModified();
}

TPapers::~TPapers() {
    try {
        if (!readOnly_ && isModified()) qWarning().noquote() << "paper database" << fileName_ << "closed without writing its changes";
    } catch (...) {
        // A destructor reports nothing further.
    }
}

void TPapers::rememberState() {
    store_->rememberState();
    forcedModified_ = false;
}

bool TPapers::isModified() const { return forcedModified_ || store_->isChanged(); }

void TPapers::close() {
    if (readOnly_ || !isModified()) return;
    store_->saveTo(fileName_);
    rememberState();
}

void TPapers::loadPurposeList() {
    if (store_->streamExists(kPurposeListStream)) {
        QBuffer buffer;
        buffer.setData(store_->readStream(kPurposeListStream));
        buffer.open(QIODevice::ReadOnly);
        purposes_.loadFromStream(buffer);
    } else {
        purposes_.loadDefaults();
    }
}

void TPapers::loadPapers() {
    store_->createStorage(kPapersStorage);
    for (const QString& id : store_->streamNames(kPapersStorage)) {
        std::unique_ptr<TPaperInfo> paper;
        try {
            paper = readPaper(store_->readStream(pathOf(id)));
        } catch (const Exception& error) {
            // One damaged paper must not cost the user every other one.
            unreadable_.append(id);
            warnUnreadable(pathOf(id), error);
            continue;
        }
        paper->purposeList().mergeFrom(purposes_);
        papers_.push_back({id, std::move(paper)});
    }
}

void TPapers::writePurposeList() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    purposes_.saveToStream(buffer);
    store_->writeStream(kPurposeListStream, buffer.data());
}

void TPapers::setPurposeList(const TPurposeList& list) {
    purposes_.assign(list);
    writePurposeList();
}

quint32 TPapers::highestId() const {
    quint32 highest = 0;
    for (const Entry& entry : papers_) highest = std::max(highest, paperItemNumber(entry.id));
    // New ids never land on an unreadable stream, which stays as it was.
    for (const QString& id : unreadable_) highest = std::max(highest, paperItemNumber(id));
    return highest;
}

void TPapers::writePaper(const QString& id, const TPaperInfo& paper) {
    std::unique_ptr<TPaperInfo> upright = paper.clone();
    upright->setLandscape(false);
    upright->setStorePurposeList(true);
    store_->writeStream(pathOf(id), componentStreamBytes(*upright));
}

int TPapers::indexOfPaper(const QString& name) const {
    for (std::size_t i = 0; i < papers_.size(); ++i)
        if (papers_[i].paper->paperName() == name) return int(i);
    return -1;
}

void TPapers::savePaper(const TPaperInfo& paper) {
    if (purposes_.mergeFrom(paper.purposeList())) writePurposeList();
    const int existing = indexOfPaper(paper.paperName());
    QString id;
    if (existing >= 0) {
        id = papers_[std::size_t(existing)].id;
        store_->deleteElement(pathOf(id));
    } else {
        id = paperItemName(highestId() + 1);
    }
    writePaper(id, paper);
    std::unique_ptr<TPaperInfo> copy = paper.clone();
    if (existing >= 0) {
        papers_[std::size_t(existing)].paper = std::move(copy);
    } else {
        papers_.push_back({id, std::move(copy)});  // the new id is the highest
    }
}

void TPapers::deletePaper(int index) {
    if (index < 0 || index >= getPaperCount()) return;
    store_->deleteElement(pathOf(papers_[std::size_t(index)].id));
    papers_.erase(papers_.begin() + index);
}

void TPapers::reorderPapers(const QStringList& names) {
    std::vector<int> order;
    QSet<int> seen;
    for (const QString& name : names) {
        const int index = indexOfPaper(name);
        if (index < 0 || seen.contains(index)) throw Exception(QStringLiteral("Bad paper name"));
        seen.insert(index);
        order.push_back(index);
    }
    quint32 next = highestId();
    for (int index : order) {
        Entry& entry = papers_[std::size_t(index)];
        const QString id = paperItemName(++next);
        store_->renameElement(kPapersStorage, entry.id, id);
        entry.id = id;
    }
    std::stable_sort(papers_.begin(), papers_.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
}

void TPapers::getGroupNames(QStringList& names) const {
    for (const Entry& entry : papers_)
        if (!names.contains(entry.paper->groupName())) names.append(entry.paper->groupName());
}

// ---- TPapersV2

TPapersV2::TPapersV2(const QString& fileName, bool readOnly, PaperFileStart start) : TPapers(fileName, readOnly, start) {
    if (store().streamExists(kUpdateInfoStream)) {
        QBuffer buffer;
        buffer.setData(store().readStream(kUpdateInfoStream));
        buffer.open(QIODevice::ReadOnly);
        ReadComponent(buffer, update_);
    } else {
        store().writeStream(kUpdateInfoStream, componentStreamBytes(update_));
    }
    groups_ = readLines(kGroupListStream);
    companies_ = readLines(kCompanyListStream);
    // What was created here is no change of the user's; a new database stays marked.
    store().rememberState();
}

QStringList TPapersV2::readLines(const QString& path) {
    if (!store().streamExists(path)) {
        store().writeStream(path, QByteArray());
        return {};
    }
    return bytesToLines(store().readStream(path));
}

void TPapersV2::writeLines(const QString& path, const QStringList& lines) { store().writeStream(path, linesToBytes(lines)); }

void TPapersV2::deletePaper(int index) {
    if (index < 0 || index >= getPaperCount()) return;
    const QString name = getPaper(index).paperName();
    for (const auto& base : bases_) base->deleteRecord(name);
    TPapers::deletePaper(index);
}

void TPapersV2::setUpdateInfo(const TPaperUpdate& record) {
    update_.setPprNo(record.pprNo());
    update_.setLastUpdate(record.lastUpdate());
    store().writeStream(kUpdateInfoStream, componentStreamBytes(update_));
}

void TPapersV2::setCompanyList(const QStringList& list) {
    companies_ = list;
    writeLines(kCompanyListStream, companies_);
}

void TPapersV2::setGroupList(const QStringList& list) {
    groups_ = list;
    writeLines(kGroupListStream, groups_);
}

void TPapersV2::readGlobalInfo(const QString& name, QStringList& strings) const {
    const QString path = kGlobalInfoStorage + QLatin1Char('\\') + name;
    if (store().streamExists(path)) strings.append(bytesToLines(store().readStream(path)));
}

void TPapersV2::writeGlobalInfo(const QString& name, const QStringList& strings) {
    store().writeStream(kGlobalInfoStorage + QLatin1Char('\\') + name, linesToBytes(strings));
}

bool TPapersV2::hasGlobalInfo() const { return store().storageExists(kGlobalInfoStorage); }

void TPapersV2::copyGlobalInfoTo(TPapersV2& destination) const {
    store().copyTo(kGlobalInfoStorage, destination.store(), kGlobalInfoStorage);
}

void TPapersV2::registerExtraInfo(std::unique_ptr<TExtraInfoBase> base) {
    store().createStorage(base->name());
    base->attach(store(), base->name());
    bases_.push_back(std::move(base));
}

void TPapersV2::registerStandardExtraInfos() {
    registerExtraInfo(std::make_unique<TExInfoBase>());
    registerExtraInfo(std::make_unique<TImageInfoBase>());
}

TExtraInfoBase* TPapersV2::findExtraInfo(const QString& baseName) const {
    for (const auto& base : bases_)
        if (base->name() == baseName) return base.get();
    return nullptr;
}

std::unique_ptr<TExtraPaperInfo> TPapersV2::getExtraInfo(const QString& baseName, const QString& paperName) const {
    TExtraInfoBase* base = findExtraInfo(baseName);
    return base ? base->get(paperName) : nullptr;
}

void TPapersV2::setExtraInfo(const QString& baseName, const TExtraPaperInfo& record) {
    if (record.paperName().isEmpty()) return;
    if (TExtraInfoBase* base = findExtraInfo(baseName)) base->save(record);
}

void TPapersV2::deleteExtraInfo(const QString& baseName, const QString& paperName) {
    if (TExtraInfoBase* base = findExtraInfo(baseName)) base->deleteRecord(paperName);
}

void TPapersV2::collectMakersAndPurposes(QStringList& makers, QStringList& purposes) const {
    makers = companies_;
    bool noMakerAdded = false;
    for (int i = 0; i < getPaperCount(); ++i) {
        const auto record = getExtraInfo(TExInfoBase::kName, getPaper(i).paperName());
        const auto* info = dynamic_cast<const TExPaperInfo*>(record.get());
        if (!info) {
            if (!noMakerAdded && !makers.contains(kNoMaker)) makers.append(kNoMaker);
            noMakerAdded = true;
            continue;
        }
        if (!makers.contains(info->company())) makers.append(info->company());
        if (!purposes.contains(info->purpose())) purposes.append(info->purpose());
    }
}

// ---- merging

void MergePapers(TPapersV2& destination, const TPapersV2& source, bool includeUserPapers, const MergeProgress& progress,
                 bool includeSystemPapers) {
    const int count = source.getPaperCount();
    for (int i = 0; i < count; ++i) {
        if (progress) progress(i + 1, count);
        std::unique_ptr<TPaperInfo> paper = source.getPaper(i).clone();
        if (!(paper->readOnly() ? includeSystemPapers : includeUserPapers)) continue;
        const QString sourceName = paper->paperName();
        const int taken = destination.indexOfPaper(paper->paperName());
        if (!paper->readOnly() && taken >= 0 && destination.getPaper(taken).readOnly()) {
            do {
                paper->setPaperName(paper->paperName() + QLatin1Char('$'));
            } while (destination.indexOfPaper(paper->paperName()) >= 0);
        }
        destination.savePaper(*paper);
        for (const auto& base : source.extraInfos()) {
            if (!destination.findExtraInfo(base->name())) continue;
            std::unique_ptr<TExtraPaperInfo> record = base->get(sourceName);
            if (!record) continue;
            record->setPaperName(paper->paperName());
            destination.setExtraInfo(base->name(), *record);
        }
    }
    if (includeSystemPapers) {
        TPaperUpdate stamp;
        stamp.setPprNo(source.getUpdateInfo().pprNo());
        stamp.setLastUpdate(toDateTimeValue(QDateTime::currentDateTime()));
        destination.setUpdateInfo(stamp);
        destination.setCompanyList(source.getCompanyList());
        destination.setGroupList(source.getGroupList());
        if (source.hasGlobalInfo()) source.copyGlobalInfoTo(destination);
    }
    destination.markModified();
}

void registerPaperDatabaseClasses() {
    RegisterClass<TPaperUpdate>();
    RegisterClass<TExPaperInfo>();
    RegisterClass<TImagePaperInfo>();
}

}  // namespace poremi
