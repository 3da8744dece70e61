#pragma once
// The paper a new document starts on: the one the settings name, else the first system paper,
// else the first paper; turned as the settings say.

#include <memory>

namespace poremi {

class TPaperInfo;
class TPapersV2;

struct DefaultPaper {
    std::unique_ptr<TPaperInfo> paper;  // a copy; none when the database holds no paper
    bool separatelyDesign = true;       // always on for a free-layout paper
};

DefaultPaper defaultPaper(const TPapersV2& papers);

}  // namespace poremi
