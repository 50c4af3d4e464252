#include "gui/share_commands.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include "core/files/plan_code.h"
#include "core/files/plan_file.h"
#include "gui/dialogs/compare_window.h"
#include "gui/export/screenshot.h"
#include "gui/file_commands.h"
#include "gui/plan_cells.h"
#include "gui/problem_report.h"
#include "gui/remembered_folders.h"
#include "gui/result_panels.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

QAction* addCommand(QMenu* menu, QWidget* window, const QString& text, const char* name, QKeySequence keys = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        // A text field with the focus keeps its own Ctrl+V.
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    return action;
}

}  // namespace

ShareCommands::ShareCommands(Info& info, const ActPlan& plan, const ProgramState& state, FileCommands& files,
                             PlanCells& cells, ResultPanels& panels, QMainWindow* window, QMenu* menu)
    : QObject(window), info_(info), plan_(plan), state_(state), files_(files), cells_(cells), panels_(panels),
      window_(window) {
    menu->addSeparator();
    copyCode_ = addCommand(menu, window, QStringLiteral("Plan als &Code kopieren"), "copyCodeAction");
    connect(copyCode_, &QAction::triggered, this, &ShareCommands::copyPlanCode);
    connect(addCommand(menu, window, QStringLiteral("Plan aus Code ein&fügen"), "pasteCodeAction",
                       QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, &ShareCommands::pastePlanCode);
    connect(addCommand(menu, window, QStringLiteral("&Bild kopieren"), "copyPictureAction",
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, &ShareCommands::copyPicture);
    compareAction_ = addCommand(menu, window, QStringLiteral("&Vergleichen mit…"), "compareAction");
    connect(compareAction_, &QAction::triggered, this, &ShareCommands::compareWithDialog);
    planExists(false);
}

void ShareCommands::planExists(bool exists) {
    copyCode_->setEnabled(exists);
    compareAction_->setEnabled(exists);
}

void ShareCommands::showStatus(const QString& text) { window_->statusBar()->showMessage(text, 10000); }

void ShareCommands::copyPlanCode() {
    if (plan_.planetType < 0) return;
    const std::string code = planCode(planFileText(planLines(info_, plan_, state_.internalReputation)));
    QGuiApplication::clipboard()->setText(QString::fromLatin1(code));
    showStatus(QStringLiteral("Der Plan liegt als Code in der Zwischenablage (%1 Zeichen).").arg(code.size()));
}

void ShareCommands::pastePlanCode() { files_.loadPlanCode(QGuiApplication::clipboard()->text()); }

void ShareCommands::copyPicture() {
    QGuiApplication::clipboard()->setImage(captureWindow(window_));
    showStatus(QStringLiteral("Das Bild des Fensters liegt in der Zwischenablage."));
}

void ShareCommands::compareWithDialog() {
    const QString file = QFileDialog::getOpenFileName(window_, QStringLiteral("Vergleichen mit"), lastPlanFolder(),
                                                      QStringLiteral("Kolonieplan (*.kpls)"));
    if (!file.isEmpty()) compareWith(toNativeFileName(file));
}

bool ShareCommands::compareWith(const std::filesystem::path& file) {
    PlanFigures other;
    try {
        other = planFigures(info_, readPlanFile(file, info_));
    } catch (const PlanFileError& e) {
        reportProblem(RunMode::Interactive, window_,
                      Problem{QMessageBox::Warning, QStringLiteral("Dizozodidu"), fromNativeFileName(file),
                              QStringLiteral("Ungültige Datei!"), QString::fromUtf8(e.what())});
        return false;
    }
    if (compare_) compare_->close();
    const auto current = [this] {
        return planFigures(info_, readPlanLines(planLines(info_, plan_, state_.internalReputation), info_));
    };
    compare_ = new CompareWindow(current, std::move(other), fromNativeFileName(file.filename()), window_);
    connect(compare_, &CompareWindow::differingFields, &cells_, &PlanCells::markFields);
    connect(compare_, &QObject::destroyed, &cells_, [this] { cells_.markFields({}); });
    // The window follows the plan: once the panels show new figures, it compares again (once per burst).
    auto* again = new QTimer(compare_);
    again->setSingleShot(true);
    connect(again, &QTimer::timeout, compare_, &CompareWindow::refresh);
    connect(&panels_, &ResultPanels::figuresShown, again, [again] { again->start(0); });
    cells_.markFields(compare_->comparison().differingFields);
    compare_->show();
    return true;
}

}  // namespace dz
