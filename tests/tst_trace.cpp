// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The pendulum-trace tool, run as a process.
#include <QProcess>
#include <QTest>

namespace {

struct Result {
    int status;
    QStringList lines;
};

Result runTrace(const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(PENDULUM_TRACE), args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        qFatal("pendulum-trace did not finish");
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    return {process.exitCode(), out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
}

} // namespace

class TestTrace : public QObject {
    Q_OBJECT

private slots:
    // Each row: the tool's arguments, its exit status and the lines it prints.
    void runs_data();
    void runs();
    // Each row: the arguments, the tick whose error ends the trace, and that error's line.
    void errorsNameTheirFields_data();
    void errorsNameTheirFields();
    void convertFromStandardInput();
    void badUsage();
};

void TestTrace::runs_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("single defaults") << QStringList{"single", "3"} << 0
                                     << QStringList{"1 1.5707963267949001 -0.0097901999999999989",
                                                    "2 1.5610061267949 -0.019570140618124211",
                                                    "3 1.5414359861767759 -0.029336551059523524"};
    QTest::newRow("damping 1") << QStringList{"single", "2", "Text2=1"} << 0
                               << QStringList{"1 1.5707963267949001 -0", "2 1.5707963267949001 -0"};
    QTest::newRow("angle type mismatch")
        << QStringList{"single", "2", "Text6=abc"} << 3
        << QStringList{"error: type-mismatch 「初期角度（Degree ）」"};
    QTest::newRow("zero rod length") << QStringList{"single", "2", "Text5=0"} << 3
                                     << QStringList{"error: division-by-zero 「棒の長さ」"};
    QTest::newRow("refused interval") << QStringList{"single", "1", "Text1=70000"} << 3
                                      << QStringList{"error: invalid-property-value 「タイマー」"};
    QTest::newRow("angle overflow") << QStringList{"single", "1", "Text6=1e308"} << 3
                                    << QStringList{"error: overflow 「初期角度（Degree ）」"};
    const QString firstDouble = QStringLiteral(
        "1 0.0050000000000000001 0.005000 -0.36710112899550063 -0.36695428854390244 "
        "-0.0018347714427195123 0.52176400415557889 0.049841020061564857 0.086694133130349071 "
        "-0.085087607056795772 -0.085053572013973053 -0.00042526786006986527 "
        "0.17410765733936293 0.067163955550712362 0.1851822842249799");
    QTest::newRow("double defaults") << QStringList{"double", "1"} << 0 << QStringList{firstDouble};
    QTest::newRow("double, trail changes no number")
        << QStringList{"double", "1", "--trail"} << 0 << QStringList{firstDouble};
    // The pictures' fingerprints pin every pixel, on every platform alike.
    QTest::newRow("single, pictures")
        << QStringList{"single", "2", "--pixels"} << 0
        << QStringList{"1 1.5707963267949001 -0.0097901999999999989 e4e2208888ab9319",
                       "2 1.5610061267949 -0.019570140618124211 96ea3e2330b2e750"};
    QTest::newRow("double, trail, picture")
        << QStringList{"double", "1", "--trail", "--pixels"} << 0
        << QStringList{firstDouble + QStringLiteral(" 70888fedac223216")};
    QTest::newRow("double, timeStep 0") << QStringList{"double", "2", "Text6=0"} << 3
                                        << QStringList{"error: invalid-operation 「dt」"};
    QTest::newRow("double, letters in La") << QStringList{"double", "2", "Text1=abc"} << 3
                                           << QStringList{"error: division-by-zero 「La」"};
    QTest::newRow("double, refused interval")
        << QStringList{"double", "1", "Text9=-1"} << 3
        << QStringList{"error: invalid-property-value 「タイマー」"};
    QTest::newRow("Val") << QStringList{"convert", "Val", "12abc", "1e400", " 1 0 "} << 3
                         << QStringList{"12", "error: overflow", "10"};
    QTest::newRow("CDbl") << QStringList{"convert", "CDbl", "1,000", "abc"} << 3
                          << QStringList{"1000", "error: type-mismatch"};
    QTest::newRow("CStr") << QStringList{"convert", "CStr", "1.570796326794895",
                                         "1.74532925199433e-05"}
                          << 0 << QStringList{"1.5707963267949", "1.74532925199433E-05"};
    QTest::newRow("CLng") << QStringList{"convert", "CLng", "10.5", "11.5", "3e9"} << 3
                          << QStringList{"10", "12", "error: overflow"};
    QTest::newRow("Int") << QStringList{"convert", "Int", "-0.5"} << 0 << QStringList{"-1"};
    QTest::newRow("Format") << QStringList{"convert", "Format", "0.005", "4.999999999999916"} << 0
                            << QStringList{"0.005000", "5.000000"};
}

void TestTrace::runs()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    const Result r = runTrace(args);
    QCOMPARE(r.lines, lines);
    QCOMPARE(r.status, status);
}

void TestTrace::errorsNameTheirFields_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("tick");
    QTest::addColumn<QString>("error");
    const auto row = [](const char *mode, const char *name, const QStringList &fields, int tick,
                        const char *error) {
        QTest::newRow(name) << (QStringList{mode, "20"} + fields) << tick << error;
    };
    row("single", "tiny rod", {"Text5=1e-320"}, 1, "error: overflow 「棒の長さ」");
    row("single", "small rod", {"Text5=1e-310"}, 1, "error: overflow 「棒の長さ」");
    row("single", "huge time step", {"Text4=1e200"}, 2, "error: overflow 「時間刻み」");
    row("single", "largest time step", {"Text4=1e308"}, 2, "error: overflow 「時間刻み」");
    row("single", "huge damping", {"Text2=1e300"}, 2, "error: overflow 「動粘性抵抗」");
    row("single", "huge negative damping", {"Text2=-1e308"}, 2, "error: overflow 「動粘性抵抗」");
    // The most extreme field is named, not an ordinary change beside it; two about as extreme
    // are both named.
    row("single", "huge gravity, longer time step", {"Text3=1e308", "Text4=10"}, 1,
        "error: overflow 「重力加速度」");
    row("single", "gravity and time step both huge", {"Text3=1e200", "Text4=1e200"}, 1,
        "error: overflow 「重力加速度」 「時間刻み」");
    row("single", "huge time step, other gravity", {"Text4=1e155", "Text3=2"}, 2,
        "error: overflow 「時間刻み」");
    row("single", "huge time step, other damping", {"Text4=1e155", "Text2=0.0005"}, 7,
        "error: overflow 「時間刻み」");
    row("single", "huge time step, other rod", {"Text4=1e155", "Text5=50"}, 2,
        "error: overflow 「時間刻み」");
    row("double", "double, huge dt", {"Text6=1e200"}, 1, "error: overflow 「dt」");
    row("double", "double, huge g at Run", {"Text5=1e308"}, 0, "error: overflow 「g」");
    row("double", "double, tiny La at Run", {"Text1=1e-320"}, 0, "error: overflow 「La」");
    row("double", "double, huge La", {"Text1=3.4e35"}, 5, "error: overflow 「La」");
    row("double", "double, large dt", {"Text6=1e10"}, 5, "error: overflow 「dt」");
    row("double", "double, both masses zero", {"Text3=0", "Text4=0"}, 0,
        "error: invalid-operation 「Ma」 「Mb」");
    // Both rods tiny: the quotient g / La names g too, which is at its design value.
    row("double", "double, both rods tiny at Run", {"Text1=1e-320", "Text2=1e-320"}, 0,
        "error: overflow 「La」 「Lb」");
    // Errors some dozens of ticks into the swing still name their fields.
    row("double", "double, huge negative damping", {"Text10=-1e30"}, 4,
        "error: overflow 「動粘性抵抗」");
    QTest::newRow("double, upper mass zero")
        << QStringList{"double", "60", "Text3=0"} << 24 << "error: overflow 「Ma」";
    QTest::newRow("double, upper mass tiny")
        << QStringList{"double", "60", "Text3=0.000001"} << 34 << "error: overflow 「Ma」";
    // A swing that grows into an overflow over many ticks without damping: with the damping's
    // design value it does not.
    QTest::newRow("double, undamped swing grows")
        << QStringList{"double", "2000", "Text1=0.15", "Text7=60", "Text8=-120", "Text10=0"} << 1166
        << "error: overflow 「動粘性抵抗」";
}

void TestTrace::errorsNameTheirFields()
{
    QFETCH(QStringList, args);
    QFETCH(int, tick);
    QFETCH(QString, error);
    const Result r = runTrace(args);
    QCOMPARE(r.status, 3);
    // A line for each tick done, then the error of the next.
    QCOMPARE(r.lines.size(), tick == 0 ? 1 : tick);
    QCOMPARE(r.lines.last(), error);
}

void TestTrace::convertFromStandardInput()
{
    const Result r = runTrace({"convert", "Val"}, "1.5\nabc\n-2e1x\n");
    QCOMPARE(r.lines, (QStringList{"1.5", "0", "-20"}));
    QCOMPARE(r.status, 0);
}

void TestTrace::badUsage()
{
    QCOMPARE(runTrace({"single"}).status, 2);
    QCOMPARE(runTrace({"single", "x"}).status, 2);
    QCOMPARE(runTrace({"single", "1", "Text9=1"}).status, 2);
    QCOMPARE(runTrace({"double", "1", "Text11=1"}).status, 2);
    QCOMPARE(runTrace({"convert", "Sin", "1"}).status, 2);
}

QTEST_GUILESS_MAIN(TestTrace)
#include "tst_trace.moc"
