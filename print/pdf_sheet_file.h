#pragma once
// A PDF file of label sheets: each page is the physical sheet, full page without margins.
// The file appears (atomically) only on commit; dropped uncommitted, nothing is left.

#include "print/print_canvas.h"

#include <QtCore/QSaveFile>
#include <QtGui/QPainter>
#include <memory>

class QPdfWriter;
class QPageSize;

namespace poremi {

class TPaperInfo;

// The paper's physical size: the standard size when it is exactly one, else the custom size
// in whole points, rounded down.
QPageSize pageSizeOfPaper(const TPaperInfo& paper);

class TPdfSheetFile : public TPrintCanvas {
public:
    static constexpr int kDefaultResolution = 600;

    // Fails with "「name」を作成できません" when the file cannot be made.
    TPdfSheetFile(const QString& fileName, const TPaperInfo& paper, const QString& title,
                  int resolution = kDefaultResolution);
    ~TPdfSheetFile() override;

    QPainter& painter() override { return painter_; }
    int resolution() const override { return resolution_; }
    void newPage() override;
    bool turnsLandscape() const override { return true; }

    // Finishes the document and puts the file in place.
    void commit();

private:
    QString fileName_;
    int resolution_;
    QSaveFile file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
};

}  // namespace poremi
