// The core reaches the screen only through this interface: the main window
// implements it, tests replace it with a recorder.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

#include "core/economy/economy.h"

namespace dz {

// The three panels of the status line, named after what they report. The
// first also says "Fertig" when a plan starts.
enum class StatusPanel { Buildings, Terraforming, Personnel };
inline constexpr StatusPanel kStatusPanels[] = {StatusPanel::Buildings, StatusPanel::Terraforming,
                                                StatusPanel::Personnel};
inline constexpr std::size_t kStatusPanelCount = std::size(kStatusPanels);

class PlanView {
public:
    virtual ~PlanView() = default;

    // Sets the text of a status panel (Windows-1252 bytes).
    virtual void setStatus(StatusPanel panel, const std::string& text) = 0;
    // Lays the window out for planet type p.
    virtual void layoutForPlanet(int p) = 0;
    // A plan exists: the result panels and "Speichern" become usable.
    virtual void enablePlanControls() = 0;

    // Gives the picture grids the shape of the plan. Cells that stay keep
    // their pictures; cells that go have been hidden before.
    virtual void resizeImageGrids(int width, int surfaceHeight, int orbitHeight) = 0;
    // Hides both pictures of a cell for good.
    virtual void hideCell(int x, int y, bool onSurface) = 0;
    // Shows field type `fieldType` at a cell; the range frame follows the
    // plan's field there.
    virtual void showField(int x, int y, int fieldType, bool onSurface) = 0;
    // Shows the building at a cell; field type, operation state and ranges
    // follow the plan's field there.
    virtual void showBuilding(int x, int y, int building, bool onSurface) = 0;

    // The result panels.
    virtual void showProduction(const std::vector<GridRow>& rows) = 0;
    virtual void showPopulation(const PopulationResult& result) = 0;
    virtual void showCosts(const std::vector<GridRow>& rows) = 0;
    virtual void showBsp(int bsp) = 0;
    // Checks the radio button of a total-cost view.
    virtual void checkCostView(CostView view) = 0;
    // Unticks the population-limit box and writes "0" into its edit box,
    // without running their handlers.
    virtual void resetPopulationLimit() = 0;
    // Shows a loaded population limit in its controls, without running their handlers.
    virtual void showPopulationLimit(bool ticked, const std::string& text) = 0;
    // Shows the internal reputation beside "internes Ansehen:".
    virtual void showInternalReputation(const std::string& text) = 0;
};

// A view that shows nothing: for the tools that use the planner's rules and
// computations without a window. Override what you want to see.
class NullPlanView : public PlanView {
public:
    void setStatus(StatusPanel, const std::string&) override {}
    void layoutForPlanet(int) override {}
    void enablePlanControls() override {}
    void resizeImageGrids(int, int, int) override {}
    void hideCell(int, int, bool) override {}
    void showField(int, int, int, bool) override {}
    void showBuilding(int, int, int, bool) override {}
    void showProduction(const std::vector<GridRow>&) override {}
    void showPopulation(const PopulationResult&) override {}
    void showCosts(const std::vector<GridRow>&) override {}
    void showBsp(int) override {}
    void checkCostView(CostView) override {}
    void resetPopulationLimit() override {}
    void showPopulationLimit(bool, const std::string&) override {}
    void showInternalReputation(const std::string&) override {}
};

}  // namespace dz
