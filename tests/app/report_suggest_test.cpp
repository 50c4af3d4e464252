// dizozodidu-report --suggest, started as a user starts it: each option
// changes what is proposed, the [Vorschlag] section says what the proposal
// reaches and takes, bad calls are refused in German without writing
// anything, and the same request gives the same bytes whatever else the
// machine is doing.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>
#include <string>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/economy/economy.h"
#include "core/files/plan_file.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"
#include "support/temp_folder.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct ReportRun {
    int status = -1;
    std::string out, err;
};

// Starts `argv` with stdout and stderr in files and an empty standard input;
// the child's pid.
pid_t spawn(const std::vector<std::string>& argv, const fs::path& out, const fs::path& err) {
    int input[2];
    if (pipe2(input, O_CLOEXEC) != 0) return -1;
    close(input[1]);  // nothing is written: the child reads the end at once
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    return error == 0 ? pid : -1;
}

class SuggestReportTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        dz::loadCatalog(info, DZ_DATA_DIR);
        start = folder / "start.kpls";
        proposal = folder / "vorschlag.kpls";
    }

    // The report tool with these arguments (no shell between); it is ended
    // after two minutes, so that a hanging search fails the test.
    ReportRun report(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{"timeout", "120", DZ_REPORT};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const fs::path out = folder / "stdout.txt", err = folder / "stderr.txt";
        ReportRun r;
        const pid_t pid = spawn(argv, out, err);
        EXPECT_GT(pid, 0) << "the report tool cannot be started";
        int raw = 0;
        if (pid > 0 && waitpid(pid, &raw, 0) == pid && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
        r.out = contents(out);
        r.err = contents(err);
        fs::remove(out);
        fs::remove(err);
        return r;
    }
    // --suggest GOAL, then the options, then start.kpls and vorschlag.kpls.
    ReportRun suggest(const std::string& goal, std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"--suggest", goal});
        options.insert(options.end(), {start.string(), proposal.string()});
        return report(options);
    }

    // A planner on a new plan of planet type `planet`, its base built on the
    // first field that offers one.
    struct PlanMaker {
        dz::ActPlan plan;
        dz::ProgramState state;
        dz::NullPlanView view;
        dz::Planner planner;
        explicit PlanMaker(dz::Info& info, int planet) : planner(info, plan, state, view) {
            planner.newPlan(planet);
            for (int x = 0; x < plan.width(); ++x)
                for (int y = 0; y < plan.surfaceHeight(); ++y)
                    for (int base : {dz::bldBaseA, dz::bldBaseB, dz::bldBaseC})
                        if (bases() == 0) choose(x, y, true, dz::tagBuildBase + base);
        }
        int bases() const {
            return plan.countBuildings(dz::bldBaseA) + plan.countBuildings(dz::bldBaseB) +
                   plan.countBuildings(dz::bldBaseC);
        }
        // Chooses the entry if the field's menu offers it.
        bool choose(int x, int y, bool onSurface, int tag) {
            plan.selected = dz::FieldSelection{x, y, onSurface};
            const std::vector<int> offered = dz::menuTags(planner.buildFieldMenu());
            if (std::find(offered.begin(), offered.end(), tag) == offered.end()) return false;
            planner.chooseMenuEntry(tag);
            return true;
        }
    };
    // Saves a small asteroid field with only its base as start.kpls: small
    // enough for quick searches.
    void saveBasePlan() {
        PlanMaker maker(info, dz::ptSmallAsteroids);
        ASSERT_EQ(maker.bases(), 1);
        dz::savePlan(start, info, maker.plan, 0);
    }

    // The value of `label` in section `title` of a report (the first plan's).
    static std::optional<std::string> value(const std::string& report, const std::string& title, const std::string& label) {
        std::size_t at = report.find("[" + title + "]\n");
        if (at == std::string::npos) return std::nullopt;
        for (at = report.find('\n', at) + 1; at < report.size() && report[at] != '[';) {
            const std::size_t end = report.find('\n', at);
            const std::string line = report.substr(at, end - at);
            if (line.rfind(label + "\t", 0) == 0) return line.substr(label.size() + 1);
            at = end + 1;
        }
        return std::nullopt;
    }
    // A whole number of the report ("+3" and "-2" as well).
    static long long number(const std::string& report, const std::string& title, const std::string& label) {
        const std::optional<std::string> text = value(report, title, label);
        EXPECT_TRUE(text) << label << " in [" << title << "] of\n" << report;
        return text ? std::stoll(*text) : 0;
    }
    // A goal's value in the [Vorschlag] section, in the goal's unit.
    long long goalNumber(const std::string& report, const std::string& goalName, const std::string& label) {
        const std::optional<dz::SuggestGoal> goal = dz::goalByName(info, dz::utf8ToCp1252(goalName));
        const std::optional<std::string> text = value(report, "Vorschlag", label);
        EXPECT_TRUE(goal && text) << label << " of " << goalName << " in\n" << report;
        const std::optional<long long> parsed = goal && text ? dz::parseGoalValue(*goal, *text) : std::nullopt;
        EXPECT_TRUE(parsed) << *text;
        return parsed.value_or(0);
    }

    // The lines of the field at column x, row y (from 0) in a plan file.
    std::vector<std::string> fieldLines(const fs::path& file, int x, int y, bool onSurface) {
        const dz::LoadedPlan plan = dz::readPlanFile(file, info);
        const std::size_t surfaceRows = plan.surface.at(0).size(), orbitRows = plan.orbit.at(0).size();
        const std::size_t header = 3 + dz::kSummaryLines + 2 * dz::kResourceCount, cell = 3 + dz::kResourceCount;
        const std::size_t first =
            header + (std::size_t(x) * (surfaceRows + orbitRows) + (onSurface ? 0 : surfaceRows) + std::size_t(y)) * cell;
        std::vector<std::string> lines;
        const std::string bytes = contents(file);
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = bytes.find("\r\n", at);
            lines.push_back(bytes.substr(at, end - at));
            at = end + 2;
        }
        return {lines.begin() + std::ptrdiff_t(first), lines.begin() + std::ptrdiff_t(first + cell)};
    }

    dz::Info info;
    fs::path start, proposal;
};

}  // namespace

// The proposal is written as a plan file, its report printed, and the
// section says what it reaches and what carrying it out takes, in numbers
// that agree with the two plans.
TEST_F(SuggestReportTest, WritesTheProposalAndSaysWhatItReachesAndTakes) {
    saveBasePlan();
    const ReportRun r = suggest("verfügbare BSP");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("# vorschlag.kpls\nPlanet\t7\tKleines Asteroidenfeld\n[Produktion / Verbrauch je Tick]\n", 0), 0u)
        << r.out;
    const ReportRun before = report({start.string()});
    ASSERT_EQ(before.status, 0) << before.err;
    EXPECT_EQ(value(r.out, "Vorschlag", "Ziel"), "verfügbare BSP");
    EXPECT_EQ(number(r.out, "Vorschlag", "vorher"), number(before.out, "Informationen", "verfügbare BSP"));
    EXPECT_EQ(number(r.out, "Vorschlag", "nachher"), number(r.out, "Informationen", "verfügbare BSP"));
    EXPECT_GT(number(r.out, "Vorschlag", "nachher"), number(r.out, "Vorschlag", "vorher"));
    EXPECT_EQ(value(r.out, "Vorschlag", "Güte"), "bestmöglich");
    EXPECT_EQ(value(r.out, "Vorschlag", "Umbau erlauben"), "nein");
    EXPECT_EQ(number(r.out, "Vorschlag", "gesperrte Felder"), 0);

    // Only additions: every building of the proposal that the plan lacks is a
    // build, and the build costs are what the totals grew by.
    const dz::LoadedPlan from = dz::readPlanFile(start, info), to = dz::readPlanFile(proposal, info);
    long long added = 0;
    for (std::size_t x = 0; x < from.surface.size(); ++x)
        for (auto [a, b] : {std::pair{&from.surface[x], &to.surface[x]}, std::pair{&from.orbit[x], &to.orbit[x]}})
            for (std::size_t y = 0; y < a->size(); ++y) added += (*a)[y].building < 0 && (*b)[y].building >= 0;
    EXPECT_GT(added, 0);
    EXPECT_EQ(number(r.out, "Vorschlag", "Bauten"), added);
    for (const char* none : {"Umbauten", "Abrisse", "Schaltungen"}) EXPECT_EQ(number(r.out, "Vorschlag", none), 0) << none;
    EXPECT_GE(number(r.out, "Vorschlag", "Schritte"), added);
    for (const dz::InfoRessource& resource : info.resourceTypes) {
        const std::string name = dz::cp1252ToUtf8(resource.name);
        const long long grown = number(r.out, "Gesamtaufbaukosten", name) - number(before.out, "Gesamtaufbaukosten", name);
        EXPECT_EQ(value(r.out, "Vorschlag", "Baukosten " + name), grown ? std::optional(std::to_string(grown)) : std::nullopt)
            << name;
    }
}

// The engine has no chance in it: --seed is taken from old scripts with a
// note that it does nothing, and goal names match in either case.
TEST_F(SuggestReportTest, ASeedChangesNothingAndSaysSo) {
    saveBasePlan();
    const ReportRun plain = suggest("Forschung");
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::string written = contents(proposal);
    fs::remove(proposal);
    const ReportRun seeded = suggest("FORSCHUNG", {"--seed", "4"});
    ASSERT_EQ(seeded.status, 0) << seeded.err;
    EXPECT_NE(seeded.err.find("Hinweis: --seed wirkt nicht mehr"), std::string::npos) << seeded.err;
    EXPECT_EQ(seeded.out, plain.out);
    EXPECT_EQ(contents(proposal), written);
}

// --min: a minimum row binds the proposal, and one no colony reaches leaves
// no proposal, says why and writes nothing.
TEST_F(SuggestReportTest, MinimumRowsBindTheProposal) {
    saveBasePlan();
    const ReportRun free = suggest("Forschung");
    ASSERT_EQ(free.status, 0) << free.err;
    const long long food = number(free.out, "Produktion / Verbrauch je Tick", "Nahrung");
    const std::string minimum = "Nahrung=" + std::to_string(food + 1);
    const ReportRun bound = suggest("Forschung", {"--min", minimum});
    ASSERT_EQ(bound.status, 0) << bound.err;
    EXPECT_GE(number(bound.out, "Produktion / Verbrauch je Tick", "Nahrung"), food + 1);
    EXPECT_EQ(number(bound.out, "Vorschlag", "mindestens Nahrung"), food + 1);
    EXPECT_LE(goalNumber(bound.out, "Forschung", "nachher"), goalNumber(free.out, "Forschung", "nachher"));

    fs::remove(proposal);
    const ReportRun impossible = suggest("Forschung", {"--min", "Forschung=99999.5"});
    EXPECT_EQ(impossible.status, 1) << impossible.out;
    EXPECT_EQ(impossible.out, "");
    EXPECT_GT(impossible.err.size(), std::string("dizozodidu-report: \n").size()) << impossible.err;
    EXPECT_FALSE(fs::exists(proposal));
}

// --then: among the proposals equally good for the goal, the second goal
// decides. On the large asteroid field many colonies are equally
// attractive; each second goal gets more of itself than the proposal without.
TEST_F(SuggestReportTest, ASecondGoalDecidesAmongEquallyGoodProposals) {
    fs::copy_file(fs::path(DZ_EXAMPLES_DIR) / "grosses_asteroidenfeld.kpls", start);
    const ReportRun before = report({start.string()});
    const ReportRun plain = suggest("Attraktivität");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(value(plain.out, "Vorschlag", "zweites Ziel"), std::nullopt);
    const ReportRun bsp = suggest("Attraktivität", {"--then", "verfügbare BSP"});
    ASSERT_EQ(bsp.status, 0) << bsp.err;
    const ReportRun storage = suggest("Attraktivität", {"--then", "Lagerraum"});
    ASSERT_EQ(storage.status, 0) << storage.err;
    EXPECT_EQ(number(bsp.out, "Vorschlag", "nachher"), number(plain.out, "Vorschlag", "nachher"));
    EXPECT_EQ(number(storage.out, "Vorschlag", "nachher"), number(plain.out, "Vorschlag", "nachher"));

    EXPECT_EQ(value(bsp.out, "Vorschlag", "zweites Ziel"), "verfügbare BSP");
    EXPECT_EQ(number(bsp.out, "Vorschlag", "zweites Ziel vorher"), number(before.out, "Informationen", "verfügbare BSP"));
    EXPECT_EQ(number(bsp.out, "Vorschlag", "zweites Ziel nachher"), number(bsp.out, "Informationen", "verfügbare BSP"));
    EXPECT_GT(number(bsp.out, "Informationen", "verfügbare BSP"), number(plain.out, "Informationen", "verfügbare BSP"));

    const std::string production = "Produktion / Verbrauch je Tick";
    EXPECT_EQ(value(storage.out, "Vorschlag", "zweites Ziel"), "Lagerraum");
    EXPECT_EQ(number(storage.out, "Vorschlag", "zweites Ziel vorher"), number(before.out, production, "Lagerraum"));
    EXPECT_EQ(number(storage.out, "Vorschlag", "zweites Ziel nachher"), number(storage.out, production, "Lagerraum"));
    EXPECT_GT(number(storage.out, production, "Lagerraum"), number(plain.out, production, "Lagerraum"));
}

namespace {

// A plan whose surface is filled with buildings that do nothing for
// research: adding alone finds nothing to raise it.
class RebuildTest : public SuggestReportTest {
protected:
    void SetUp() override {
        SuggestReportTest::SetUp();
        PlanMaker maker(info, dz::ptSmallAsteroids);
        // On each empty field the building without research that needs the
        // fewest workers, until no field takes one more.
        for (bool more = true; more;) {
            more = false;
            for (int x = 0; x < maker.plan.width(); ++x)
                for (int y = 0; y < maker.plan.surfaceHeight(); ++y) {
                    if (maker.plan.fieldAt(x, y, true).built) continue;
                    maker.plan.selected = dz::FieldSelection{x, y, true};
                    std::optional<int> poorest;
                    for (const int tag : dz::menuTags(maker.planner.buildFieldMenu())) {
                        if (tag < dz::tagBuildBase || tag >= dz::tagBuildBase + dz::kBuildingCount) continue;
                        const dz::InfoBuilding& b = info.buildings[std::size_t(tag - dz::tagBuildBase)];
                        if (b.production[dz::resResearch] <= 0 &&
                            (!poorest || b.workers < info.buildings[std::size_t(*poorest - dz::tagBuildBase)].workers))
                            poorest = tag;
                    }
                    if (poorest && maker.choose(x, y, true, *poorest)) more = true;
                }
        }
        dz::savePlan(start, info, maker.plan, 0);
    }
};

}  // namespace

// --rebuild: demolishing and building over what stands reaches more than
// adding alone.
TEST_F(RebuildTest, RebuildingReachesMoreThanAdding) {
    const ReportRun adding = suggest("Forschung");
    ASSERT_EQ(adding.status, 0) << adding.err;
    EXPECT_EQ(goalNumber(adding.out, "Forschung", "nachher"), goalNumber(adding.out, "Forschung", "vorher"));
    const ReportRun rebuilding = suggest("Forschung", {"--rebuild"});
    ASSERT_EQ(rebuilding.status, 0) << rebuilding.err;
    EXPECT_GT(goalNumber(rebuilding.out, "Forschung", "nachher"), goalNumber(adding.out, "Forschung", "nachher"));
    EXPECT_EQ(value(rebuilding.out, "Vorschlag", "Umbau erlauben"), "ja");
    EXPECT_GT(number(rebuilding.out, "Vorschlag", "Umbauten") + number(rebuilding.out, "Vorschlag", "Abrisse"), 0);
}

// --lock COLUMN,ROW,s with column and row counted from 1 as the window
// names them: a field the proposal would change stays byte for byte.
TEST_F(RebuildTest, ALockedFieldStaysByteForByte) {
    ASSERT_EQ(suggest("Forschung", {"--rebuild"}).status, 0);
    const dz::LoadedPlan from = dz::readPlanFile(start, info), to = dz::readPlanFile(proposal, info);
    std::optional<std::pair<int, int>> changed;
    for (std::size_t x = 0; x < from.surface.size() && !changed; ++x)
        for (std::size_t y = 0; y < from.surface[x].size() && !changed; ++y)
            if (fieldLines(start, int(x), int(y), true) != fieldLines(proposal, int(x), int(y), true))
                changed = std::pair{int(x), int(y)};
    ASSERT_TRUE(changed) << "the proposal changes no field";
    const auto [x, y] = *changed;

    const ReportRun locked =
        suggest("Forschung", {"--rebuild", "--lock", std::to_string(x + 1) + "," + std::to_string(y + 1) + ",s"});
    ASSERT_EQ(locked.status, 0) << locked.err;
    EXPECT_EQ(fieldLines(proposal, x, y, true), fieldLines(start, x, y, true));
    EXPECT_EQ(number(locked.out, "Vorschlag", "gesperrte Felder"), 1);
}

// --cap AMOUNT:RESOURCE: the total build cost of the resource stays within
// the cap, where the proposal without it goes beyond.
TEST_F(SuggestReportTest, ACostCapHoldsTheTotalBuildCost) {
    saveBasePlan();
    const ReportRun before = report({start.string()});
    const ReportRun free = suggest("verfügbare BSP");
    ASSERT_EQ(free.status, 0) << free.err;
    std::optional<std::string> dearest;
    long long most = 0;
    for (const dz::InfoRessource& resource : info.resourceTypes) {
        const std::string name = dz::cp1252ToUtf8(resource.name);
        if (const std::optional<std::string> cost = value(free.out, "Vorschlag", "Baukosten " + name);
            cost && std::stoll(*cost) > most) {
            most = std::stoll(*cost);
            dearest = name;
        }
    }
    ASSERT_TRUE(dearest) << free.out;
    const long long cap = number(before.out, "Gesamtaufbaukosten", *dearest) + most / 2;
    const ReportRun capped = suggest("verfügbare BSP", {"--cap", std::to_string(cap) + ":" + *dearest});
    ASSERT_EQ(capped.status, 0) << capped.err;
    EXPECT_LE(number(capped.out, "Gesamtaufbaukosten", *dearest), cap);
    EXPECT_EQ(number(capped.out, "Vorschlag", "Baukosten höchstens " + *dearest), cap);
    EXPECT_LE(number(capped.out, "Vorschlag", "nachher"), number(free.out, "Vorschlag", "nachher"));
}

// --nodes: a search stopped at its node limit says how much more is possible
// at most and how much of it the proposal reaches.
TEST_F(SuggestReportTest, ANodeLimitSaysHowMuchMoreIsPossible) {
    fs::copy_file(fs::path(DZ_EXAMPLES_DIR) / "grosses_asteroidenfeld.kpls", start);
    const ReportRun proven = suggest("EPS");
    ASSERT_EQ(proven.status, 0) << proven.err;
    ASSERT_EQ(value(proven.out, "Vorschlag", "Güte"), "bestmöglich");
    const long long best = number(proven.out, "Vorschlag", "nachher");
    const ReportRun cut = suggest("EPS", {"--nodes", "1"});
    ASSERT_EQ(cut.status, 0) << cut.err;
    EXPECT_EQ(cut.err, "") << "a node limit does not depend on the machine";
    const std::string quality = value(cut.out, "Vorschlag", "Güte").value_or("");
    ASSERT_EQ(quality.rfind("höchstens ", 0), 0u) << quality;
    const std::size_t possibleEnd = quality.find(" möglich (");
    ASSERT_NE(possibleEnd, std::string::npos) << quality;
    const long long bound = std::stoll(quality.substr(10, possibleEnd - 10));
    const long long reached = number(cut.out, "Vorschlag", "nachher");
    EXPECT_GE(bound, best);
    EXPECT_LE(reached, best);
    EXPECT_EQ(quality.substr(possibleEnd), " möglich (" + std::to_string(reached * 100 / bound) + " % davon erreicht)");
}

// --seconds is an outer stop: a search it cuts still gives its proposal, and
// stderr says that the proposal depends on the machine.
TEST_F(SuggestReportTest, ASearchCutByTheClockSaysItDependsOnTheMachine) {
    fs::copy_file(fs::path(DZ_EXAMPLES_DIR) / "wuestenplanet.kpls", start);
    const ReportRun quick = suggest("Forschung", {"--seconds", "0.000001"});
    ASSERT_EQ(quick.status, 0) << quick.err;
    EXPECT_NE(quick.err.find("hängt daher von der Geschwindigkeit dieses Rechners ab"), std::string::npos) << quick.err;
    EXPECT_EQ(value(quick.out, "Vorschlag", "Güte").value_or("").rfind("höchstens ", 0), 0u) << quick.out;
    EXPECT_TRUE(fs::exists(proposal));
}

// Bad calls are named in German with the usage or the goals, status 2, and
// nothing is written; a plan that cannot be read or a proposal that cannot be
// written give status 1.
TEST_F(SuggestReportTest, BadCallsAreRefusedAndWriteNothing) {
    saveBasePlan();
    const struct {
        std::vector<std::string> options;
        const char* message;
    } bad[] = {
        {{"--frei"}, "Die Option „--frei“ gibt es nicht."},
        {{"--min", "Gold=3"}, "Das Ziel „Gold“ gibt es nicht. Ziele: Energie, Nahrung, "},
        {{"--min", "Nahrung"}, "--min erwartet ZIEL=WERT"},
        {{"--min", "Nahrung=2.5"}, "--min erwartet für „Nahrung“ eine ganze Zahl, nicht „2.5“."},
        {{"--then", "Gold"}, "Das Ziel „Gold“ gibt es nicht."},
        {{"--lock", "0,1,s"}, "--lock erwartet SPALTE,ZEILE,o oder SPALTE,ZEILE,s"},
        {{"--lock", "1,1,x"}, "--lock erwartet SPALTE,ZEILE,o oder SPALTE,ZEILE,s"},
        {{"--lock", "99,1,s"}, "Das gesperrte Feld 99,1 liegt auf der Oberfläche außerhalb des Plans"},
        {{"--lock", "1,99,o"}, "Das gesperrte Feld 1,99 liegt im Orbit außerhalb des Plans"},
        {{"--cap", "100"}, "--cap erwartet MENGE:ROHSTOFF"},
        {{"--cap", "100:EPS"}, "--cap erwartet MENGE:ROHSTOFF"},
        {{"--nodes", "0"}, "--nodes erwartet eine ganze Zahl größer als 0, nicht „0“."},
        {{"--seconds", "0"}, "--seconds erwartet eine Zahl größer als 0, nicht „0“."},
    };
    for (const auto& call : bad) {
        const ReportRun r = suggest("Forschung", call.options);
        EXPECT_EQ(r.status, 2) << call.message;
        EXPECT_NE(r.err.find(call.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Aufruf: dizozodidu-report --suggest ZIEL"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(proposal)) << call.message;
    }
    ReportRun r = report({"--suggest", "Gold", start.string(), proposal.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Ziele: Energie, Nahrung, "), std::string::npos) << r.err;
    r = report({"--suggest", "Forschung", start.string(), proposal.string(), "--then"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Nach --then fehlt der Wert."), std::string::npos) << r.err;
    r = report({"--suggest", "Forschung", start.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Es braucht genau zwei Dateien"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(proposal));

    put(folder / "kaputt.kpls", "064\r\n7\r\n");
    r = report({"--suggest", "Forschung", (folder / "kaputt.kpls").string(), proposal.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("kaputt.kpls: Ungültige Datei!"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(proposal));
    fs::create_directory(proposal);  // no plan can be written there
    r = report({"--suggest", "Forschung", start.string(), proposal.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(proposal.string() + ": Die Datei " + proposal.string() + " kann nicht geschrieben werden (" +
                         std::generic_category().message(EISDIR) + ").\n"),
              std::string::npos)
        << "with the system's reason: " << r.err;
    EXPECT_EQ(r.out, "");
}

// The search stops by counting nodes, never by the clock: with both cores
// kept busy by other processes the same request writes the same bytes and
// prints the same report, also where the node limit cuts the search.
TEST_F(SuggestReportTest, TheSameRequestGivesTheSameBytesUnderLoad) {
    saveBasePlan();
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--nodes", "20"}, {}}) {
        const ReportRun quiet = suggest("Forschung", options);
        ASSERT_EQ(quiet.status, 0) << quiet.err;
        const std::string written = contents(proposal);
        fs::remove(proposal);

        std::vector<pid_t> hogs;
        for (int i = 0; i < 3; ++i)
            hogs.push_back(spawn({"sh", "-c", "while :; do :; done"}, folder / "hog.txt", folder / "hog.txt"));
        const ReportRun busy = suggest("Forschung", options);
        for (const pid_t hog : hogs) {
            if (hog <= 0) continue;
            kill(hog, SIGKILL);
            waitpid(hog, nullptr, 0);
        }
        for (const pid_t hog : hogs) ASSERT_GT(hog, 0) << "no busy process beside the search";
        ASSERT_EQ(busy.status, 0) << busy.err;
        EXPECT_EQ(busy.out, quiet.out);
        EXPECT_EQ(busy.err, quiet.err);
        EXPECT_EQ(contents(proposal), written);
        fs::remove(proposal);
    }
}
