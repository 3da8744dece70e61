#include "document/stream/component_reader.h"

#include "document/stream/class_registry.h"
#include "document/stream/collection.h"
#include "document/stream/component.h"
#include "document/stream/custom_properties.h"
#include "document/stream/name_tables.h"
#include "document/stream/stream_error.h"

#include <algorithm>

namespace poremi {
namespace {

bool isIntegerType(ValueType type) {
    return type == ValueType::Int8 || type == ValueType::Int16 || type == ValueType::Int32 || type == ValueType::Int64;
}

qint64 checkedRange(const PropertyInfo& p, qint64 value) {
    if (value < p.minimum || value > p.maximum) stream_error::invalidPropertyValue();
    return value;
}

qsizetype indexOfName(const QStringList& names, const QString& name) {
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

// A name not used by another component of the owner: the name itself, else name_1, name_2, …
QString uniqueName(const TComponent& component, const QString& name) {
    const TComponent* owner = component.owner();
    auto taken = [&](const QString& n) {
        const TComponent* same = owner ? owner->findComponent(n) : nullptr;
        return same && same != &component;
    };
    if (!taken(name)) return name;
    for (int i = 1;; ++i)
        if (const QString candidate = name + u'_' + QString::number(i); !taken(candidate)) return candidate;
}

}  // namespace

std::unique_ptr<TComponent> ComponentReader::readRootComponent(TComponent* root) {
    // A root read before belongs to the caller now: a failure here must not free it.
    created_.clear();
    read_.clear();
    fixups_.clear();
    openItems_.clear();
    if (in_.bytes().remaining() < 4 || in_.bytes().readBytes(4) != QByteArrayView("TPF0")) stream_error::invalidFormat();
    try {
        TComponent* result = readComponent(nullptr, root);
        resolveFixups(*result);
        for (TComponent* component : read_) component->loaded();
        return root ? nullptr : std::unique_ptr<TComponent>(result);
    } catch (...) {
        // Children go before their owners, so every pointer is still valid when freed.
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
        throw;
    }
}

TComponent* ComponentReader::readComponent(TComponent* owner, TComponent* given) {
    const ValueReader::Nesting nesting(in_);
    if (in_.bytes().peekByte() >= 0xF0) {
        const int flags = in_.bytes().readByte() & 0x0F;
        if (flags & 2) in_.readInteger();  // the child's position: order comes from the stream
    }
    const QString className = ValueReader::decodeName(in_.readShortString());
    const QString name = ValueReader::decodeName(in_.readShortString());

    TComponent* component = given;
    if (component) {
        component->setName(uniqueName(*component, name));
    } else {
        component = createComponent(className, owner);
        component->setName(name);
    }
    read_.push_back(component);

    while (!in_.endOfList()) readProperty(*component);
    in_.readListEnd();
    while (!in_.endOfList()) readComponent(component, nullptr);
    in_.readListEnd();
    return component;
}

TComponent* ComponentReader::createComponent(const QString& className, TComponent* owner) {
    const TClassInfo* info = ClassRegistry::instance().find(className);
    if (!info || !info->isComponent() || !info->canCreate()) stream_error::classNotFound(className);
    auto* component = static_cast<TComponent*>(info->create().release());
    created_.push_back(component);
    if (owner) owner->insertComponent(component);
    return component;
}

void ComponentReader::readProperty(TPersistent& instance) {
    const QString path = ValueReader::decodeName(in_.readShortString());
    TPersistent* target = &instance;
    qsizetype start = 0;
    for (qsizetype dot = path.indexOf(u'.'); dot >= 0; dot = path.indexOf(u'.', start)) {
        const PropertyInfo* step = target->classInfo().findProperty(QStringView(path).sliced(start, dot - start));
        if (!step) stream_error::propertyNotFound();
        TPersistent* next = step->kind == PropertyKind::Object ? step->getObject(*target) : nullptr;
        if (!next) stream_error::invalidPropertyPath();
        target = next;
        start = dot + 1;
    }
    const QStringView name = QStringView(path).sliced(start);
    if (const PropertyInfo* property = target->classInfo().findProperty(name)) {
        readPropertyValue(*target, *property);
        return;
    }
    for (const CustomProperty& custom : customPropertiesOf(*target)) {
        if (name.compare(custom.name, Qt::CaseInsensitive) != 0) continue;
        readCustomValue(custom, in_);
        return;
    }
    stream_error::propertyNotFound();
}

void ComponentReader::readPropertyValue(TPersistent& instance, const PropertyInfo& p) {
    switch (p.kind) {
    case PropertyKind::Integer:
    case PropertyKind::Character:
    case PropertyKind::Enumeration:
    case PropertyKind::Set: readOrdinal(instance, p); return;
    case PropertyKind::Float: p.setFloat(instance, in_.readFloat()); return;
    case PropertyKind::String: p.setString(instance, in_.readString()); return;
    case PropertyKind::Object: {
        const ValueType type = in_.readValue();
        auto* collection = dynamic_cast<TCollection*>(p.getObject(instance));
        if (type == ValueType::Collection && collection)
            readCollection(*collection);
        else if (type != ValueType::Nil)
            stream_error::invalidPropertyValue();
        return;
    }
    case PropertyKind::Reference: {
        const QString name = in_.readIdent();
        if (name == u"nil")
            p.setReference(instance, nullptr);
        else
            fixups_.push_back({&instance, &p, name, openItems_});
        return;
    }
    case PropertyKind::Event: in_.readIdent(); return;  // handlers are not connected by name
    }
}

void ComponentReader::readOrdinal(TPersistent& instance, const PropertyInfo& p) {
    switch (p.kind) {
    case PropertyKind::Integer:
        if (in_.nextValue() == ValueType::Ident) {
            const std::optional<qint64> value = p.names ? p.names->valueOf(in_.readIdent()) : std::nullopt;
            if (!value) stream_error::invalidPropertyValue();
            p.setOrdinal(instance, checkedRange(p, *value));
        } else {
            p.setOrdinal(instance, checkedRange(p, in_.readInteger()));
        }
        return;
    case PropertyKind::Character: {
        in_.checkValue(ValueType::String);
        const QByteArray text = in_.bytes().readBytes(in_.bytes().readByte()).toByteArray();
        if (text.size() != 1) stream_error::invalidPropertyValue();
        p.setOrdinal(instance, static_cast<unsigned char>(text[0]));
        return;
    }
    case PropertyKind::Enumeration: {
        const qsizetype index = indexOfName(p.elementNames, in_.readIdent());
        if (index < 0) stream_error::invalidPropertyValue();
        p.setOrdinal(instance, index);
        return;
    }
    default: {
        qint64 mask = 0;
        for (const QString& member : in_.readSet()) {
            const qsizetype index = indexOfName(p.elementNames, member);
            if (index < 0) stream_error::invalidPropertyValue();
            mask |= qint64{1} << index;
        }
        p.setOrdinal(instance, mask);
        return;
    }
    }
}

void ComponentReader::readCollection(TCollection& collection) {
    dropFixupsInside(collection);
    collection.clear();
    while (!in_.endOfList()) {
        const ValueReader::Nesting nesting(in_);
        if (isIntegerType(in_.nextValue())) in_.readInteger();  // an item index: items come in order
        TCollectionItem& item = collection.add();
        openItems_.push_back(&item);
        in_.readListBegin();
        while (!in_.endOfList()) readProperty(item);
        in_.readListEnd();
        openItems_.pop_back();
    }
    in_.readListEnd();
}

// Every item a fixup names is alive: items are freed only by clearing their collection here,
// which drops the fixups inside them first.
void ComponentReader::dropFixupsInside(const TCollection& collection) {
    std::erase_if(fixups_, [&](const Fixup& fixup) {
        return std::any_of(fixup.enclosingItems.begin(), fixup.enclosingItems.end(),
                           [&](const TCollectionItem* item) { return item->collection() == &collection; });
    });
}

void ComponentReader::resolveFixups(TComponent& root) {
    for (const Fixup& fixup : fixups_) {
        TComponent* found = &root;
        for (const QString& part : fixup.name.split(u'.')) {
            found = found ? found->findComponent(part) : nullptr;
        }
        if (found) fixup.property->setReference(*fixup.instance, found);
    }
}

}  // namespace poremi
