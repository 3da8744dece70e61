#include "app/cli/millimetres.h"

namespace poremi {

QString millimetres(int length) {
    return length % 10 == 0 ? QString::number(length / 10) : QString::number(length / 10.0, 'f', 1);
}

}  // namespace poremi
