#include "edit/millimetre_text.h"

#include <cstdlib>

namespace poremi {

QString millimetreText(int units) {
    const long long magnitude = std::llabs(static_cast<long long>(units));
    QString text = QString::number(magnitude / 10);
    if (magnitude % 10 != 0) text += u'.' + QString::number(magnitude % 10);
    return units < 0 ? u'-' + text : text;
}

}  // namespace poremi
