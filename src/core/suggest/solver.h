// The integer program solved with COIN-OR CBC. Internal to src/core/suggest.
//
// One thread, the solver's default settings and a limit in branch-and-bound
// nodes: the same program gives the same answer on every machine, however
// busy it is. Only an explicit deadline (the report tool's outer stop) and a
// cancel flag stop it by the clock or from outside.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "core/suggest/model.h"

namespace dz::suggest_solver {

struct Limits {
    long long nodes = 0;
    // Simplex iterations over the whole search: the work done, counted the
    // same on every machine (a node can take one iteration or thousands).
    long long iterations = 0;
    std::optional<std::chrono::steady_clock::time_point> deadline;
    const std::atomic<bool>* cancel = nullptr;
};

enum class Outcome { Optimal, NodeLimit, TimeLimit, Cancelled, Infeasible };

struct Solution {
    Outcome outcome = Outcome::Infeasible;
    bool found = false;          // `values` hold a solution that keeps every row
    std::vector<double> values;  // per column
    double value = 0;            // of the objective, for `values`
    double bound = 0;            // no solution has an objective above this
};

// Called now and then while the solver runs, on the calling thread: the best
// objective found so far (if any), the bound, and the share of the limits used.
using Progress = std::function<void(std::optional<double> best, double bound, double used)>;

// Maximises `objective` over the program. The solver stops when the bound is
// within `gap` of the best solution found, at the node limit, the deadline or
// the cancel flag. `start`, when given, is a solution to begin from. An
// exception thrown by `progress` ends the solve and is passed on.
Solution maximise(const suggest_model::Program& program, const suggest_model::Expression& objective, double gap,
                  const Limits& limits, const std::vector<double>* start = nullptr, const Progress& progress = {});

}  // namespace dz::suggest_solver
