// dizozodidu-report PLAN...: prints what the planner's panels show for each
// plan file, as UTF-8 text, so that plans can be compared in a terminal. It
// uses the data files beside it and no settings file. `--help` and
// `--version` as the first argument print the usage or the version.
//
// dizozodidu-report --compare A B prints two plans' rows side by side.
// dizozodidu-report --code PLAN prints the plan as a short code, and
// --from-code CODE PLAN writes the plan a code holds.
//
// dizozodidu-report --suggest GOAL [options] IN.kpls OUT.kpls: finds the
// proposal ("Vorschlag") for GOAL starting from IN.kpls, writes it to
// OUT.kpls and prints OUT.kpls's report with a section on the proposal. Locked
// fields are named by column and row counted from 1, as the window names
// them ("Spalte 1, Zeile 1" is the top left field).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "core/catalog/catalog_files.h"
#include "core/files/standard_output.h"
#include "core/suggest/suggest.h"
#include "core/text/cp1252.h"
#include "core/version.h"
#include "report/code_mode.h"
#include "report/plan_report.h"
#include "report/suggest_mode.h"

namespace {

using namespace dz;

std::filesystem::path programFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

std::string usageText() {
    return std::string("Aufruf: dizozodidu-report PLAN.kpls...\n"
    "        " DZ_SUGGEST_CALL
    "        " DZ_CODE_CALLS
    "        dizozodidu-report --compare PLAN.kpls ANDERER.kpls\n"
    "        dizozodidu-report --help | --version\n"
    "\n"
    "Gibt für jede Plandatei aus, was die Tafeln des Planers zeigen: Produktion\n"
    "und Verbrauch je Tick, Personal, Gesamtaufbaukosten und die Informationen\n"
    "(Attraktivität, Ansehenszuwachs, verfügbare BSP), als UTF-8-Text mit\n"
    "Tabulatoren. Eine Datei, die nicht gelesen werden kann, wird auf stderr\n"
    "genannt und die übrigen werden trotzdem ausgegeben; der Rückgabewert ist\n"
    "dann 1. Die Spieldaten liegen im Ordner des Programms.\n"
    "\n"
    "Mit --suggest sucht es den Vorschlag: die Kolonie, die ausgehend von\n"
    "PLAN.kpls für ZIEL am besten ist (eine Zeile der Produktion wie\n"
    "„Forschung“, „Lagerraum“, „EPS“, „verfügbare BSP“ oder „Attraktivität“),\n"
    "schreibt sie nach VORSCHLAG.kpls und gibt deren Bericht aus, danach den\n"
    "Abschnitt [Vorschlag]. Dieselbe Anfrage gibt auf jedem Rechner denselben\n"
    "Vorschlag. Gibt es keinen, sagt es auf stderr warum, schreibt nichts und\n"
    "gibt 1 zurück; falsche Angaben beim Aufruf geben 2.\n"
    "\n"
    "Mit --compare stellt es zwei Pläne nebeneinander: jede Zeile des Berichts\n"
    "mit dem Wert im ersten Plan, im zweiten und dem Unterschied (erster weniger\n"
    "zweiter), dann die Zahl der Felder, in denen sie sich unterscheiden.\n"
    "\n"
    "Mit --code gibt es den Plan als eine Zeile Text aus („DZ1:…“, zum\n"
    "Weitergeben in Chat oder Forum); --from-code schreibt den Plan eines\n"
    "solchen Codes nach PLAN.kpls.\n"
    "\n"
    "  --help             zeigt diese Hilfe.\n"
    "  --version          zeigt die Version.\n"
    "  --min ZIEL=WERT    ZIEL muss mindestens WERT erreichen, etwa\n"
    "                     --min \"Nahrung=20\" (Forschung auch mit einer\n"
    "                     Nachkommastelle); mehrfach möglich.\n"
    "  --then ZIEL        entscheidet zwischen gleich guten Vorschlägen.\n"
    "  --rebuild          Umbau erlauben: auch abreißen, überbauen, schalten\n"
    "                     und zurücksetzen, was schon steht.\n"
    "  --lock SPALTE,ZEILE,o|s\n"
    "                     lässt das Feld, wie es ist; Spalte und Zeile ab 1 wie\n"
    "                     im Fenster, o = Orbit, s = Oberfläche; mehrfach möglich.\n"
    "  --cap MENGE:ROHSTOFF\n"
    "                     höchstens MENGE des Rohstoffs in den\n"
    "                     Gesamtaufbaukosten, etwa --cap 5000:Baumaterial.\n"
    "  --nodes N          höchstens N Knoten der Suche je Ziel (") +
           std::to_string(kSuggestNodeLimit) +
           ").\n"
           "  --seconds N        bricht die Suche nach N Sekunden ab; der Vorschlag\n"
           "                     hängt dann von der Geschwindigkeit des Rechners ab.\n";
}

// Flushes standard output: what did not arrive there makes the run a
// failure, named on stderr.
int finishOutput(CheckedOutput& out, int status) {
    const std::optional<std::string> lost = out.finish();
    if (!lost) return status;
    std::fprintf(stderr, "dizozodidu-report: %s\n", lost->c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    CheckedOutput out;
    if (argc > 1 && std::string(argv[1]) == "--help") {
        out.write(usageText());
        return finishOutput(out, 0);
    }
    if (argc > 1 && std::string(argv[1]) == "--version") {
        out.write(std::string("dizozodidu-report (Dizozodidu ") + kProgramVersion + ")\n");
        return finishOutput(out, 0);
    }
    if (argc < 2) {
        const std::string usage = usageText();
        std::fputs(usage.substr(0, usage.find("\n\n") + 1).c_str(), stderr);  // the calls
        return 2;
    }
    Info info;
    try {
        loadCatalog(info, programFolder(argv[0]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dizozodidu-report: Die Spieldaten konnten nicht geladen werden. %s\n", e.what());
        return 1;
    }
    if (std::string(argv[1]) == "--code" || std::string(argv[1]) == "--from-code")
        return finishOutput(out, codeMode(info, argv[1], std::vector<std::string>(argv + 2, argv + argc), out));
    if (std::string(argv[1]) == "--compare") {
        if (argc != 4) {
            std::fputs("Aufruf: dizozodidu-report --compare PLAN.kpls ANDERER.kpls\n", stderr);
            return 2;
        }
        try {
            out.write(comparisonReport(info, argv[2], argv[3]));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "dizozodidu-report: Ungültige Datei! %s\n", e.what());
            return finishOutput(out, 1);
        }
        return finishOutput(out, 0);
    }
    if (std::string(argv[1]) == "--suggest") {
        try {
            return suggestMode(info, std::vector<std::string>(argv + 2, argv + argc));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "dizozodidu-report: %s\n", cp1252ToUtf8(e.what()).c_str());
            return 1;
        }
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string file = argv[i];
        // Any failure with one plan is that plan's: it is named and the
        // others are still reported.
        try {
            out.write(planReport(info, file));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: Ungültige Datei! %s\n", file.c_str(), e.what());
            status = 1;
        }
    }
    return finishOutput(out, status);
}
