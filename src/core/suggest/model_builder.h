// Builds the integer program of a request (see model.h): model.cpp gathers
// the fields into groups, their terraforming ways and the buildings that may
// be placed; model_rows.cpp adds the rules of the field menu, the economy over
// the counts and the constraints of a proposal. Internal to src/core/suggest.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/catalog/info.h"
#include "core/plan/act_plan.h"
#include "core/suggest/model.h"

namespace dz::suggest_model {

inline constexpr int kSurface = 0, kOrbit = 1;
inline constexpr int kOff = 0, kOn = 1;

inline Expression column(int c, double coefficient = 1) {
    Expression e;
    e.add(c, coefficient);
    return e;
}

class ModelBuilder {
public:
    ModelBuilder(const Info& info, const ActPlan& start, const SuggestRequest& request, bool keepHouses, Model& model)
        : keepHouses_(keepHouses),
          info_(info),
          start_(start),
          request_(request),
          m_(model),
          planet_(info.planets.at(std::size_t(start.planetType))),
          locks_(request.locks.begin(), request.locks.end()) {}

    void build();

private:
    struct FieldFacts {
        FieldPosition at;
        int type, initial, building;
        bool running;
        long long capSpent;  // terraforming of the capped resource spent on the field
    };

    long long capOf(const ResourceArray& cost) const {
        return request_.costCap ? cost[std::size_t(request_.costCap->resource)] : 0;
    }
    long long buildingCap(int b) const { return capOf(info_.buildings[std::size_t(b)].buildCost); }

    Expression& count(int side, int b, bool running) { return n_[side][b][running ? kOn : kOff]; }
    Expression standing(int b) {
        Expression e;
        for (int side : {kSurface, kOrbit})
            for (int s : {kOff, kOn}) e.add(n_[side][b][s]);
        return e;
    }
    Expression runningAnywhere(int b) {
        Expression e = n_[kSurface][b][kOn];
        return e.add(n_[kOrbit][b][kOn]);
    }

    // Fixed fields count as constants; the others are gathered into groups.
    void readFields();

    void addFixed(const FieldFacts& f, int side);

    void addToGroup(const FieldFacts& f);

    int startSurfaceCount(int type) const { return fixedSurfaceTypes_[type] + startSurfaceTypes_[type]; }

    int endType(int from, const std::vector<int>& way) const {
        return way.empty() ? from : info_.terraformings[std::size_t(way.back())].targetField;
    }

    void addWays();

    void addWay(Group& g, const std::string& name, bool reset, const std::vector<int>& way, double n);

    void addPlacements();

    // What the field menu allows: unique buildings, the planet's caps, one
    // base of a kind, a base first, the workbee port before what needs it,
    // the Orbitalseil before a Dyson sphere, the limits of field types.
    void addRules();

    void addEconomy();

    void addConstraints();

    bool keepHouses_;
    const Info& info_;
    const ActPlan& start_;
    const SuggestRequest& request_;
    Model& m_;
    const InfoPlanet& planet_;
    std::set<FieldPosition> locks_;

    Expression n_[2][kBuildingCount][2];
    Expression newBuildings_[kBuildingCount];
    Expression occupied_[2][kFieldTypeCount];
    Expression capacity_[2][kFieldTypeCount];
    double reachable_[2][kFieldTypeCount] = {};
    Expression surfaceTypes_[kFieldTypeCount];
    int fixedSurfaceTypes_[kFieldTypeCount] = {};
    int startSurfaceTypes_[kFieldTypeCount] = {};
    int startTotal_[kBuildingCount] = {};
    Expression workers_;
    Expression capCost_;
    long long startCap_ = 0;
    int variableFields_ = 0;
    std::map<std::tuple<bool, int, int, int, bool, long long>, int> groupOf_;
    std::vector<long long> groupCapSpent_;
};

}  // namespace dz::suggest_model
