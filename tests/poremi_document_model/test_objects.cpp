#include "test_objects.h"

#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"

namespace poremi::testing {

const TClassInfo& TTestBox::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestBox, TLORectBase>("TTestBox", [](auto& c) {
        c.integer("Color", &TTestBox::color, &TTestBox::setColor).defaultValue(0xFF);
    });
    return info;
}

const TClassInfo& TTestFrame::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestFrame, TLORectBase>("TTestFrame");
    return info;
}

const TClassInfo& TTestDate::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestDate, TTestFrame>("TTestDate", [](auto& c) {
        c.integer("DateUpdateFlag", &TTestDate::dateUpdateFlag, &TTestDate::setDateUpdateFlag).defaultValue(0);
        c.floating("Date", &TTestDate::date, &TTestDate::setDate);
    });
    return info;
}

const TClassInfo& TTestBackground::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestBackground, TTestFrame>("TTestBackground", [](auto& c) {
        c.boolean("Framed", &TTestBackground::framed, &TTestBackground::setFramed).defaultValue(false);
    });
    return info;
}

void registerTestObjects() {
    RegisterClass<TTestBox>();
    RegisterClass<TTestFrame>();
    RegisterClass<TTestDate>();
    RegisterClass<TTestBackground>();
}

}  // namespace poremi::testing
