// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// core_in_app: a model's step time in this process before it starts Qt, over its step time
// once QApplication runs and both simulator windows are shown and have handled their events.
// Prints "single RATIO ALONE-NS INSIDE-NS" and the same for "double": a ratio of 1 means the
// model runs as fast inside the program as alone.
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "singlependulum.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Nanoseconds a step, the fastest of several timed runs: what the code costs when nothing else
// on this shared machine gets in the way.
template <typename Step> double stepTime(Step step)
{
    constexpr int kSteps = 200000;
    std::vector<double> runs;
    for (int run = 0; run < 9; ++run) {
        const auto start = Clock::now();
        for (int i = 0; i < kSteps; ++i)
            step();
        runs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                       kSteps);
    }
    return *std::min_element(runs.begin(), runs.end());
}

double singleStep()
{
    SinglePendulum p;
    p.gravity = 0.98;
    p.timeStep = 1.0;
    p.rodLength = 100.0;
    p.theta = 1.5707963267949;
    return stepTime([&p] { p.Step(); });
}

double doubleStep()
{
    DoublePendulum d;
    d.ResetSlots();
    d.InitArms(kDoubleDesignParameters);
    return stepTime([&d] {
        d.AddTimeStep();
        d.AdvanceArms();
        d.SwapSlots();
    });
}

} // namespace

int main(int, char **argv)
{
    const double plainSingle = singleStep();
    const double plainDouble = doubleStep();

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    SinglePendulum single;
    DoublePendulum twin;
    frmSingle simple(single);
    frmDouble doubled(twin);
    simple.show();
    doubled.show();
    simple.Command1->click();
    doubled.Command1->click();
    QTest::qWait(300); // both windows ticking and painting
    simple.Command2->click();
    doubled.Command2->click();
    QTest::qWait(50);

    const double inAppSingle = singleStep();
    const double inAppDouble = doubleStep();
    std::printf("single %.3f %.1f %.1f\n", plainSingle / inAppSingle, plainSingle, inAppSingle);
    std::printf("double %.3f %.1f %.1f\n", plainDouble / inAppDouble, plainDouble, inAppDouble);
    return 0;
}
