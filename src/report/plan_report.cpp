#include "report/plan_report.h"

#include <filesystem>

#include "core/files/plan_file.h"
#include "core/planner/plan_comparison.h"
#include "core/text/cp1252.h"

namespace dz {

namespace {

std::string utf8(const std::string& text) { return cp1252ToUtf8(text); }

}  // namespace

std::string planReport(Info& info, const std::string& file) {
    const PlanFigures figures = planFigures(info, readPlanFile(file, info));
    std::string out;
    out.append("# ").append(std::filesystem::path(file).filename().string()).append("\n");
    out.append("Planet\t").append(std::to_string(figures.plan.planetType)).append("\t");
    out.append(utf8(info.planets.at(std::size_t(figures.plan.planetType)).name)).append("\n");
    for (const PlanFigures::Section& section : figures.sections) {
        out.append("[").append(utf8(section.title)).append("]\n");
        for (const GridRow& row : section.rows) out.append(utf8(row.label)).append("\t").append(utf8(row.value)).append("\n");
    }
    return out;
}

std::string comparisonReport(Info& info, const std::string& thisFile, const std::string& otherFile) {
    const PlanComparison comparison =
        comparePlans(planFigures(info, readPlanFile(thisFile, info)), planFigures(info, readPlanFile(otherFile, info)));
    std::string out;
    out.append("# ").append(std::filesystem::path(thisFile).filename().string()).append("\t");
    out.append(std::filesystem::path(otherFile).filename().string()).append("\tUnterschied\n");
    for (const ComparedSection& section : comparison.sections) {
        out.append("[").append(utf8(section.title)).append("]\n");
        for (const ComparedRow& row : section.rows)
            out.append(utf8(row.label)).append("\t").append(utf8(row.thisValue)).append("\t").append(utf8(row.otherValue))
                .append("\t").append(utf8(row.difference)).append("\n");
    }
    out.append("[Felder]\nverschiedene Felder\t").append(std::to_string(comparison.differingFieldCount)).append("\n");
    return out;
}

}  // namespace dz
