// The main function of every test executable: a private environment, then a QApplication on
// the offscreen platform, then GoogleTest.

#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace poremi::test {
void preparePrivateEnvironment();
void releasePrivateEnvironment();
}  // namespace poremi::test

int main(int argc, char** argv) {
    poremi::test::preparePrivateEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    poremi::test::releasePrivateEnvironment();
    return result;
}
