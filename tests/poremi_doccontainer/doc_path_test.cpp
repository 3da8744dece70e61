#include "base/error.h"
#include "document/container/container_error.h"
#include "document/container/doc_path.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(DocPath, ResolvesAgainstTheBase) {
    struct Case {
        const char* base;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"Sheets\\NameList0", "..\\Preview", "Sheets\\Preview"},
        {"Sheets\\NameList0", "Info", "Sheets\\NameList0\\Info"},
        {"Sheets\\NameList0", ".\\.\\Info", "Sheets\\NameList0\\Info"},
        {"Sheets\\NameList0", "\\DataInfo", "DataInfo"},
        {"Sheets\\NameList0", "..\\..", ""},
        {"", "Sheets\\\\NameList", "Sheets\\NameList"},
        {"\\Top", "Sub", "\\Top\\Sub"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveDocPath(QString::fromUtf8(c.base), QString::fromUtf8(c.name)), QString::fromUtf8(c.expected)) << c.base << " + " << c.name;
    }
}

TEST(DocPath, TooManyParentStepsAreAnError) {
    try {
        ResolveDocPath(QStringLiteral("Sheets"), QStringLiteral("..\\..\\x"));
        FAIL();
    } catch (const EContainerError& error) {
        EXPECT_EQ(error.fault(), ContainerFault::PathAboveRoot);
        EXPECT_EQ(error.message(), QStringLiteral("too many \"..\""));
    }
}

TEST(DocPath, FolderAndName) {
    EXPECT_EQ(DocPathFolder(QStringLiteral("Sheets\\NameList0\\Info")), QStringLiteral("Sheets\\NameList0"));
    EXPECT_EQ(DocPathName(QStringLiteral("Sheets\\NameList0\\Info")), QStringLiteral("Info"));
    EXPECT_EQ(DocPathFolder(QStringLiteral("DataInfo")), QString());
}

}  // namespace
}  // namespace poremi
