#include "gui/file_commands.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>
#include <exception>

#include "core/files/plan_code.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/text/text_file.h"
#include "gui/edit_history.h"
#include "gui/export/screenshot.h"
#include "gui/problem_report.h"
#include "gui/remembered_folders.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {
const QString kPlanFilter = QStringLiteral("DizozodiduSaves (*.kpls)");
}  // namespace

FileCommands::FileCommands(const Info& info, const ActPlan& plan, ProgramState& state, Planner& planner,
                           EditHistory& history, RunMode mode, QWidget* window)
    : QObject(window),
      info_(info),
      plan_(plan),
      state_(state),
      planner_(planner),
      history_(history),
      mode_(mode),
      window_(window) {
    setObjectName(QStringLiteral("fileCommands"));
}

bool FileCommands::confirmDiscard() {
    if (!history_.hasUnsavedChanges()) return true;
    if (mode_ == RunMode::Batch) return true;  // nobody to ask, and batch mode never changes a plan
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"),
                    QStringLiteral("Alle nichtgespeicherten Änderungen gehen verloren,\nwirklich fortsetzen?"),
                    QMessageBox::Yes | QMessageBox::No, window_);
    box.setObjectName(QStringLiteral("confirmDiscardBox"));
    setGermanButtonTexts(box);
    return box.exec() == QMessageBox::Yes;
}

bool FileCommands::openPlan(const std::filesystem::path& file) { return confirmDiscard() && loadPlanFile(file); }

bool FileCommands::loadPlanFile(const QString& file) { return loadPlanFile(toNativeFileName(file)); }

bool FileCommands::loadPlanFile(const std::filesystem::path& file) {
    LoadedPlan loaded;
    try {
        loaded = readPlanFile(file, info_);
    } catch (const PlanFileError& e) {
        reportProblem(mode_, window_,
                      Problem{QMessageBox::Warning, QStringLiteral("Dizozodidu"), fromNativeFileName(file),
                              QStringLiteral("Ungültige Datei!"), QString::fromUtf8(e.what())});
        return false;
    }
    planner_.loadPlan(loaded);
    history_.clear();
    setPlanFile(fromNativeFileName(file));
    emit planLoaded(file);
    return true;
}

bool FileCommands::loadPlanCode(const QString& code) {
    LoadedPlan loaded;
    try {
        loaded = readPlanLines(splitLines(planFileFromCode(code.toStdString())), info_);
    } catch (const PlanFileError& e) {
        reportProblem(mode_, window_,
                      Problem{QMessageBox::Warning, QStringLiteral("Dizozodidu"), QStringLiteral("Plan-Code"),
                              QStringLiteral("Ungültige Datei!"), QString::fromUtf8(e.what())});
        return false;
    }
    if (!confirmDiscard()) return false;
    planner_.loadPlan(loaded);
    history_.clear();
    setPlanFile(QString());  // a plan from a code has no file yet
    return true;
}

void FileCommands::setPlanFile(const QString& file) {
    planFile_ = file;
    emit planFileChanged();
}

bool FileCommands::savePlanFile(const QString& chosen) {
    const std::string name = planFileName(toNativeFileName(chosen).native());
    try {
        savePlan(name, info_, plan_, state_.internalReputation);
    } catch (const std::exception& e) {
        showMessage(window_, QMessageBox::Critical, QStringLiteral("Dizozodidu"),
                    QStringLiteral("Der Plan konnte nicht gespeichert werden.\n\n%1").arg(QString::fromUtf8(e.what())));
        return false;
    }
    history_.markSaved();
    setPlanFile(fromNativeFileName(std::filesystem::path(name)));
    emit planSaved(name);
    return true;
}

void FileCommands::loadWithDialog() {
    if (!confirmDiscard()) return;
    const QString file = QFileDialog::getOpenFileName(window_, QStringLiteral("Laden"), lastPlanFolder(), kPlanFilter);
    if (file.isEmpty()) return;
    loadPlanFile(file);
}

void FileCommands::saveWithDialog() {
    QFileDialog dialog(window_, QStringLiteral("Speichern"), lastPlanFolder(), kPlanFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    savePlanFile(dialog.selectedFiles().first());
}

void FileCommands::screenshotWithDialog() {
    QFileDialog dialog(window_, QStringLiteral("Screenshot"), lastPictureFolder(),
                       QStringLiteral("JPEG-Grafikdatei (*.jpeg);;PNG-Grafikdatei (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        showMessage(window_, QMessageBox::Warning, QStringLiteral("Screenshot"), screenshotCancelledText());
        return;
    }
    rememberPictureFolder(dialog.selectedFiles().first());
    takeScreenshot(dialog.selectedFiles().first());
}

void FileCommands::takeScreenshot(const QString& name) {
    if (saveScreenshot(window_, name) == ScreenshotResult::Saved)
        showMessage(window_, QMessageBox::Information, QStringLiteral("Screenshot"), screenshotSavedText());
    else
        showMessage(window_, QMessageBox::Warning, QStringLiteral("Screenshot"), screenshotFailedText(name));
}

}  // namespace dz
