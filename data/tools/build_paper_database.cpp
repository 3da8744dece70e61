// Builds the shipped paper database from the sheet sources in data/papers, with the program's
// own paper classes; fails when a sheet does not parse or a label leaves its sheet or overlaps
// another. Usage: build_paper_database SOURCE_FOLDER OUTPUT.ppr

#include "base/error.h"
#include "data/tools/paper_source.h"
#include "paper/database/papers.h"
#include "paper/paper_classes.h"
#include "paper/paper_info.h"
#include "paper/purpose.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <cstdio>

namespace poremi {
namespace {

using namespace papersource;

TFaceShape shapeOf(const FaceKind& kind) { return TFaceShape(faceShapeNames().indexOf(QStringLiteral("fs") + kind.shape)); }

void setFace(TFaceItem& item, const FaceKind& kind, int x, int y) {
    item.setFaceRect({x, y, x + kind.width, y + kind.height});
    item.setFaceShape(shapeOf(kind));
    item.setFacePurpose(kind.purpose);
    item.setFaceMargin(kind.bleed);
    item.setCutCenterWidth(kind.holeWidth);
    item.setCutCenterHeight(kind.holeHeight);
    item.setRoundSize(kind.roundSize);
    item.setCenterShape(kind.barrelHole ? csBarrel : csEllipse);
}

std::unique_ptr<TPaperInfo> matrixPaper(const Sheet& sheet) {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    const FaceKind& kind = sheet.faces.front().kind;
    const Placement& at = sheet.faces.front().placements.front();
    paper->setLeftOffset(at.x);
    paper->setTopOffset(at.y);
    paper->setFaceWidth(kind.width);
    paper->setFaceHeight(kind.height);
    paper->setRightMargin(at.columns > 1 ? at.stepX - kind.width : 0);
    paper->setBottomMargin(at.rows > 1 ? at.stepY - kind.height : 0);
    paper->setFaceCountX(at.columns);
    paper->setFaceCountY(at.rows);
    paper->setFaceShape(shapeOf(kind));
    paper->setFacePurpose(kind.purpose);
    paper->setFaceMargin(kind.bleed);
    paper->setCutCenterWidth(kind.holeWidth);
    paper->setCutCenterHeight(kind.holeHeight);
    paper->setRoundSize(kind.roundSize);
    paper->setCenterShape(kind.barrelHole ? csBarrel : csEllipse);
    return paper;
}

std::unique_ptr<TPaperInfo> freePaper(const Sheet& sheet) {
    auto paper = std::make_unique<TFreePaperInfo>();
    for (const FaceGroup& group : sheet.faces)
        for (const Placement& at : group.placements)
            for (int row = 0; row < at.rows; ++row)
                for (int column = 0; column < at.columns; ++column)
                    setFace(paper->faces().add(), group.kind, at.x + column * at.stepX, at.y + row * at.stepY);
    return paper;
}

std::unique_ptr<TPaperInfo> paperOf(const Sheet& sheet, const TPurposeList& purposes) {
    std::unique_ptr<TPaperInfo> paper = sheet.isMatrix() ? matrixPaper(sheet) : freePaper(sheet);
    paper->setPhysicalSize(sheet.width, sheet.height);
    paper->setPaperName(sheet.name);
    paper->setGroupName(sheet.group);
    paper->setReadOnly(true);
    paper->setPurposeList(purposes);
    for (int i = 0; i < paper->getFaceCount(); ++i)
        if (purposes.indexOfId(paper->getFacePurpose(i)) < 0)
            throw Exception(sheet.origin + QStringLiteral(": unknown purpose \"%1\"").arg(paper->getFacePurpose(i)));
    if (const int face = paper->findFaceOutsidePaper(); face >= 0)
        throw Exception(sheet.origin + QStringLiteral(": label %1 of \"%2\" leaves the sheet").arg(face + 1).arg(sheet.name));
    if (const int face = paper->findOverlappingFace(); face >= 0)
        throw Exception(sheet.origin + QStringLiteral(": label %1 of \"%2\" overlaps another").arg(face + 1).arg(sheet.name));
    return paper;
}

int build(const QString& sourceFolder, const QString& output) {
    const QDir folder(sourceFolder);
    const Catalogue catalogue = readCatalogue(folder.filePath(QStringLiteral("catalogue.ini")));
    std::vector<Sheet> sheets;
    for (const QString& source : catalogue.sources) {
        std::vector<Sheet> more = readSheets(folder.filePath(source));
        std::move(more.begin(), more.end(), std::back_inserter(sheets));
    }
    resolveSheets(sheets, catalogue);

    TPurposeList purposes;
    purposes.loadDefaults();
    TPapersV2 papers(output, false, PaperFileStart::Empty);
    papers.registerStandardExtraInfos();
    papers.setPurposeList(purposes);
    for (const Sheet& sheet : sheets) {
        papers.savePaper(*paperOf(sheet, purposes));
        TExPaperInfo record;
        record.setPaperName(sheet.name);
        record.setCompany(sheet.maker);
        record.setPurpose(sheet.usage);
        papers.setExtraInfo(TExInfoBase::kName, record);
    }
    TPaperUpdate release;
    release.setPprNo(catalogue.pprNo);
    papers.setUpdateInfo(release);
    papers.setCompanyList(catalogue.makers);
    QStringList groups;
    QStringList genres;
    for (const GroupGenre& entry : catalogue.groups) {
        groups.append(entry.group);
        genres.append(entry.group + QLatin1Char('=') + entry.genre);
    }
    papers.setGroupList(groups);
    papers.writeGlobalInfo(QStringLiteral("GenreInfo"), genres);
    papers.close();
    std::printf("%d papers written to %s\n", papers.getPaperCount(), qPrintable(output));
    return 0;
}

}  // namespace
}  // namespace poremi

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: build_paper_database SOURCE_FOLDER OUTPUT.ppr\n");
        return 2;
    }
    poremi::registerPaperClasses();
    static const poremi::TCDLabelPurposeValidator validator;
    poremi::installPurposeValidator(&validator);
    try {
        return poremi::build(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    } catch (const poremi::Exception& error) {
        std::fprintf(stderr, "build_paper_database: %s\n", error.what());
        QFile::remove(QString::fromLocal8Bit(argv[2]));
        return 1;
    }
}
