// The main function of every test executable: a private environment, then a QApplication (a
// QGuiApplication for libraries without widgets) on the offscreen platform, then GoogleTest.

#ifdef POREMI_TEST_WIDGETS
#include <QtWidgets/QApplication>
using TestApplication = QApplication;
#else
#include <QtGui/QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <gtest/gtest.h>

namespace poremi::test {
void preparePrivateEnvironment();
void releasePrivateEnvironment();
}  // namespace poremi::test

// Allocations that third-party libraries keep for the process lifetime.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libdbus\n";
}

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1"; }

int main(int argc, char** argv) {
    poremi::test::preparePrivateEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef POREMI_TEST_OUTPUT_DIR
    if (qEnvironmentVariableIsEmpty("POREMI_TEST_OUTPUT_DIR")) qputenv("POREMI_TEST_OUTPUT_DIR", POREMI_TEST_OUTPUT_DIR);
#endif
    int result = 0;
    {
        TestApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    poremi::test::releasePrivateEnvironment();
    return result;
}
