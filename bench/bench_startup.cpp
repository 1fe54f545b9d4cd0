// Start-up: process start to the main window's first paint on the offscreen platform,
// and peak memory, for Orvalis and for three plain Qt programs: a dialog with the same
// kinds of widgets (the fair floor), an empty dialog and a dialog with one label.
#include "BenchTiming.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double firstPaintMs = -1;
    long peakKb = 0;
};

Run Start(const std::string& program, const char* argument = nullptr) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::exit(2);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0)
            dup2(quiet, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    Run run;
    char byte = 0;
    if (read(pipeFds[0], &byte, 1) == 1) {
        run.firstPaintMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakKb = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || run.firstPaintMs < 0) {
        std::fprintf(stderr, "%s did not start and end cleanly\n", program.c_str());
        std::exit(1);
    }
    return run;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const int runs = 21;
    std::vector<double> oursMs, baseMs, textMs, widgetsMs, oursKb, baseKb, textKb, widgetsKb;
    Start(dir + "/startup_orvalis"); // warm the file cache for all of them
    Start(dir + "/startup_baseline");
    Start(dir + "/startup_widgets");
    for (int i = 0; i < runs; ++i) {
        const Run ours = Start(dir + "/startup_orvalis");
        const Run base = Start(dir + "/startup_baseline");
        const Run text = Start(dir + "/startup_baseline", "--text");
        const Run widgets = Start(dir + "/startup_widgets");
        oursMs.push_back(ours.firstPaintMs);
        baseMs.push_back(base.firstPaintMs);
        textMs.push_back(text.firstPaintMs);
        widgetsMs.push_back(widgets.firstPaintMs);
        oursKb.push_back(static_cast<double>(ours.peakKb));
        baseKb.push_back(static_cast<double>(base.peakKb));
        textKb.push_back(static_cast<double>(text.peakKb));
        widgetsKb.push_back(static_cast<double>(widgets.peakKb));
    }
    // The fair floor: a Qt dialog with the same kinds of widgets and icons.
    ReportRatio("start to first paint", Median(oursMs), Median(widgetsMs), "ms", 1.15);
    ReportRatio("peak memory", Median(oursKb) / 1024.0, Median(widgetsKb) / 1024.0, "MiB", 1.1);
    // The least any Qt window costs: an empty dialog, which never loads a font, and one
    // with a label.
    ReportRatio("  vs an empty dialog", Median(oursMs), Median(baseMs), "ms");
    ReportRatio("  peak memory vs that dialog", Median(oursKb) / 1024.0, Median(baseKb) / 1024.0,
                "MiB");
    ReportRatio("  vs a dialog with one label", Median(oursMs), Median(textMs), "ms");
    ReportRatio("  peak memory vs that dialog", Median(oursKb) / 1024.0, Median(textKb) / 1024.0,
                "MiB");
    return 0;
}
