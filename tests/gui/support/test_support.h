// Helpers of the widget tests.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

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
            informativeText = box->informativeText();
            buttons = box->standardButtons();
            for (QAbstractButton* button : box->buttons()) buttonTexts << button->text();
            buttonTexts.sort();
            timer_->stop();
            box->button(answer)->click();
        });
        timer_->start();
    }

    bool shown = false;
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::StandardButtons buttons;
    QStringList buttonTexts;  // sorted

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

// A named pipe where a file is expected, for code that must never open one:
// opening a pipe to read waits until a writer comes, and a test of such code
// would hang. Should the code under test still be waiting after `limit`, the
// guard comes as the writer (and goes again, so the reader sees an empty
// file) until it is destroyed; rescued() then tells the test to fail.
class PipeGuard {
public:
    explicit PipeGuard(std::string path, std::chrono::milliseconds limit = std::chrono::seconds(5))
        : path_(std::move(path)) {
        made_ = ::mkfifo(path_.c_str(), 0600) == 0;
        if (!made_) return;
        watcher_ = std::thread([this, limit] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (done_cv_.wait_for(lock, limit, [this] { return done_; })) return;
            while (!done_) {
                lock.unlock();
                // Without a reader this fails at once (ENXIO); with one it lets the reader go on.
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    rescued_ = true;
                    ::close(fd);
                }
                lock.lock();
                done_cv_.wait_for(lock, std::chrono::milliseconds(10), [this] { return done_; });
            }
        });
    }
    ~PipeGuard() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        done_cv_.notify_all();
        if (watcher_.joinable()) watcher_.join();
        if (made_) ::unlink(path_.c_str());
    }
    PipeGuard(const PipeGuard&) = delete;
    PipeGuard& operator=(const PipeGuard&) = delete;

    bool made() const { return made_; }
    // Someone opened the pipe and waited for a writer.
    bool rescued() const { return rescued_; }

private:
    std::string path_;
    bool made_ = false;
    std::atomic<bool> rescued_{false};
    std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = false;
    std::thread watcher_;
};
