#pragma once
// Lengths shown to the user in millimetres.

#include <QtCore/QString>

namespace poremi {

// Document units (0.1 mm) as millimetres, the tenths digit only when it is not zero:
// 125 → "12.5", 120 → "12", -5 → "-0.5".
QString millimetreText(int units);

}  // namespace poremi
