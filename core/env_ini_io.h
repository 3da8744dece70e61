#pragma once
// Named values and window bounds in a section below the settings key.

#include <QtCore/QString>

class QWidget;

namespace poremi {

class TEnvIniIO {
public:
    explicit TEnvIniIO(const QString& section);

    void writeInt(const QString& name, int value);
    int readInt(const QString& name, int defaultValue) const;
    void writeString(const QString& name, const QString& value);
    QString readString(const QString& name, const QString& defaultValue) const;

    // "FormLeft", "FormTop", "FormRight", "FormBottom".
    void saveBounds(const QWidget& form);
    // Applies the stored rectangle, or centres the form on its owner when a value is missing
    // or the stored corner lies within 16 pixels of the screen's right or bottom edge.
    void restoreBounds(QWidget& form) const;

private:
    QString key_;
};

}  // namespace poremi
