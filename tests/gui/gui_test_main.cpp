// Widget tests run offscreen unless a display is asked for. gtest_discover_tests
// starts this program without the test environment, so it sets the platform
// itself.
#include <gtest/gtest.h>

#include "shell/application.h"

namespace {

// The offscreen platform remarks on what it cannot do (fixed sizes, raising
// popups, grabbing the keyboard); that is noise here.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    dz::DizozodiduApplication app(argc, argv);
    // A message box would wait for an answer forever: an error report that a
    // test does not expect is a failure.
    app.setErrorReporter([](const QString& message) {
        ADD_FAILURE() << "unexpected error report: " << message.toStdString();
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
