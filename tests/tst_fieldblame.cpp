// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Which fields an error is laid to, with a replay that a table decides: which fields at their
// design values let it step through.
#include "fieldblame.h"

#include <QTest>

#include <limits>

namespace {

// "A=1e10/1,B=2/1": each field's name, value and design value.
std::vector<Suspect> suspectsFrom(const QString &text)
{
    std::vector<Suspect> suspects;
    for (const QString &field : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList nameRest = field.split(QLatin1Char('='));
        const QStringList values = nameRest[1].split(QLatin1Char('/'));
        suspects.push_back({nameRest[0].toStdString(), values[0].toDouble(), values[1].toDouble()});
    }
    return suspects;
}

// "A+B|C": the replay steps through when A and B, or C, are at their design values.
Replay replayFrom(const QString &rescuers, const std::vector<Suspect> &suspects)
{
    return [=](const std::vector<std::size_t> &atDesign) {
        for (const QString &together : rescuers.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            bool all = true;
            for (const QString &field : together.split(QLatin1Char('+'))) {
                bool at = false;
                for (const std::size_t i : atDesign)
                    at = at || suspects[i].field == field.toStdString();
                all = all && at;
            }
            if (all)
                return;
        }
        throw RuntimeError(ErrorKind::Overflow);
    };
}

QString joined(const std::vector<std::string> &names)
{
    QStringList list;
    for (const std::string &name : names)
        list.append(QString::fromStdString(name));
    return list.join(QLatin1Char(','));
}

} // namespace

class TestFieldBlame : public QObject {
    Q_OBJECT

private slots:
    void extremeness_data();
    void extremeness();
    void fieldsToBlame_data();
    void fieldsToBlame();
    void narrowBlame_data();
    void narrowBlame();
    void lateErrorReplaysThroughFailingTick();
};

void TestFieldBlame::extremeness_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("design");
    QTest::addColumn<double>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("at design") << 9.8 << 9.8 << 0.0;
    QTest::newRow("two orders up") << 100.0 << 1.0 << 2.0;
    QTest::newRow("two orders down") << 0.01 << 1.0 << 2.0;
    QTest::newRow("across zero") << -1.0 << 1.0 << 1.0;
    QTest::newRow("zero, design not") << 0.0 << 1.0 << inf;
    QTest::newRow("design zero, value not") << 1.0 << 0.0 << inf;
    QTest::newRow("infinite") << inf << 1.0 << inf;
}

void TestFieldBlame::extremeness()
{
    QFETCH(double, value);
    QFETCH(double, design);
    QFETCH(double, expected);
    QCOMPARE(::extremeness({"f", value, design}), expected);
}

void TestFieldBlame::fieldsToBlame_data()
{
    QTest::addColumn<QString>("suspects");
    QTest::addColumn<QString>("rescuers");
    QTest::addColumn<QString>("blamed");
    QTest::newRow("the one that rescues") << "A=1e10/1,B=100/1"
                                          << "A"
                                          << "A";
    QTest::newRow("a less extreme one that rescues") << "A=1e10/1,B=100/1"
                                                     << "B"
                                                     << "B";
    QTest::newRow("the fewest, not all tried") << "A=1e10/1,B=1e8/1,C=100/1"
                                               << "B"
                                               << "B";
    QTest::newRow("two needed together, most extreme first") << "B=100/1,A=1e10/1,C=10/1"
                                                             << "B+A"
                                                             << "A,B";
    QTest::newRow("about as extreme, named together") << "A=1e10/1,B=1e6/1"
                                                      << "A|B"
                                                      << "A,B";
    QTest::newRow("far less extreme, not named") << "A=1e10/1,B=10/1"
                                                 << "A|B"
                                                 << "A";
    QTest::newRow("never one at its design value") << "A=1e10/1,C=3/3"
                                                   << "C"
                                                   << "";
    QTest::newRow("nothing rescues") << "A=1e10/1,B=100/1"
                                     << ""
                                     << "";
}

void TestFieldBlame::fieldsToBlame()
{
    QFETCH(QString, suspects);
    QFETCH(QString, rescuers);
    QFETCH(QString, blamed);
    const std::vector<Suspect> table = suspectsFrom(suspects);
    QCOMPARE(joined(::fieldsToBlame(table, replayFrom(rescuers, table))), blamed);
}

void TestFieldBlame::narrowBlame_data()
{
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("suspects");
    QTest::addColumn<QString>("rescuers");
    QTest::addColumn<QString>("blamed");
    QTest::newRow("the replays decide") << "A,B"
                                        << "A=1e10/1,B=100/1,C=1e5/1"
                                        << "C"
                                        << "C";
    QTest::newRow("else those named not at design") << "A,B"
                                                    << "A=1e10/1,B=1/1"
                                                    << ""
                                                    << "A";
    QTest::newRow("else all named") << "A,B"
                                    << "A=1/1,B=1/1"
                                    << ""
                                    << "A,B";
    QTest::newRow("nothing named stays so") << ""
                                            << "A=1e10/1"
                                            << "A"
                                            << "";
}

void TestFieldBlame::narrowBlame()
{
    QFETCH(QString, named);
    QFETCH(QString, suspects);
    QFETCH(QString, rescuers);
    QFETCH(QString, blamed);
    std::vector<std::string> names;
    for (const QString &name : named.split(QLatin1Char(','), Qt::SkipEmptyParts))
        names.push_back(name.toStdString());
    const std::vector<Suspect> table = suspectsFrom(suspects);
    QCOMPARE(joined(::narrowBlame(names, table, replayFrom(rescuers, table))), blamed);
}

// A swing whose seventh tick fails unless B is at its design value; A, far more extreme, has
// nothing to do with it. The replays must step through the failing tick itself: one tick
// fewer steps through whatever is at design, and would blame A.
void TestFieldBlame::lateErrorReplaysThroughFailingTick()
{
    const std::vector<Suspect> suspects = suspectsFrom("A=1e100/1,B=1e3/1");
    const auto tick = [] { throw RuntimeError(ErrorKind::Overflow); };
    const SwingReplay replay = [&](long ticks, const std::vector<std::size_t> &atDesign) {
        if (ticks >= 7 && std::find(atDesign.begin(), atDesign.end(), 1) == atDesign.end())
            throw RuntimeError(ErrorKind::Overflow);
    };
    try {
        tickBlamingFields(
            6, tick, [&] { return suspects; }, replay);
        QFAIL("the tick's error was not raised");
    } catch (const RuntimeError &error) {
        QCOMPARE(joined(error.fields()), QStringLiteral("B"));
    }
}

QTEST_APPLESS_MAIN(TestFieldBlame)
#include "tst_fieldblame.moc"
