// A PlanView that writes down what the core asked of the screen, one line
// per call, and can look into the plan when a picture is drawn.
#pragma once

#include <string>
#include <vector>

#include "core/planner/plan_view.h"

class RecordingView : public dz::PlanView {
public:
    std::vector<std::string> calls;

    void setStatus(dz::StatusPanel panel, const std::string& text) override {
        const char* names[] = {"buildings", "terraforming", "personnel"};  // in the order of StatusPanel
        calls.push_back(std::string("status ") + names[int(panel)] + " " + text);
    }
    void layoutForPlanet(int p) override { calls.push_back("layout " + std::to_string(p)); }
    void enablePlanControls() override { calls.push_back("enable"); }
    void resizeImageGrids(int width, int surfaceHeight, int orbitHeight) override {
        calls.push_back("grids " + std::to_string(width) + " " + std::to_string(surfaceHeight) + " " +
                        std::to_string(orbitHeight));
    }
    void hideCell(int x, int y, bool onSurface) override { calls.push_back(cell("hide", x, y, onSurface)); }
    void showField(int x, int y, int fieldType, bool onSurface) override {
        calls.push_back(cell("field", x, y, onSurface) + " " + std::to_string(fieldType));
    }
    void showBuilding(int x, int y, int building, bool onSurface) override {
        calls.push_back(cell("building", x, y, onSurface) + " " + std::to_string(building));
    }
    void showProduction(const std::vector<dz::GridRow>& rows) override {
        calls.push_back("production");
        production = rows;
    }
    void showPopulation(const dz::PopulationResult& result) override {
        calls.push_back("population");
        population = result;
    }
    void showCosts(const std::vector<dz::GridRow>& rows) override {
        calls.push_back("costs");
        costs = rows;
    }
    void showBsp(int value) override {
        calls.push_back("bsp " + std::to_string(value));
        bsp = value;
    }
    void checkCostView(dz::CostView view) override { calls.push_back("check " + std::to_string(int(view))); }
    void resetPopulationLimit() override { calls.push_back("reset limit"); }
    void showPopulationLimit(bool ticked, const std::string& text) override {
        calls.push_back(std::string("limit ") + (ticked ? "on " : "off ") + text);
    }
    void showInternalReputation(const std::string& text) override { calls.push_back("reputation " + text); }

    // The last results shown.
    std::vector<dz::GridRow> production;
    dz::PopulationResult population;
    std::vector<dz::GridRow> costs;
    int bsp = -1;

    // Calls whose text starts with `prefix`.
    std::vector<std::string> starting(const std::string& prefix) const {
        std::vector<std::string> result;
        for (const auto& c : calls)
            if (c.rfind(prefix, 0) == 0) result.push_back(c);
        return result;
    }
    // Index of the first call starting with `prefix`, or -1.
    int firstIndex(const std::string& prefix) const {
        for (std::size_t i = 0; i < calls.size(); ++i)
            if (calls[i].rfind(prefix, 0) == 0) return int(i);
        return -1;
    }
    int lastIndex(const std::string& prefix) const {
        for (std::size_t i = calls.size(); i-- > 0;)
            if (calls[i].rfind(prefix, 0) == 0) return int(i);
        return -1;
    }

private:
    static std::string cell(const char* what, int x, int y, bool onSurface) {
        return std::string(what) + (onSurface ? " s " : " o ") + std::to_string(x) + " " + std::to_string(y);
    }
};
