// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The text-number conversions: edge cases as tables, and Val and CDbl against correctly rounded
// vectors.
#include "conversions.h"
#include "runtimeerror.h"
#include "testsupport.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <cstring>
#include <optional>

Q_DECLARE_METATYPE(std::optional<ErrorKind>)

namespace {

struct Vector {
    QByteArray text;
    std::uint64_t bits;
};

QList<Vector> readVectors(const char *file)
{
    QFile f(QStringLiteral(PENDULUM_TEST_DATA "/number-parsing/") + QString::fromLatin1(file));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", file);
    QList<Vector> vectors;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.size() < 65)
            continue;
        vectors.append({line.mid(64), line.mid(14, 16).toULongLong(nullptr, 16)});
    }
    return vectors;
}

constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000ull;

} // namespace

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void cdbl_data();
    void cdbl();
    void cstr_data();
    void cstr();
    void clng_data();
    void clng();
    void intFloor();
    void format_data();
    void format();
    void csng();
    void vectors_data();
    void vectors();
};

void TestConversions::val_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("overflow");
    QTest::newRow("junk after") << QByteArray("12abc") << 12.0 << false;
    QTest::newRow("comma ends") << QByteArray("1,5") << 1.0 << false;
    QTest::newRow("inner blanks") << QByteArray(" 1 0 ") << 10.0 << false;
    QTest::newRow("tabs and line feeds") << QByteArray("\t1\n2.\t5") << 12.5 << false;
    QTest::newRow("carriage return ends") << QByteArray("1\r2") << 1.0 << false;
    QTest::newRow("exponent") << QByteArray("1e2") << 100.0 << false;
    QTest::newRow("capital exponent, sign") << QByteArray("25E-1") << 2.5 << false;
    QTest::newRow("exponent without digits") << QByteArray("3e") << 3.0 << false;
    QTest::newRow("exponent sign without digits") << QByteArray("3e+x") << 3.0 << false;
    QTest::newRow("leading point") << QByteArray(".5") << 0.5 << false;
    QTest::newRow("trailing point") << QByteArray("5.") << 5.0 << false;
    QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2 << false;
    QTest::newRow("negative") << QByteArray("-0.25") << -0.25 << false;
    QTest::newRow("plus") << QByteArray("+7") << 7.0 << false;
    QTest::newRow("letters") << QByteArray("abc") << 0.0 << false;
    QTest::newRow("empty") << QByteArray("") << 0.0 << false;
    QTest::newRow("blanks only") << QByteArray("   ") << 0.0 << false;
    QTest::newRow("sign only") << QByteArray("-") << 0.0 << false;
    QTest::newRow("point only") << QByteArray(".") << 0.0 << false;
    QTest::newRow("double sign") << QByteArray("--1") << 0.0 << false;
    QTest::newRow("NaN is no number") << QByteArray("NaN") << 0.0 << false;
    QTest::newRow("inf is no number") << QByteArray("inf") << 0.0 << false;
    QTest::newRow("full-width digits") << QByteArray("１２") << 0.0 << false;
    QTest::newRow("embedded NUL") << QByteArray("4\0"
                                                "5",
                                                3)
                                  << 4.0 << false;
    QTest::newRow("largest double")
        << QByteArray("1.7976931348623157e308") << 1.7976931348623157e308 << false;
    QTest::newRow("beyond double") << QByteArray("1e400") << 0.0 << true;
    QTest::newRow("beyond double, negative") << QByteArray("-1e400") << 0.0 << true;
    QTest::newRow("below double") << QByteArray("1e-400") << 0.0 << false;
    QTest::newRow("below double, negative") << QByteArray("-1e-400") << -0.0 << false;
    QTest::newRow("beyond by its exponent only") << QByteArray("0.00001e400") << 0.0 << true;
    QTest::newRow("below by its exponent only") << QByteArray("10000e-330") << 0.0 << false;
    QTest::newRow("beyond by its digits only")
        << QByteArray("1" + QByteArray(400, '0')) << 0.0 << true;
    QTest::newRow("beyond by an exponent of many digits")
        << QByteArray("1e" + QByteArray(30, '9')) << 0.0 << true;
    QTest::newRow("huge exponent of zero") << QByteArray("0e99999999999999999999") << 0.0 << false;
}

void TestConversions::val()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QFETCH(bool, overflow);
    const std::string_view view(text.constData(), std::size_t(text.size()));
    if (overflow) {
        QCOMPARE(errorOf([&] { Val(view); }), std::optional(ErrorKind::Overflow));
        return;
    }
    QCOMPARE(bitsOf(Val(view)), bitsOf(value));
}

void TestConversions::cdbl_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<std::optional<ErrorKind>>("error");
    const std::optional<ErrorKind> none;
    const std::optional<ErrorKind> mismatch = ErrorKind::TypeMismatch;
    QTest::newRow("whole") << QByteArray("90") << 90.0 << none;
    QTest::newRow("fraction") << QByteArray("-12.5") << -12.5 << none;
    QTest::newRow("surrounding blanks") << QByteArray("  7 ") << 7.0 << none;
    QTest::newRow("grouping") << QByteArray("1,000") << 1000.0 << none;
    QTest::newRow("grouping twice") << QByteArray("1,234,567.5") << 1234567.5 << none;
    QTest::newRow("exponent") << QByteArray("1.5e3") << 1500.0 << none;
    QTest::newRow("leading point") << QByteArray(".25") << 0.25 << none;
    QTest::newRow("plus sign") << QByteArray("+3") << 3.0 << none;
    QTest::newRow("empty") << QByteArray("") << 0.0 << mismatch;
    QTest::newRow("blanks only") << QByteArray("  ") << 0.0 << mismatch;
    QTest::newRow("letters") << QByteArray("abc") << 0.0 << mismatch;
    QTest::newRow("junk after") << QByteArray("12abc") << 0.0 << mismatch;
    QTest::newRow("inner blank") << QByteArray("1 0") << 0.0 << mismatch;
    QTest::newRow("comma in fraction") << QByteArray("1.5,0") << 0.0 << mismatch;
    QTest::newRow("leading comma") << QByteArray(",5") << 0.0 << mismatch;
    QTest::newRow("exponent without digits") << QByteArray("1e") << 0.0 << mismatch;
    QTest::newRow("double sign") << QByteArray("--1") << 0.0 << mismatch;
    QTest::newRow("NaN") << QByteArray("NaN") << 0.0 << mismatch;
    QTest::newRow("inf") << QByteArray("inf") << 0.0 << mismatch;
    QTest::newRow("full-width digits") << QByteArray("１２") << 0.0 << mismatch;
    QTest::newRow("embedded NUL") << QByteArray("4\0"
                                                "5",
                                                3)
                                  << 0.0 << mismatch;
    QTest::newRow("beyond double")
        << QByteArray("1e400") << 0.0 << std::optional(ErrorKind::Overflow);
}

void TestConversions::cdbl()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QFETCH(std::optional<ErrorKind>, error);
    const std::string_view view(text.constData(), std::size_t(text.size()));
    if (error) {
        QCOMPARE(errorOf([&] { CDbl(view); }), error);
        return;
    }
    QCOMPARE(bitsOf(CDbl(view)), bitsOf(value));
}

void TestConversions::cstr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 141.0 << "141";
    QTest::newRow("right angle") << 90 * 3.14159265358979 / 180 << "1.5707963267949";
    QTest::newRow("one degree") << 3.14159265358979 / 180 << "0.0174532925199433";
    QTest::newRow("small") << 0.001 * 3.14159265358979 / 180 << "1.74532925199433E-05";
    QTest::newRow("smallest positional") << 0.0001 << "0.0001";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("large") << 1e15 << "1E+15";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("rounds at 15 digits") << 0.1 + 0.2 << "0.3";
}

void TestConversions::cstr()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(CStr(value)), text);
    // Val reads every CStr form back.
    QCOMPARE(Val(CStr(value)), std::stod(text.toStdString()));
}

void TestConversions::clng_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("result"); // -1 with overflow
    QTest::addColumn<bool>("overflow");
    QTest::newRow("10.5 to even") << 10.5 << qint64(10) << false;
    QTest::newRow("11.5 to even") << 11.5 << qint64(12) << false;
    QTest::newRow("2.5") << 2.5 << qint64(2) << false;
    QTest::newRow("3.5") << 3.5 << qint64(4) << false;
    QTest::newRow("below half") << 10.49 << qint64(10) << false;
    QTest::newRow("negative half") << -2.5 << qint64(-2) << false;
    QTest::newRow("negative") << -3.6 << qint64(-4) << false;
    QTest::newRow("largest") << 2147483647.0 << qint64(2147483647) << false;
    QTest::newRow("smallest") << -2147483648.0 << qint64(-2147483648) << false;
    QTest::newRow("smallest, half to even") << -2147483648.5 << qint64(-2147483648) << false;
    QTest::newRow("rounds beyond") << 2147483647.5 << qint64(-1) << true;
    QTest::newRow("beyond") << 1e10 << qint64(-1) << true;
    QTest::newRow("beyond, negative") << -2147483649.0 << qint64(-1) << true;
}

void TestConversions::clng()
{
    QFETCH(double, value);
    QFETCH(qint64, result);
    QFETCH(bool, overflow);
    if (overflow)
        QCOMPARE(errorOf([&] { CLng(value); }), std::optional(ErrorKind::Overflow));
    else
        QCOMPARE(qint64(CLng(value)), result);
}

void TestConversions::intFloor()
{
    QCOMPARE(Int(1.9999), 1.0);
    QCOMPARE(Int(-0.5), -1.0);
    QCOMPARE(Int(std::sqrt(2.0)), 1.0);
    QCOMPARE(Int(5.0), 5.0);
}

void TestConversions::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("first tick") << 0.005 << "0.005000";
    QTest::newRow("rounded up") << 12.3456789 << "12.345679";
    QTest::newRow("200 ticks") << 1.0000000000000007 << "1.000000";
    QTest::newRow("1000 ticks") << 4.999999999999916 << "5.000000";
    QTest::newRow("zero") << 0.0 << "0.000000";
    QTest::newRow("negative zero") << -0.0 << "0.000000";
    QTest::newRow("negative") << -1.5 << "-1.500000";
    QTest::newRow("no grouping") << 1234567.0 << "1234567.000000";
    QTest::newRow("large") << 1e20 << "100000000000000000000.000000";
}

void TestConversions::format()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(Format(value, "#0.000000")), text);
}

void TestConversions::csng()
{
    QCOMPARE(CSng(0.1), 0.1f);
    QCOMPARE(CSng(-3.4e38), -3.4e38f);
    QCOMPARE(errorOf([] { CSng(1e39); }), std::optional(ErrorKind::Overflow));
    QCOMPARE(errorOf([] { CSng(-1e300); }), std::optional(ErrorKind::Overflow));
}

void TestConversions::vectors_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("lemire-fast-float") << QByteArray("lemire-fast-float.txt");
    QTest::newRow("more-test-cases") << QByteArray("more-test-cases.txt");
}

// Every text gives the exact bits: through Val, also with blanks and tabs spread through it and
// junk after it, and through CDbl, which takes only the whole number.
void TestConversions::vectors()
{
    QFETCH(QByteArray, file);
    const QList<Vector> vectors = readVectors(file.constData());
    QVERIFY(vectors.size() >= 60);
    for (const Vector &v : vectors) {
        std::string spread;
        for (qsizetype i = 0; i < v.text.size(); ++i) {
            spread += v.text[i];
            if (i % 3 == 1)
                spread += i % 2 ? " " : "\t";
        }
        spread += "x,9";
        const std::string plain = v.text.toStdString();
        for (const std::string &text : {plain, spread}) {
            if (v.bits == kInfinityBits) {
                QVERIFY2(errorOf([&] { Val(text); }) == ErrorKind::Overflow, text.c_str());
                continue;
            }
            const double value = Val(text);
            if (bitsOf(value) != v.bits)
                QFAIL(qPrintable(QStringLiteral("Val(%1) = %2")
                                     .arg(QString::fromStdString(text))
                                     .arg(value, 0, 'g', 17)));
        }
        if (v.bits == kInfinityBits)
            QVERIFY(errorOf([&] { CDbl(plain); }) == ErrorKind::Overflow);
        else
            QVERIFY2(bitsOf(CDbl(plain)) == v.bits, plain.c_str());
    }
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
