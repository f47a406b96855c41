// Extraction of a loading-screen archive by the engine, through the unzip
// window (offscreen), and by `unzip -q` and `bsdtar -xf`, on the same archive.
//
//   zip_extract_bench [files=3000] [runs=5] [work folder=<temp>/orvane-zip-bench]
//                     [small files=40000] [zero entry GB=5]
//
// Generates three archives once: pictures of about 150 KB of mostly
// incompressible PNG-like data in sub-folders, deflated and stored, and
// `small files` entries of 2 KB where the cost per file dominates, and one
// deflated ZIP64 entry of `zero entry GB` GB of zeros (one run per method),
// whose peak memory must stay that of the 150 KB pictures. Each run
// of a method gets its own empty folder, the data written before flushed to
// disk and the archive read once just before; the methods take turns (A B C D, B C D A, ...).
// Reports median wall times, the ratios against the engine and the peak memory of each method. The
// engine and the window are timed inside their process (no start-up). Output folders are deleted
// only at the end: this file system slows down file creation for a while after mass deletion.
#include "support/BenchArchives.h"
#include "support/BenchPlatform.h"
#include "zip/ZipExtractionClass.h"

#ifdef ORVANE_BENCH_WINDOW
#include "MessageBoxes.h"
#include "UnzipArchive.h"
#include "app/ProgramState.h"

#include <QApplication>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

RunResult Wait(pid_t child, Clock::time_point start) {
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {std::chrono::duration<double>(Clock::now() - start).count(), usage.ru_maxrss,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// Runs `work` in a child process, which times it and reports the time
// through a pipe, less what `work` says was set-up, so the process's
// start-up is not counted.
RunResult RunInChild(const std::function<bool(double& setupSeconds)>& work) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const auto start = Clock::now();
        bool ok = false;
        double setup = 0;
        try {
            ok = work(setup);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count() - setup;
        ok = write(pipeEnds[1], &seconds, sizeof seconds) == sizeof seconds && ok;
        _exit(ok ? 0 : 1);
    }
    close(pipeEnds[1]);
    RunResult result = Wait(child, Clock::now());
    double seconds = 0;
    if (read(pipeEnds[0], &seconds, sizeof seconds) == sizeof seconds)
        result.seconds = seconds;
    close(pipeEnds[0]);
    return result;
}

bool ExtractWithEngine(const fs::path& archive, const fs::path& out) {
    return ExtractArchiveWhole(archive.string(), out.string());
}

#ifdef ORVANE_BENCH_WINDOW
class CountingBoxes : public MessageBoxes {
  public:
    int shown = 0;
    void Show(QWidget*, const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "window: %s\n", text.c_str());
        ++shown;
    }
    bool AskYesNo(QWidget*, const std::string&) override { return true; }
};

// The window as the unzip button shows it; making the application counts as
// set-up.
bool ExtractWithWindow(const fs::path& archive, const fs::path& out, double& setupSeconds) {
    const auto start = Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zip_extract_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    CountingBoxes boxes;
    std::string destination = out.string();
    setupSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    ProgramState program;
    return UnzipArchive(program, archive.string(), destination, false, boxes) && boxes.shown == 0;
}

#endif

RunResult RunToolInto(const std::vector<std::string>& arguments) {
    fs::create_directories(arguments.back());
    return RunTool(arguments);
}

// The peak RSS of a forked child that does nothing: every method's figure
// includes it.
long ForkedChildKilobytes() {
    return RunInChild([](double&) { return true; }).peakKilobytes;
}

using Runner = std::function<RunResult(const fs::path& archive, const fs::path& out)>;

struct Method {
    Method(std::string name, bool available, Runner run)
        : times(std::move(name), available), run(std::move(run)) {}
    MethodTimes times;
    Runner run;
};

std::vector<Method> Methods() {
    std::vector<Method> methods;
    methods.push_back({"engine", true, [](const fs::path& archive, const fs::path& out) {
                           return RunInChild(
                               [&](double&) { return ExtractWithEngine(archive, out); });
                       }});
#ifdef ORVANE_BENCH_WINDOW
    methods.push_back({"frmUnZip", true, [](const fs::path& archive, const fs::path& out) {
                           return RunInChild([&](double& setup) {
                               return ExtractWithWindow(archive, out, setup);
                           });
                       }});
#endif
    methods.push_back(
        {"unzip -q", ToolExists("unzip"), [](const fs::path& archive, const fs::path& out) {
             return RunToolInto({"unzip", "-q", archive.string(), "-d", out.string()});
         }});
    methods.push_back(
        {"bsdtar -xf", ToolExists("bsdtar"), [](const fs::path& archive, const fs::path& out) {
             return RunToolInto({"bsdtar", "-xf", archive.string(), "-C", out.string()});
         }});
    return methods;
}

void Report(const ArchiveVariant& variant, const fs::path& archive,
            const std::vector<Method>& methods, int runs) {
    const double archiveMb = static_cast<double>(fs::file_size(archive)) / 1e6;
    std::printf("\n%s archive: %d files, %.1f MB, %d runs each (alternated); "
                "a forked child that does nothing peaks at %.1f MB\n",
                variant.name.c_str(), variant.files, archiveMb, runs,
                static_cast<double>(ForkedChildKilobytes()) / 1024);
    for (const Method& method : methods)
        PrintMethodTimes(method.times, methods[0].times);
}

// Python's zipfile writes the entry in pieces, so the generator never holds
// it whole either.
void GenerateZeroEntry(const fs::path& archive, int gigabytes) {
    const std::string script =
        "import sys, zipfile\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "    with z.open('zeros.bin', 'w', force_zip64=True) as f:\n"
        "        piece = bytes(10 ** 6)\n"
        "        for _ in range(" +
        std::to_string(gigabytes) + " * 1000): f.write(piece)\n";
    const fs::path scriptPath = archive.parent_path() / "zeros.py";
    std::ofstream(scriptPath) << script;
    if (!RunTool({"python3", scriptPath.string(), archive.string()}).ok)
        throw std::runtime_error("python3 could not write " + archive.string());
}

void RunVariant(const fs::path& work, const ArchiveVariant& variant, int runs,
                const std::function<void(const fs::path&)>& generate = {}) {
    const fs::path archive = work / ("loadscr-" + variant.name + ".zip");
    if (generate)
        generate(archive);
    else
        GenerateArchive(archive, variant);
    std::vector<Method> methods = Methods();
    for (int round = 0; round < runs; ++round)
        for (std::size_t turn = 0; turn < methods.size(); ++turn) {
            const std::size_t m = (turn + static_cast<std::size_t>(round)) % methods.size();
            if (!methods[m].times.available)
                continue;
            const fs::path out =
                work / (variant.name + "-" + std::to_string(m) + "-" + std::to_string(round));
            fs::create_directories(out);
            FlushFileSystem(); // the last run's writes must not be written back during this one
            WarmUp(archive);
            const RunResult result = methods[m].run(archive, out); // before the files are counted
            methods[m].times.Record(result, CountFiles(out),
                                    static_cast<std::size_t>(variant.files), round);
        }
    Report(variant, archive, methods, runs);
}

} // namespace

int main(int argc, char** argv) {
    ShowOutputLineByLine();
    const int files = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path work =
        argc > 3 ? fs::path(argv[3])
                 : fs::temp_directory_path() / ("orvane-zip-bench-" + std::to_string(getpid()));
    const int smallFiles = argc > 4 ? std::atoi(argv[4]) : 40000;
    const int zeroGigabytes = argc > 5 ? std::atoi(argv[5]) : 5;
    fs::create_directories(work);
    std::printf("ZIP extraction benchmark (largest entry about 160 KB)\n");
    try {
        RunVariant(work, {"deflated", files, true, 140, 160}, runs);
        RunVariant(work, {"stored", files, false, 140, 160}, runs);
        if (smallFiles > 0)
            RunVariant(work, {"small", smallFiles, true, 2, 2}, runs);
        if (zeroGigabytes > 0)
            RunVariant(work, {"zeros", 1, true}, 1,
                       [&](const fs::path& archive) { GenerateZeroEntry(archive, zeroGigabytes); });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    std::printf("\ncleaning up %s\n", work.string().c_str());
    fs::remove_all(work);
    return 0;
}
