// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Soak: many ticks of each model with random valid parameters, and of each real window
// offscreen (the double one with the trail on): no crash and resident memory that does not
// grow. PENDULUM_SOAK_TICKS sets the model ticks (100 000 by default; the windows get a tenth).
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "handlerguard.h"
#include "runtimeerror.h"
#include "singlependulum.h"

#include <QTest>

#include <random>
#ifdef _WIN32
#include <windows.h>
// (after windows.h, whose types it uses)
#include <psapi.h>
#else
#include <fstream>
#include <unistd.h>
#endif

namespace {

long soakTicks()
{
    const QByteArray env = qgetenv("PENDULUM_SOAK_TICKS");
    return env.isEmpty() ? 100000 : env.toLong();
}

// Resident memory in bytes; on Windows, the private memory.
long residentBytes()
{
#ifdef _WIN32
    // The commit charge, the memory private to the process: its working set also counts the
    // pages of the DLLs' code, which come in as code runs for the first time.
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return long(counters.PagefileUsage);
#else
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
#endif
}

#ifdef _WIN32
// The heap commits memory a megabyte at a time (measured under Wine: a growth of exactly
// 1 048 576 bytes in about one run of fifteen), so one more block is no leak.
constexpr long kGrowthLimit = 2 * 1024 * 1024;
#else
constexpr long kGrowthLimit = 1024 * 1024;
#endif

// AddressSanitizer holds freed memory in quarantine, so resident memory says nothing there;
// that build looks for crashes and sanitizer findings only.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasureMemory = false;
#else
constexpr bool kMeasureMemory = true;
#endif

// Verifies that memory grew by less than the limit since base, saying by how much it grew.
#define VERIFY_GREW_LITTLE(base)                                                                   \
    do {                                                                                           \
        const long growth = residentBytes() - (base);                                              \
        QVERIFY2(!kMeasureMemory || growth < kGrowthLimit,                                         \
                 qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));                      \
    } while (false)

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void singleModel();
    void doubleModel();
    void windows();
};

void TestSoak::singleModel()
{
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    SinglePendulum p;
    const long ticks = soakTicks();
    long base = 0;
    for (long n = 0; n < ticks; ++n) {
        if (n % 10000 == 0) { // new random valid parameters
            p.gravity = 0.1 + 20 * unit(random);
            p.timeStep = 0.01 + unit(random);
            p.rodLength = 10 + 290 * unit(random);
            p.damping = 0.01 * unit(random);
            p.theta = (unit(random) - 0.5) * 6.28;
            p.omega = 0.0;
        }
        p.Step();
        QVERIFY(std::isfinite(p.theta.value()) && std::isfinite(p.omega.value()));
        if (n == 1000)
            base = residentBytes();
    }
    VERIFY_GREW_LITTLE(base);
}

void TestSoak::doubleModel()
{
    std::mt19937_64 random(2);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    DoublePendulum d;
    d.ResetSlots();
    const long ticks = soakTicks();
    long base = 0, errors = 0;
    bool fresh = true;
    for (long n = 0; n < ticks; ++n) {
        if (fresh || n % 10000 == 0) {
            d.InitArms({.lenA = 0.05 + 0.2 * unit(random),
                        .lenB = 0.05 + 0.2 * unit(random),
                        .massA = 0.005 + 0.05 * unit(random),
                        .massB = 0.005 + 0.05 * unit(random),
                        .startAngleA = 180 * (unit(random) - 0.5),
                        .startAngleB = 180 * (unit(random) - 0.5),
                        .gravity = 1 + 15 * unit(random),
                        .timeStep = 0.001 + 0.005 * unit(random),
                        .damping = 0.001 * unit(random)});
            fresh = false;
        }
        try {
            d.AddTimeStep();
            d.AdvanceArms();
            d.SwapSlots();
        } catch (const RuntimeError &) {
            // A chaotic swing may grow beyond the double range; that is a typed error.
            ++errors;
            fresh = true;
        }
        if (n == 1000)
            base = residentBytes();
    }
    VERIFY_GREW_LITTLE(base);
    QVERIFY(errors < ticks / 100);
}

void TestSoak::windows()
{
    SinglePendulum single;
    DoublePendulum twin;
    frmSingle simple(single);
    frmDouble doubled(twin);
    simple.show();
    doubled.show();
    doubled.Check1->setChecked(true);
    simple.Command1->click();
    doubled.Command1->click();
    simple.Command2->click();
    doubled.Command2->click();
    const long ticks = soakTicks() / 10;
    long base = 0;
    for (long n = 0; n < ticks; ++n) {
        simple.Timer1.tick();
        doubled.Timer1.tick();
        if (n % 1000 == 0)
            QCoreApplication::processEvents(); // let the screen updates through
        if (n == 1000)
            base = residentBytes();
    }
    // Measured as the base was, with no screen update pending.
    QCoreApplication::processEvents();
    VERIFY_GREW_LITTLE(base);
    QVERIFY(!doubled.Label17->text().isEmpty());
    QVERIFY(!openRuntimeError(&simple) && !openRuntimeError(&doubled));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
