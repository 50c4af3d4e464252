#include "report/suggest_mode.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/files/plan_file.h"
#include "core/files/standard_output.h"
#include "core/planner/planner.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"
#include "report/plan_report.h"

namespace dz {

namespace {

constexpr const char* kSuggestUsage = "Aufruf: " DZ_SUGGEST_CALL;

// A usage error of --suggest: the message, then what a call looks like; status 2.
int usageError(const std::string& message) {
    std::fprintf(stderr, "dizozodidu-report: %s\n%s", message.c_str(), kSuggestUsage);
    return 2;
}

std::string goalList(const Info& info) {
    std::string list;
    for (const NamedGoal& g : suggestGoals(info)) list.append(list.empty() ? "" : ", ").append(cp1252ToUtf8(g.name));
    return list;
}

// A whole number in [low, high] written with digits only, or nothing.
std::optional<long long> wholeNumber(const std::string& text, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] == '+' || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

// The arguments of --suggest, checked as far as they can be without the plan.
struct SuggestCall {
    SuggestRequest request;
    // The locks as given: column and row counted from 1 as the window names them.
    std::vector<FieldPosition> locks;
    std::vector<std::string> files;
};

// Reads the arguments after --suggest; a usage error gives its status (2).
std::variant<SuggestCall, int> readSuggestCall(const Info& info, const std::vector<std::string>& args) {
    if (args.empty()) return usageError("Nach --suggest fehlt das Ziel.");
    auto goalNamed = [&](const std::string& utf8) { return goalByName(info, utf8ToCp1252(utf8)); };
    auto unknownGoal = [&](const std::string& utf8) {
        return usageError("Das Ziel „" + utf8 + "“ gibt es nicht. Ziele: " + goalList(info) + ".");
    };
    SuggestCall call;
    SuggestRequest& request = call.request;
    const std::optional<SuggestGoal> goal = goalNamed(args[0]);
    if (!goal) return unknownGoal(args[0]);
    request.goal = *goal;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--rebuild") {
            request.rebuild = true;
            continue;
        }
        if (arg == "--min" || arg == "--then" || arg == "--lock" || arg == "--cap" || arg == "--nodes" ||
            arg == "--seconds" || arg == "--seed") {
            if (i + 1 >= args.size()) return usageError("Nach " + arg + " fehlt der Wert.");
            const std::string& value = args[++i];
            if (arg == "--min") {
                const std::size_t equals = value.find('=');
                if (equals == std::string::npos)
                    return usageError("--min erwartet ZIEL=WERT, etwa „Nahrung=20“, nicht „" + value + "“.");
                const std::string name = value.substr(0, equals);
                const std::optional<SuggestGoal> minimumGoal = goalNamed(name);
                if (!minimumGoal) return unknownGoal(name);
                const std::optional<long long> minimum = parseGoalValue(*minimumGoal, value.substr(equals + 1));
                if (!minimum)
                    return usageError("--min erwartet für „" + name + "“ eine ganze Zahl" +
                                      (*minimumGoal == SuggestGoal{GoalKind::Production, resResearch} ? " oder eine mit einer Nachkommastelle" : "") +
                                      ", nicht „" + value.substr(equals + 1) + "“.");
                request.minimums.push_back({*minimumGoal, *minimum});
            } else if (arg == "--then") {
                const std::optional<SuggestGoal> thenGoal = goalNamed(value);
                if (!thenGoal) return unknownGoal(value);
                request.thenGoal = *thenGoal;
            } else if (arg == "--lock") {
                std::vector<std::string> parts(1);
                for (const char c : value) {
                    if (c == ',')
                        parts.emplace_back();
                    else
                        parts.back().push_back(c);
                }
                const std::optional<long long> x = parts.size() == 3 ? wholeNumber(parts[0], 1, INT32_MAX) : std::nullopt;
                const std::optional<long long> y = parts.size() == 3 ? wholeNumber(parts[1], 1, INT32_MAX) : std::nullopt;
                if (!x || !y || (parts[2] != "o" && parts[2] != "s"))
                    return usageError("--lock erwartet SPALTE,ZEILE,o oder SPALTE,ZEILE,s (Spalte und Zeile ab 1, "
                                      "o für den Orbit, s für die Oberfläche), nicht „" + value + "“.");
                call.locks.push_back({int(*x), int(*y), parts[2] == "s"});
            } else if (arg == "--cap") {
                const std::size_t colon = value.find(':');
                const std::optional<long long> amount =
                    colon == std::string::npos ? std::nullopt : wholeNumber(value.substr(0, colon), 0, INT32_MAX);
                const std::optional<SuggestGoal> resource =
                    colon == std::string::npos ? std::nullopt : goalNamed(value.substr(colon + 1));
                if (!amount || !resource || resource->kind != GoalKind::Production) {
                    std::string resources;
                    for (const InfoRessource& r : info.resourceTypes)
                        resources.append(resources.empty() ? "" : ", ").append(cp1252ToUtf8(r.name));
                    return usageError("--cap erwartet MENGE:ROHSTOFF, eine ganze Zahl ab 0 und einen Rohstoff (" +
                                      resources + "), nicht „" + value + "“.");
                }
                request.costCap = CostCap{resource->resource, *amount};
            } else if (arg == "--nodes") {
                const std::optional<long long> nodes = wholeNumber(value, 1, LLONG_MAX);
                if (!nodes) return usageError("--nodes erwartet eine ganze Zahl größer als 0, nicht „" + value + "“.");
                request.nodeLimit = *nodes;
            } else if (arg == "--seconds") {
                char* end = nullptr;
                const double seconds = std::strtod(value.c_str(), &end);
                if (value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0)
                    return usageError("--seconds erwartet eine Zahl größer als 0, nicht „" + value + "“.");
                request.seconds = seconds;
            } else {
                std::fputs("dizozodidu-report: Hinweis: --seed wirkt nicht mehr; die Suche kennt keinen Zufall "
                           "und gibt für dieselbe Anfrage immer denselben Vorschlag.\n",
                           stderr);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("Die Option „" + arg + "“ gibt es nicht.");
        } else {
            call.files.push_back(arg);
        }
    }
    if (call.files.size() != 2) return usageError("Es braucht genau zwei Dateien: den Plan und den Vorschlag.");
    return call;
}

// "ja" or "nein".
const char* yesNo(bool yes) { return yes ? "ja" : "nein"; }

// The [Vorschlag] section: what was asked, what the proposal reaches and
// what carrying it out takes.
std::string suggestSection(const Info& info, const SuggestRequest& request, const SuggestResult& result) {
    auto line = [](std::string& out, const std::string& label, const std::string& value) {
        out.append(label).append("\t").append(value).append("\n");
    };
    auto name = [&](SuggestGoal goal) { return cp1252ToUtf8(goalName(info, goal)); };
    const SuggestGoal goal = request.goal;
    std::string out = "[Vorschlag]\n";
    line(out, "Ziel", name(goal));
    line(out, "vorher", goalValueText(goal, result.startValue, '.'));
    line(out, "nachher", goalValueText(goal, result.value, '.'));
    if (result.stop == SuggestStop::Proven) {
        line(out, "Güte", "bestmöglich");
    } else {
        std::string quality = "höchstens " + goalValueText(goal, result.bound, '.') + " möglich";
        // Rounded down, so that an unproven proposal never reads as 100 %.
        if (result.bound > 0 && result.value >= 0)
            quality += " (" + std::to_string(result.value * 100 / result.bound) + " % davon erreicht)";
        line(out, "Güte", quality);
    }
    if (request.thenGoal) {
        line(out, "zweites Ziel", name(*request.thenGoal));
        line(out, "zweites Ziel vorher", goalValueText(*request.thenGoal, result.thenStartValue.value_or(0), '.'));
        line(out, "zweites Ziel nachher", goalValueText(*request.thenGoal, result.thenValue.value_or(0), '.'));
    }
    for (const GoalMinimum& m : request.minimums) line(out, "mindestens " + name(m.goal), goalValueText(m.goal, m.value, '.'));
    if (request.costCap)
        line(out, "Baukosten höchstens " + cp1252ToUtf8(info.resourceTypes[std::size_t(request.costCap->resource)].name),
             std::to_string(request.costCap->limit));
    line(out, "Umbau erlauben", yesNo(request.rebuild));
    line(out, "gesperrte Felder", std::to_string(request.locks.size()));
    line(out, "Schritte", std::to_string(result.choices.size()));
    const SuggestWork& work = result.work;
    line(out, "Bauten", std::to_string(work.builds));
    line(out, "Umbauten", std::to_string(work.buildOvers));
    line(out, "Abrisse", std::to_string(work.demolitions));
    line(out, "Schaltungen", std::to_string(work.switches));
    line(out, "Terraformings", std::to_string(work.terraformings));
    for (int r = 0; r < kResourceCount; ++r)
        if (work.cost[std::size_t(r)] != 0)
            line(out, "Baukosten " + cp1252ToUtf8(info.resourceTypes[std::size_t(r)].name),
                 std::to_string(work.cost[std::size_t(r)]));
    return out;
}

}  // namespace

int suggestMode(Info& info, const std::vector<std::string>& args) {
    std::variant<SuggestCall, int> read = readSuggestCall(info, args);
    if (const int* status = std::get_if<int>(&read)) return *status;
    SuggestCall& call = std::get<SuggestCall>(read);
    SuggestRequest& request = call.request;

    LoadedPlan loaded;
    try {
        loaded = readPlanFile(call.files[0], info);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: Ungültige Datei! %s\n", call.files[0].c_str(), e.what());
        return 1;
    }
    ActPlan plan;
    ProgramState state;
    NullPlanView view;
    Planner planner(info, plan, state, view);
    planner.loadPlan(loaded);
    for (const FieldPosition& lock : call.locks) {
        const FieldPosition field{lock.x - 1, lock.y - 1, lock.onSurface};
        if (!plan.contains(field.x, field.y, field.onSurface)) {
            const int rows = lock.onSurface ? plan.surfaceHeight() : plan.orbitHeight();
            return usageError("Das gesperrte Feld " + std::to_string(lock.x) + "," + std::to_string(lock.y) + " liegt " +
                              (lock.onSurface ? "auf der Oberfläche" : "im Orbit") +
                              " außerhalb des Plans: " + (lock.onSurface ? "die Oberfläche" : "der Orbit") + " hat " +
                              std::to_string(plan.width()) + " Spalten und " + std::to_string(rows) + " Zeilen.");
        }
        request.locks.push_back(field);
    }

    const SuggestResult result = suggest(info, plan, request);
    if (result.stop == SuggestStop::Infeasible || result.stop == SuggestStop::Failed ||
        result.stop == SuggestStop::Cancelled) {
        const std::string why = result.message.empty() ? "Es gibt keinen Vorschlag." : cp1252ToUtf8(result.message);
        std::fprintf(stderr, "dizozodidu-report: %s\n", why.c_str());
        return 1;
    }
    if (applyChoices(planner, result.choices) != result.choices.size()) {
        std::fprintf(stderr, "dizozodidu-report: Der Vorschlag ließ sich nicht ausführen.\n");
        return 1;
    }
    try {
        savePlan(call.files[1], info, plan, state.internalReputation);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", call.files[1].c_str(), e.what());
        return 1;
    }
    std::string out;
    try {
        out = planReport(info, call.files[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: Ungültige Datei! %s\n", call.files[1].c_str(), e.what());
        return 1;
    }
    out += suggestSection(info, request, result);
    CheckedOutput output;
    output.write(out);
    if (result.stop == SuggestStop::TimeLimit)
        std::fprintf(stderr,
                     "dizozodidu-report: Die Suche wurde nach --seconds abgebrochen; der Vorschlag hängt daher "
                     "von der Geschwindigkeit dieses Rechners ab.\n");
    if (const std::optional<std::string> lost = output.finish()) {
        std::fprintf(stderr, "dizozodidu-report: %s\n", lost->c_str());
        return 1;
    }
    return 0;
}

}  // namespace dz
