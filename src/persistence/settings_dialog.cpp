#include "persistence/settings_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <filesystem>
#include <optional>
#include <qdrawutil.h>

#include "catalog/text_file.h"
#include "persistence/settings_file.h"
#include "plan/program_state.h"
#include "shell/main_window.h"
#include "view/labels.h"
#include "view/qt_text.h"

namespace dz {

namespace {

constexpr int clientWidth = 250;
constexpr int clientHeight = 105;
constexpr int titleHeight = 24;  // the strip with the title and the close symbol

// The close symbol: a small white cross on dark grey.
QPixmap drawCloseSymbol() {
    QPixmap picture(16, 16);
    picture.fill(QColor(64, 64, 64));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPoint(4, 4), QPoint(11, 11));
    p.drawLine(QPoint(11, 4), QPoint(4, 11));
    return picture;
}

std::filesystem::path toPath(const QString& file) { return std::filesystem::path(file.toStdU16String()); }


}  // namespace

TfrmSet::TfrmSet(ProgramState& state, std::function<void(const QString&)> setLblAns,
                 std::function<void()> recomputePopulation, const QString& settingsPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      state_(state),
      setLblAns_(std::move(setLblAns)),
      recomputePopulation_(std::move(recomputePopulation)),
      settingsPath_(settingsPath) {
    setObjectName(QStringLiteral("frmSet"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setFixedSize(clientWidth, clientHeight);
    setFont(programFont());
    QPalette colours = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Window, Qt::black);
        colours.setColor(group, QPalette::WindowText, Qt::white);
    }
    setPalette(colours);
    setAutoFillBackground(true);

    Label2 = makeLabel(this, "Label2", QStringLiteral("Einstellungen..."), 14, 6);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(230, 3, 16, 16);
    Image1->setPixmap(drawCloseSymbol());
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

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

void TfrmSet::resetReputation() {
    Edit1->setText(QStringLiteral("0"));
    state_.internalReputation = 0;
}

void TfrmSet::readSettings() {
    const std::optional<StoredReputation> stored = readSettingsFile(toPath(settingsPath_));
    if (!stored) {
        resetReputation();
        return;
    }
    Edit1->setText(fromCp1252(stored->text));
    state_.internalReputation = stored->value;
    if (setLblAns_) setLblAns_(QString::number(state_.internalReputation));
}

void TfrmSet::Button1Click() {
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

void TfrmSet::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        readSettings();
        if (const QScreen* where = screen()) {
            QRect frame(QPoint(0, 0), size());
            frame.moveCenter(where->geometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

void TfrmSet::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    const QPalette& colours = palette();
    // A raised frame around the whole window and a groove under the title strip.
    qDrawShadePanel(&p, rect(), colours, false, 1);
    qDrawShadeLine(&p, 2, titleHeight, width() - 3, titleHeight, colours, true, 1, 0);
}

void TfrmSet::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grip_ = event->globalPosition().toPoint() - pos();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void TfrmSet::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - grip_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void TfrmSet::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

bool TfrmSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                // The close symbol is no grip for dragging.
                return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            case QEvent::MouseButtonRelease: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::LeftButton) break;
                // Closing without saving, as a button does: only when released over the symbol.
                if (Image1->rect().contains(mouse->position().toPoint())) reject();
                return true;
            }
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dz
