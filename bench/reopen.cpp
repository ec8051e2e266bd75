// Opening the results window again and again: the list command opens it,
// "戻る" closes it, through the real handlers. Prints the time per opening,
// the growth of the resident set and the top-level widgets left over.

#include "common/randomsource.h"
#include "common/startup.h"
#include "game/form1.h"
#include "results/form3.h"
#include "results/module1.h"
#include "silentplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

long rssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

Form3 *openResults(Form1 &form)
{
    form.m1c_Click();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *results = qobject_cast<Form3 *>(w); results && results->isVisible())
            return results;
    return nullptr;
}

void closeResults(Form3 *results)
{
    results->Command1_Click();
    // The window deletes itself once control is back in the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app);
    const int openings = argc > 1 ? std::atoi(argv[1]) : 1000;

    QTemporaryDir folder;
    Module1 module;
    SilentPlatform platform;
    ClockRandom random;
    Form1 form(module, platform, random, RankingLocation(folder.path()));
    form.show();
    QCoreApplication::processEvents();

    // Warm up: fonts, styles and the allocator's pools.
    for (int i = 0; i < 50; ++i)
        closeResults(openResults(form));
    const qsizetype widgetsBefore = QApplication::topLevelWidgets().size();
    const long rssBefore = rssKiB();

    qsizetype widgetsLeft = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < openings; ++i) {
        Form3 *results = openResults(form);
        if (!results) {
            std::fprintf(stderr, "the results window did not open\n");
            return 1;
        }
        closeResults(results);
        widgetsLeft = std::max(widgetsLeft, QApplication::topLevelWidgets().size() - widgetsBefore);
    }
    const double ms = clock.nsecsElapsed() / 1e6 / openings;
    const long rssAfter = rssKiB();

    std::printf("RESULT reopen_ms_per_opening %.3f\n", ms);
    std::printf("RESULT reopen_rss_growth_kib %ld\n", rssAfter - rssBefore);
    std::printf("RESULT reopen_widgets_left %lld\n", static_cast<long long>(widgetsLeft));
    return 0;
}
