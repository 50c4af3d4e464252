// The report tool's --compare and --code/--from-code, as a user calls them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
};

// The report tool with `arguments` (quoted by the caller); stderr is dropped.
ToolRun report(const std::string& arguments) {
    ToolRun run;
    FILE* pipe = popen(("'" + std::string(DZ_REPORT) + "' " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string example(const char* name) { return std::string(DZ_EXAMPLES_DIR "/") + name + ".kpls"; }

// "[section]" lines and "label<TAB>value..." rows: the fields of every row under its section.
std::vector<std::vector<std::string>> rowsOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("[", 0) == 0) section = line;
        if (line.empty() || line[0] == '#' || line[0] == '[' || line.rfind("Planet\t", 0) == 0) continue;
        std::vector<std::string> fields{section};
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
        rows.push_back(fields);
    }
    return rows;
}

std::vector<double> numbersOf(const std::string& text) {
    std::vector<double> numbers;
    static const std::regex number(R"([+-]?\d+(\.\d+)?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
        numbers.push_back(std::stod(it->str()));
    return numbers;
}

}  // namespace

// On every pair of example plans (a plan with itself too), each row of
// --compare holds the two reports' values and their difference.
TEST(ReportCompare, TheRowsAreTheDifferenceOfTwoReports) {
    const char* plans[] = {"standardplanet", "wuestenplanet", "grosses_asteroidenfeld"};
    for (const char* a : plans)
        for (const char* b : plans) {
            const ToolRun first = report("'" + example(a) + "'"), second = report("'" + example(b) + "'");
            const ToolRun compared = report("--compare '" + example(a) + "' '" + example(b) + "'");
            ASSERT_EQ(compared.status, 0) << compared.out;
            const auto rowsA = rowsOf(first.out), rowsB = rowsOf(second.out);
            auto rows = rowsOf(compared.out);
            ASSERT_FALSE(rows.empty());
            const std::vector<std::string> fields = rows.back();
            rows.pop_back();
            ASSERT_EQ(fields.size(), 3u);
            EXPECT_EQ(fields[1], "verschiedene Felder");
            if (std::string(a) == b) {
                EXPECT_EQ(fields[2], "0");
            }
            using Key = std::pair<std::string, std::string>;  // section, label
            std::map<Key, std::string> valueA, valueB;
            for (const auto& row : rowsA) valueA[Key(row[0], row[1])] = row.size() > 2 ? row[2] : "";
            for (const auto& row : rowsB) valueB[Key(row[0], row[1])] = row.size() > 2 ? row[2] : "";
            EXPECT_EQ(rows.size(), std::max(rowsA.size(), rowsB.size())) << a << " / " << b;
            for (const auto& row : rows) {
                ASSERT_GE(row.size(), 2u);
                if (row[1].empty()) continue;  // the gap in the production panel
                ASSERT_EQ(row.size(), 5u) << row[1];
                EXPECT_EQ(row[2], valueA[Key(row[0], row[1])]) << a << " " << row[1];
                EXPECT_EQ(row[3], valueB[Key(row[0], row[1])]) << b << " " << row[1];
                const std::vector<double> x = numbersOf(row[2]), y = numbersOf(row[3]), d = numbersOf(row[4]);
                ASSERT_EQ(d.size(), x.size()) << row[1] << ": " << row[4];
                for (std::size_t i = 0; i < d.size(); ++i) EXPECT_NEAR(d[i], x[i] - y[i], 1e-9) << row[1];
            }
        }
}

// A plan becomes a code and the code the very same file again; a broken
// code is refused and writes nothing.
TEST(ReportCode, APlanGoesThroughItsCodeUnchanged) {
    const fs::path dir = fs::temp_directory_path() / "dz_report_code";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* name : {"standardplanet", "wuestenplanet", "grosses_asteroidenfeld"}) {
        const ToolRun code = report("--code '" + example(name) + "'");
        ASSERT_EQ(code.status, 0) << code.out;
        ASSERT_EQ(code.out.rfind("DZ1:", 0), 0u);
        const fs::path out = dir / (std::string(name) + ".kpls");
        const ToolRun back = report("--from-code '" + code.out.substr(0, code.out.size() - 1) + "' '" + out.string() + "'");
        ASSERT_EQ(back.status, 0) << back.out;
        std::ifstream original(example(name), std::ios::binary), copy(out, std::ios::binary);
        std::stringstream x, y;
        x << original.rdbuf();
        y << copy.rdbuf();
        EXPECT_EQ(y.str(), x.str()) << name;
    }
    const ToolRun broken = report("--from-code 'DZ1:eNrt' '" + (dir / "kaputt.kpls").string() + "'");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.out.find("Ungültige Datei! Plan-Code:"), std::string::npos) << broken.out;
    EXPECT_FALSE(fs::exists(dir / "kaputt.kpls"));
    const ToolRun noPlan = report("--code '" + (dir / "fehlt.kpls").string() + "'");
    EXPECT_EQ(noPlan.status, 1) << noPlan.out;
    fs::remove_all(dir);
}
