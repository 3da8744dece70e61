#include "app/screens/default_paper.h"

#include "core/settings.h"
#include "paper/database/papers.h"
#include "paper/paper_info.h"

namespace poremi {
namespace {

int defaultPaperIndex(const TPapersV2& papers) {
    const int named = papers.indexOfPaper(setting::read(setting::DefaultPaperName));
    if (named >= 0) return named;
    for (int i = 0; i < papers.getPaperCount(); ++i)
        if (papers.getPaper(i).readOnly()) return i;
    return papers.getPaperCount() > 0 ? 0 : -1;
}

}  // namespace

DefaultPaper defaultPaper(const TPapersV2& papers) {
    DefaultPaper result;
    const int index = defaultPaperIndex(papers);
    if (index < 0) return result;
    result.paper = papers.getPaper(index).clone();
    result.paper->setLandscape(setting::read(setting::DefaultLandScape));
    result.separatelyDesign = dynamic_cast<const TFreePaperInfo*>(result.paper.get()) != nullptr ||
                              setting::read(setting::DefaultDesign);
    return result;
}

}  // namespace poremi
