#pragma once
// Formats a message from a format string with printf-like directives, as the system's message
// tables are written: %s, %d, %u, %x/%X, %f, %% with optional "-", width and ".precision"
// ("%.8x" pads to eight digits, "%5.1f" …). A directive without an argument is left as it is.

#include <QtCore/QString>
#include <QtCore/QVariant>
#include <initializer_list>

namespace poremi {

QString format(const QString& pattern, std::initializer_list<QVariant> arguments);

}  // namespace poremi
