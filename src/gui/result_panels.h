// The four result panels below the plan: production per tick, the total build
// costs with their three views, the personnel with the population limit and
// the hire and fire buttons, and the indicators. They show what the economy
// computed and hand the user's clicks to the planner.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "core/catalog/info.h"
#include "core/economy/economy.h"
#include "gui/widgets/plan_graphic.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace dz {

class EditHistory;
class PanelGrid;
class Planner;
class UpDownButton;
enum class ButtonHalf;

class ResultPanels : public QObject {
    Q_OBJECT
public:
    struct Boxes {
        QGroupBox* production;
        QGroupBox* costs;
        QGroupBox* personnel;
        QGroupBox* information;
    };
    // Creates the controls of the panels inside their group boxes. Hiring,
    // firing and the population limit are steps of `history`.
    ResultPanels(const Info& info, Planner& planner, EditHistory& history, Boxes boxes, QObject* parent);

    // Start-up: the people, storage and EPS icons and the resource icons from
    // `programDir`/images. Throws when a picture is missing.
    void loadIcons(const QString& programDir);

    void setDecimalSeparator(char separator);

    void showProduction(const std::vector<GridRow>& rows);
    void showPopulation(const PopulationResult& result);
    void showCosts(const std::vector<GridRow>& rows);
    void showBsp(int bsp);
    void checkCostView(CostView view);
    // Unticks the limit box and writes "0" into the limit field, silently.
    void resetPopulationLimit();
    // Shows a loaded limit, silently.
    void showPopulationLimit(bool ticked, const std::string& text);
    void showInternalReputation(const QString& text);

signals:
    // New figures are on the panels (production, personnel, costs or BSP).
    void figuresShown();

public:

    // The resource icons beside the production and cost rows.
    const Graphic& resourceIcons() const { return resourceIcons_; }

private:
    void createIconControls();
    void createProductionControls();
    void createCostControls();
    void createPersonnelControls();
    void createInformationControls();
    QLabel* makeIcon(QWidget* box, const std::string& catalogPath, int left, int top);
    void populationLimitToggled();
    void populationLimitEdited();
    void hireOrFire(Personnel kind, ButtonHalf half);

    const Info& info_;
    Planner& planner_;
    EditHistory& history_;
    Boxes boxes_;
    QString programDir_;

    QLabel* livingSpaceIcon_ = nullptr;
    QLabel* populationLimitIcon_ = nullptr;
    QLabel* workersIcon_ = nullptr;
    QLabel* unemployedIcon_ = nullptr;
    QLabel* ecoGuardsIcon_ = nullptr;
    QLabel* holodeckIcon_ = nullptr;
    QLabel* scientistsIcon_ = nullptr;
    QLabel* soldiersIcon_ = nullptr;
    QLabel* storageIcon_ = nullptr;
    QLabel* epsIcon_ = nullptr;
    Graphic resourceIcons_;

    PanelGrid* productionGrid_ = nullptr;
    PanelGrid* costGrid_ = nullptr;
    PanelGrid* personnelGrid_ = nullptr;
    QRadioButton* allCostsButton_ = nullptr;
    QRadioButton* buildingCostsButton_ = nullptr;
    QRadioButton* terraformingCostsButton_ = nullptr;
    QCheckBox* populationLimitBox_ = nullptr;
    QLineEdit* populationLimitEdit_ = nullptr;
    UpDownButton* ecoGuardsButton_ = nullptr;
    UpDownButton* holodeckButton_ = nullptr;
    UpDownButton* scientistsButton_ = nullptr;
    UpDownButton* soldiersButton_ = nullptr;
    QLabel* internalReputationLabel_ = nullptr;
    QLabel* attractivenessCaption_ = nullptr;
    QLabel* attractivenessLabel_ = nullptr;
    QLabel* reputationGrowthLabel_ = nullptr;
    QLabel* bspLabel_ = nullptr;
};

}  // namespace dz
