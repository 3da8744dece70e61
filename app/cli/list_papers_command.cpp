#include "app/cli/commands.h"
#include "app/cli/millimetres.h"
#include "base/native_path.h"
#include "core/app_frame.h"
#include "paper/database/paper_database_startup.h"

#include <QtCore/QTextStream>

namespace poremi {
namespace {

QString makerOf(const TPapersV2& papers, const QString& paperName) {
    const auto record = papers.getExtraInfo(TExInfoBase::kName, paperName);
    const auto* info = dynamic_cast<const TExPaperInfo*>(record.get());
    return info && !info->company().isEmpty() ? info->company() : TPapersV2::kNoMaker;
}

}  // namespace

int runListPapersCommand(const QStringList& arguments) {
    const PaperDatabaseFiles files{toNativePath(ExpandMacros(QStringLiteral("$(PaperInfo)"))),
                                   toNativePath(ExpandMacros(QStringLiteral("$(UpdatePaperInfo)"))),
                                   toNativePath(ExpandMacros(QStringLiteral("$(SystemPaperInfo)"))),
                                   toNativePath(ExpandMacros(QStringLiteral("$(UserPreferenceFolder)")))};
    PaperDatabaseFeedback feedback;
    feedback.caption = ExpandMacros(QStringLiteral("$(AppName)"));
    const auto papers = openPaperDatabaseAtStart(files, feedback);
    const QString filter = arguments.value(0);
    QTextStream out(stdout);
    for (int i = 0; i < papers->getPaperCount(); ++i) {
        const TPaperInfo& paper = papers->getPaper(i);
        const QString maker = makerOf(*papers, paper.paperName());
        if (!filter.isEmpty() && !paper.paperName().contains(filter, Qt::CaseInsensitive) &&
            !maker.contains(filter, Qt::CaseInsensitive) && !paper.groupName().contains(filter, Qt::CaseInsensitive))
            continue;
        out << paper.paperName() << '\t' << paper.groupName() << '\t' << maker << '\t' << paper.getFaceCount()
            << QStringLiteral("面\t") << millimetres(paper.physicalWidth()) << 'x' << millimetres(paper.physicalHeight())
            << "mm\n";
    }
    out.flush();
    papers->close();
    installPurposeValidator(nullptr);
    return 0;
}

}  // namespace poremi
