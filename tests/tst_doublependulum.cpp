// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The double pendulum's integrator against the worked examples and its edge cases.
#include "doublependulum.h"
#include "runtimeerror.h"
#include "testsupport.h"

#include <QTest>

#include <cmath>

namespace {

// The window's design values, with the names the tests change.
struct Parameters : DoubleParameters {
    Parameters() : DoubleParameters(kDoubleDesignParameters) {}
};

} // namespace

Q_DECLARE_METATYPE(Parameters)

namespace {

DoublePendulum started(const Parameters &p = {})
{
    DoublePendulum d;
    d.ResetSlots();
    d.InitArms(p);
    return d;
}

// The numeric part of a tick: time, step, swap.
void tick(DoublePendulum &d)
{
    d.AddTimeStep();
    d.AdvanceArms();
    d.SwapSlots();
}

// Equal to six significant digits.
bool sixDigits(double actual, double expected)
{
    return std::fabs(actual - expected) <= 0.5e-5 * std::fabs(expected) * 1.0000001 ||
           QString::number(actual, 'g', 6) == QString::number(expected, 'g', 6);
}

} // namespace

class TestDoublePendulum : public QObject {
    Q_OBJECT

private slots:
    void initArms();
    void workedExamples_data();
    void workedExamples();
    void elapsedTime_data();
    void elapsedTime();
    void restAtZeroAngles();
    void damping_data();
    void damping();
    void slotsAlternate();
    void stepFailures_data();
    void stepFailures();
    void subscriptChecked();
};

void TestDoublePendulum::initArms()
{
    const DoublePendulum d = started();
    QCOMPARE(d.massRatio.value(), 0.5);
    QCOMPARE(d.lenRatio.value(), 1.0);
    QCOMPARE(d.gOverLenA.value(), 98.0);
    QCOMPARE(d.gOverLenB.value(), 98.0);
    QCOMPARE(d.armA[1].theta.value(), 30 * 3.14159265358979 / 180);
    QVERIFY(sixDigits(d.armA[1].theta.value(), 0.523599));
    QVERIFY(sixDigits(d.armB[1].theta.value(), 0.174533));
    QVERIFY(sixDigits(d.armA[1].x.value(), 0.05));
    QVERIFY(sixDigits(d.armA[1].y.value(), 0.0866025));
    QVERIFY(sixDigits(d.armB[1].x.value(), 0.0673648));
    QVERIFY(sixDigits(d.armB[1].y.value(), 0.185083));
    QCOMPARE(d.curSlot, std::int16_t(0));
    QCOMPARE(d.prevSlot, std::int16_t(1));
    QCOMPARE(d.elapsedTime.value(), 0.0);

    Parameters second;
    second.lenB = 0.2;
    second.massB = 0.01;
    const DoublePendulum e = started(second);
    QVERIFY(sixDigits(e.massRatio.value(), 0.333333));
    QCOMPARE(e.lenRatio.value(), 2.0);
    QCOMPARE(e.gOverLenB.value(), 49.0);
    QVERIFY(sixDigits(e.armB[1].x.value(), 0.0847296));
    QVERIFY(sixDigits(e.armB[1].y.value(), 0.283564));
}

void TestDoublePendulum::workedExamples_data()
{
    QTest::addColumn<bool>("second");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QList<double>>("a"); // dOmega, omega, theta, x, y of the upper arm
    QTest::addColumn<QList<double>>("b"); // likewise of the lower arm
    QTest::newRow("defaults, tick 1")
        << false << 1 << QList<double>{-0.367101, -0.366954, 0.521764, 0.0498410, 0.0866941}
        << QList<double>{-0.0850876, -0.0850536, 0.174108, 0.0671640, 0.185182};
    QTest::newRow("defaults, tick 2")
        << false << 2 << QList<double>{-0.366343, -0.733004, 0.518099, 0.0495230, 0.0868762}
        << QList<double>{0.260486, 0.175362, 0.174984, 0.0669322, 0.185349};
    QTest::newRow("defaults, tick 200")
        << false << 200 << QList<double>{0.167423, 1.86981, 0.0443675, 0.00443529, 0.0999016}
        << QList<double>{-0.324549, -8.42878, 0.233561, 0.0275797, 0.197186};
    QTest::newRow("second, tick 1") << true << 1 << QList<double>{-0.328309, -0.328177, 0.521958}
                                    << QList<double>{-0.0212719, -0.0212634, 0.174427};
    QTest::newRow("second, tick 2") << true << 2 << QList<double>{-0.327557, -0.655472, 0.518681}
                                    << QList<double>{0.133173, 0.111865, 0.174986};
}

void TestDoublePendulum::workedExamples()
{
    QFETCH(bool, second);
    QFETCH(int, ticks);
    QFETCH(QList<double>, a);
    QFETCH(QList<double>, b);
    Parameters p;
    if (second) {
        p.lenB = 0.2;
        p.massB = 0.01;
    }
    DoublePendulum d = started(p);
    for (int i = 0; i < ticks; ++i)
        tick(d);
    // The newest state is in slot 0 after odd ticks and in slot 1 after even ones.
    const std::int16_t newest = ticks % 2 ? 0 : 1;
    QCOMPARE(d.prevSlot, newest);
    const auto check = [](const ArmState &arm, const QList<double> &expected) {
        const double actual[] = {arm.dOmega.value(), arm.omega.value(), arm.theta.value(),
                                 arm.x.value(), arm.y.value()};
        for (qsizetype i = 0; i < expected.size(); ++i)
            if (!sixDigits(actual[i], expected[i]))
                return QStringLiteral("field %1: %2, not %3")
                    .arg(i)
                    .arg(actual[i], 0, 'g', 9)
                    .arg(expected[i]);
        return QString();
    };
    QCOMPARE(check(d.armA[newest], a), QString());
    QCOMPARE(check(d.armB[newest], b), QString());
}

void TestDoublePendulum::elapsedTime_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<double>("elapsed");
    QTest::newRow("1") << 1 << 0.005;
    QTest::newRow("200") << 200 << 1.0000000000000007;
    QTest::newRow("1000") << 1000 << 4.999999999999916;
}

void TestDoublePendulum::elapsedTime()
{
    QFETCH(int, ticks);
    QFETCH(double, elapsed);
    DoublePendulum d = started();
    for (int i = 0; i < ticks; ++i)
        tick(d);
    QCOMPARE(d.elapsedTime.value(), elapsed);
    // A stored result after many steps: an accidental change to the integrator shows here.
    if (ticks == 1000)
        QCOMPARE(bitsOf(d.armB[d.prevSlot].theta.value()), bitsOf(0.029593116861085653));
}

void TestDoublePendulum::restAtZeroAngles()
{
    Parameters p;
    p.startAngleA = p.startAngleB = 0;
    DoublePendulum d = started(p);
    for (int i = 0; i < 50; ++i) {
        tick(d);
        for (const ArmSlots *arm : {&d.armA, &d.armB}) {
            const ArmState &s = (*arm)[d.prevSlot];
            QCOMPARE(s.dOmega.value(), 0.0);
            QCOMPARE(s.omega.value(), 0.0);
            QCOMPARE(s.theta.value(), 0.0);
        }
    }
    QCOMPARE(d.armA[d.prevSlot].x.value(), 0.0);
    QCOMPARE(d.armA[d.prevSlot].y.value(), 0.1);
    QCOMPARE(d.armB[d.prevSlot].y.value(), 0.2);
    QVERIFY(sixDigits(d.elapsedTime.value(), 0.25));
}

void TestDoublePendulum::damping_data()
{
    QTest::addColumn<double>("damping");
    QTest::newRow("0") << 0.0;
    QTest::newRow("1") << 1.0;
}

void TestDoublePendulum::damping()
{
    QFETCH(double, damping);
    Parameters p;
    p.damping = damping;
    DoublePendulum d = started(p);
    for (int i = 1; i <= 20; ++i) {
        const ArmState a0 = d.armA[d.prevSlot], b0 = d.armB[d.prevSlot];
        tick(d);
        const ArmState &a = d.armA[d.prevSlot], &b = d.armB[d.prevSlot];
        if (damping == 0.0) {
            QCOMPARE(a.omega.value(), a.dOmega.value() + a0.omega.value());
            QCOMPARE(b.omega.value(), b.dOmega.value() + b0.omega.value());
            continue;
        }
        QCOMPARE(a.omega.value(), 0.0);
        QCOMPARE(b.omega.value(), 0.0);
        QCOMPARE(a.theta.value(), 30 * 3.14159265358979 / 180);
        QCOMPARE(b.theta.value(), 10 * 3.14159265358979 / 180);
        QVERIFY(sixDigits(a.dOmega.value(), -0.367101));
        QVERIFY(sixDigits(b.dOmega.value(), i == 1 ? -0.0850876 : 0.259875));
    }
}

void TestDoublePendulum::slotsAlternate()
{
    DoublePendulum d = started();
    for (int i = 1; i <= 6; ++i) {
        const std::int16_t written = d.curSlot;
        tick(d);
        QCOMPARE(d.prevSlot, written);
        QCOMPARE(d.prevSlot, std::int16_t(i % 2 ? 0 : 1));
        QCOMPARE(d.curSlot, std::int16_t(1 - d.prevSlot));
    }
    for (const ArmSlots *arm : {&d.armA, &d.armB}) {
        const ArmState &unused = (*arm)[2];
        for (double v : {unused.dOmega.value(), unused.omega.value(), unused.dTheta.value(),
                         unused.theta.value(), unused.x.value(), unused.y.value()})
            QCOMPARE(v, 0.0);
    }
    // Run again: slot 1 is the start state, the time starts afresh.
    d.InitArms(Parameters());
    QCOMPARE(d.prevSlot, std::int16_t(1));
    QCOMPARE(d.elapsedTime.value(), 0.0);
    tick(d);
    QVERIFY(sixDigits(d.armA[0].dOmega.value(), -0.367101));
}

void TestDoublePendulum::stepFailures_data()
{
    QTest::addColumn<Parameters>("p");
    QTest::addColumn<bool>("atInit");
    QTest::addColumn<int>("kind");
    Parameters p;
    p.lenA = 0;
    QTest::newRow("lenA 0") << p << true << int(ErrorKind::DivisionByZero);
    p = {};
    p.lenB = 0;
    QTest::newRow("lenB 0") << p << true << int(ErrorKind::DivisionByZero);
    p.gravity = 0;
    QTest::newRow("lenB 0, gravity 0") << p << true << int(ErrorKind::InvalidOperation);
    p = {};
    p.massA = p.massB = 0;
    QTest::newRow("no mass") << p << true << int(ErrorKind::InvalidOperation);
    p = {};
    p.startAngleA = 1e308;
    QTest::newRow("angle overflows") << p << true << int(ErrorKind::Overflow);
    p = {};
    p.timeStep = 0;
    QTest::newRow("timeStep 0") << p << false << int(ErrorKind::InvalidOperation);
    p = {};
    p.massA = 0;
    p.startAngleB = 30;
    QTest::newRow("singular, numerator 0") << p << false << int(ErrorKind::InvalidOperation);
    p.lenB = 0.2;
    QTest::newRow("singular denominator") << p << false << int(ErrorKind::DivisionByZero);
}

void TestDoublePendulum::stepFailures()
{
    QFETCH(Parameters, p);
    QFETCH(bool, atInit);
    QFETCH(int, kind);
    DoublePendulum d;
    d.ResetSlots();
    const auto init = [&] { d.InitArms(p); };
    if (atInit) {
        QCOMPARE(errorOf(init), std::optional(ErrorKind(kind)));
        return;
    }
    init();
    QCOMPARE(errorOf([&] { tick(d); }), std::optional(ErrorKind(kind)));
    if (p.timeStep == 0) { // the upper arm was written before the lower arm failed
        QCOMPARE(d.armA[0].theta.value(), d.armA[1].theta.value());
        QCOMPARE(d.elapsedTime.value(), 0.0);
    }
}

void TestDoublePendulum::subscriptChecked()
{
    DoublePendulum d = started();
    const std::optional subscript = ErrorKind::SubscriptOutOfRange;
    QCOMPARE(errorOf([&] { d.armA[3]; }), subscript);
    QCOMPARE(errorOf([&] { d.armB[-1]; }), subscript);
    d.curSlot = 3;
    QCOMPARE(errorOf([&] { d.AdvanceArms(); }), subscript);
}

QTEST_APPLESS_MAIN(TestDoublePendulum)
#include "tst_doublependulum.moc"
