#include "app/cli/commands.h"
#include "core/app_frame.h"

#include <QtCore/QTextStream>

namespace poremi {

int runVersionCommand(const QStringList&) {
    QTextStream(stdout) << ExpandMacros(QStringLiteral("$(AppName) $(LongVer)")) << "\n";
    return 0;
}

}  // namespace poremi
