#include "core/files/plan_file.h"

#include "core/economy/economy.h"
#include "core/files/safe_write.h"
#include "core/text/text_file.h"
#include "core/version.h"

namespace dz {

PlanFormat planFormat(const std::string& line) {
    // Editors may leave blanks or tabs after the version; they are not part of it.
    const std::string versionLine = line.substr(0, line.find_last_not_of(" \t") + 1);
    if (versionLine == kNoVersionLine) return PlanFormat::NoVersionLine;
    if (versionLine == "0.6.1" || versionLine == "0.6.2" || versionLine == "063") return PlanFormat::Older;
    if (versionLine == kPlanFileVersion) return PlanFormat::Current;
    return PlanFormat::Unknown;
}

std::string planFileName(const std::string& chosen) {
    const std::size_t slash = chosen.find_last_of("/\\");
    const std::size_t dot = chosen.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (hasExtension && chosen.compare(dot, std::string::npos, ".kpls") == 0) return chosen;
    return chosen + ".kpls";
}

// --- writing ---------------------------------------------------------------

namespace {

// The summary written for readers outside the planner: the production per
// tick as whole numbers (research truncated toward zero), storage and EPS.
std::vector<long long> summary(const Info& info, const ActPlan& plan) {
    const ProductionTotals totals = productionTotals(info, plan);
    std::vector<long long> s(totals.perTick.begin(), totals.perTick.end());
    s[resResearch] /= 10;
    s.push_back(totals.storage);
    s.push_back(totals.eps);
    return s;
}

std::string flag(bool value) { return value ? "1" : "0"; }

}  // namespace

std::vector<std::string> planLines(const Info& info, const ActPlan& plan, int internalReputation) {
    std::vector<std::string> lines;
    auto add = [&lines](long long value) { lines.push_back(std::to_string(value)); };
    const Ressources& r = plan.ressources;
    lines.push_back(kPlanFileVersion);
    add(plan.planetType);
    add(internalReputation);
    for (long long value : summary(info, plan)) add(value);
    for (int i = 0; i < kResourceCount; ++i) {
        add(r.terraformCosts[i]);
        add(r.buildingCosts[i]);
    }
    auto cell = [&](const Field& f, const ResourceArray& cost) {
        add(f.fieldType);
        lines.push_back(flag(f.inOperation));
        add(f.building);
        for (std::int32_t c : cost) add(c);
    };
    for (std::size_t x = 0; x < plan.current.surface.size(); ++x) {
        for (std::size_t y = 0; y < plan.current.surface[x].size(); ++y)
            cell(plan.current.surface[x][y], r.surfaceTerraformCosts.at(x).at(y));
        if (x < plan.current.orbit.size())
            for (std::size_t y = 0; y < plan.current.orbit[x].size(); ++y)
                cell(plan.current.orbit[x][y], r.orbitTerraformCosts.at(x).at(y));
    }
    for (long long value : {r.livingSpace, r.workersNeeded, r.ecoGuards, r.holodeckOperators, r.scientists, r.soldiers})
        add(value);
    lines.push_back(flag(r.limitEnabled));
    add(r.populationLimit);
    for (std::size_t x = 0; x < plan.initial.surface.size(); ++x) {
        for (const Field& f : plan.initial.surface[x]) add(f.fieldType);
        if (x < plan.initial.orbit.size())
            for (const Field& f : plan.initial.orbit[x]) add(f.fieldType);
    }
    return lines;
}

std::string planFileText(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes.append(line).append("\r\n");
    return bytes;
}

void writeLinesSafely(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    writeFileSafely(file, planFileText(lines));
}

void savePlan(const std::filesystem::path& file, const Info& info, const ActPlan& plan, int internalReputation) {
    writeLinesSafely(file, planLines(info, plan, internalReputation));
}

// --- reading ---------------------------------------------------------------

namespace {

// The problems of a plan file: PlanFileError naming the line.
class PlanFileProblems : public LineProblems {
public:
    std::string endedEarly(std::size_t) const override { return "Die Datei endet zu früh."; }
    std::string noInteger(const std::string&) const override { return "Keine Ganzzahl."; }
    std::string outOfRange(const char* what, std::int32_t value, std::int32_t, std::int32_t) const override {
        return std::string(what) + " " + std::to_string(value) + " gibt es nicht.";
    }
    std::exception_ptr error(std::size_t lineNumber, const std::string& problem) const override {
        return std::make_exception_ptr(PlanFileError("Zeile " + std::to_string(lineNumber) + ": " + problem));
    }
};

LoadedGrid readCells(LineCursor& in, const Info& info, LoadedGrid& orbit, int width, int surfaceHeight,
                     int orbitHeight) {
    LoadedGrid surface(static_cast<std::size_t>(width), std::vector<LoadedCell>(static_cast<std::size_t>(surfaceHeight)));
    orbit.assign(std::size_t(width), std::vector<LoadedCell>(std::size_t(orbitHeight)));
    auto cell = [&](LoadedCell& c) {
        c.fieldType = in.integerIn(0, kFieldTypeCount - 1, "Feldtyp");
        c.inOperation = in.integer() != 0;
        const std::size_t buildingLine = in.position();
        c.building = in.integerIn(-1, kBuildingCount - 1, "Gebäude");
        if (c.building >= 0 && !info.fields[std::size_t(c.fieldType)].buildable[std::size_t(c.building)])
            in.failAt(buildingLine, "Dieses Gebäude kann auf diesem Feldtyp nicht stehen.");
        for (std::int32_t& cost : c.terraformCost) cost = in.integer();
    };
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < surfaceHeight; ++y) cell(surface[std::size_t(x)][std::size_t(y)]);
        for (int y = 0; y < orbitHeight; ++y) cell(orbit[std::size_t(x)][std::size_t(y)]);
    }
    return surface;
}

}  // namespace

LoadedPlan readPlanLines(const std::vector<std::string>& lines, const Info& info) {
    const PlanFileProblems problems;
    LineCursor in(lines, problems);
    LoadedPlan plan;
    std::string version = kNoVersionLine;
    if (!lines.empty() && lines[0].size() > 2) version = in.text();
    plan.format = planFormat(version);
    plan.planetType = in.integerIn(0, kPlanetCount - 1, "Planetentyp");
    const InfoPlanet& planet = info.planets[std::size_t(plan.planetType)];

    if (plan.format != PlanFormat::Unknown) {
        plan.reputationText = in.peek();
        plan.internalReputation = in.integer();
        in.skip(plan.format == PlanFormat::Current ? kSummaryLines : kOlderSummaryLines);  // for other readers
    }
    for (int i = 0; i < kResourceCount; ++i) {
        plan.terraformCosts[i] = in.integer();
        plan.buildingCosts[i] = in.integer();
    }
    plan.surface = readCells(in, info, plan.orbit, planet.width, planet.surfaceHeight, planet.orbitHeight);
    plan.livingSpace = in.integer();
    plan.workersNeeded = in.integer();
    plan.ecoGuards = in.integer();
    plan.holodeckOperators = in.integer();
    plan.scientists = in.integer();
    plan.soldiers = in.integer();
    if (!in.atEnd()) {
        plan.hasLimit = true;
        plan.limitEnabled = in.integer() != 0;
        plan.populationLimitText = in.peek();
        plan.populationLimit = in.integer();
        if (plan.format == PlanFormat::NoVersionLine) {
            // The older layout kept the reputation here as well; it counts.
            plan.reputationText = in.peek();
            plan.internalReputation = in.integer();
        }
        if (plan.format == PlanFormat::Current && !in.atEnd()) {
            IntGrid surface(std::size_t(planet.width), std::vector<std::int32_t>(std::size_t(planet.surfaceHeight)));
            IntGrid orbit(std::size_t(planet.width), std::vector<std::int32_t>(std::size_t(planet.orbitHeight)));
            for (int x = 0; x < planet.width; ++x) {
                for (auto& f : surface[std::size_t(x)]) f = in.integerIn(0, kFieldTypeCount - 1, "Feldtyp");
                for (auto& f : orbit[std::size_t(x)]) f = in.integerIn(0, kFieldTypeCount - 1, "Feldtyp");
            }
            plan.initialSurface = std::move(surface);
            plan.initialOrbit = std::move(orbit);
        }
    }
    return plan;
}

LoadedPlan readPlanFile(const std::filesystem::path& file, const Info& info) {
    std::vector<std::string> lines;
    try {
        lines = readTextLines(file);
    } catch (const DataFileError& e) {
        throw PlanFileError(e.what());
    }
    return readPlanLines(lines, info);
}

}  // namespace dz
