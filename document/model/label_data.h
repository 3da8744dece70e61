#pragma once
// The label document: named sheets, each bound to a paper and holding one design per face,
// kept in a temporary compound file and read or written one label at a time. Only the current
// sheet's settings and paper are held in memory.

#include "base/error.h"
#include "document/model/grid_guide.h"
#include "document/stream/component.h"

#include <QtGui/QImage>

#include <memory>
#include <vector>

namespace poremi {

class TDOList;
class TDrawObject;
class TDocStorageList;
class TDocStreamList;
class TExPaperInfo;
class TImagePaperInfo;
class TPaperInfo;
class TProductDB;
class TProductInfo;
class TTemporaryStorage;

// A face number outside the faces of the current paper, or a sheet number outside the sheets.
class ELabelIndexError : public Exception {
public:
    using Exception::Exception;
};

class TLabelData : public TComponent {
    POREMI_PERSISTENT(TLabelData)
public:
    // A temporary file with one sheet "新規シート1" and no paper yet; not modified. The product
    // record and the two creator records come from products when given (product 0, company
    // records 1 and 2). No default constructor: the stream must not build whole documents as
    // prototypes.
    explicit TLabelData(TComponent* owner, const TProductDB* products = nullptr);
    ~TLabelData() override;

    bool separatelyDesign() const { return separatelyDesign_; }
    void setSeparatelyDesign(bool value) { separatelyDesign_ = value; }
    qint32 currentLabelNo() const { return currentLabelNo_; }
    void setCurrentLabelNo(qint32 value) { currentLabelNo_ = value; }
    bool modified() const { return modified_; }
    void setModified(bool value) { modified_ = value; }
    const QString& sheetName() const { return sheetName_; }
    void setSheetName(const QString& name);
    const QString& csvFile() const { return csvFile_; }
    void setCSVFile(const QString& file);
    bool csvFieldName() const { return csvFieldName_; }
    void setCSVFieldName(bool value);
    TGrid& grid() { return *grid_; }
    const TGrid& grid() const { return *grid_; }
    TGuide& guide() { return *guide_; }
    const TGuide& guide() const { return *guide_; }
    const QString& dataName() const { return dataName_; }
    void setDataName(const QString& name) { dataName_ = name; }
    bool sheetMode() const { return sheetMode_; }
    void setSheetMode(bool mode) { sheetMode_ = mode; }
    double lastPrint() const { return lastPrint_; }
    void setLastPrint(double value) { lastPrint_ = value; }
    double lastSave() const { return lastSave_; }
    void setLastSave(double value) { lastSave_ = value; }
    double openedAt() const { return openedAt_; }
    void setOpenedAt(double value) { openedAt_ = value; }
    TProductInfo& productInfo() { return *productInfo_; }
    TProductInfo& creatorInfoE() { return *creatorInfoE_; }
    TProductInfo& creatorInfoJ() { return *creatorInfoJ_; }
    void SetProductInfo(const TProductInfo& record);

    // Sheets.
    int SheetCount() const;
    // −1 while the document has no sheet.
    int CurrentSheet() const { return currentSheet_; }
    void SetCurrentSheet(int index);
    void AddSheet(const QString& format);
    void AddNewSheet();
    void GetSheetNames(QStringList& list);

    // Papers; none until one is set.
    const TPaperInfo* Paper() const { return paper_.get(); }
    void SetPaper(const TPaperInfo& paper);
    void ChangePaper(const TPaperInfo& paper);
    void TrimLabels();
    // The current sheet's extra paper information and template images; empty when none.
    const TExPaperInfo& ExtraPaperInfo() const { return *extraPaperInfo_; }
    const TImagePaperInfo& ImagePaperInfo() const { return *imagePaperInfo_; }
    // Copies the record, or empties the own one when none is given; sets Modified.
    void SetExtraPaperInfo(const TExPaperInfo* record);
    void SetImagePaperInfo(const TImagePaperInfo* record);

    // Labels of the current sheet. Face numbers outside the paper's faces raise
    // ELabelIndexError; with SeparatelyDesign off every face is face 0.
    bool HasLabelData(int face);
    // Whether the two faces are served by one design (always, with SeparatelyDesign off).
    bool SameLabelData(int faceA, int faceB) const { return storedFace(faceA) == storedFace(faceB); }
    // Appends the face's objects bottom first (owned by the caller); nothing when it has none.
    // Dates that follow a document time take it, backgrounds take the face's size, and objects
    // whose centre is off the face come back 1 mm inside it.
    void LoadLabelObjects(int face, TDOList& list);
    // Stores a front-to-back list as the face's design; the stream is replaced only once the new
    // bytes exist.
    void SaveLabelObjects(int face, const TDOList& list);
    void DeleteLabel(int face);
    void DeletePreview(int face);
    // The face's preview, made first when the face has a design and none yet; null when the
    // face has no design or its preview cannot be read.
    QImage GetPreview(int face);
    // Renders and stores the preview of a face that has a design and no preview yet.
    void UpdatePreview(int face);
    // A preview out of a document file without loading it; null when the file, the sheet, the
    // face or the preview is missing or unreadable, never an error. With one design for all
    // faces, every face shows face 0's preview.
    static QImage ReadPreviewFromFile(const QString& fileName, int sheet, int face);

    // Writes the complete document to fileName, replacing it only when complete.
    void SaveToFile(const QString& fileName);
    // Reads a document file; on any failure the open document stays exactly as it was.
    void LoadFromFile(const QString& fileName);

    // "Info" holds only the published properties.
    void getChildren(const std::function<void(TComponent&)>&) const override {}

private:
    struct NoSheet {};
    TLabelData(TComponent* owner, NoSheet);
    void swapContent(TLabelData& other);

    QString sheetPath() const;
    QString sheetElement(const QString& name) const;
    std::unique_ptr<TDocStreamList> labelList();
    std::unique_ptr<TDocStreamList> previewList();
    int storedFace(int face) const;
    QByteArray labelBytes(int face);
    void writeLabelBytes(int face, const QByteArray& bytes);
    void adjustLoadedObjects(int face, const std::vector<TDrawObject*>& objects) const;
    void readPaperImages(TImagePaperInfo& record);
    void writePaperImages();
    void ReadSheetHeader();
    void WriteSheetHeader();
    void writeDataInfo();
    void readDataInfo();
    void compressLabels();
    void finishSheetsForSaving();

    bool separatelyDesign_ = true;
    qint32 currentLabelNo_ = 0;
    bool modified_ = false;
    int currentSheet_ = -1;
    QString sheetName_;
    bool sheetMode_ = false;
    QString csvFile_;
    bool csvFieldName_ = false;
    std::unique_ptr<TGrid> grid_;
    std::unique_ptr<TGuide> guide_;
    QString dataName_;
    double lastPrint_ = 0;
    double lastSave_ = 0;
    double openedAt_ = 0;
    std::unique_ptr<TTemporaryStorage> container_;
    std::unique_ptr<TDocStorageList> sheets_;
    std::unique_ptr<TProductInfo> productInfo_;
    std::unique_ptr<TProductInfo> creatorInfoE_;
    std::unique_ptr<TProductInfo> creatorInfoJ_;
    std::unique_ptr<TPaperInfo> paper_;
    std::unique_ptr<TExPaperInfo> extraPaperInfo_;
    std::unique_ptr<TImagePaperInfo> imagePaperInfo_;
};

}  // namespace poremi
