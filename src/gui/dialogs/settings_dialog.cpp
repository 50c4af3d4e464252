#include "gui/dialogs/settings_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <filesystem>
#include <optional>
#include <qdrawutil.h>

#include "core/text/text_file.h"
#include "core/files/settings_file.h"
#include "core/planner/program_state.h"
#include "gui/style.h"
#include "gui/widgets/labels.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

constexpr int clientWidth = 250;
constexpr int clientHeight = 105;

std::filesystem::path toPath(const QString& file) { return std::filesystem::path(file.toStdU16String()); }


}  // namespace

SettingsDialog::SettingsDialog(ProgramState& state, std::function<void(const QString&)> setLblAns,
                 std::function<void()> recomputePopulation, const QString& settingsPath, QWidget* parent)
    : BorderlessDialog(parent, QSize(clientWidth, clientHeight), QPoint(230, 3)),
      state_(state),
      setLblAns_(std::move(setLblAns)),
      recomputePopulation_(std::move(recomputePopulation)),
      settingsPath_(settingsPath) {
    setObjectName(QStringLiteral("frmSet"));
    setWindowTitle(QStringLiteral("Einstellungen"));

    Label2 = makeLabel(this, "Label2", QStringLiteral("Einstellungen..."), 14, 6);

    Image1 = closeSymbol();

    Label1 = makeLabel(this, "Label1", QStringLiteral("internes Ansehen:"), 14, 40);

    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(124, 37, 121, 21);

    Button1 = new QPushButton(QStringLiteral("Speichern"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(170, 66, 75, 25);
    // Saving is a click on the button; Return in the edit field does not save.
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void SettingsDialog::resetReputation() {
    Edit1->setText(QStringLiteral("0"));
    state_.internalReputation = 0;
}

void SettingsDialog::readSettings() {
    const std::optional<StoredReputation> stored = readSettingsFile(toPath(settingsPath_));
    if (!stored) {
        resetReputation();
        return;
    }
    Edit1->setText(fromCp1252(stored->text));
    state_.internalReputation = stored->value;
    if (setLblAns_) setLblAns_(QString::number(state_.internalReputation));
}

void SettingsDialog::Button1Click() {
    const std::string typed = toCp1252(Edit1->text());
    if (const std::optional<std::int32_t> value = parseInt32(typed)) {
        state_.internalReputation = *value;
        if (setLblAns_) setLblAns_(QString::number(state_.internalReputation));
        // The file keeps the text as typed, leading zeros included.
        if (!writeSettingsFile(typed, toPath(settingsPath_))) resetReputation();
    } else {
        resetReputation();
    }
    accept();
    if (state_.planExists && recomputePopulation_) recomputePopulation_();
}

void SettingsDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        readSettings();
        moveToScreenCentre();
    }
    QDialog::showEvent(event);
}

}  // namespace dz
