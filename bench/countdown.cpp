// The countdown's accuracy on the real event loop and timer: one question
// is started and left unanswered until it times out; every tick's arrival
// is measured from the moment the question appeared.

#include "common/randomsource.h"
#include "common/startup.h"
#include "game/form1.h"
#include "results/module1.h"
#include "silentplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;

    std::vector<double> errors, timeouts, drifts;
    for (int run = 0; run < runs; ++run) {
        Module1 module;
        SilentPlatform platform;
        ClockRandom random;
        // No game ends here, and no ranking file is ever written.
        Form1 form(module, platform, random, RankingLocation(QString()));
        std::vector<double> ticks;
        QElapsedTimer clock;
        // Connected after the window's own handler: the tick is measured
        // once the program has handled it.
        QObject::connect(&form.Timer1, &IntervalTimer::timeout, &app, [&] {
            ticks.push_back(clock.nsecsElapsed() / 1e6);
            if (ticks.size() == 11) {
                form.Timer1.setInterval(0); // question 2 is not measured
                app.quit();
            }
        });
        clock.start();
        form.Command1_Click();
        app.exec();
        for (std::size_t n = 0; n < ticks.size(); ++n) {
            const double error = ticks[n] - 2000.0 * double(n + 1);
            errors.push_back(std::abs(error));
        }
        // Drift: the slope of the error over the tick number, by least
        // squares; a timer that re-arms after each tick shows a slope of
        // its handling time, one that keeps its schedule shows none.
        double sn = 0, se = 0, snn = 0, sne = 0;
        const double k = double(ticks.size());
        for (std::size_t n = 0; n < ticks.size(); ++n) {
            const double x = double(n + 1), e = ticks[n] - 2000.0 * x;
            sn += x;
            se += e;
            snn += x * x;
            sne += x * e;
        }
        drifts.push_back((k * sne - sn * se) / (k * snn - sn * sn));
        timeouts.push_back(ticks.back());
        std::fprintf(stderr, "run %d: time-out at %.3f ms, tick errors (ms):", run + 1,
                     ticks.back());
        for (std::size_t n = 0; n < ticks.size(); ++n)
            std::fprintf(stderr, " %+.2f", ticks[n] - 2000.0 * double(n + 1));
        std::fprintf(stderr, "\n");
    }
    std::printf("RESULT countdown_timeout_ms %.3f\n", median(timeouts));
    std::printf("RESULT countdown_median_error_ms %.3f\n", median(errors));
    std::printf("RESULT countdown_worst_error_ms %.3f\n",
                *std::max_element(errors.begin(), errors.end()));
    std::printf("RESULT countdown_drift_ms_per_tick %.4f\n", median(drifts));
    return 0;
}
