#include "gui/dialogs/suggest_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <algorithm>
#include <exception>
#include <limits>

#include "core/planner/planner.h"
#include "gui/dialogs/minimum_rows.h"
#include "gui/dialogs/proposal_view.h"
#include "gui/widgets/labels.h"
#include "gui/widgets/qt_text.h"

namespace dz {

namespace {

constexpr int clientWidth = 420;
constexpr int clientHeight = 376;
constexpr int pagesTop = 28;  // the pages begin below the title strip
constexpr int right = 406;    // the right edge of the controls
constexpr int progressSteps = 1000;

// The goal the dialog offers first: research is what most players plan for.
constexpr const char* kFirstGoal = "Forschung";

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    return button;
}

}  // namespace

SuggestDialog::SuggestDialog(const Info& info, Planner& planner, StepRunner runStep,
                             std::function<std::vector<FieldPosition>()> lockedFields, QWidget* parent)
    : BorderlessDialog(parent, QSize(clientWidth, clientHeight), QPoint(clientWidth - 20, 3)),
      info_(info),
      planner_(planner),
      runStep_(std::move(runStep)),
      lockedFields_(std::move(lockedFields)),
      engine_(&suggest),
      goals_(suggestGoals(info)) {
    setObjectName(QStringLiteral("suggestDialog"));
    setWindowTitle(QStringLiteral("Vorschlag"));
    makeLabel(this, "titleLabel", QStringLiteral("Vorschlag..."), 14, 6);

    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("suggestPages"));
    pages_->setGeometry(0, pagesTop, clientWidth, clientHeight - pagesTop - 2);
    auto* options = new QWidget(pages_);
    options->setObjectName(QStringLiteral("optionsPage"));
    auto* proposal = new QWidget(pages_);
    proposal->setObjectName(QStringLiteral("proposalPage"));
    buildOptionsPage(options);
    buildProposalPage(proposal);
    pages_->addWidget(options);
    pages_->addWidget(proposal);
}

void SuggestDialog::buildOptionsPage(QWidget* page) {
    auto goalList = [this, page](const char* name, const QString& accessibleName, QRect where) {
        auto* box = new QComboBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(accessibleName);
        box->setGeometry(where);
        for (const NamedGoal& goal : goals_) box->addItem(fromCp1252(goal.name));
        return box;
    };

    QLabel* goalCaption = makeLabel(page, "goalCaption", QStringLiteral("&Ziel:"), 14, 8);
    goalBox_ = goalList("goalBox", QStringLiteral("Ziel"), QRect(110, 4, right - 110, 22));
    goalBox_->setCurrentIndex(std::max(0, goalBox_->findText(QString::fromLatin1(kFirstGoal))));
    goalCaption->setBuddy(goalBox_);

    QLabel* thenCaption = makeLabel(page, "thenGoalCaption", QStringLiteral("&Danach:"), 14, 36);
    thenGoalBox_ = goalList("thenGoalBox", QStringLiteral("Danach, bei gleich guten Vorschlägen"),
                            QRect(110, 32, right - 110, 22));
    thenGoalBox_->insertItem(0, QStringLiteral("(keines)"));
    thenGoalBox_->setCurrentIndex(0);
    thenCaption->setBuddy(thenGoalBox_);

    QLabel* minimumCaption = makeLabel(page, "minimumCaption", QStringLiteral("&mindestens:"), 14, 64);
    minimumRows_ = new MinimumRows(
        goals_, [this](SuggestGoal goal, long long value) { return valueText(goal, value); }, page);
    minimumRows_->setObjectName(QStringLiteral("minimumRows"));
    minimumRows_->setGeometry(110, 59, right - 110, 81);
    minimumCaption->setBuddy(minimumRows_->goalBox());
    connect(minimumRows_, &MinimumRows::message, this, [this](const QString& text) { messageLabel_->setText(text); });

    capCheck_ = new QCheckBox(QStringLiteral("&Baukosten begrenzen: höchstens"), page);
    capCheck_->setObjectName(QStringLiteral("capCheck"));
    capCheck_->setGeometry(14, 148, right - 14, 22);
    capEdit_ = new QSpinBox(page);
    capEdit_->setObjectName(QStringLiteral("capEdit"));
    capEdit_->setAccessibleName(QStringLiteral("Baukosten höchstens, Menge"));
    capEdit_->setGeometry(34, 174, 110, 22);
    capEdit_->setRange(0, std::numeric_limits<int>::max());
    capEdit_->setButtonSymbols(QAbstractSpinBox::NoButtons);  // Up and Down still step the number
    capEdit_->setValue(10000);
    capResourceBox_ = new QComboBox(page);
    capResourceBox_->setObjectName(QStringLiteral("capResourceBox"));
    capResourceBox_->setAccessibleName(QStringLiteral("Baukosten höchstens, Ressource"));
    capResourceBox_->setGeometry(150, 174, right - 150, 22);
    for (const InfoRessource& resource : info_.resourceTypes) capResourceBox_->addItem(fromCp1252(resource.name));
    capEdit_->setEnabled(false);
    capResourceBox_->setEnabled(false);
    connect(capCheck_, &QCheckBox::toggled, this, [this](bool on) {
        capEdit_->setEnabled(on && !searching());
        capResourceBox_->setEnabled(on && !searching());
    });

    rebuildCheck_ = new QCheckBox(QStringLiteral("&Umbau erlauben: auch abreißen, überbauen und schalten"), page);
    rebuildCheck_->setObjectName(QStringLiteral("rebuildCheck"));
    rebuildCheck_->setGeometry(14, 204, right - 14, 22);

    progressBar_ = new QProgressBar(page);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setGeometry(14, 236, right - 14, 16);
    progressBar_->setRange(0, progressSteps);
    progressBar_->setTextVisible(false);
    progressBar_->setAccessibleName(QStringLiteral("Fortschritt der Suche"));
    messageLabel_ = makeWrappingLabel(page, "messageLabel", QRect(14, 258, right - 14, 50));

    startButton_ = makeButton(page, "startButton", QStringLiteral("&Suchen"), QRect(250, 316, 75, 25));
    startButton_->setDefault(true);
    connect(startButton_, &QPushButton::clicked, this, &SuggestDialog::start);
    cancelButton_ = makeButton(page, "cancelButton", QStringLiteral("Abbrechen"), QRect(331, 316, 75, 25));
    connect(cancelButton_, &QPushButton::clicked, this, &SuggestDialog::reject);
}

void SuggestDialog::buildProposalPage(QWidget* page) {
    proposalView_ = new ProposalView(page, right);
    proposalView_->setGeometry(0, 0, right, 312);
    applyButton_ = makeButton(page, "applyButton", QStringLiteral("Ü&bernehmen"), QRect(250, 316, 75, 25));
    connect(applyButton_, &QPushButton::clicked, this, &SuggestDialog::takeProposal);
    discardButton_ = makeButton(page, "discardButton", QStringLiteral("&Verwerfen"), QRect(331, 316, 75, 25));
    connect(discardButton_, &QPushButton::clicked, this, &SuggestDialog::discardProposal);
}

SuggestDialog::~SuggestDialog() { cancel(); }

SuggestGoal SuggestDialog::goalAt(int index) const {
    return index >= 0 && std::size_t(index) < goals_.size() ? goals_[std::size_t(index)].goal : SuggestGoal{};
}

QString SuggestDialog::valueText(SuggestGoal goal, long long value) const {
    return fromCp1252(goalValueText(goal, value, planner_.decimalSeparator()));
}

SuggestRequest SuggestDialog::request() const {
    SuggestRequest request;
    request.goal = goalAt(goalBox_->currentIndex());
    if (thenGoalBox_->currentIndex() > 0) request.thenGoal = goalAt(thenGoalBox_->currentIndex() - 1);
    request.minimums = minimumRows_->minimums();
    if (capCheck_->isChecked()) request.costCap = CostCap{capResourceBox_->currentIndex(), capEdit_->value()};
    request.rebuild = rebuildCheck_->isChecked();
    if (lockedFields_) request.locks = lockedFields_();
    // No time limit and the core's node limit: the answer never depends on the machine.
    return request;
}

void SuggestDialog::setSearching(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{goalBox_, thenGoalBox_, capCheck_, rebuildCheck_, startButton_})
        w->setEnabled(!on);
    minimumRows_->setSearching(on);
    capEdit_->setEnabled(!on && capCheck_->isChecked());
    capResourceBox_->setEnabled(!on && capCheck_->isChecked());
    if (on) cancelButton_->setFocus(Qt::OtherFocusReason);
}

// --- the search --------------------------------------------------------------------

void SuggestDialog::start() {
    if (searching()) return;
    searched_ = request();

    // The worker gets copies: the planner's catalog and plan stay the window's.
    auto info = std::make_shared<const Info>(info_);
    auto plan = std::make_shared<const ActPlan>(planner_.plan());
    auto cancelFlag = std::make_shared<std::atomic<bool>>(false);
    cancelFlag_ = cancelFlag;
    progressBar_->setValue(0);
    messageLabel_->setText(QStringLiteral("Suche läuft …"));
    setSearching(true);

    worker_ = std::thread([this, engine = engine_, info, plan, request = searched_, cancelFlag] {
        SuggestResult result;
        QString failure;
        try {
            result = engine(
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
    progressBar_->setValue(int(std::clamp(progress.done, 0.0, 1.0) * progressSteps));
    QStringList parts;
    if (progress.bestValue)
        parts << QStringLiteral("Bester Wert bisher: ") + valueText(searched_.goal, *progress.bestValue);
    else
        parts << QStringLiteral("Suche läuft …");
    if (progress.bound) parts << QStringLiteral("höchstens %1 möglich").arg(valueText(searched_.goal, *progress.bound));
    messageLabel_->setText(parts.join(QStringLiteral(", ")));
}

void SuggestDialog::finish(const SuggestResult& result, const QString& failure) {
    if (worker_.joinable()) worker_.join();
    cancelFlag_.reset();
    setSearching(false);
    if (!failure.isEmpty()) {
        showOptions(failure);
        emit searchEnded(SuggestStop::Failed);
        return;
    }
    progressBar_->setValue(progressSteps);
    const bool choices = result.stop == SuggestStop::Proven || result.stop == SuggestStop::NodeLimit ||
                         result.stop == SuggestStop::TimeLimit;
    if (choices && !result.choices.empty()) {
        showProposal(result);
        emit searchEnded(result.stop);
        return;
    }
    QString message;
    switch (result.stop) {
        case SuggestStop::Proven:
            message = QStringLiteral("Kein Vorschlag: dieser Plan ist für das Ziel schon bestmöglich.");
            break;
        case SuggestStop::NodeLimit:
        case SuggestStop::TimeLimit:
            message = QStringLiteral("Kein besserer Plan gefunden; höchstens %1 möglich.")
                          .arg(valueText(searched_.goal, result.bound));
            break;
        case SuggestStop::Cancelled:
            message = QStringLiteral("Die Suche wurde abgebrochen.");
            break;
        case SuggestStop::Infeasible:
        case SuggestStop::Failed:
            message = result.message.empty() ? QStringLiteral("Kein Vorschlag möglich.") : fromCp1252(result.message);
            break;
    }
    showOptions(message);
    emit searchEnded(result.stop);
}

// --- the proposal --------------------------------------------------------------------

void SuggestDialog::showProposal(const SuggestResult& result) {
    proposal_ = result;
    proposalView_->showProposal(info_, planner_.plan(), planner_.decimalSeparator(), searched_, result);
    pages_->setCurrentIndex(1);
    applyButton_->setDefault(true);
    applyButton_->setFocus(Qt::OtherFocusReason);
}

void SuggestDialog::takeProposal() {
    if (!proposal_) return;
    const SuggestResult result = std::move(*proposal_);
    proposal_.reset();
    const std::string name = "Vorschlag: " + goalName(info_, searched_.goal);
    runStep_([&] { applyChoices(planner_, result.choices); }, name);
    accept();
}

void SuggestDialog::discardProposal() {
    proposal_.reset();
    progressBar_->setValue(0);
    showOptions(QStringLiteral("Vorschlag verworfen: der Plan bleibt, wie er war."));
    goalBox_->setFocus(Qt::OtherFocusReason);
}

void SuggestDialog::showOptions(const QString& message) {
    pages_->setCurrentIndex(0);
    startButton_->setDefault(true);
    messageLabel_->setText(message);
}

// --- closing -----------------------------------------------------------------------

void SuggestDialog::reject() {
    // Closing while the search runs stops it; the plan stays as it was, and
    // so it does when a proposal is shown.
    const bool wasSearching = searching();
    cancel();
    setSearching(false);
    proposal_.reset();
    if (wasSearching) emit searchEnded(SuggestStop::Cancelled);
    QDialog::reject();
}

void SuggestDialog::closeSymbolClicked() { reject(); }

void SuggestDialog::keyPressEvent(QKeyEvent* event) {
    // Return in the minimum's value adds it, rather than starting the search.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && minimumRows_->valueHasFocus()) {
        minimumRows_->add();
        event->accept();
        return;
    }
    BorderlessDialog::keyPressEvent(event);
}

void SuggestDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        moveToScreenCentre();
        proposal_.reset();
        progressBar_->setValue(0);
        showOptions(QString());
        goalBox_->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

}  // namespace dz
