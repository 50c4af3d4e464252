// The "Neu" submenu: its planet entries stand in two columns. Qt menus have no
// column break, so the entries are drawn by a widget inside the menu that looks
// and behaves like ordinary menu items; each entry still triggers its QAction.
#pragma once

#include <QAbstractButton>
#include <QMenu>
#include <QVector>

class QHBoxLayout;
class QVBoxLayout;
class QWidgetAction;

namespace dz {

class PlanetMenu : public QMenu {
    Q_OBJECT
public:
    PlanetMenu(const QString& title, QWidget* parent);

    // Adds an entry below the previous one, or at the top of a new column.
    QAction* addEntry(const QString& text, bool newColumn);

    const QVector<QAction*>& entries() const { return actions_; }
    // Column of the entry (0 = first), -1 for a foreign action.
    int columnOf(const QAction* action) const;

private:
    QWidget* panel_;
    QHBoxLayout* columns_;
    QVBoxLayout* currentColumn_ = nullptr;
    int columnCount_ = 0;
    QVector<QAction*> actions_;
    QVector<int> columnOfEntry_;
};

// One entry, painted as a menu item of the current style.
class PlanetMenuEntry : public QAbstractButton {
    Q_OBJECT
public:
    PlanetMenuEntry(QAction* action, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QAction* action_;
};

}  // namespace dz
