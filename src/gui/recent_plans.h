// The plans saved or loaded last, in the main menu's "Zuletzt", kept in the
// user's settings (user_settings.h) as the bytes the system has their names
// in, so that any name opens again.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <vector>

class QMainWindow;
class QMenu;

namespace dz {

class RecentPlans : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPlans = 8;

    // With `remember` false (batch mode) nothing is read or written.
    RecentPlans(QMainWindow* window, bool remember);

    QMenu* menu() const { return menu_; }
    // The plans, the last used first.
    const std::vector<std::filesystem::path>& plans() const { return plans_; }

    // A plan was loaded or saved: it goes first, and its folder is where the
    // file dialogs open next.
    void planUsed(const std::filesystem::path& file);

signals:
    // An entry was chosen and its file is there.
    void openRequested(const std::filesystem::path& file);

private:
    void read();
    void write() const;
    void fillMenu();
    void entryChosen(std::size_t index);

    QMainWindow* window_;
    bool remember_;
    QMenu* menu_;
    std::vector<std::filesystem::path> plans_;
};

}  // namespace dz
