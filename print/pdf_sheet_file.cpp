#include "print/pdf_sheet_file.h"

#include "base/error.h"
#include "base/native_path.h"
#include "paper/paper_info.h"

#include <QtGui/QPageSize>
#include <QtGui/QPdfWriter>
#include <cmath>

namespace poremi {
namespace {

Exception cannotCreate(const QString& fileName) {
    return Exception(QStringLiteral("「%1」を作成できません").arg(fileName));
}

}  // namespace

QPageSize pageSizeOfPaper(const TPaperInfo& paper) {
    const QSizeF size(paper.physicalWidth() / 10.0, paper.physicalHeight() / 10.0);
    const QPageSize::PageSizeId id = QPageSize::id(size, QPageSize::Millimeter, QPageSize::ExactMatch);
    if (id != QPageSize::Custom) return QPageSize(id);
    // PDF pages here are whole points. Rounding down keeps the page within the sheet and equal
    // to what CUPS makes of the custom size, so that no queue centres it with a shift.
    const QSize points(int(std::floor(paper.physicalWidth() * 72.0 / 254.0 + 1e-9)),
                       int(std::floor(paper.physicalHeight() * 72.0 / 254.0 + 1e-9)));
    return QPageSize(points, paper.paperName(), QPageSize::ExactMatch);
}

TPdfSheetFile::TPdfSheetFile(const QString& fileName, const TPaperInfo& paper, const QString& title, int resolution)
    : fileName_(fileName), resolution_(resolution), file_(toNativePath(fileName)) {
    if (paper.physicalWidth() <= 0 || paper.physicalHeight() <= 0) throw cannotCreate(fileName);
    if (!file_.open(QIODevice::WriteOnly)) throw cannotCreate(fileName);
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Poremi"));
    writer_->setResolution(resolution);
    writer_->setPageLayout(QPageLayout(pageSizeOfPaper(paper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                       QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0)));
    if (!painter_.begin(writer_.get())) throw cannotCreate(fileName);
}

TPdfSheetFile::~TPdfSheetFile() {
    if (painter_.isActive()) painter_.end();
    file_.cancelWriting();
}

void TPdfSheetFile::newPage() { writer_->newPage(); }

void TPdfSheetFile::commit() {
    if (!painter_.end() || !file_.commit()) throw cannotCreate(fileName_);
}

}  // namespace poremi
