// A mixed-integer linear program as the proposal's model writes it and the
// solver reads it: columns with bounds, rows of sparse terms. Internal to
// src/core/suggest.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace dz::suggest_model {

// A linear expression over the program's columns.
struct Expression {
    std::map<int, double> terms;  // column -> coefficient
    double constant = 0;
    Expression& add(int column, double coefficient);
    Expression& add(const Expression& other, double factor = 1);
};

struct Row {
    std::map<int, double> terms;
    double lower = 0;
    double upper = 0;
};

inline constexpr double kInfinity = 1e30;

struct Program {
    std::vector<double> lower, upper;
    std::vector<bool> integer;
    std::vector<std::string> names;  // for reading a written-out program
    std::vector<Row> rows;
    int addColumn(double lower, double upper, bool integer, std::string name);
    // lower <= expression <= upper; the expression's constant moves to the bounds.
    void addRow(const Expression& e, double lower, double upper);
    int columns() const { return int(lower.size()); }
};

}  // namespace dz::suggest_model
