#include "gui/dialogs/about_box.h"

#include <algorithm>

#include <QHideEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "core/version.h"
#include "gui/widgets/labels.h"

namespace dz {

namespace {

constexpr int clientWidth = 465;
constexpr int clientHeight = 627;

// What the program is for and who makes it.
const char* const aboutText =
    "Dizozodidu \u2013 der Kolonieplaner\n"
    "\n"
    "Dizozodidu plant Kolonien f\u00fcr ein Online-Weltraum-Strategiespiel. "
    "Sie w\u00e4hlen einen von zehn Planetentypen und bebauen Oberfl\u00e4che und "
    "Orbit Feld f\u00fcr Feld: Geb\u00e4ude bauen, \u00fcberbauen, abrei\u00dfen, "
    "ein- und ausschalten, Felder terraformen.\n"
    "\n"
    "Nach jeder \u00c4nderung zeigt das Programm die Wirtschaft der Kolonie: "
    "Produktion und Lager pro Tick, Bev\u00f6lkerung und Personal, Baukosten, "
    "Attraktivit\u00e4t, Ansehen und BSP.\n"
    "\n"
    "Pl\u00e4ne werden als Dateien gespeichert und wieder geladen, und ein Bild "
    "des Fensters l\u00e4sst sich als JPEG-Datei sichern.\n"
    "\n"
    "Dizozodidu ist ein Werkzeug von Spielern f\u00fcr Spieler und wird vom "
    "Dizozodidu-Team gemacht.";

// The open-source projects the program is built with, one a line.
const char* const sponsorsList =
    "Qt 6 \u2013 Fenster, Bilder und Netzwerk\n"
    "giflib \u2013 unsere GIF-Bilder\n"
    "libjpeg-turbo \u2013 JPEG-Bilder des Fensters\n"
    "COIN-OR CBC \u2013 Vorschlag: die beste Kolonie berechnen\n"
    "GoogleTest \u2013 Tests\n"
    "Google Benchmark \u2013 Messungen\n"
    "CMake \u2013 Build\n"
    "Ninja \u2013 Build\n"
    "DejaVu-Schriften \u2013 Schrift\n"
    "Debian \u2013 Betriebssystem f\u00fcr Build und Tests";

// One block per version, newest first, blocks separated by an empty line.
const char* const releaseNotes =
    "0.6.5:\n"
    " - Auf Updates \u00fcberpr\u00fcfen (Men\u00fc \"Einstellungen\")\n"
    " - About-Fenster mit Versionshinweisen und Sponsoren\n"
    "\n"
    "0.6.4:\n"
    " - Pl\u00e4ne speichern und laden (*.kpls); \u00e4ltere Plandateien werden weiter gelesen\n"
    " - Plandatei beim Start auf der Kommandozeile \u00f6ffnen\n"
    " - Einstellungen: internes Ansehen, gespeichert in saves.kpl\n"
    " - Screenshot des Fensters als JPEG-Bild\n"
    " - Stapelbetrieb: \"IMAGES plan.kpls\" speichert das Bild eines Plans\n"
    " - Berichtswerkzeug dizozodidu-report zum Vergleichen von Pl\u00e4nen\n"
    " - Beispielpl\u00e4ne zum Ausprobieren\n"
    "\n"
    "0.6.3:\n"
    " - Feldmen\u00fc per Rechtsklick: Bauen, Abrei\u00dfen, Ein- und Ausschalten, Anfangszustand\n"
    " - Bauregeln f\u00fcr Oberfl\u00e4che und Orbit\n"
    " - Terraforming\n"
    " - Reichweite der Schildgeneratoren, im Rahmen der Felder zu sehen\n"
    " - Alphabetische Sortierung der Geb\u00e4udeliste\n"
    "\n"
    "0.6.2:\n"
    " - Produktion und Lager pro Tick\n"
    " - Bev\u00f6lkerung und Personal, Einstellen und Entlassen mit den Pfeilen\n"
    " - Gesamtkosten f\u00fcr Geb\u00e4ude und Terraformings\n"
    " - Attraktivit\u00e4t, Ansehen und BSP\n"
    "\n"
    "0.6.1:\n"
    " - Planansicht: Oberfl\u00e4che und Orbit mit Bildern, Rahmen und Tooltips\n"
    " - Das Fenster passt sich der Gr\u00f6\u00dfe des Planeten an\n"
    "\n"
    "0.6.0:\n"
    " - Katalog mit eigenen Daten: Geb\u00e4ude, Feldtypen, Planetentypen, Terraformings und Ressourcen\n"
    " - Eigene Bilder f\u00fcr Felder, Geb\u00e4ude, Planeten und Ressourcen\n"
    " - Neuer Plan f\u00fcr jeden der zehn Planetentypen";

// A text field the user can read and scroll but neither edit nor tab into.
QPlainTextEdit* makeReadOnlyText(QWidget* parent, const char* name, const char* text, QRect where, bool scrollBar) {
    auto* field = new QPlainTextEdit(QString::fromUtf8(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(where);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    field->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return field;
}

}  // namespace

AboutBox::AboutBox(QWidget* mainWindow) : BorderlessDialog(mainWindow, QSize(clientWidth, clientHeight), QPoint(444, 4)) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About..."));
    move(startPosition());

    titleLabel_ = makeLabel(this, "titleLabel", QStringLiteral("About..."), 14, 6);

    descriptionText_ = makeReadOnlyText(this, "descriptionText", aboutText, QRect(14, 40, 435, 225), false);
    QPalette dark = descriptionText_->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        dark.setColor(group, QPalette::Base, Qt::black);
        dark.setColor(group, QPalette::Text, Qt::white);
    }
    descriptionText_->setPalette(dark);

    sponsorsCaption_ = makeLabel(this, "sponsorsCaption", QStringLiteral("Sponsoren:"), 14, 276);
    sponsorsText_ = makeReadOnlyText(this, "sponsorsText", sponsorsList, QRect(14, 294, 435, 127), true);

    releaseNotesCaption_ = makeLabel(this, "releaseNotesCaption", QStringLiteral("Versionshinweise:"), 16, 431);
    releaseNotesText_ = makeReadOnlyText(this, "releaseNotesText", releaseNotes, QRect(14, 450, 435, 127), true);

    versionCaption_ = makeLabel(this, "versionCaption", QStringLiteral("Version: "), 12, 595);
    versionLabel_ = makeLabel(this, "versionLabel", QString::fromLatin1(kProgramVersion), 70, 595);

    backButton_ = new QPushButton(QStringLiteral("Zur\u00fcck"), this);
    backButton_->setObjectName(QStringLiteral("backButton"));
    backButton_->setGeometry(374, 590, 75, 25);
    connect(backButton_, &QPushButton::clicked, this, [this] { close(); });
}

void AboutBox::enableMainWindow() {
    if (QWidget* mainWindow = parentWidget()) mainWindow->setEnabled(true);
}

void AboutBox::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        stopDragging();
        // Disabling the main window disables its child windows as well; the
        // box is the one window that must take input meanwhile.
        setEnabled(true);
        // Keep the whole box on the screen, so that "Zurück" can be reached
        // also on a small screen.
        if (const QScreen* where = screen()) {
            const QRect room = where->availableGeometry();
            QPoint corner = pos();
            corner.setX(std::max(room.left(), std::min(corner.x(), room.right() + 1 - width())));
            corner.setY(std::max(room.top(), std::min(corner.y(), room.bottom() + 1 - height())));
            if (corner != pos()) move(corner);
        }
    }
    QDialog::showEvent(event);
}

void AboutBox::hideEvent(QHideEvent* event) {
    // Every way of closing the box ends here: the buttons, Escape, close(), hide().
    if (!event->spontaneous()) {
        stopDragging();
        enableMainWindow();
    }
    QDialog::hideEvent(event);
}

}  // namespace dz
