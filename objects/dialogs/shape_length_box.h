#pragma once
// A number box for lengths: holds document units (0.1 mm) and shows millimetres, with the
// tenths digit only when it is not zero. Text that is not a number reads as the minimum.

#include <QtWidgets/QSpinBox>

namespace poremi {

class ShapeLengthBox : public QSpinBox {
    Q_OBJECT
public:
    // minimum and maximum in units; the arrows step by 1 mm.
    ShapeLengthBox(int minimum, int maximum, QWidget* parent = nullptr);

    // "12.5" for 125 units, "12" for 120, "-0.5" for −5.
    static QString textOfUnits(int units);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
};

}  // namespace poremi
