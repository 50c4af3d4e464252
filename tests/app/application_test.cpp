#include "app/application.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>


using namespace dz;

namespace {

// Replaces the application's error reporter for one test and restores the suite's one.
class ReporterGuard {
public:
    explicit ReporterGuard(DizozodiduApplication::Reporter reporter)
        : saved_(DizozodiduApplication::instance()->errorReporter()) {
        DizozodiduApplication::instance()->setErrorReporter(std::move(reporter));
    }
    ~ReporterGuard() { DizozodiduApplication::instance()->setErrorReporter(saved_); }

private:
    DizozodiduApplication::Reporter saved_;
};

class ThrowingObject : public QObject {
public:
    int handled = 0;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("kaputt");
        if (e->type() == QEvent::User + 1) {
            ++handled;
            return true;
        }
        return QObject::event(e);
    }
};


}  // namespace

TEST(Application, ExceptionFromAHandlerIsReportedAndTheProgramGoesOn) {
    auto* app = DizozodiduApplication::instance();
    ASSERT_NE(app, nullptr);
    QStringList reports;
    ReporterGuard guard([&](const QString& m) { reports << m; });

    ThrowingObject object;
    QEvent boom(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &boom));
    EXPECT_EQ(reports, QStringList{"kaputt"});

    QEvent fine(QEvent::Type(QEvent::User + 1));
    QCoreApplication::sendEvent(&object, &fine);
    EXPECT_EQ(object.handled, 1);
}

TEST(Application, ExceptionFromATimerSlotIsReported) {
    QStringList reports;
    ReporterGuard guard([&](const QString& m) { reports << m; });
    QTimer::singleShot(0, [] { throw std::runtime_error("im Zeitgeber"); });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, QStringList{"im Zeitgeber"});
}

TEST(Application, BatchModeEndsTheEventLoopWithAFailure) {
    auto* app = DizozodiduApplication::instance();
    ReporterGuard guard({});  // batch mode's own reporting: stderr and the exit status
    app->setRunMode(RunMode::Batch);
    QTimer::singleShot(0, [] { throw std::runtime_error("Stapelfehler"); });
    const int status = app->exec();
    app->setRunMode(RunMode::Interactive);
    EXPECT_EQ(status, kExitFailure);
}

TEST(Application, QtsOwnTextsAreGermanWhateverTheLocale) {
    // The application object loaded Qt's translation: standard buttons, the
    // file dialogs and the key names of the menus speak German.
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text(), "&Ja");
    EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text(), "&Nein");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), "Suchen in:");
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText), "Strg+O");
}
