#include "gui/recent_plans.h"

#include <QAction>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <algorithm>
#include <system_error>

#include "gui/remembered_folders.h"
#include "gui/user_settings.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

const QString kPlansArray = QStringLiteral("Zuletzt");
const QString kFileKey = QStringLiteral("Datei");

QString escaped(QString text) { return text.replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

RecentPlans::RecentPlans(QMainWindow* window, bool remember)
    : QObject(window), window_(window), remember_(remember), menu_(new QMenu(QStringLiteral("&Zuletzt"), window)) {
    setObjectName(QStringLiteral("recentPlans"));
    menu_->setObjectName(QStringLiteral("recentPlansMenu"));
    menu_->setFont(window->font());
    menu_->setToolTipsVisible(true);
    // Another running planner may have used plans since: the list is read
    // again whenever the menu opens.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        read();
        fillMenu();
    });
    read();
    fillMenu();
}

void RecentPlans::read() {
    if (!remember_) return;
    plans_.clear();
    const auto settings = UserSettings::open();
    if (!settings) return;
    const int count = settings->beginReadArray(kPlansArray);
    for (int i = 0; i < count && int(plans_.size()) < kMaxPlans; ++i) {
        settings->setArrayIndex(i);
        const std::filesystem::path file = UserSettings::toPath(settings->value(kFileKey));
        if (!file.empty() && std::find(plans_.begin(), plans_.end(), file) == plans_.end()) plans_.push_back(file);
    }
    settings->endArray();
}

void RecentPlans::write() const {
    if (!remember_) return;
    const auto settings = UserSettings::open();
    if (!settings) return;
    settings->remove(kPlansArray);
    settings->beginWriteArray(kPlansArray, int(plans_.size()));
    for (std::size_t i = 0; i < plans_.size(); ++i) {
        settings->setArrayIndex(int(i));
        settings->setValue(kFileKey, UserSettings::fromPath(plans_[i]));
    }
    settings->endArray();
}

void RecentPlans::planUsed(const std::filesystem::path& file) {
    // Without a settings file to keep them in, no plans are kept.
    if (!remember_ || !UserSettings::usable()) return;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error) absolute = file;
    absolute = absolute.lexically_normal();
    read();
    plans_.erase(std::remove(plans_.begin(), plans_.end(), absolute), plans_.end());
    plans_.insert(plans_.begin(), absolute);
    if (int(plans_.size()) > kMaxPlans) plans_.resize(kMaxPlans);
    write();
    rememberPlanFolder(absolute.parent_path());
    fillMenu();
}

void RecentPlans::fillMenu() {
    menu_->clear();
    if (plans_.empty()) {
        menu_->addAction(QStringLiteral("(noch keine Pläne)"))->setEnabled(false);
        return;
    }
    const QFontMetrics metrics(menu_->font());
    for (std::size_t i = 0; i < plans_.size(); ++i) {
        const QString name = fromNativeFileName(plans_[i].filename());
        const QString folder = metrics.elidedText(fromNativeFileName(plans_[i].parent_path()), Qt::ElideMiddle, 300);
        QAction* entry = menu_->addAction(QStringLiteral("&%1 %2 – %3").arg(i + 1).arg(escaped(name), escaped(folder)));
        entry->setToolTip(fromNativeFileName(plans_[i]));
        connect(entry, &QAction::triggered, this, [this, i] { entryChosen(i); });
    }
}

void RecentPlans::entryChosen(std::size_t index) {
    if (index >= plans_.size()) return;
    const std::filesystem::path file = plans_[index];
    std::error_code error;
    // A file that cannot be looked at just now (a folder without rights,
    // say) is not gone: its load says what is wrong.
    if (!std::filesystem::exists(file, error) && !error) {
        read();
        plans_.erase(std::remove(plans_.begin(), plans_.end(), file), plans_.end());
        write();
        fillMenu();
        window_->statusBar()->showMessage(
            QStringLiteral("„%1“ gibt es nicht mehr; aus „Zuletzt“ entfernt.").arg(fromNativeFileName(file.filename())),
            8000);
        return;
    }
    emit openRequested(file);
}

}  // namespace dz
