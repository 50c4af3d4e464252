#include "gui/dialogs/settings_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <filesystem>
#include <optional>

#include "core/text/text_file.h"
#include "core/files/settings_file.h"
#include "core/planner/program_state.h"
#include "gui/widgets/labels.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

constexpr int clientWidth = 250;
constexpr int clientHeight = 105;

std::filesystem::path toPath(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

}  // namespace

SettingsDialog::SettingsDialog(ProgramState& state, std::function<void(const QString&)> showReputation,
                 std::function<void()> recomputePopulation, const QString& settingsPath, QWidget* parent)
    : BorderlessDialog(parent, QSize(clientWidth, clientHeight), QPoint(230, 3)),
      state_(state),
      showReputation_(std::move(showReputation)),
      recomputePopulation_(std::move(recomputePopulation)),
      settingsPath_(settingsPath) {
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("Einstellungen"));

    titleLabel_ = makeLabel(this, "titleLabel", QStringLiteral("Einstellungen..."), 14, 6);

    reputationCaption_ = makeLabel(this, "reputationCaption", QStringLiteral("internes Ansehen:"), 14, 40);

    reputationEdit_ = new QLineEdit(QStringLiteral("0"), this);
    reputationEdit_->setObjectName(QStringLiteral("reputationEdit"));
    reputationEdit_->setGeometry(124, 37, 121, 21);

    saveButton_ = new QPushButton(QStringLiteral("Speichern"), this);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    saveButton_->setGeometry(170, 66, 75, 25);
    // Return in the edit field saves, as the button's frame shows.
    saveButton_->setDefault(true);
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
}

void SettingsDialog::resetReputation() {
    reputationEdit_->setText(QStringLiteral("0"));
    state_.internalReputation = 0;
}

void SettingsDialog::readSettings() {
    const std::optional<StoredReputation> stored = readSettingsFile(toPath(settingsPath_));
    if (!stored) {
        resetReputation();
        return;
    }
    reputationEdit_->setText(fromCp1252(stored->text));
    state_.internalReputation = stored->value;
    if (showReputation_) showReputation_(QString::number(state_.internalReputation));
}

void SettingsDialog::save() {
    const std::string typed = toCp1252(reputationEdit_->text());
    std::string problem;
    if (const std::optional<std::int32_t> value = parseInt32(typed)) {
        state_.internalReputation = *value;
        if (showReputation_) showReputation_(QString::number(state_.internalReputation));
        // The file keeps the text as typed, leading zeros included.
        if (!writeSettingsFile(typed, toPath(settingsPath_), &problem)) resetReputation();
    } else {
        resetReputation();
    }
    accept();
    if (state_.planExists && recomputePopulation_) recomputePopulation_();
    if (!problem.empty())
        emit notSaved(QStringLiteral("Das interne Ansehen konnte nicht gespeichert werden.\n\n%1")
                          .arg(QString::fromStdString(problem)));
}

void SettingsDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        readSettings();
        moveToScreenCentre();
        // Whatever is typed replaces the value shown.
        reputationEdit_->selectAll();
        reputationEdit_->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

}  // namespace dz
