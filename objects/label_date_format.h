#pragma once

#include <QtCore/QString>

namespace poremi {

QString formatLabelDate(const QString& format, double date);

}  // namespace poremi
