// Helpers of the widget tests.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include <exception>
#include <functional>

// Answers the next modal message box from a timer, as a user would, and
// remembers what it showed. The answer is withdrawn when the object goes.
class BoxAnswer {
public:
    explicit BoxAnswer(QMessageBox::StandardButton answer) : timer_(std::make_unique<QTimer>()) {
        timer_->setInterval(5);
        QObject::connect(timer_.get(), &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = true;
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            timer_->stop();
            box->button(answer)->click();
        });
        timer_->start();
    }

    bool shown = false;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;

private:
    std::unique_ptr<QTimer> timer_;
};

// The application object of the widget tests: like the program's, an
// exception that escapes an event handler goes to one reporter, which fails
// the test unless the test expects it (see ReporterGuard).
class TestApplication : public QApplication {
public:
    using Reporter = std::function<void(const QString&)>;
    TestApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            if (reporter_) reporter_(QString::fromUtf8(e.what()));
        }
        return false;
    }
    void setErrorReporter(Reporter reporter) { reporter_ = std::move(reporter); }
    const Reporter& errorReporter() const { return reporter_; }
    static TestApplication* instance() { return static_cast<TestApplication*>(QCoreApplication::instance()); }

private:
    Reporter reporter_;
};

// Replaces the error reporter for one test and restores the suite's one.
class ReporterGuard {
public:
    explicit ReporterGuard(TestApplication::Reporter reporter) : saved_(TestApplication::instance()->errorReporter()) {
        TestApplication::instance()->setErrorReporter(std::move(reporter));
    }
    ~ReporterGuard() { TestApplication::instance()->setErrorReporter(saved_); }

private:
    TestApplication::Reporter saved_;
};
