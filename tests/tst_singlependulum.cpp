// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The simple pendulum's step and click placement against worked values.
#include "runtimeerror.h"
#include "singlependulum.h"
#include "testsupport.h"

#include <QTest>

#include <cmath>

namespace {

// What Run makes of the default fields.
SinglePendulum defaults()
{
    SinglePendulum p;
    p.gravity = 0.98;
    p.timeStep = 1.0;
    p.rodLength = 100.0;
    p.damping = 0.001;
    p.theta = 1.5707963267949;
    p.omega = 0.0;
    return p;
}

} // namespace

class TestSinglePendulum : public QObject {
    Q_OBJECT

private slots:
    void workedExample_data();
    void workedExample();
    void damping_data();
    void damping();
    void zeroRodLength();
    void placement_data();
    void placement();
    void bobPosition();
};

void TestSinglePendulum::workedExample_data()
{
    QTest::addColumn<int>("tick");
    QTest::addColumn<double>("theta");
    QTest::addColumn<double>("omega");
    // The values to the digits worked out by hand, and beyond them the bits this step gives.
    QTest::newRow("tick 1") << 1 << 1.5707963267949 << -0.009790199999999999;
    QTest::newRow("tick 2") << 2 << 1.5610061267949 << -0.019570140618124211;
    QTest::newRow("tick 3") << 3 << 1.541435986176776 << -0.029336551059523524;
}

void TestSinglePendulum::workedExample()
{
    QFETCH(int, tick);
    QFETCH(double, theta);
    QFETCH(double, omega);
    SinglePendulum p = defaults();
    for (int i = 0; i < tick; ++i)
        p.Step();
    QCOMPARE(p.theta.value(), theta);
    QCOMPARE(p.omega.value(), omega);
}

void TestSinglePendulum::damping_data()
{
    QTest::addColumn<double>("damping");
    QTest::addColumn<int>("comparison"); // amplitude after 200 ticks against the start
    QTest::newRow("1 stops every step") << 1.0 << 0;
    QTest::newRow("0 loses nothing") << 0.0 << 1;
    QTest::newRow("negative grows") << -0.01 << 2;
}

void TestSinglePendulum::damping()
{
    QFETCH(double, damping);
    QFETCH(int, comparison);
    SinglePendulum p = defaults();
    p.theta = 0.5;
    p.damping = damping;
    double largest = 0.0;
    for (int i = 0; i < 2000; ++i) {
        p.Step();
        largest = std::max(largest, std::fabs(p.theta.value()));
        if (comparison == 0)
            QCOMPARE(p.omega.value(), 0.0);
    }
    if (comparison == 0)
        QCOMPARE(p.theta.value(), 0.5);
    if (comparison == 1) // the symplectic step keeps the swing within a few per cent
        QVERIFY(largest > 0.49 && largest < 0.52);
    if (comparison == 2)
        QVERIFY(largest > 1.0);
}

void TestSinglePendulum::zeroRodLength()
{
    SinglePendulum p = defaults();
    p.rodLength = 0.0;
    QCOMPARE(errorOf([&] { p.Step(); }), std::optional(ErrorKind::DivisionByZero));
    // Hanging straight down the numerator is 0 as well: 0/0.
    SinglePendulum q = defaults();
    q.rodLength = 0.0;
    q.theta = 0.0;
    QCOMPARE(errorOf([&] { q.Step(); }), std::optional(ErrorKind::InvalidOperation));
}

void TestSinglePendulum::placement_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<double>("rodLength");
    QTest::addColumn<double>("theta");
    const double halfPi = 1.570796326794895;
    QTest::newRow("3, 4") << 3.0f << 4.0f << 5.0 << std::atan(3.0 / -4.0) + 3.14159265358979;
    QTest::newRow("30, 40") << 30.0f << 40.0f << 50.0 << std::atan(30.0 / -40.0) + 3.14159265358979;
    QTest::newRow("1, 1 rounds down") << 1.0f << 1.0f << 1.0 << std::atan(-1.0) + 3.14159265358979;
    QTest::newRow("below pivot") << 3.0f << -4.0f << 5.0 << std::atan(0.75);
    QTest::newRow("below, left") << -3.0f << -4.0f << 5.0 << std::atan(-0.75);
    QTest::newRow("above, left") << -3.0f << 4.0f << 5.0 << std::atan(0.75) - 3.14159265358979;
    QTest::newRow("straight up") << 0.0f << 50.0f << 50.0 << 3.14159265358979;
    QTest::newRow("straight down") << 0.0f << -50.0f << 50.0 << 0.0;
    QTest::newRow("horizontal right") << 20.0f << 0.0f << 20.0 << halfPi;
    QTest::newRow("horizontal left") << -20.0f << 0.0f << 20.0 << -halfPi;
    QTest::newRow("just below threshold") << -20.0f << 0.00099f << 20.0 << -halfPi;
    QTest::newRow("just below threshold, negative") << 20.0f << -0.00099f << 20.0 << halfPi;
    QTest::newRow("on threshold takes arctangent")
        << 20.0f << 0.001f << 20.0 << std::atan(20.0 / -double(0.001f)) + 3.14159265358979;
    QTest::newRow("on negative threshold")
        << 20.0f << -0.001f << 20.0 << std::atan(20.0 / double(0.001f));
    QTest::newRow("on the pivot") << 0.0f << 0.0f << 0.0 << halfPi;
    QTest::newRow("within one unit")
        << -0.6f << 0.5f << 0.0 << std::atan(double(-0.6f) / -double(0.5f)) - 3.14159265358979;
}

void TestSinglePendulum::placement()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(double, rodLength);
    QFETCH(double, theta);
    SinglePendulum p = defaults();
    p.omega = 0.3;
    p.PlaceAt(x, y);
    QCOMPARE(p.rodLength.value(), rodLength);
    QCOMPARE(bitsOf(p.theta.value()), bitsOf(theta));
    QCOMPARE(p.omega.value(), 0.0);
    QVERIFY(p.theta.value() > -3.14159265358979 && p.theta.value() <= 3.14159265358979);
}

void TestSinglePendulum::bobPosition()
{
    SinglePendulum p = defaults();
    const SinglePendulum::Point bob = p.Bob();
    QCOMPARE(bob.x.value(), 100.0);
    QVERIFY(std::fabs(bob.y.value()) < 1e-12);
    // After any start at rest the first tick redraws in the same place.
    p.Step();
    QCOMPARE(p.Bob().x.value(), bob.x.value());
    QCOMPARE(p.Bob().y.value(), bob.y.value());
}

QTEST_APPLESS_MAIN(TestSinglePendulum)
#include "tst_singlependulum.moc"
