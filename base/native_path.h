#pragma once
// Paths inside the program keep "\" as the macro table writes them; files are opened through
// these conversions. Paths inside compound files are never converted.

#include <QtCore/QString>

namespace poremi {

// "\"-separated path to the native form ("/").
QString toNativePath(const QString& systemPath);
// Native path to the program's "\" form.
QString fromNativePath(const QString& nativePath);

}  // namespace poremi
