#pragma once
// Named values and window bounds in a section below the settings key.

#include <QtCore/QRect>
#include <QtCore/QString>
#include <optional>

namespace poremi {

class TEnvIniIO {
public:
    explicit TEnvIniIO(const QString& section);

    void writeInt(const QString& name, int value);
    int readInt(const QString& name, int defaultValue) const;
    void writeString(const QString& name, const QString& value);
    QString readString(const QString& name, const QString& defaultValue) const;

    // "FormLeft", "FormTop", "FormRight", "FormBottom" (the widget side is
    // app/frame/form_position.h).
    void saveBounds(const QRect& bounds);
    // The stored rectangle; none when a value is missing or the stored corner lies within 16
    // pixels of the screen's right or bottom edge (the form is then centred on its owner).
    std::optional<QRect> storedBounds() const;

private:
    QString key_;
};

}  // namespace poremi
