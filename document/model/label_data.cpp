#include "document/model/label_data.h"

#include "base/datetime.h"
#include "document/container/doc_name_list.h"
#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"
#include "document/model/data_info.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/label_preview.h"
#include "document/model/label_stream.h"
#include "document/model/object_list.h"
#include "document/model/object_placement.h"
#include "document/stream/class_declaration.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"
#include "paper/product_info.h"

#include <QtCore/QBuffer>
#include <QtCore/QDateTime>

#include <algorithm>

namespace poremi {

namespace {

const QString kSheetList = QStringLiteral("Sheets\\NameList");
const QString kDataInfo = QStringLiteral("DataInfo");
const QString kInfo = QStringLiteral("Info");
const QString kPaperInfo = QStringLiteral("PaperInfo");
const QString kPaperExtraInfo = QStringLiteral("PaperExtraInfo");
const QString kPaperImageInfo = QStringLiteral("PaperImageInfo");
const QString kPaperImages = QStringLiteral("PaperImages");
const QString kLabelList = QStringLiteral("NameList");
const QString kPreviewList = QStringLiteral("Preview");
constexpr int kReadMode = fmOpenRead | fmShareExclusive;
constexpr int kLastSheetNameTry = 1001;

double now() { return toDateTimeValue(QDateTime::currentDateTime()); }

QByteArray readStream(TRootStorage& root, const QString& path) {
    return TDocStream(root, kReadMode, path).ReadRest();
}

void writeStream(TRootStorage& root, const QString& path, const QByteArray& bytes) {
    TDocStream(root, fmCreate, path).WriteBytes(bytes);
}

template <class T>
void readInto(const QByteArray& bytes, T& target) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ReadComponentRes(buffer, target);
}

std::unique_ptr<TPaperInfo> readPaper(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ReadComponentResAs<TPaperInfo>(buffer);
}

// Keeps the Modified flag across a header read, also when it fails.
class ModifiedKeeper {
public:
    explicit ModifiedKeeper(TLabelData& data) : data_(data), saved_(data.modified()) {}
    ~ModifiedKeeper() { data_.setModified(saved_); }

private:
    TLabelData& data_;
    bool saved_;
};

}  // namespace

const TClassInfo& TLabelData::staticClassInfo() {
    static const TClassInfo info = describeClass<TLabelData, TComponent>("TLabelData", [](auto& d) {
        d.boolean("SeparatelyDesign", &TLabelData::separatelyDesign, &TLabelData::setSeparatelyDesign);
        d.integer("CurrentLabelNo", &TLabelData::currentLabelNo, &TLabelData::setCurrentLabelNo);
        d.string("SheetName", &TLabelData::sheetName, &TLabelData::setSheetName);
        d.string("CSVFile", &TLabelData::csvFile, &TLabelData::setCSVFile).notStored();
        d.boolean("CSVFieldName", &TLabelData::csvFieldName, &TLabelData::setCSVFieldName).notStored();
        d.object("Grid", static_cast<TGrid& (TLabelData::*)()>(&TLabelData::grid));
        d.object("Guide", static_cast<TGuide& (TLabelData::*)()>(&TLabelData::guide));
    });
    return info;
}

TLabelData::TLabelData(TComponent* owner, NoSheet)
    : TComponent(owner),
      grid_(std::make_unique<TGrid>()),
      guide_(std::make_unique<TGuide>()),
      container_(std::make_unique<TTemporaryStorage>()),
      productInfo_(std::make_unique<TProductInfo>()),
      creatorInfoE_(std::make_unique<TProductInfo>()),
      creatorInfoJ_(std::make_unique<TProductInfo>()),
      extraPaperInfo_(std::make_unique<TExPaperInfo>()),
      imagePaperInfo_(std::make_unique<TImagePaperInfo>()) {
    grid_->setSize(TGrid::kDocumentSize);
    lastPrint_ = lastSave_ = openedAt_ = now();
}

TLabelData::TLabelData(TComponent* owner, const TProductDB* products) : TLabelData(owner, NoSheet{}) {
    sheets_ = std::make_unique<TDocStorageList>(*container_, kSheetList);
    if (products) products->readNewDocumentRecords(*productInfo_, *creatorInfoE_, *creatorInfoJ_);
    AddNewSheet();
    modified_ = false;
}

TLabelData::~TLabelData() = default;

void TLabelData::setSheetName(const QString& name) {
    if (name == sheetName_) return;
    sheetName_ = name;
    modified_ = true;
}

void TLabelData::setCSVFile(const QString& file) {
    if (file == csvFile_) return;
    csvFile_ = file;
    modified_ = true;
}

void TLabelData::setCSVFieldName(bool value) {
    if (value == csvFieldName_) return;
    csvFieldName_ = value;
    modified_ = true;
}

void TLabelData::SetProductInfo(const TProductInfo& record) { productInfo_->assign(record); }

// ---- sheets

int TLabelData::SheetCount() const { return sheets_->Count(); }

QString TLabelData::sheetPath() const { return sheets_->ItemPath(currentSheet_); }

QString TLabelData::sheetElement(const QString& name) const { return sheetPath() + QLatin1Char('\\') + name; }

void TLabelData::SetCurrentSheet(int index) {
    if (index == currentSheet_) return;
    if (index < 0 || index >= SheetCount())
        throw ELabelIndexError(QStringLiteral("シート番号 %1 は範囲外です").arg(index));
    WriteSheetHeader();
    currentSheet_ = index;
    ReadSheetHeader();
}

void TLabelData::AddSheet(const QString& format) {
    QStringList names;
    GetSheetNames(names);
    const int index = sheets_->AddItem();
    container_->CreateStorage(sheets_->ItemPath(index));
    WriteSheetHeader();
    currentSheet_ = index;
    QString name;
    for (int i = 1; i <= kLastSheetNameTry; ++i) {
        name = QString(format).replace(QLatin1String("%d"), QString::number(i));
        if (!names.contains(name)) break;
    }
    setSheetName(name);
    WriteSheetHeader();
}

void TLabelData::AddNewSheet() { AddSheet(QStringLiteral("新規シート%d")); }

void TLabelData::GetSheetNames(QStringList& list) {
    const int current = currentSheet_;
    const bool modified = modified_;
    QStringList names;
    try {
        for (int i = 0; i < SheetCount(); ++i) {
            if (i == current) {
                names << sheetName_;
                continue;
            }
            // Only "Info" is read: the names need no paper.
            const QString info = sheets_->ItemPath(i) + QLatin1Char('\\') + kInfo;
            if (!container_->StreamExists(info)) {
                names << QString();
                continue;
            }
            std::unique_ptr<TLabelData> probe(new TLabelData(nullptr, NoSheet{}));
            readInto(readStream(*container_, info), *probe);
            names << probe->sheetName();
        }
    } catch (...) {
        modified_ = modified;
        throw;
    }
    modified_ = modified;
    list << names;
}

void TLabelData::ReadSheetHeader() {
    if (currentSheet_ < 0) return;
    ModifiedKeeper keep(*this);
    if (container_->StreamExists(sheetElement(kInfo))) readInto(readStream(*container_, sheetElement(kInfo)), *this);
    if (container_->StreamExists(sheetElement(kPaperInfo))) SetPaper(*readPaper(readStream(*container_, sheetElement(kPaperInfo))));
    std::unique_ptr<TExPaperInfo> extra;
    if (container_->StreamExists(sheetElement(kPaperExtraInfo))) {
        extra = std::make_unique<TExPaperInfo>();
        readInto(readStream(*container_, sheetElement(kPaperExtraInfo)), *extra);
    }
    SetExtraPaperInfo(extra.get());
    std::unique_ptr<TImagePaperInfo> images;
    if (container_->StreamExists(sheetElement(kPaperImageInfo))) {
        images = std::make_unique<TImagePaperInfo>();
        readInto(readStream(*container_, sheetElement(kPaperImageInfo)), *images);
        if (container_->StorageExists(sheetElement(kPaperImages))) readPaperImages(*images);
    }
    SetImagePaperInfo(images.get());
}

void TLabelData::readPaperImages(TImagePaperInfo& record) {
    const QString folder = sheetElement(kPaperImages);
    QStringList streams;
    TDocStorage(*container_, false, folder).ListStreams(streams);
    streams.sort();
    for (const QString& stream : streams) {
        const int face = TImagePaperInfo::faceOfStreamName(stream);
        if (face < 0) continue;
        record.setObjects(face, TImagePaperInfo::readFaceList(readStream(*container_, folder + QLatin1Char('\\') + stream)));
    }
}

void TLabelData::writePaperImages() {
    // Every stream's bytes exist before the old ones go.
    std::vector<std::pair<QString, QByteArray>> faces;
    for (int face = 0; face < imagePaperInfo_->faceListCount(); ++face)
        faces.emplace_back(TImagePaperInfo::faceStreamName(face), imagePaperInfo_->faceListBytes(face));
    const QByteArray info = componentResourceBytes(kPaperImageInfo, *imagePaperInfo_);
    const QString folder = sheetElement(kPaperImages);
    writeStream(*container_, sheetElement(kPaperImageInfo), info);
    QStringList old;
    {
        TDocStorage storage(*container_, true, folder);
        storage.ListStreams(old);
    }
    for (const QString& stream : old) container_->DeleteElement(folder + QLatin1Char('\\') + stream);
    for (const auto& [name, bytes] : faces) writeStream(*container_, folder + QLatin1Char('\\') + name, bytes);
}

void TLabelData::WriteSheetHeader() {
    if (currentSheet_ < 0) return;
    writeStream(*container_, sheetElement(kInfo), componentResourceBytes(kInfo, *this));
    if (paper_) writeStream(*container_, sheetElement(kPaperInfo), componentResourceBytes(kPaperInfo, *paper_));
    if (extraPaperInfo_->isEmpty())
        container_->DeleteElement(sheetElement(kPaperExtraInfo));
    else
        writeStream(*container_, sheetElement(kPaperExtraInfo), componentResourceBytes(kPaperExtraInfo, *extraPaperInfo_));
    if (imagePaperInfo_->isEmpty()) {
        container_->DeleteElement(sheetElement(kPaperImageInfo));
        container_->DeleteElement(sheetElement(kPaperImages));
    } else {
        writePaperImages();
    }
}

// ---- papers

void TLabelData::SetPaper(const TPaperInfo& paper) {
    paper_ = paper.clone();
    TrimLabels();
    modified_ = true;
}

void TLabelData::ChangePaper(const TPaperInfo& paper) {
    SetPaper(paper);
    auto previews = previewList();
    for (int face = 0; face < std::min(previews->Count(), paper_->getFaceCount()); ++face)
        if (previews->ItemExists(face)) previews->DeleteItemElement(face);
}

void TLabelData::SetExtraPaperInfo(const TExPaperInfo* record) {
    auto copy = std::make_unique<TExPaperInfo>();
    if (record) copy->assign(*record);
    extraPaperInfo_ = std::move(copy);
    modified_ = true;
}

void TLabelData::SetImagePaperInfo(const TImagePaperInfo* record) {
    auto copy = std::make_unique<TImagePaperInfo>();
    if (record) copy->assign(*record);
    imagePaperInfo_ = std::move(copy);
    modified_ = true;
}

void TLabelData::TrimLabels() {
    if (currentSheet_ < 0) return;
    auto labels = labelList();
    const int faces = paper_ ? paper_->getFaceCount() : 0;
    while (labels->Count() > faces) {
        labels->DeleteItem(labels->Count() - 1);
    }
}

// ---- labels

std::unique_ptr<TDocStreamList> TLabelData::labelList() {
    return std::make_unique<TDocStreamList>(*container_, sheetElement(kLabelList));
}

std::unique_ptr<TDocStreamList> TLabelData::previewList() {
    return std::make_unique<TDocStreamList>(*container_, sheetElement(kPreviewList));
}

int TLabelData::storedFace(int face) const {
    const int faces = paper_ ? paper_->getFaceCount() : 0;
    if (face < 0 || face >= faces) throw ELabelIndexError(QStringLiteral("ラベル番号 %1 は範囲外です").arg(face));
    return separatelyDesign_ ? face : 0;
}

QByteArray TLabelData::labelBytes(int face) {
    const int stored = storedFace(face);
    auto labels = labelList();
    if (!labels->ItemExists(stored)) return {};
    return labels->OpenItem(stored, kReadMode)->ReadRest();
}

void TLabelData::writeLabelBytes(int face, const QByteArray& bytes) {
    const int stored = storedFace(face);
    auto labels = labelList();
    while (labels->Count() <= stored) labels->AddItem();
    labels->OpenItem(stored, fmCreate)->WriteBytes(bytes);
}

bool TLabelData::HasLabelData(int face) { return !labelBytes(face).isEmpty(); }

void TLabelData::LoadLabelObjects(int face, TDOList& list) {
    const qsizetype before = list.count();
    readLabelStream(labelBytes(face), list);
    adjustLoadedObjects(face, {list.items().begin() + before, list.items().end()});
}

void TLabelData::adjustLoadedObjects(int face, const std::vector<TDrawObject*>& objects) const {
    // The design lives on the face's outer rectangle moved to the origin, as the site shows it.
    const TRect outer = paper_->getFaceInfo(face).outerRect();
    const TRect area(0, 0, rectWidth(outer), rectHeight(outer));
    for (TDrawObject* object : objects) {
        if (auto* date = dynamic_cast<IDODateRefresh*>(object)) {
            switch (date->dateUpdateFlag()) {
            case 1: date->setDate(openedAt_); break;
            case 2: date->setDate(lastPrint_); break;
            case 3: date->setDate(lastSave_); break;
            default: break;
            }
        }
        if (auto* background = dynamic_cast<IDOFaceBackground*>(object)) {
            background->setWidth(area.right);
            background->setHeight(area.bottom);
        }
    }
    keepObjectsOnFace(objects, area);
}

void TLabelData::SaveLabelObjects(int face, const TDOList& list) {
    writeLabelBytes(face, labelStreamBytes(list));
    modified_ = true;
    DeletePreview(face);
}

void TLabelData::DeleteLabel(int face) {
    const int stored = storedFace(face);
    auto labels = labelList();
    if (labels->ItemExists(stored)) labels->DeleteItemElement(stored);
    DeletePreview(face);
    modified_ = true;
}

void TLabelData::DeletePreview(int face) {
    const int stored = storedFace(face);
    auto previews = previewList();
    if (previews->ItemExists(stored)) previews->DeleteItemElement(stored);
}

QImage TLabelData::GetPreview(int face) {
    if (!HasLabelData(face)) return {};
    UpdatePreview(face);
    const int stored = storedFace(face);
    auto previews = previewList();
    if (!previews->ItemExists(stored)) return {};
    return readPreview(previews->OpenItem(stored, kReadMode)->ReadRest());
}

void TLabelData::UpdatePreview(int face) {
    const int stored = storedFace(face);
    if (previewList()->ItemExists(stored) || !HasLabelData(face)) return;
    TDOList objects;
    QByteArray png;
    try {
        LoadLabelObjects(face, objects);
        png = previewBytes(objects.items(), paper_->getFaceInfo(face));
    } catch (...) {
        objects.freeAll();
        throw;
    }
    objects.freeAll();
    if (png.isEmpty()) return;
    auto previews = previewList();
    while (previews->Count() <= stored) previews->AddItem();
    previews->OpenItem(stored, fmCreate)->WriteBytes(png);
}

QImage TLabelData::ReadPreviewFromFile(const QString& fileName, int sheet, int face) {
    try {
        TFileStorage root(fileName, fmOpenRead | fmShareDenyWrite);
        TDocStorageList sheets(root, kSheetList);
        if (sheet < 0 || sheet >= sheets.Count() || face < 0) return {};
        const QString folder = sheets.ItemPath(sheet);
        TDocStreamList previews(root, folder + QLatin1Char('\\') + kPreviewList);
        if (!previews.ItemExists(face)) {
            // One design for all faces keeps one preview, face 0's.
            std::unique_ptr<TLabelData> probe(new TLabelData(nullptr, NoSheet{}));
            readInto(readStream(root, folder + QLatin1Char('\\') + kInfo), *probe);
            if (probe->separatelyDesign() || !previews.ItemExists(0)) return {};
            face = 0;
        }
        return readPreview(previews.OpenItem(face, kReadMode)->ReadRest());
    } catch (const Exception&) {
        return {};
    }
}

// ---- files

void TLabelData::writeDataInfo() {
    TDataInfo info;
    info.setDataName(dataName_);
    info.setCurrentSheetNo(currentSheet_);
    info.setRecords(*productInfo_, *creatorInfoE_, *creatorInfoJ_);
    info.setLastPrint(lastPrint_);
    info.setLastSave(lastSave_);
    info.setSheetMode(sheetMode_);
    writeStream(*container_, kDataInfo, componentResourceBytes(kDataInfo, info));
}

void TLabelData::compressLabels() {
    auto labels = labelList();
    for (int k = 0; k < labels->Count(); ++k) {
        if (!labels->ItemExists(k)) continue;
        const QByteArray bytes = labels->OpenItem(k, kReadMode)->ReadRest();
        const QByteArray packed = compressedLabelStream(bytes);
        if (packed != bytes) labels->OpenItem(k, fmCreate)->WriteBytes(packed);
    }
}

void TLabelData::finishSheetsForSaving() {
    const int current = currentSheet_;
    try {
        for (int sheet = 0; sheet < SheetCount(); ++sheet) {
            SetCurrentSheet(sheet);
            const int faces = paper_ ? paper_->getFaceCount() : 0;
            for (int face = 0; face < faces; ++face) UpdatePreview(face);
            compressLabels();
        }
    } catch (...) {
        SetCurrentSheet(current);
        throw;
    }
    SetCurrentSheet(current);
}

void TLabelData::SaveToFile(const QString& fileName) {
    csvFile_.clear();
    csvFieldName_ = false;
    WriteSheetHeader();
    writeDataInfo();
    finishSheetsForSaving();
    container_->SaveTo(fileName);
    modified_ = false;
}

void TLabelData::readDataInfo() {
    TDataInfo info;
    readInto(readStream(*container_, kDataInfo), info);
    dataName_ = info.dataName();
    const int count = SheetCount();
    if (count == 0) stream_error::readError();
    currentSheet_ = std::clamp(info.currentSheetNo(), 0, count - 1);
    if (info.productInfo()) productInfo_->assign(*info.productInfo());
    lastPrint_ = info.lastPrint();
    lastSave_ = info.lastSave();
    openedAt_ = now();
    sheetMode_ = info.sheetMode();
}

void TLabelData::LoadFromFile(const QString& fileName) {
    // Everything is read into a fresh document first and taken over only when all succeeded.
    std::unique_ptr<TLabelData> fresh(new TLabelData(nullptr, NoSheet{}));
    fresh->container_->LoadFrom(fileName);
    fresh->sheets_ = std::make_unique<TDocStorageList>(*fresh->container_, kSheetList);
    // A file without a product record keeps the open one.
    fresh->productInfo_->assign(*productInfo_);
    fresh->readDataInfo();
    fresh->ReadSheetHeader();
    if (!fresh->paper_) stream_error::readError();
    const int faces = fresh->paper_->getFaceCount();
    fresh->currentLabelNo_ = faces > 0 ? std::clamp(fresh->currentLabelNo_, 0, faces - 1) : 0;
    fresh->grid_->setEnabled(false);
    fresh->grid_->setVisible(false);
    fresh->guide_->setEnabled(false);
    fresh->guide_->setVisible(false);
    fresh->modified_ = false;
    swapContent(*fresh);
}

void TLabelData::swapContent(TLabelData& other) {
    using std::swap;
    swap(separatelyDesign_, other.separatelyDesign_);
    swap(currentLabelNo_, other.currentLabelNo_);
    swap(modified_, other.modified_);
    swap(currentSheet_, other.currentSheet_);
    swap(sheetName_, other.sheetName_);
    swap(sheetMode_, other.sheetMode_);
    swap(csvFile_, other.csvFile_);
    swap(csvFieldName_, other.csvFieldName_);
    swap(grid_, other.grid_);
    swap(guide_, other.guide_);
    swap(dataName_, other.dataName_);
    swap(lastPrint_, other.lastPrint_);
    swap(lastSave_, other.lastSave_);
    swap(openedAt_, other.openedAt_);
    swap(container_, other.container_);
    swap(sheets_, other.sheets_);
    swap(productInfo_, other.productInfo_);
    swap(paper_, other.paper_);
    swap(extraPaperInfo_, other.extraPaperInfo_);
    swap(imagePaperInfo_, other.imagePaperInfo_);
}

}  // namespace poremi
