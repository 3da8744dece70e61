#pragma once
// Lengths as the program shows them to people.

#include <QtCore/QString>

namespace poremi {

// A length in 0.1 mm as millimetres, with the tenths digit only when it is not zero.
QString millimetres(int length);

}  // namespace poremi
