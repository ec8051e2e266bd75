// Runs the benchmarks and prints one table: figure, zenta, baseline, ratio,
// goal. Usage: bench_driver STARTUP_ZENTA STARTUP_BASELINE COUNTDOWN [REOPEN [CLASSLOG]]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

long long monotonicNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Run
{
    std::string out;
    double peakKiB = 0;
    bool ok = false;
};

// Runs a program with QT_QPA_PLATFORM=offscreen, collecting its standard
// output and its peak resident set size; quiet drops its diagnostics.
Run run(const std::vector<std::string> &argv, bool quiet = false)
{
    Run result;
    int pipefd[2];
    if (pipe(pipefd) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipefd[0]);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
        return result;
    close(pipefd[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipefd[0], buffer, sizeof buffer)) > 0)
        result.out.append(buffer, static_cast<std::size_t>(n));
    close(pipefd[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    result.peakKiB = static_cast<double>(usage.ru_maxrss);
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

// The first three fields of /proc/loadavg.
std::string loadAverage()
{
    char buffer[128] = {};
    if (FILE *file = std::fopen("/proc/loadavg", "r")) {
        if (!std::fgets(buffer, sizeof buffer, file))
            buffer[0] = 0;
        std::fclose(file);
    }
    std::string text(buffer);
    std::size_t end = 0;
    for (int field = 0; field < 3 && end != std::string::npos; ++field)
        end = text.find(' ', end + (field ? 1 : 0));
    return end == std::string::npos ? text : text.substr(0, end);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? NAN : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Startup
{
    double ms, peakMiB;
};

bool startup(const std::string &program, Startup &out)
{
    const long long start = monotonicNs();
    const Run r = run({program}, true);
    if (!r.ok)
        return false;
    out.ms = (std::atoll(r.out.c_str()) - start) / 1e6;
    out.peakMiB = r.peakKiB / 1024.0;
    return true;
}

std::map<std::string, double> results(const std::string &out)
{
    std::map<std::string, double> values;
    std::size_t pos = 0;
    while ((pos = out.find("RESULT ", pos)) != std::string::npos) {
        char key[128];
        double value;
        if (std::sscanf(out.c_str() + pos, "RESULT %127s %lf", key, &value) == 2)
            values[key] = value;
        ++pos;
    }
    return values;
}

void row(const char *figure, const std::string &zenta, const std::string &baseline,
         const std::string &ratio, const char *goal)
{
    std::printf("| %-34s | %12s | %10s | %6s | %-22s |\n", figure, zenta.c_str(), baseline.c_str(),
                ratio.c_str(), goal);
}

std::string fmt(double v, const char *format = "%.2f")
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s STARTUP_ZENTA STARTUP_BASELINE COUNTDOWN [REOPEN [CLASSLOG]]\n",
                     argv[0]);
        return 2;
    }
    const std::string zenta = argv[1], baseline = argv[2];
    const int pairs = 20, warmup = 2;

    // Start-up times depend on what else the machine runs: say how loaded it was.
    const std::string loadBefore = loadAverage();
    std::fprintf(stderr, "start-up: %d warm-up pairs, then %d pairs, alternately\n", warmup, pairs);
    std::vector<double> zMs, zMiB, bMs, bMiB;
    for (int i = 0; i < warmup + pairs; ++i) {
        Startup z{}, b{};
        if (!startup(zenta, z) || !startup(baseline, b)) {
            std::fprintf(stderr, "a start-up probe failed\n");
            return 1;
        }
        if (i >= warmup) {
            zMs.push_back(z.ms);
            zMiB.push_back(z.peakMiB);
            bMs.push_back(b.ms);
            bMiB.push_back(b.peakMiB);
        }
    }

    std::fprintf(stderr, "countdown: 5 questions left to time out (about 2 minutes)\n");
    const Run countdown = run({argv[3], "5"});
    const auto c = results(countdown.out);
    std::map<std::string, double> r;
    if (argc > 4) {
        std::fprintf(stderr, "results window: 1000 openings\n");
        r = results(run({argv[4], "1000"}).out);
    }
    std::map<std::string, double> l;
    if (argc > 5) {
        std::fprintf(stderr, "class's log: 8,000 files, tallied five times\n");
        l = results(run({argv[5]}).out);
    }

    std::printf("load average (1, 5, 15 min) before the start-up runs: %s, after: %s\n\n",
                loadBefore.c_str(), loadAverage().c_str());
    std::printf("| %-34s | %12s | %10s | %6s | %-22s |\n", "figure", "zenta", "baseline", "ratio",
                "goal");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(14, '-').c_str(),
                std::string(12, '-').c_str(), std::string(8, '-').c_str(),
                std::string(24, '-').c_str());
    const double zm = median(zMs), bm = median(bMs), zr = median(zMiB), br = median(bMiB);
    row("start-up to first paint, median ms", fmt(zm, "%.1f"), fmt(bm, "%.1f"), fmt(zm / bm),
        "ratio <= 1.15");
    row("peak RSS at first paint, MiB", fmt(zr, "%.1f"), fmt(br, "%.1f"), fmt(zr / br),
        "ratio <= 1.15");
    auto get = [](const std::map<std::string, double> &m, const char *key) {
        const auto it = m.find(key);
        return it == m.end() ? std::string("-") : fmt(it->second, "%.3f");
    };
    row("countdown time-out, median s",
        get(c, "countdown_timeout_ms") == "-" ? "-"
                                              : fmt(c.at("countdown_timeout_ms") / 1000.0, "%.3f"),
        "", "", "22.000");
    row("countdown tick error, median ms", get(c, "countdown_median_error_ms"), "", "", "<= 5");
    row("countdown tick error, worst ms", get(c, "countdown_worst_error_ms"), "", "", "");
    row("countdown drift, ms per tick", get(c, "countdown_drift_ms_per_tick"), "", "",
        "0 (no cumulative drift)");
    if (argc > 4) {
        row("results window opening, ms", get(r, "reopen_ms_per_opening"), "", "", "");
        row("RSS growth over 1000 openings, KiB", get(r, "reopen_rss_growth_kib"), "", "",
            "< 1024");
        row("top-level widgets left over", get(r, "reopen_widgets_left"), "", "", "0");
    }
    if (argc > 5) {
        row("class's log: files tallied", get(l, "classlog_files"), "", "", "8000");
        row("class's log: tally, median ms", get(l, "classlog_tally_ms"), "", "", "< 2000");
        row("class's log: a day of 40, KiB", get(l, "classlog_day_kib"), "", "", "");
    }
    return 0;
}
