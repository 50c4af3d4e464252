#include "gui/dialogs/suggest_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <algorithm>
#include <exception>
#include <limits>

#include "core/planner/planner.h"
#include "gui/edit_history.h"
#include "gui/widgets/labels.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

constexpr int clientWidth = 330;
constexpr int clientHeight = 190;
constexpr int progressSteps = 1000;

// The goal the dialog offers first: research is what most players plan for.
constexpr const char* kFirstGoal = "Forschung";

}  // namespace

SuggestDialog::SuggestDialog(const Info& info, Planner& planner, EditHistory& history, QWidget* parent)
    : BorderlessDialog(parent, QSize(clientWidth, clientHeight), QPoint(clientWidth - 20, 3)),
      info_(info),
      planner_(planner),
      history_(history),
      goals_(suggestGoals(info)) {
    setObjectName(QStringLiteral("suggestDialog"));
    setWindowTitle(QStringLiteral("Vorschlag"));
    makeLabel(this, "titleLabel", QStringLiteral("Vorschlag..."), 14, 6);

    QLabel* goalCaption = makeLabel(this, "goalCaption", QStringLiteral("&Ziel:"), 14, 40);
    goalBox_ = new QComboBox(this);
    goalBox_->setObjectName(QStringLiteral("goalBox"));
    goalBox_->setGeometry(124, 36, 192, 22);
    for (const NamedGoal& goal : goals_) goalBox_->addItem(fromCp1252(goal.name));
    goalBox_->setCurrentIndex(std::max(0, goalBox_->findText(QString::fromLatin1(kFirstGoal))));
    goalCaption->setBuddy(goalBox_);

    capCheck_ = new QCheckBox(QStringLiteral("&Baukosten begrenzen: höchstens"), this);
    capCheck_->setObjectName(QStringLiteral("capCheck"));
    capCheck_->setGeometry(14, 66, 302, 22);
    capEdit_ = new QSpinBox(this);
    capEdit_->setObjectName(QStringLiteral("capEdit"));
    capEdit_->setAccessibleName(QStringLiteral("Baukosten höchstens, Menge"));
    capEdit_->setGeometry(34, 92, 110, 22);
    capEdit_->setRange(0, std::numeric_limits<int>::max());
    capEdit_->setButtonSymbols(QAbstractSpinBox::NoButtons);  // Up and Down still step the number
    capEdit_->setValue(10000);
    capResourceBox_ = new QComboBox(this);
    capResourceBox_->setObjectName(QStringLiteral("capResourceBox"));
    capResourceBox_->setAccessibleName(QStringLiteral("Baukosten höchstens, Ressource"));
    capResourceBox_->setGeometry(150, 92, 166, 22);
    for (const InfoRessource& resource : info.resourceTypes) capResourceBox_->addItem(fromCp1252(resource.name));
    for (QWidget* w : {static_cast<QWidget*>(capEdit_), static_cast<QWidget*>(capResourceBox_)}) w->setEnabled(false);
    connect(capCheck_, &QCheckBox::toggled, this, [this](bool on) {
        capEdit_->setEnabled(on && !searching());
        capResourceBox_->setEnabled(on && !searching());
    });

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setGeometry(14, 124, 302, 16);
    progressBar_->setRange(0, progressSteps);
    progressBar_->setTextVisible(false);
    progressBar_->setAccessibleName(QStringLiteral("Fortschritt der Suche"));
    bestLabel_ = makeLabel(this, "bestLabel", QString(), 14, 144);
    bestLabel_->setFixedWidth(302);

    startButton_ = new QPushButton(QStringLiteral("&Suchen"), this);
    startButton_->setObjectName(QStringLiteral("startButton"));
    startButton_->setGeometry(160, 160, 75, 25);
    startButton_->setDefault(true);
    connect(startButton_, &QPushButton::clicked, this, &SuggestDialog::start);
    cancelButton_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setGeometry(241, 160, 75, 25);
    connect(cancelButton_, &QPushButton::clicked, this, &SuggestDialog::reject);
}

SuggestDialog::~SuggestDialog() { cancel(); }

void SuggestDialog::setBudget(long long iterations, double seconds) {
    iterations_ = iterations;
    seconds_ = seconds;
}

SuggestGoal SuggestDialog::chosenGoal() const {
    const int index = goalBox_->currentIndex();
    return index >= 0 && std::size_t(index) < goals_.size() ? goals_[std::size_t(index)].goal : SuggestGoal{};
}

void SuggestDialog::setSearching(bool on) {
    goalBox_->setEnabled(!on);
    capCheck_->setEnabled(!on);
    capEdit_->setEnabled(!on && capCheck_->isChecked());
    capResourceBox_->setEnabled(!on && capCheck_->isChecked());
    startButton_->setEnabled(!on);
    if (on) cancelButton_->setFocus(Qt::OtherFocusReason);
}

void SuggestDialog::start() {
    if (searching()) return;
    SuggestRequest request;
    request.goal = chosenGoal();
    if (capCheck_->isChecked()) request.costCap = CostCap{capResourceBox_->currentIndex(), capEdit_->value()};
    request.iterations = iterations_;
    request.seconds = seconds_;
    searchedGoal_ = request.goal;

    // The worker gets copies: the planner's catalog and plan stay the window's.
    auto info = std::make_shared<const Info>(info_);
    auto plan = std::make_shared<const ActPlan>(planner_.plan());
    auto cancelFlag = std::make_shared<std::atomic<bool>>(false);
    cancelFlag_ = cancelFlag;
    progressBar_->setValue(0);
    bestLabel_->setText(QStringLiteral("Suche läuft …"));
    setSearching(true);

    worker_ = std::thread([this, info, plan, request, cancelFlag] {
        SuggestResult result;
        QString failure;
        try {
            result = suggest(
                *info, *plan, request,
                [this, cancelFlag](const SuggestProgress& progress) {
                    if (cancelFlag->load()) return;
                    QMetaObject::invokeMethod(this, [this, progress, cancelFlag] {
                        if (!cancelFlag->load()) showProgress(progress);
                    }, Qt::QueuedConnection);
                },
                cancelFlag.get());
        } catch (const std::exception& e) {
            failure = fromCp1252(e.what());
        }
        QMetaObject::invokeMethod(this, [this, result, failure, cancelFlag] {
            // A search cancelled by closing the dialog has been dealt with.
            if (!cancelFlag->load()) finish(result, failure);
        }, Qt::QueuedConnection);
    });
}

void SuggestDialog::cancel() {
    if (cancelFlag_) cancelFlag_->store(true);
    if (worker_.joinable()) worker_.join();
    cancelFlag_.reset();
}

void SuggestDialog::showProgress(const SuggestProgress& progress) {
    progressBar_->setValue(int(progress.done * progressSteps));
    if (progress.bestValue)
        bestLabel_->setText(QStringLiteral("Bester Wert bisher: ") +
                            fromCp1252(goalValueText(searchedGoal_, *progress.bestValue, planner_.decimalSeparator())));
}

void SuggestDialog::finish(const SuggestResult& result, const QString& failure) {
    if (worker_.joinable()) worker_.join();
    cancelFlag_.reset();
    setSearching(false);
    if (!failure.isEmpty()) {
        bestLabel_->setText(failure);
        emit searchEnded(SuggestStop::Cancelled, false);
        return;
    }
    progressBar_->setValue(progressSteps);
    if (result.choices.empty()) {
        bestLabel_->setText(QStringLiteral("Kein Vorschlag: auf diesem Plan lässt sich nichts Besseres hinzufügen."));
        emit searchEnded(result.stop, false);
        return;
    }
    std::string name = "Vorschlag: ";
    for (const NamedGoal& goal : goals_)
        if (goal.goal == searchedGoal_) name += goal.name;
    history_.perform([this, &result] { applyChoices(planner_, result.choices); }, name);
    emit searchEnded(result.stop, true);
    accept();
}

void SuggestDialog::reject() {
    // Closing while the search runs stops it; the plan stays as it was.
    const bool wasSearching = searching();
    cancel();
    setSearching(false);
    if (wasSearching) emit searchEnded(SuggestStop::Cancelled, false);
    QDialog::reject();
}

void SuggestDialog::closeSymbolClicked() { reject(); }

void SuggestDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        moveToScreenCentre();
        progressBar_->setValue(0);
        bestLabel_->clear();
        goalBox_->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

}  // namespace dz
