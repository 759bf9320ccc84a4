// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The step timer's properties and switching, and the clock's rules for ticks and frames, on
// given times. Its pace is measured by a benchmark, not here.
#include "frameplan.h"
#include "programclock.h"
#include "runtimeerror.h"
#include "steptimer.h"
#include "testsupport.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <vector>

class TestStepTimer : public QObject {
    Q_OBJECT

private slots:
    void startsEnabledAndIdle();
    void intervalRange_data();
    void intervalRange();
    void ticksWhenEnabledWithInterval();
    void disabledNeverTicks();
    void handlerMayStopIt();
    void dueTogetherTickInOneWakeUp();
    void nextDeadline_data();
    void nextDeadline();
    void frameSentAt_data();
    void frameSentAt();
    void oneCallPerOwnerTheFirst();
};

void TestStepTimer::startsEnabledAndIdle()
{
    StepTimer timer;
    QVERIFY(timer.Enabled());
    QCOMPARE(timer.Interval(), 0);
    QSignalSpy spy(&timer, &StepTimer::Timer);
    QTest::qWait(60);
    QCOMPARE(spy.count(), 0);
}

void TestStepTimer::intervalRange_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << 0 << true;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("65535") << 65535 << true;
    QTest::newRow("65536") << 65536 << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("most negative") << int(-2147483647 - 1) << false;
}

void TestStepTimer::intervalRange()
{
    QFETCH(int, interval);
    QFETCH(bool, accepted);
    StepTimer timer;
    timer.setInterval(7);
    try {
        timer.setInterval(interval);
        QVERIFY(accepted);
        QCOMPARE(timer.Interval(), interval);
    } catch (const RuntimeError &e) {
        QVERIFY(!accepted);
        QCOMPARE(e.kind(), ErrorKind::InvalidPropertyValue);
        QCOMPARE(timer.Interval(), 7); // a refused value leaves the interval as it was
    }
}

void TestStepTimer::ticksWhenEnabledWithInterval()
{
    StepTimer timer;
    QSignalSpy spy(&timer, &StepTimer::Timer);
    timer.setInterval(2);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 5, kPatienceMs);
    timer.setInterval(0);
    const int count = spy.count();
    QTest::qWait(30);
    QCOMPARE(spy.count(), count);
}

void TestStepTimer::disabledNeverTicks()
{
    StepTimer timer;
    QSignalSpy spy(&timer, &StepTimer::Timer);
    timer.setEnabled(false);
    timer.setInterval(1);
    QTest::qWait(40);
    QCOMPARE(spy.count(), 0);
    timer.setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 1, kPatienceMs);
}

void TestStepTimer::handlerMayStopIt()
{
    StepTimer timer;
    int ticks = 0;
    connect(&timer, &StepTimer::Timer, &timer, [&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setInterval(1);
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, kPatienceMs);
    QTest::qWait(30);
    QCOMPARE(ticks, 1);
}

// Two timers at the same short interval, started at different moments, tick in the same
// wake-ups of the program: a wake-up ends when control is back in the event loop, where a
// queued call runs.
void TestStepTimer::dueTogetherTickInOneWakeUp()
{
    int wakeUp = 0;
    bool closing = false;
    const auto record = [&](std::vector<int> &into) {
        into.push_back(wakeUp);
        if (!closing) {
            closing = true;
            QTimer::singleShot(0, this, [&] {
                ++wakeUp;
                closing = false;
            });
        }
    };
    StepTimer first;
    StepTimer second;
    std::vector<int> firstTicks;
    std::vector<int> secondTicks;
    connect(&first, &StepTimer::Timer, this, [&] { record(firstTicks); });
    connect(&second, &StepTimer::Timer, this, [&] { record(secondTicks); });
    // A real event loop: QTest::qWait sleeps between its rounds, which would join the ticks.
    const auto run = [](int milliseconds) {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    };
    first.setInterval(10);
    run(3);
    second.setInterval(10);
    run(300);
    first.setInterval(0);
    second.setInterval(0);
    QVERIFY(secondTicks.size() >= 10);
    const auto alone = std::count_if(secondTicks.begin(), secondTicks.end(), [&](int w) {
        return std::find(firstTicks.begin(), firstTicks.end(), w) == firstTicks.end();
    });
    // The very first tick may fall one interval apart when the two starts straddle the grid,
    // and a loaded machine may part the timers once when it resynchronises them.
    QVERIFY2(alone <= 2,
             qPrintable(QStringLiteral("%1 of %2 ticks alone").arg(alone).arg(secondTicks.size())));
}

void TestStepTimer::nextDeadline_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("handledAfterMs"); // after the deadline that was due
    QTest::addColumn<int>("nextAfterMs");    // the next deadline, after that same deadline
    QTest::newRow("on time") << 10 << 0 << 10;
    QTest::newRow("late handler: no drift") << 10 << 7 << 10;
    QTest::newRow("a tick behind: catch up") << 10 << 25 << 10;
    QTest::newRow("at the limit: catch up") << 10 << 40 << 10;
    QTest::newRow("held up: resynchronise") << 10 << 200 << 210;
    QTest::newRow("held up off the grid: back on it") << 10 << 203 << 220;
    QTest::newRow("1 ms, 30 ms limit: catch up") << 1 << 31 << 1;
    QTest::newRow("1 ms, held up") << 1 << 100 << 101;
    QTest::newRow("long interval, limit three of them") << 100 << 350 << 100;
    QTest::newRow("long interval, held up") << 100 << 500 << 600;
}

void TestStepTimer::nextDeadline()
{
    QFETCH(int, interval);
    QFETCH(int, handledAfterMs);
    QFETCH(int, nextAfterMs);
    const StepTimer::Clock::time_point due{std::chrono::seconds(1000)};
    const auto now = due + std::chrono::milliseconds(handledAfterMs);
    QCOMPARE(StepTimer::nextDeadline(due, now, interval) - due,
             std::chrono::milliseconds(nextAfterMs));
}

void TestStepTimer::frameSentAt_data()
{
    // Milliseconds; -1 for no frame yet.
    QTest::addColumn<double>("lastFrame");
    QTest::addColumn<double>("askedAt");
    QTest::addColumn<QList<double>>("wakeUps"); // the clock's wake-ups for ticks
    QTest::addColumn<double>("sentAt");
    QTest::newRow("no frame yet: at once") << -1.0 << 5.0 << QList<double>{10} << 5.0;
    QTest::newRow("a whole frame since the last: at once")
        << 0.0 << 20.0 << QList<double>{30} << 20.0;
    QTest::newRow("mid-frame: the first tick after the frame")
        << 0.0 << 5.0 << QList<double>{10, 20, 30} << 20.0;
    QTest::newRow("mid-frame, no tick: one frame after the frame at the latest")
        << 0.0 << 5.0 << QList<double>{} << 2 * 16.666667;
    QTest::newRow("mid-frame, ticks too late: the latest")
        << 0.0 << 5.0 << QList<double>{40} << 2 * 16.666667;
}

// The clock wakes for each tick and at the frame's deadline; each wake-up sends the frame if a
// frame has passed since the last.
void TestStepTimer::frameSentAt()
{
    QFETCH(double, lastFrame);
    QFETCH(double, askedAt);
    QFETCH(QList<double>, wakeUps);
    QFETCH(double, sentAt);
    const auto at = [](double ms) {
        return FramePlan::Time{} + std::chrono::seconds(1000) +
               std::chrono::round<std::chrono::nanoseconds>(
                   std::chrono::duration<double, std::milli>(ms));
    };
    FramePlan plan;
    if (lastFrame >= 0)
        plan.sent(at(lastFrame));
    plan.ask(at(askedAt));
    std::vector<FramePlan::Time> wakes;
    for (const double ms : wakeUps)
        wakes.push_back(at(ms));
    QVERIFY(plan.deadline());
    wakes.push_back(*plan.deadline());
    std::sort(wakes.begin(), wakes.end());
    const auto sent = std::find_if(wakes.begin(), wakes.end(), [&](FramePlan::Time t) {
        return t >= at(askedAt) && plan.frameOver(t);
    });
    QVERIFY(sent != wakes.end());
    QCOMPARE(std::chrono::round<std::chrono::microseconds>(*sent - at(0)).count(),
             std::chrono::round<std::chrono::microseconds>(at(sentAt) - at(0)).count());
}

// A window that asks again before its frame is called once, with what it asked first.
void TestStepTimer::oneCallPerOwnerTheFirst()
{
    QObject owner;
    QStringList calls;
    ProgramClock::sendWithNextFrame(&owner, [&] { calls.append(QStringLiteral("first")); });
    ProgramClock::sendWithNextFrame(&owner, [&] { calls.append(QStringLiteral("second")); });
    ProgramClock::sendFrameNow();
    QCOMPARE(calls, QStringList{QStringLiteral("first")});
}

QTEST_GUILESS_MAIN(TestStepTimer)
#include "tst_steptimer.moc"
