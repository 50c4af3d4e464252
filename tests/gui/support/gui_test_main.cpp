// Widget tests run offscreen unless a display is asked for. gtest_discover_tests
// starts this program without the test environment, so it sets the platform
// itself.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "gui/support/test_support.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef DZ_TEST_SCALE_FACTOR
    // The program of the high-resolution tests: a screen of this device pixel ratio.
    qputenv("QT_SCALE_FACTOR", DZ_TEST_SCALE_FACTOR);
#endif
    // The settings the window keeps (recent plans, folders) go to a folder
    // of this run, never to the user's own; programs started by the tests
    // inherit it.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    TestApplication app(argc, argv);
    // A message box would wait for an answer forever: an error report that a
    // test does not expect is a failure.
    app.setErrorReporter([](const QString& message) {
        ADD_FAILURE() << "unexpected error report: " << message.toStdString();
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
