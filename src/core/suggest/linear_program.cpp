#include "core/suggest/linear_program.h"

namespace dz::suggest_model {

Expression& Expression::add(int column, double coefficient) {
    if (coefficient != 0) terms[column] += coefficient;
    return *this;
}

Expression& Expression::add(const Expression& other, double factor) {
    if (factor == 0) return *this;
    for (const auto& [column, coefficient] : other.terms) terms[column] += coefficient * factor;
    constant += other.constant * factor;
    return *this;
}

int Program::addColumn(double lo, double hi, bool isInteger, std::string name) {
    lower.push_back(lo);
    upper.push_back(hi);
    integer.push_back(isInteger);
    names.push_back(std::move(name));
    return int(lower.size()) - 1;
}

void Program::addRow(const Expression& e, double lo, double hi) {
    Row row;
    for (const auto& [column, coefficient] : e.terms)
        if (coefficient != 0) row.terms[column] = coefficient;
    row.lower = lo <= -kInfinity ? -kInfinity : lo - e.constant;
    row.upper = hi >= kInfinity ? kInfinity : hi - e.constant;
    rows.push_back(std::move(row));
}

}  // namespace dz::suggest_model
