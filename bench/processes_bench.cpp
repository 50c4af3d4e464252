// Whole processes as the user starts them, timed from the spawn: the report
// tool on every example plan, batch mode (plan to JPEG) on each example plan
// beside a bare Qt program that writes a window of the same size as a JPEG,
// and the planner's start-up until its window is shown; and the peak memory
// of long sessions. Every process runs in a fresh temporary folder, so the
// example plans and the checkout stay untouched.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path binDir;    // the folder of the planner and the bench programs
fs::path workDir;   // the temporary folder the processes run in
std::vector<fs::path> examples;

struct Run {
    bool finished = false;  // ended normally with status 0 and, if asked for, printed a line
    double seconds = 0;     // spawn to exit, or to the first line of output
    long peakKb = 0;        // peak resident memory (ru_maxrss)
    std::string output;
};

enum class Until { Exit, FirstLine };

// The environment of this process with `unset` removed and `set` added.
std::vector<std::string> environmentWith(std::vector<std::string> set, const std::vector<std::string>& unset = {}) {
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced = std::any_of(set.begin(), set.end(), [&](const std::string& s) {
            return s.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (!replaced && std::find(unset.begin(), unset.end(), name) == unset.end()) set.push_back(entry);
    }
    return set;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings) result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

// Starts a program in workDir with stdout on a pipe and waits for it. A
// process that takes longer than `limitSeconds` is killed and counts as failed.
Run spawn(std::vector<std::string> args, std::vector<std::string> environment, Until until,
          double limitSeconds = 60) {
    Run run;
    int out[2], in[2];
    if (pipe2(out, O_CLOEXEC) != 0) return run;
    if (pipe2(in, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return run;
    }
    close(in[1]);  // an empty standard input
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(environment);

    pid_t pid = 0;
    const auto start = Clock::now();
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(in[0]);
    if (error != 0) {
        close(out[0]);
        return run;
    }
    bool sawLine = false, timedOut = false;
    char buffer[4096];
    for (;;) {
        const double left = limitSeconds - std::chrono::duration<double>(Clock::now() - start).count();
        pollfd p{out[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, int(left * 1000) + 1) == 0) {
            timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        run.output.append(buffer, size_t(n));
        if (until == Until::FirstLine && !sawLine && run.output.find('\n') != std::string::npos) {
            run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            sawLine = true;
        }
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (until == Until::Exit) run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.peakKb = usage.ru_maxrss;
    run.finished = !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0 && (until == Until::Exit || sawLine);
    return run;
}

std::string bin(const char* program) { return (binDir / program).string(); }

// Process measurements: the median of fifteen single runs, after one run that
// is not counted (file cache, font cache).
void configure(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(15)->ReportAggregatesOnly(true);
}

template <class Start>
void timeProcess(benchmark::State& state, const std::string& what, Start start) {
    static std::set<std::string> warm;
    if (warm.insert(what).second) start();
    for (auto _ : state) {
        const Run run = start();
        if (!run.finished) {
            state.SkipWithError("the process failed");
            break;
        }
        state.SetIterationTime(run.seconds);
    }
}

void BM_ReportAllExamples(benchmark::State& state) {
    std::vector<std::string> args{bin("dizozodidu-report")};
    for (const fs::path& e : examples) args.push_back(e.string());
    timeProcess(state, "report", [&] { return spawn(args, environmentWith({}), Until::Exit); });
    state.SetLabel(std::to_string(examples.size()) + " plans");
}

// Batch mode as on a machine without a display: the program chooses the
// offscreen platform itself.
void BM_BatchPlanToJpeg(benchmark::State& state, const fs::path& plan) {
    const fs::path copy = workDir / plan.filename();
    fs::copy_file(plan, copy, fs::copy_options::overwrite_existing);
    const fs::path picture = copy.string() + ".jpeg";
    timeProcess(state, plan.string(), [&] {
        fs::remove(picture);
        Run run = spawn({bin("dizozodidu"), "IMAGES", copy.string()},
                        environmentWith({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}), Until::Exit);
        run.finished = run.finished && fs::exists(picture) && fs::file_size(picture) > 0;
        return run;
    });
}

// Width and height in the baseline frame header of a JPEG file; 0 x 0 when there is none.
std::pair<int, int> jpegSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t sof = bytes.find("\xFF\xC0");
    if (sof == std::string::npos || sof + 9 > bytes.size()) return {0, 0};
    auto number = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]);
    };
    return {number(sof + 7), number(sof + 5)};
}

// Batch mode's plan once, untimed: its picture tells the size the bare program writes.
std::pair<int, int> batchPictureSize(const fs::path& plan) {
    const fs::path copy = workDir / plan.filename();
    fs::copy_file(plan, copy, fs::copy_options::overwrite_existing);
    const Run run = spawn({bin("dizozodidu"), "IMAGES", copy.string()},
                          environmentWith({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}), Until::Exit);
    return run.finished ? jpegSize(copy.string() + ".jpeg") : std::pair{0, 0};
}

// The bare Qt program writing a window of batch mode's picture size, in the
// same environment as batch mode.
void BM_MinimalJpeg(benchmark::State& state, std::pair<int, int> size, const std::string& plan) {
    if (size.first <= 0 || size.second <= 0) {
        state.SkipWithError("batch mode wrote no picture to take the size from");
        return;
    }
    const fs::path picture = workDir / "minimal.jpeg";
    timeProcess(state, "minimal " + plan, [&] {
        fs::remove(picture);
        Run run = spawn({bin("bench_minimal_jpeg"), std::to_string(size.first), std::to_string(size.second),
                         picture.string()},
                        environmentWith({}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}), Until::Exit);
        run.finished = run.finished && fs::exists(picture) && fs::file_size(picture) > 0;
        return run;
    });
    state.SetLabel(std::to_string(size.first) + " × " + std::to_string(size.second));
}

// The planner as the player starts it, without a plan; on the display of
// this process, offscreen when there is none.
void startup(benchmark::State& state, bool untilReady) {
    const bool display = getenv("DISPLAY") && *getenv("DISPLAY");
    std::vector<std::string> set, unset;
    if (display)
        unset.push_back("QT_QPA_PLATFORM");
    else
        set.push_back("QT_QPA_PLATFORM=offscreen");
    if (untilReady) set.push_back("DZ_PROBE_UNTIL=ready");
    const std::vector<std::string> environment = environmentWith(set, unset);
    timeProcess(state, untilReady ? "start-up, ready" : "start-up",
                [&] { return spawn({bin("bench_startup_probe")}, environment, Until::FirstLine); });
    state.SetLabel(display ? "X display " + std::string(getenv("DISPLAY")) : "offscreen");
}

void BM_StartupToShownWindow(benchmark::State& state) { startup(state, false); }
// Until the start-up timer has loaded settings and pictures and the window shows them.
void BM_StartupUntilReady(benchmark::State& state) { startup(state, true); }

// Peak resident memory of a session of 10,000 random field-menu choices and
// of one of 100, both without undo history, and of one of 10,000 that keeps
// every step in the history.
void BM_PeakMemoryFieldActions(benchmark::State& state) {
    const auto environment = environmentWith({"QT_QPA_PLATFORM=offscreen"});
    for (auto _ : state) {
        const Run shortRun =
            spawn({bin("bench_field_actions_memory"), "100", "--no-history"}, environment, Until::Exit);
        const Run longRun =
            spawn({bin("bench_field_actions_memory"), "10000", "--no-history"}, environment, Until::Exit, 600);
        const Run historyRun = spawn({bin("bench_field_actions_memory"), "10000"}, environment, Until::Exit, 600);
        if (!shortRun.finished || !longRun.finished || !historyRun.finished) {
            state.SkipWithError("the session failed");
            break;
        }
        state.SetIterationTime(longRun.seconds);
        state.counters["peak_100_kB"] = double(shortRun.peakKb);
        state.counters["peak_10000_kB"] = double(longRun.peakKb);
        state.counters["peak_10000_history_kB"] = double(historyRun.peakKb);
        std::string line = historyRun.output.substr(0, historyRun.output.find('\n'));
        state.SetLabel(line);
    }
}

// Resident memory after the first new plan and after 1000 more.
void BM_ResidentMemoryNewPlans(benchmark::State& state) {
    const auto environment = environmentWith({"QT_QPA_PLATFORM=offscreen"});
    for (auto _ : state) {
        const Run run = spawn({bin("bench_new_plan_memory"), "1000"}, environment, Until::Exit, 600);
        long first = 0, after = 0;
        const size_t colon = run.output.find(':');
        if (!run.finished || colon == std::string::npos ||
            std::sscanf(run.output.c_str() + colon + 1, "%ld %ld", &first, &after) != 2) {
            state.SkipWithError("the session failed");
            break;
        }
        state.SetIterationTime(run.seconds);
        state.counters["first_kB"] = double(first);
        state.counters["after_kB"] = double(after);
    }
}

}  // namespace

int main(int argc, char** argv) {
    binDir = fs::canonical("/proc/self/exe").parent_path();
    for (const auto& entry : fs::directory_iterator(DZ_EXAMPLES_DIR))
        if (entry.path().extension() == ".kpls") examples.push_back(entry.path());
    std::sort(examples.begin(), examples.end());
    char folder[] = "/tmp/dizozodidu-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("mkdtemp");
        return 1;
    }
    workDir = folder;

    benchmark::RegisterBenchmark("BM_ReportAllExamples", BM_ReportAllExamples)->Apply(configure);
    for (const fs::path& plan : examples) {
        const std::string stem = plan.stem().string();
        benchmark::RegisterBenchmark(("BM_BatchPlanToJpeg/" + stem).c_str(), BM_BatchPlanToJpeg, plan)
            ->Apply(configure);
        benchmark::RegisterBenchmark(("BM_MinimalJpeg/" + stem).c_str(), BM_MinimalJpeg, batchPictureSize(plan), stem)
            ->Apply(configure);
    }
    benchmark::RegisterBenchmark("BM_StartupToShownWindow", BM_StartupToShownWindow)->Apply(configure);
    benchmark::RegisterBenchmark("BM_StartupUntilReady", BM_StartupUntilReady)->Apply(configure);
    benchmark::RegisterBenchmark("BM_PeakMemoryFieldActions", BM_PeakMemoryFieldActions)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("BM_ResidentMemoryNewPlans", BM_ResidentMemoryNewPlans)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(workDir);
    return 0;
}
