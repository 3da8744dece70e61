#pragma once
// The application's own macro table and start-up conditions.

#include <QtCore/QStringList>

namespace poremi {

// The table line by line, as the application's frame is loaded with it.
QStringList applicationMacroTable();

}  // namespace poremi
