// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The accuracy of the sine, cosine and arctangent the program carries: each result within one
// unit in the last place of the exact value, which MPFR computes with 160 bits and rounds
// correctly. The arguments are random, drawn evenly from the ranges the models meet (angles of a
// few turns, in radians) and from much wider and narrower ones.
#include "muslmath.h"

#include <QTest>

#include <mpfr.h>

#include <cmath>
#include <random>

using MathFunction = double (*)(double);
using ExactFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
Q_DECLARE_METATYPE(MathFunction)
Q_DECLARE_METATYPE(ExactFunction)

class TestMuslMath : public QObject {
    Q_OBJECT
private slots:
    void withinOneUlp_data();
    void withinOneUlp();
};

void TestMuslMath::withinOneUlp_data()
{
    QTest::addColumn<MathFunction>("function");
    QTest::addColumn<ExactFunction>("exact");
    QTest::addColumn<double>("range");
    const struct {
        const char *name;
        MathFunction function;
        ExactFunction exact;
    } functions[] = {
        {"sin", musl_sin, mpfr_sin}, {"cos", musl_cos, mpfr_cos}, {"atan", musl_atan, mpfr_atan}};
    for (const auto &f : functions)
        for (const double range : {5e-4, 3.5, 10.0, 1e6})
            QTest::addRow("%s within %g", f.name, range) << f.function << f.exact << range;
}

void TestMuslMath::withinOneUlp()
{
    QFETCH(MathFunction, function);
    QFETCH(ExactFunction, exact);
    QFETCH(double, range);
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> argument(-range, range);
    mpfr_t x, y, error;
    mpfr_inits2(160, x, y, error, static_cast<mpfr_ptr>(nullptr));
    double worst = 0.0;
    double worstAt = 0.0;
    for (int i = 0; i < 100'000; ++i) {
        const double a = argument(random);
        mpfr_set_d(x, a, MPFR_RNDN);
        exact(y, x, MPFR_RNDN);
        // The distance in units in the last place of the exact value's binade.
        const double rounded = mpfr_get_d(y, MPFR_RNDN);
        const double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
        mpfr_sub_d(error, y, function(a), MPFR_RNDN);
        const double ulps = std::fabs(mpfr_get_d(error, MPFR_RNDN)) / ulp;
        if (ulps > worst) {
            worst = ulps;
            worstAt = a;
        }
    }
    mpfr_clears(x, y, error, static_cast<mpfr_ptr>(nullptr));
    qInfo("largest error %.3f ULP, at %.17g", worst, worstAt);
    QVERIFY2(worst < 1.0, qPrintable(QString::number(worst)));
}

QTEST_APPLESS_MAIN(TestMuslMath)
#include "tst_muslmath.moc"
