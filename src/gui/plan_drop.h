// Drag and drop on the window: a plan file (*.kpls) dropped on it is loaded
// as "Laden" would load it; anything else is refused and changes nothing.
#pragma once

#include <QObject>
#include <filesystem>
#include <optional>

class QMimeData;
class QWidget;

namespace dz {

class PlanDrop : public QObject {
    Q_OBJECT
public:
    // Makes `window` take drops and watches what is dragged onto it.
    explicit PlanDrop(QWidget* window);

    // The plan file a drag carries: exactly one local file whose name ends
    // in ".kpls", as the system names it; nothing for anything else.
    static std::optional<std::filesystem::path> planFileOf(const QMimeData* data);

signals:
    // A plan file was dropped. Sent once the drop is over, so that the
    // question about unsaved changes does not hold up the program it came from.
    void planDropped(const std::filesystem::path& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dz
