#include "core/suggest/solver.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>
#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

namespace dz::suggest_solver {

namespace {

// Shared by the solver's copies of the event handler.
struct Watch {
    Limits limits;
    const Progress* progress = nullptr;
    std::exception_ptr failure;
    bool timeUp = false;
    bool iterationsUsed = false;
    bool cancelled = false;
    std::chrono::steady_clock::time_point lastReport;
};

// Watches the search at every node: stops it on a cancel, at the deadline
// or when the progress report fails, and reports progress about five times
// a second (the clock only paces the reports; it never changes the search).
class Watcher : public CbcEventHandler {
public:
    explicit Watcher(Watch* watch) : watch_(watch) {}
    CbcEventHandler* clone() const override { return new Watcher(*this); }

    CbcAction event(CbcEvent which) override {
        if (which != node && which != solution && which != heuristicSolution && which != treeStatus) return noAction;
        if (watch_->limits.cancel && watch_->limits.cancel->load()) {
            watch_->cancelled = true;
            return stop;
        }
        if (watch_->limits.iterations > 0 && getModel()->getIterationCount() > watch_->limits.iterations) {
            watch_->iterationsUsed = true;
            return stop;
        }
        const auto now = std::chrono::steady_clock::now();
        if (watch_->limits.deadline && now >= *watch_->limits.deadline) {
            watch_->timeUp = true;
            return stop;
        }
        if (watch_->progress && *watch_->progress && now - watch_->lastReport >= std::chrono::milliseconds(200)) {
            watch_->lastReport = now;
            const CbcModel* m = getModel();
            std::optional<double> best;
            if (m->bestSolution()) best = -m->getObjValue();
            try {
                double used = 0;
                if (watch_->limits.nodes > 0) used = double(m->getNodeCount()) / double(watch_->limits.nodes);
                if (watch_->limits.iterations > 0)
                    used = std::max(used, double(m->getIterationCount()) / double(watch_->limits.iterations));
                (*watch_->progress)(best, -m->getBestPossibleObjValue(), std::min(1.0, used));
            } catch (...) {
                watch_->failure = std::current_exception();
                return stop;
            }
        }
        return noAction;
    }

private:
    Watch* watch_;
};

}  // namespace

Solution maximise(const suggest_model::Program& program, const suggest_model::Expression& objective, double gap,
                  const Limits& limits, const std::vector<double>* start, const Progress& progress) {
    const int columns = program.columns();
    const int rows = int(program.rows.size());
    CoinPackedMatrix matrix(false, 0, 0);
    matrix.setDimensions(0, columns);
    std::vector<double> rowLower, rowUpper;
    for (const suggest_model::Row& row : program.rows) {
        std::vector<int> indices;
        std::vector<double> elements;
        for (const auto& [c, v] : row.terms) {
            indices.push_back(c);
            elements.push_back(v);
        }
        matrix.appendRow(int(indices.size()), indices.data(), elements.data());
        rowLower.push_back(row.lower <= -suggest_model::kInfinity ? -COIN_DBL_MAX : row.lower);
        rowUpper.push_back(row.upper >= suggest_model::kInfinity ? COIN_DBL_MAX : row.upper);
    }
    // CBC minimises: the objective goes in negated.
    std::vector<double> cost(std::size_t(columns), 0.0);
    for (const auto& [c, v] : objective.terms) cost[std::size_t(c)] = -v;
    std::vector<double> colLower = program.lower, colUpper = program.upper;
    for (double& u : colUpper)
        if (u >= suggest_model::kInfinity) u = COIN_DBL_MAX;

    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, colLower.data(), colUpper.data(), cost.data(), rowLower.data(), rowUpper.data());
    for (int c = 0; c < columns; ++c) {
        if (program.integer[std::size_t(c)]) solver.setInteger(c);
        solver.setColName(c, program.names[std::size_t(c)]);
    }

    CbcModel model(solver);
    model.messageHandler()->setLogLevel(0);
    if (start && int(start->size()) == columns) {
        std::vector<std::pair<std::string, double>> values;
        for (int c = 0; c < columns; ++c) values.emplace_back(program.names[std::size_t(c)], (*start)[std::size_t(c)]);
        model.setMIPStart(values);
    }
    Watch watch;
    watch.limits = limits;
    watch.progress = &progress;
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    data.useSignalHandler_ = false;
    CbcMain0(model, data);
    Watcher watcher(&watch);
    model.passInEventHandler(&watcher);
    const std::string nodes = std::to_string(std::max(1LL, limits.nodes));
    const std::string allow = std::to_string(gap);
    // MixedIntegerRounding cuts are off: on our programs they cost more
    // nodes than they save (measured over every planet type and goal).
    const char* argv[] = {"dizozodidu", "-log",      "0",     "-threads", "0",  "-maxNodes", nodes.c_str(),
                          "-allowableGap", allow.c_str(), "-ratioGap", "0", "-mixed", "off", "-depthMiniBab", "-1", "-solve", "-quit"};
    CbcMain1(int(sizeof(argv) / sizeof(argv[0])), argv, model, [](CbcModel*, int) { return 0; }, data);
    if (watch.failure) std::rethrow_exception(watch.failure);

    Solution s;
    const double* best = model.bestSolution();
    if (best && model.getNumCols() == columns) {
        s.found = true;
        s.values.assign(best, best + columns);
        for (double& v : s.values)
            if (program.integer[std::size_t(&v - s.values.data())]) v = std::round(v);
        s.value = objective.constant;
        for (const auto& [c, v] : objective.terms) s.value += v * s.values[std::size_t(c)];
    }
    s.bound = -model.getBestPossibleObjValue() + objective.constant;
    if (watch.cancelled)
        s.outcome = Outcome::Cancelled;
    else if (watch.timeUp)
        s.outcome = Outcome::TimeLimit;
    else if (model.isProvenInfeasible() || (!s.found && model.status() == 0))
        s.outcome = Outcome::Infeasible;
    else if (model.isProvenOptimal() || (s.found && s.bound - s.value <= gap + 1e-9))
        s.outcome = Outcome::Optimal;
    else
        s.outcome = Outcome::NodeLimit;
    if (s.outcome == Outcome::Optimal && s.bound < s.value) s.bound = s.value;
    (void)rows;
    return s;
}

}  // namespace dz::suggest_solver
