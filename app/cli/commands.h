#pragma once
// The commands of the command-line mode, one file each.

#include <QtCore/QStringList>

namespace poremi {

int runVersionCommand(const QStringList& arguments);
int runDumpCommand(const QStringList& arguments);
int runListPapersCommand(const QStringList& arguments);
int runInfoCommand(const QStringList& arguments);

}  // namespace poremi
