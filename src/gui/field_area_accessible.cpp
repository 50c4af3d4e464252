#include "gui/field_area_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QHash>
#include <QPointer>
#include <utility>

#include "gui/cell_cursor.h"

namespace dz {

namespace {

// The box's property that names its cursor, for the factory below.
constexpr char kCursorProperty[] = "dzCellCursor";

class FieldAreaAccessible;

// One field, by its place in the cursor's order; what it shows is read
// afresh every time, so that it follows the plan.
class FieldCellAccessible : public QAccessibleInterface {
public:
    FieldCellAccessible(const FieldAreaAccessible* area, int index) : area_(area), index_(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;

private:
    const FieldAreaAccessible* area_;
    int index_;
};

class FieldAreaAccessible : public QAccessibleWidget {
public:
    FieldAreaAccessible(QGroupBox* box, CellCursor* cursor)
        : QAccessibleWidget(box, QAccessible::Grouping), cursor_(cursor) {}
    ~FieldAreaAccessible() override {
        for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
    }

    const CellCursor* cursor() const { return cursor_.data(); }
    bool focused() const { return widget()->hasFocus(); }

    // The box's title, as a group box is named, unless it was given a name.
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
        return static_cast<const QGroupBox*>(widget())->title().remove(QLatin1Char('&'));
    }
    int childCount() const override { return cursor_ ? cursor_->fieldCount() : 0; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (const auto found = cells_.constFind(index); found != cells_.cend())
            return QAccessible::accessibleInterface(*found);
        auto* cell = new FieldCellAccessible(this, index);
        cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = cells_.cbegin(); it != cells_.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        if (!cursor_ || !focused()) return nullptr;
        return child(cursor_->indexOf(cursor_->field()));
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y)) return child(i);
        return nullptr;
    }

private:
    QPointer<CellCursor> cursor_;
    mutable QHash<int, QAccessible::Id> cells_;
};

bool FieldCellAccessible::isValid() const { return area_->isValid() && index_ < area_->childCount(); }
QWindow* FieldCellAccessible::window() const { return area_->window(); }
QAccessibleInterface* FieldCellAccessible::parent() const { return const_cast<FieldAreaAccessible*>(area_); }

QString FieldCellAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid()) return {};
    return area_->cursor()->description(area_->cursor()->fieldAt(index_));
}

QRect FieldCellAccessible::rect() const {
    return isValid() ? area_->cursor()->screenRect(area_->cursor()->fieldAt(index_)) : QRect();
}

QAccessible::State FieldCellAccessible::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.focusable = true;
    s.hasPopup = true;  // the field menu
    s.focused = area_->focused() && area_->cursor()->indexOf(area_->cursor()->field()) == index_;
    return s;
}

QAccessibleInterface* fieldAreaFactory(const QString&, QObject* object) {
    auto* box = qobject_cast<QGroupBox*>(object);
    if (!box) return nullptr;
    auto* cursor = qobject_cast<CellCursor*>(box->property(kCursorProperty).value<QObject*>());
    return cursor ? new FieldAreaAccessible(box, cursor) : nullptr;
}

}  // namespace

void makeFieldAreaAccessible(QGroupBox* box, CellCursor* cursor) {
    static const bool installed = [] {
        QAccessible::installFactory(fieldAreaFactory);
        return true;
    }();
    (void)installed;
    box->setProperty(kCursorProperty, QVariant::fromValue<QObject*>(cursor));
    // A group box announces its title as it is made, and the plain interface
    // made for that is kept: it goes, so that the next question gets ours.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(box);
        made && !dynamic_cast<FieldAreaAccessible*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announceFocusedCell(QGroupBox* box, int index) {
    QAccessibleEvent event(box, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

}  // namespace dz
