// Helpers of the widget tests.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "app/application.h"

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

// Replaces the error reporter for one test and restores the suite's one.
class ReporterGuard {
public:
    explicit ReporterGuard(dz::DizozodiduApplication::Reporter reporter)
        : saved_(dz::DizozodiduApplication::instance()->errorReporter()) {
        dz::DizozodiduApplication::instance()->setErrorReporter(std::move(reporter));
    }
    ~ReporterGuard() { dz::DizozodiduApplication::instance()->setErrorReporter(saved_); }

private:
    dz::DizozodiduApplication::Reporter saved_;
};
