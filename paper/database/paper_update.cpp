#include "paper/database/paper_update.h"

#include "document/stream/class_declaration.h"

namespace poremi {

const TClassInfo& TPaperUpdate::staticClassInfo() {
    static const TClassInfo info = describeClass<TPaperUpdate, TComponent>("TPaperUpdate", [](auto& d) {
        d.integer("PPRNo", &TPaperUpdate::pprNo, &TPaperUpdate::setPprNo);
        d.floating("LastUpdate", &TPaperUpdate::lastUpdate, &TPaperUpdate::setLastUpdate);
    });
    return info;
}

}  // namespace poremi
