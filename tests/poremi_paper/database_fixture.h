#pragma once
// Shared set-up of the paper database tests: registered classes, the purpose validator, a
// private folder, and small papers to store.

#include "paper/database/paper_database_startup.h"
#include "paper/database/papers.h"
#include "paper/paper_classes.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <gtest/gtest.h>

namespace poremi::test {

class PaperDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerPaperClasses();
        registerPaperDatabaseClasses();
        installPurposeValidator(&validator_);
        folder_ = freshFolder(QStringLiteral("papers"));
    }
    void TearDown() override { installPurposeValidator(nullptr); }

    QString file(const QString& name) const { return QDir(folder_).filePath(name); }

    static std::unique_ptr<TMatrixPaperInfo> paper(const QString& name, bool system = false, int faces = 2) {
        auto p = std::make_unique<TMatrixPaperInfo>();
        p->setPhysicalSize(2100, 2970);
        p->setPaperName(name);
        p->setGroupName(QStringLiteral("CD・DVDラベル"));
        p->setReadOnly(system);
        p->setFaceWidth(1170);
        p->setFaceHeight(1170);
        p->setLeftOffset(465);
        p->setTopOffset(215);
        p->setBottomMargin(200);
        p->setFaceCountX(1);
        p->setFaceCountY(faces);
        p->setFaceShape(fsDoughnut);
        p->setFacePurpose(QStringLiteral("CD"));
        return p;
    }

    static std::unique_ptr<TExPaperInfo> maker(const QString& paperName, const QString& company) {
        auto record = std::make_unique<TExPaperInfo>();
        record->setPaperName(paperName);
        record->setCompany(company);
        record->setPurpose(QStringLiteral("ディスクラベル"));
        return record;
    }

    static QStringList names(const TPapers& papers) {
        QStringList list;
        for (int i = 0; i < papers.getPaperCount(); ++i) list.append(papers.getPaper(i).paperName());
        return list;
    }
    static QStringList ids(const TPapers& papers) {
        QStringList list;
        for (int i = 0; i < papers.getPaperCount(); ++i) list.append(papers.paperId(i));
        return list;
    }

    // A database file holding the given papers, each with a maker record.
    void writeDatabase(const QString& path, const std::vector<std::pair<QString, bool>>& papers, int pprNo = 0) {
        const auto db = openPaperDatabase(path, false);
        for (const auto& [name, system] : papers) {
            db->savePaper(*paper(name, system));
            db->setExtraInfo(TExInfoBase::kName, *maker(name, system ? QStringLiteral("Maker") : QStringLiteral("Me")));
        }
        TPaperUpdate release;
        release.setPprNo(pprNo);
        db->setUpdateInfo(release);
        db->close();
    }

private:
    TCDLabelPurposeValidator validator_;
    QString folder_;
};

}  // namespace poremi::test
