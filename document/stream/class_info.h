#pragma once
// What a persisted class tells the stream: its name as files spell it, its base, how to make
// one, and its published properties in declaration order (base class first).

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace poremi {

class IntegerNames;
class TComponent;
class TPersistent;

enum class PropertyKind {
    Integer,      // any width; optionally with a name table
    Character,    // one byte, written as a one-character string
    Enumeration,  // written by element name (Booleans are the enumeration False, True)
    Set,          // a bit mask over enumeration elements, written by member names
    Float,        // date-time values included
    String,
    Object,       // an owned sub-object (its properties are written with a path) or a collection
    Reference,    // a component elsewhere, by name
    Event,        // a handler, by method name
};

struct PropertyInfo {
    QString name;
    PropertyKind kind = PropertyKind::Integer;

    // Integer, Character, Enumeration and Set values travel as integers.
    std::function<qint64(const TPersistent&)> getOrdinal;
    std::function<void(TPersistent&, qint64)> setOrdinal;
    qint64 minimum = 0;
    qint64 maximum = 0;
    std::optional<qint64> defaultValue;  // none: always written
    const IntegerNames* names = nullptr;
    QStringList elementNames;

    std::function<double(const TPersistent&)> getFloat;
    std::function<void(TPersistent&, double)> setFloat;
    std::function<QString(const TPersistent&)> getString;
    std::function<void(TPersistent&, const QString&)> setString;
    std::function<TPersistent*(const TPersistent&)> getObject;
    std::function<void(TPersistent&, TComponent*)> setReference;

    std::function<bool(const TPersistent&)> stored;  // none: always stored

    bool isStored(const TPersistent& instance) const { return !stored || stored(instance); }
};

class TClassInfo {
public:
    using Factory = std::function<std::unique_ptr<TPersistent>()>;

    TClassInfo(QString name, const TClassInfo* base, Factory factory, bool isComponent,
               std::vector<PropertyInfo> ownProperties);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const QString& name() const { return name_; }
    const TClassInfo* base() const { return base_; }
    bool inheritsFrom(const TClassInfo& other) const;
    bool isComponent() const { return isComponent_; }

    bool canCreate() const { return static_cast<bool>(factory_); }
    std::unique_ptr<TPersistent> create() const;

    // Every published property, base class first; a redeclared name keeps its base position.
    const std::vector<const PropertyInfo*>& properties() const { return properties_; }
    const PropertyInfo* findProperty(QStringView name) const;  // case-insensitive

    // A freshly constructed instance, made once: the values a constructor gives, against
    // which floats and strings are compared when writing. Null for classes that cannot be made.
    const TPersistent* prototype() const;

private:
    QString name_;
    const TClassInfo* base_;
    Factory factory_;
    bool isComponent_;
    std::vector<PropertyInfo> own_;
    std::vector<const PropertyInfo*> properties_;
    mutable std::once_flag prototypeOnce_;
    mutable TPersistent* prototype_ = nullptr;
};

}  // namespace poremi
