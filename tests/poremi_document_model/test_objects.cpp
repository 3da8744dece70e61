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

void registerTestObjects() {
    RegisterClass<TTestBox>();
    RegisterClass<TTestFrame>();
}

}  // namespace poremi::testing
