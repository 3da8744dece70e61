#include "fuzz/support/sample_classes.h"

#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/name_tables.h"

namespace poremi::sample {
namespace {
int live = 0;
}

const TClassInfo& TSamplePen::staticClassInfo() {
    static const TClassInfo info = describeClass<TSamplePen, TPersistent>("TSamplePen", [](auto& c) {
        c.integer("Color", &TSamplePen::color, &TSamplePen::setColor).defaultValue(color::clBlack).names(colorNames());
        c.integer("Width", &TSamplePen::width, &TSamplePen::setWidth).defaultValue(1);
    });
    return info;
}

const TClassInfo& TSampleGrid::staticClassInfo() {
    static const TClassInfo info = describeClass<TSampleGrid, TPersistent>("TSampleGrid", [](auto& c) {
        c.enumeration("LineShape", &TSampleGrid::lineShape, &TSampleGrid::setLineShape, {"lsSolid", "lsDash", "lsDot"})
            .defaultValue(LineShape::lsSolid);
        c.integer("Size", &TSampleGrid::size, &TSampleGrid::setSize).defaultValue(10);
        c.boolean("Visible", &TSampleGrid::visible, &TSampleGrid::setVisible).defaultValue(false);
        c.object("Pen", &TSampleGrid::pen);
    });
    return info;
}

const TClassInfo& TSampleItem::staticClassInfo() {
    static const TClassInfo info = describeClass<TSampleItem, TCollectionItem>("TSampleItem", [](auto& c) {
        c.string("ID", &TSampleItem::id, &TSampleItem::setId);
        c.integer("Value", &TSampleItem::value, &TSampleItem::setValue).defaultValue(0);
        c.reference("Link", &TSampleItem::setLink);
    });
    return info;
}

const TClassInfo& TSampleObject::staticClassInfo() {
    static const TClassInfo info = describeClass<TSampleObject, TComponent>("TSampleObject", [](auto& c) {
        using T = TSampleObject;
        c.integer("Left", &T::left, &T::setLeft).defaultValue(0);
        c.integer("Top", &T::top, &T::setTop);  // no default: always written
        c.integer("Big", &T::big, &T::setBig).defaultValue(0);
        c.integer("Small", &T::small, &T::setSmall).defaultValue(0);
        c.string("Caption", &T::caption, &T::setCaption);
        c.string("Title", &T::title, &T::setTitle);
        c.floating("Ratio", &T::ratio, &T::setRatio);
        c.floating("Date", &T::date, &T::setDate);
        c.boolean("Visible", &T::visible, &T::setVisible).defaultValue(true);
        c.boolean("Locked", &T::locked, &T::setLocked);  // no default: always written
        c.enumeration("Shape", &T::shape, &T::setShape, {"lsSolid", "lsDash", "lsDot"}).defaultValue(LineShape::lsSolid);
        c.set("Options", &T::options, &T::setOptions, {"soBold", "soItalic", "soUnderline"}).defaultValue(0);
        c.integer("Color", &T::color, &T::setColor).defaultValue(color::clWhite).names(colorNames());
        c.integer("Cursor", &T::cursor, &T::setCursor).defaultValue(0).names(cursorNames());
        c.integer("Charset", &T::charset, &T::setCharset).defaultValue(1).names(charsetNames());
        c.character("Mark", &T::mark, &T::setMark).defaultValue('*');
        c.integer("Hidden", &T::hidden, &T::setHidden).notStored();
        c.integer("Conditional", &T::conditional, &T::setConditional).stored(&T::hasConditional);
        c.object("Grid", &T::grid);
        c.object("Lines", &T::lines);
        c.object("Items", &T::items);
        c.reference("Target", &T::setTarget);
        c.event("OnChange");
    });
    return info;
}

TSampleObject::TSampleObject() { ++live; }
TSampleObject::~TSampleObject() { --live; }
int TSampleObject::liveCount() { return live; }

void TSampleObject::defineProperties(TFiler& filer) {
    TComponent::defineProperties(filer);
    filer.defineBinaryProperty(
        QStringLiteral("Points"),
        [this](ByteReader& in) {
            const std::int32_t count = in.readInt32();
            in.requireAvailable(count, 8);
            points.clear();
            for (std::int32_t i = 0; i < count; ++i) {
                const int x = in.readInt32();
                points.append(QPoint(x, in.readInt32()));
            }
        },
        [this](ByteWriter& out) {
            out.writeInt32(static_cast<std::int32_t>(points.size()));
            for (const QPoint& p : points) {
                out.writeInt32(p.x());
                out.writeInt32(p.y());
            }
        },
        !points.isEmpty());
}

const TClassInfo& TSampleGroup::staticClassInfo() {
    static const TClassInfo info = describeClass<TSampleGroup, TComponent>("TSampleGroup", [](auto& c) {
        c.integer("Level", &TSampleGroup::level, &TSampleGroup::setLevel).defaultValue(0);
    });
    return info;
}

void registerSampleClasses() {
    RegisterClass<TSampleObject>();
    RegisterClass<TSampleGroup>();
}

}  // namespace poremi::sample
