// The step timer's properties and switching. Its pace is measured by a benchmark, not here.
#include "runtimeerror.h"
#include "steptimer.h"

#include <QSignalSpy>
#include <QTest>

class TestStepTimer : public QObject {
    Q_OBJECT

private slots:
    void startsEnabledAndIdle();
    void intervalRange_data();
    void intervalRange();
    void ticksWhenEnabledWithInterval();
    void disabledNeverTicks();
    void handlerMayStopIt();
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
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 5, 2000);
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
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 1, 2000);
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
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 2000);
    QTest::qWait(30);
    QCOMPARE(ticks, 1);
}

QTEST_GUILESS_MAIN(TestStepTimer)
#include "tst_steptimer.moc"
