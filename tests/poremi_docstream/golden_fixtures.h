#pragma once
// Golden streams of the sample classes, written by hand from the byte layout of the format, with
// the objects they hold. The writer must reproduce them, the reader decode them, and an
// independent writer (Free Pascal's component streaming) must produce them from their text forms.

#include "fuzz/support/sample_classes.h"

#include <memory>

namespace poremi::test {

struct GoldenFixture {
    const char* bytes;     // in the notation of fixture()
    const char* textForm;  // the same object as a Free Pascal text form
};

// A fresh object: only the properties without a default.
extern const GoldenFixture kFreshObject;
std::unique_ptr<sample::TSampleObject> freshObject();

// Every kind of property, in declaration order.
extern const GoldenFixture kEveryKindOfProperty;
std::unique_ptr<sample::TSampleObject> everyKindOfProperty();

// A root with a property, children and a grandchild.
extern const GoldenFixture kChildrenFollowTheProperties;
std::unique_ptr<sample::TSampleGroup> childrenFollowTheProperties();

}  // namespace poremi::test
