#pragma once
// Declaring the persisted schema of a class: one block that lists its published properties in
// declaration order. See docs/architecture.md ("How a persisted class is declared").

#include "document/stream/class_info.h"
#include "document/stream/component.h"
#include "document/stream/persistent.h"

#include <limits>
#include <type_traits>

namespace poremi {

namespace declaration_detail {

template <class V>
using Plain = std::remove_cvref_t<V>;

// The value type a setter takes.
template <class S>
struct SetterValue;
template <class C, class V>
struct SetterValue<void (C::*)(V)> {
    using type = Plain<V>;
};

template <class V>
qint64 toOrdinal(const V& value) {
    if constexpr (std::is_enum_v<V>)
        return static_cast<qint64>(value);
    else if constexpr (requires { value.toInt(); })
        return static_cast<qint64>(static_cast<unsigned>(value.toInt()));
    else
        return static_cast<qint64>(value);
}

template <class V>
V fromOrdinal(qint64 value) {
    if constexpr (std::is_enum_v<V>)
        return static_cast<V>(value);
    else if constexpr (requires { V::fromInt(0); })
        return V::fromInt(static_cast<int>(value));
    else
        return static_cast<V>(value);
}

template <class R>
TPersistent* toPointer(R* object) {
    return object;
}
template <class R>
TPersistent* toPointer(R& object) {
    return &object;
}

}  // namespace declaration_detail

// Refines the property just declared: its default, its stored predicate, its name table.
template <class T>
class PropertyRefinement {
public:
    PropertyRefinement(std::vector<PropertyInfo>& properties, std::size_t index)
        : properties_(properties), index_(index) {}

    template <class V>
    PropertyRefinement& defaultValue(const V& value) {
        info().defaultValue = declaration_detail::toOrdinal(value);
        return *this;
    }
    PropertyRefinement& stored(bool (T::*predicate)() const) {
        info().stored = [predicate](const TPersistent& o) { return (static_cast<const T&>(o).*predicate)(); };
        return *this;
    }
    PropertyRefinement& notStored() {
        info().stored = [](const TPersistent&) { return false; };
        return *this;
    }
    PropertyRefinement& names(const IntegerNames& table) {
        info().names = &table;
        return *this;
    }

private:
    PropertyInfo& info() { return properties_[index_]; }

    std::vector<PropertyInfo>& properties_;
    std::size_t index_;
};

template <class T>
class ClassDeclaration {
public:
    using Refinement = PropertyRefinement<T>;

    // Integers of any width; the setter's type gives the range that reading accepts.
    template <class G, class S>
    Refinement integer(const char* name, G getter, S setter) {
        using V = typename declaration_detail::SetterValue<S>::type;
        PropertyInfo& p = ordinal(name, PropertyKind::Integer, getter, setter);
        p.minimum = std::numeric_limits<V>::min();
        p.maximum = std::numeric_limits<V>::max();
        return last();
    }
    template <class G, class S>
    Refinement character(const char* name, G getter, S setter) {
        PropertyInfo& p = ordinal(name, PropertyKind::Character, getter, setter);
        p.maximum = 255;
        return last();
    }
    template <class G, class S>
    Refinement enumeration(const char* name, G getter, S setter, QStringList elementNames) {
        PropertyInfo& p = ordinal(name, PropertyKind::Enumeration, getter, setter);
        p.maximum = elementNames.size() - 1;
        p.elementNames = std::move(elementNames);
        return last();
    }
    template <class G, class S>
    Refinement boolean(const char* name, G getter, S setter) {
        return enumeration(name, getter, setter, {QStringLiteral("False"), QStringLiteral("True")});
    }
    // A set over enumeration elements; bit i of the value is element i.
    template <class G, class S>
    Refinement set(const char* name, G getter, S setter, QStringList elementNames) {
        PropertyInfo& p = ordinal(name, PropertyKind::Set, getter, setter);
        p.maximum = (qint64{1} << elementNames.size()) - 1;
        p.elementNames = std::move(elementNames);
        return last();
    }
    template <class G, class S>
    Refinement floating(const char* name, G getter, S setter) {
        using V = typename declaration_detail::SetterValue<S>::type;
        PropertyInfo& p = add(name, PropertyKind::Float);
        p.getFloat = [getter](const TPersistent& o) { return static_cast<double>((self(o).*getter)()); };
        p.setFloat = [setter](TPersistent& o, double v) { (self(o).*setter)(static_cast<V>(v)); };
        return last();
    }
    template <class G, class S>
    Refinement string(const char* name, G getter, S setter) {
        PropertyInfo& p = add(name, PropertyKind::String);
        p.getString = [getter](const TPersistent& o) { return QString((self(o).*getter)()); };
        p.setString = [setter](TPersistent& o, const QString& v) { (self(o).*setter)(v); };
        return last();
    }
    // An owned sub-object or a collection; reading fills the object the getter returns.
    template <class G>
    Refinement object(const char* name, G getter) {
        PropertyInfo& p = add(name, PropertyKind::Object);
        p.getObject = [getter](const TPersistent& o) {
            return declaration_detail::toPointer((const_cast<T&>(self(o)).*getter)());
        };
        return last();
    }
    // A component found by name after the whole stream has been read.
    template <class S>
    Refinement reference(const char* name, S setter) {
        using V = typename declaration_detail::SetterValue<S>::type;
        PropertyInfo& p = add(name, PropertyKind::Reference);
        p.setReference = [setter](TPersistent& o, TComponent* c) {
            (self(o).*setter)(dynamic_cast<std::remove_pointer_t<V>*>(c));
        };
        return last();
    }
    // An event handler: understood when read, never written.
    Refinement event(const char* name) {
        add(name, PropertyKind::Event);
        return last();
    }

    std::vector<PropertyInfo> takeProperties() { return std::move(properties_); }

private:
    static const T& self(const TPersistent& o) { return static_cast<const T&>(o); }
    static T& self(TPersistent& o) { return static_cast<T&>(o); }

    PropertyInfo& add(const char* name, PropertyKind kind) {
        PropertyInfo& p = properties_.emplace_back();
        p.name = QString::fromLatin1(name);
        p.kind = kind;
        return p;
    }

    template <class G, class S>
    PropertyInfo& ordinal(const char* name, PropertyKind kind, G getter, S setter) {
        using V = typename declaration_detail::SetterValue<S>::type;
        PropertyInfo& p = add(name, kind);
        p.getOrdinal = [getter](const TPersistent& o) { return declaration_detail::toOrdinal((self(o).*getter)()); };
        p.setOrdinal = [setter](TPersistent& o, qint64 v) {
            (self(o).*setter)(declaration_detail::fromOrdinal<V>(v));
        };
        return p;
    }

    Refinement last() { return Refinement(properties_, properties_.size() - 1); }

    std::vector<PropertyInfo> properties_;
};

// The class information of T, derived from Base, under the name files use.
template <class T, class Base, class Declare>
TClassInfo describeClass(const char* name, Declare declare) {
    static_assert(std::is_base_of_v<Base, T> && std::is_base_of_v<TPersistent, Base>);
    ClassDeclaration<T> declaration;
    declare(declaration);
    TClassInfo::Factory factory;
    if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>)
        factory = [] { return std::unique_ptr<TPersistent>(new T()); };
    return TClassInfo(QString::fromLatin1(name), &Base::staticClassInfo(), std::move(factory),
                      std::is_base_of_v<TComponent, T>, declaration.takeProperties());
}

// A class without published properties of its own.
template <class T, class Base>
TClassInfo describeClass(const char* name) {
    return describeClass<T, Base>(name, [](ClassDeclaration<T>&) {});
}

}  // namespace poremi
