// The "Neu" submenu: its planet entries stand in two columns. Qt menus have no
// column break, so the entries are drawn by a widget inside the menu that looks
// and behaves like ordinary menu items; each entry still triggers its QAction.
// The keyboard works as in a menu with columns: Up and Down move within a
// column, Left and Right between the columns (beyond the outer columns to the
// neighbouring menus of the menu bar), Return, Enter and Space choose.
#pragma once

#include <QAbstractButton>
#include <QMenu>
#include <QVector>

class QHBoxLayout;
class QVBoxLayout;
class QWidgetAction;

namespace dz {

class PlanetMenuEntry;

class PlanetMenu : public QMenu {
    Q_OBJECT
public:
    PlanetMenu(const QString& title, QWidget* parent);

    // Adds an entry below the previous one, or at the top of a new column.
    QAction* addEntry(const QString& text, bool newColumn);

    const QVector<QAction*>& entries() const { return actions_; }
    // Column of the entry (0 = first), -1 for a foreign action.
    int columnOf(const QAction* action) const;

    // The highlighted entry (mouse or keyboard), -1 for none.
    int current() const { return current_; }
    void setCurrent(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Closes the menu and triggers the entry's action.
    void choose(int index);
    // The entry `rows` rows below (above) `index` in its column, wrapping
    // round; the entry of the same row (or the last) `columns` columns over,
    // or -1 beyond the outer columns.
    int entryBelow(int index, int rows) const;
    int entryBeside(int index, int columns) const;
    QVector<int> column(int c) const;

    QWidget* panel_;
    QHBoxLayout* columns_;
    QVBoxLayout* currentColumn_ = nullptr;
    int columnCount_ = 0;
    QVector<QAction*> actions_;
    QVector<PlanetMenuEntry*> entryWidgets_;
    QVector<int> columnOfEntry_;
    int current_ = -1;
};

// One entry, painted as a menu item of the current style.
class PlanetMenuEntry : public QAbstractButton {
    Q_OBJECT
public:
    PlanetMenuEntry(QAction* action, QWidget* parent);
    QSize sizeHint() const override;
    void setHighlighted(bool on);

signals:
    // The mouse came onto the entry or left it.
    void hovered(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QAction* action_;
    bool highlighted_ = false;
};

}  // namespace dz
