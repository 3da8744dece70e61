#include "objects/dialogs/shape_length_box.h"

#include "base/arithmetic.h"

#include <algorithm>
#include <cstdlib>

namespace poremi {

ShapeLengthBox::ShapeLengthBox(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(10);
    setSuffix(QStringLiteral(" mm"));
}

QString ShapeLengthBox::textOfUnits(int units) {
    const int magnitude = std::abs(units);
    QString text = QString::number(magnitude / 10);
    if (magnitude % 10 != 0) text += u'.' + QString::number(magnitude % 10);
    return units < 0 ? u'-' + text : text;
}

QString ShapeLengthBox::textFromValue(int value) const { return textOfUnits(value); }

int ShapeLengthBox::valueFromText(const QString& text) const {
    QString number = text;
    if (number.endsWith(suffix())) number.chop(suffix().size());
    bool ok = false;
    const double millimetres = number.trimmed().toDouble(&ok);
    if (!ok) return minimum();
    const double units = std::clamp(millimetres * 10, double(minimum()), double(maximum()));
    return int(roundHalfEven(units));
}

QValidator::State ShapeLengthBox::validate(QString&, int&) const {
    // Anything may be typed; what is no number reads as the minimum.
    return QValidator::Acceptable;
}

}  // namespace poremi
