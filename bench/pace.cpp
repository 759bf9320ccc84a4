// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Timing fidelity: both simulator windows running together offscreen for SECONDS with the
// interval INTERVAL ms. Prints per window "NAME delivered/asked p99-period-ms".
//   pace INTERVAL SECONDS
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "singlependulum.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Recorder {
    std::vector<Clock::time_point> ticks;
    void report(const char *name, int interval, double seconds) const
    {
        std::vector<double> periods;
        for (std::size_t i = 1; i < ticks.size(); ++i)
            periods.push_back(
                std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count());
        std::sort(periods.begin(), periods.end());
        const double p99 = periods.empty() ? 0.0 : periods[periods.size() * 99 / 100];
        const double asked = seconds * 1000.0 / interval;
        std::printf("%s %.4f %.3f\n", name, double(ticks.size()) / asked, p99);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: pace INTERVAL SECONDS\n", stderr);
        return 2;
    }
    const int interval = std::stoi(argv[1]);
    const double seconds = std::stod(argv[2]);
    // Offscreen, unless the caller names a platform (in the browser, the browser's own).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    SinglePendulum single;
    DoublePendulum twin;
    frmSingle simple(single);
    frmDouble doubled(twin);
    simple.show();
    doubled.show();
    doubled.Check1->setChecked(true);
    const QString text = QString::number(interval);
    simple.Text1->setText(text);
    doubled.Text9->setText(text);
    Recorder singleTicks, doubleTicks;
    QObject::connect(&simple.Timer1, &StepTimer::Timer,
                     [&] { singleTicks.ticks.push_back(Clock::now()); });
    QObject::connect(&doubled.Timer1, &StepTimer::Timer,
                     [&] { doubleTicks.ticks.push_back(Clock::now()); });
    // The clock is measured once the windows have shown and drawn themselves: in the browser
    // the first frame (the fonts' first glyphs among it) holds the page for a tenth of a second.
    Clock::time_point start;
    QTimer::singleShot(500, &app, [&] {
        start = Clock::now();
        simple.Command1->click();
        doubled.Command1->click();
        // Reported before the event loop is left: in the browser exec() never returns.
        QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &app, [&] {
            // Asked for: as many ticks as fit into the time the windows really ran.
            const double ran = std::chrono::duration<double>(Clock::now() - start).count();
            singleTicks.report("single", interval, ran);
            doubleTicks.report("double", interval, ran);
            std::fflush(stdout);
            QApplication::quit();
        });
    });
    return app.exec();
}
