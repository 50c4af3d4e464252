// Keys of the main menu. The commands that stand in the menu bar itself
// ("Laden", "Speichern", "Screenshot") have shortcuts, but a menu bar shows no
// shortcut beside its commands: there it is shown as the command's tool tip.
#pragma once

class QAction;
class QMenuBar;

namespace dz {

// The tool tip of a command with a shortcut: its caption without the
// mnemonic mark and the shortcut as the system writes it, e.g. "Laden (Strg+O)".
void setShortcutToolTip(QAction* action);

// Lets `bar` show the tool tips of its commands when the mouse rests on them.
void showMenuBarToolTips(QMenuBar* bar);

}  // namespace dz
