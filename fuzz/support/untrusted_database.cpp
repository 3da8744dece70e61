#include "fuzz/support/untrusted_database.h"

#include "base/user_interface.h"
#include "paper/database/paper_database_startup.h"
#include "paper/paper_classes.h"
#include "paper/purpose.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace poremi::test {
namespace {

// A folder with the shipped database, made once per process.
class ShippedDatabase {
public:
    ShippedDatabase() {
        registerPaperClasses();
        registerPaperDatabaseClasses();
        const PurposeScope purposes;
        const auto shipped = openPaperDatabase(path(), false);
        for (const QString& name : {QStringLiteral("A4 CD"), QStringLiteral("A4 ケース")}) {
            TMatrixPaperInfo paper;
            paper.setPhysicalSize(2100, 2970);
            paper.setPaperName(name);
            paper.setGroupName(QStringLiteral("CD・DVDラベル"));
            paper.setReadOnly(true);
            paper.setFaceWidth(1170);
            paper.setFaceHeight(1170);
            paper.setLeftOffset(465);
            paper.setTopOffset(215);
            paper.setBottomMargin(200);
            paper.setFaceCountX(1);
            paper.setFaceCountY(2);
            paper.setFaceShape(fsDoughnut);
            paper.setFacePurpose(QStringLiteral("CD"));
            shipped->savePaper(paper);
            TExPaperInfo maker;
            maker.setPaperName(name);
            maker.setCompany(QStringLiteral("Maker"));
            shipped->setExtraInfo(TExInfoBase::kName, maker);
        }
        TPaperUpdate release;
        release.setPprNo(1);
        shipped->setUpdateInfo(release);
        shipped->close();
    }

    QString path() const { return folder_.filePath(QStringLiteral("poremi.ppr")); }
    QString userFolder() const { return folder_.filePath(QStringLiteral("user")); }

    // The validator the papers need, for the time of one use.
    struct PurposeScope {
        PurposeScope() { installPurposeValidator(&validator); }
        ~PurposeScope() { installPurposeValidator(nullptr); }
        TCDLabelPurposeValidator validator;
    };

private:
    QTemporaryDir folder_;
};

// Answers the rebuild's message without printing it.
class QuietUserInterface final : public UserInterface {
public:
    QuietUserInterface() { setUserInterface(this); }
    ~QuietUserInterface() override { setUserInterface(nullptr); }
    int messageBox(const QString&, const QString&, const QList<MessageButton>&, int, int) override { return mrOk; }
};

}  // namespace

int openUntrustedPaperDatabase(const QByteArray& bytes) {
    static const ShippedDatabase shipped;
    const ShippedDatabase::PurposeScope purposes;
    const QuietUserInterface quiet;
    QDir user(shipped.userFolder());
    user.removeRecursively();
    user.mkpath(QStringLiteral("."));
    const PaperDatabaseFiles files{user.filePath(QStringLiteral("Papers.ppr")), user.filePath(QStringLiteral("Update.ppr")),
                                   shipped.path(), user.path()};
    {
        QFile database(files.database);
        if (!database.open(QIODevice::WriteOnly) || database.write(bytes) != bytes.size()) return -1;
    }
    const auto papers = openPaperDatabaseAtStart(files);
    QStringList makers;
    QStringList purposesOfPapers;
    papers->collectMakersAndPurposes(makers, purposesOfPapers);
    for (int i = 0; i < papers->getPaperCount(); ++i)
        for (const auto& base : papers->extraInfos()) base->get(papers->getPaper(i).paperName());
    papers->close();
    return papers->getPaperCount();
}

}  // namespace poremi::test
