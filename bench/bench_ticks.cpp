// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Micro-benchmarks: one timer tick of each real window offscreen (the step, the complete
// redraw into the canvas image and its asking for the next frame), and the models alone.
// Run under QT_SCALE_FACTOR=2 for a canvas of two device pixels a logical pixel.
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "singlependulum.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_TickSingle(benchmark::State &run)
{
    SinglePendulum state;
    frmSingle window(state);
    window.show();
    window.Command1->click();
    window.Command2->click();
    for (auto _ : run)
        window.Timer1.tick();
}
BENCHMARK(BM_TickSingle);

void tickDouble(benchmark::State &run, bool trail)
{
    DoublePendulum state;
    frmDouble window(state);
    window.show();
    window.Check1->setChecked(trail);
    window.Command1->click();
    window.Command2->click();
    for (auto _ : run)
        window.Timer1.tick();
}

void BM_TickDouble(benchmark::State &run) { tickDouble(run, false); }
BENCHMARK(BM_TickDouble);

void BM_TickDoubleTrail(benchmark::State &run) { tickDouble(run, true); }
BENCHMARK(BM_TickDoubleTrail);

void BM_CoreSingle(benchmark::State &run)
{
    SinglePendulum p;
    p.gravity = 0.98;
    p.timeStep = 1.0;
    p.rodLength = 100.0;
    p.damping = 0.0;
    p.theta = 1.5707963267949;
    for (auto _ : run) {
        p.Step();
        benchmark::DoNotOptimize(p.theta);
    }
    run.SetItemsProcessed(run.iterations());
}
BENCHMARK(BM_CoreSingle);

void BM_CoreDouble(benchmark::State &run)
{
    DoublePendulum d;
    d.ResetSlots();
    d.InitArms(kDoubleDesignParameters);
    for (auto _ : run) {
        d.AddTimeStep();
        d.AdvanceArms();
        d.SwapSlots();
        benchmark::DoNotOptimize(d.prevSlot);
    }
    run.SetItemsProcessed(run.iterations());
}
BENCHMARK(BM_CoreDouble);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
