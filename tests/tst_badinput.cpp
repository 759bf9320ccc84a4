// Bad input in every field of both simulator windows, driven on the real windows offscreen:
// each text gives the value the conversions define or the typed run-time error in the error
// dialog with the timer stopped; Run returns promptly and the program runs on.
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "runtimeerror.h"
#include "singlependulum.h"
#include "windowtesting.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double kOverflow = std::numeric_limits<double>::infinity();
constexpr double kMismatch = std::numeric_limits<double>::quiet_NaN();

struct Case {
    const char *name;
    QString text;
    double val;       // what Val gives; kOverflow for the overflow error
    double cdblTheta; // the simple pendulum's theta from this angle text, or an error
};

QList<Case> cases()
{
    return {
        {"empty", "", 0.0, kMismatch},
        {"blanks only", "   ", 0.0, kMismatch},
        {"letters", "abc", 0.0, kMismatch},
        {"junk after", "12abc", 12.0, kMismatch},
        {"decimal comma", "1,5", 1.0, 0.261799387799149}, // CDbl reads "1,5" as 15
        {"full-width digits", QStringLiteral("１２"), 0.0, kMismatch},
        {"beyond double", "1e400", kOverflow, kOverflow},
        {"beyond double, negative", "-1e400", kOverflow, kOverflow},
        {"near the top", "1e308", 1e308, kOverflow},
        {"NaN", "NaN", 0.0, kMismatch},
        {"inf", "inf", 0.0, kMismatch},
        {"double sign", "--1", 0.0, kMismatch},
        // A field holds at most 32767 characters of it: still beyond the double range.
        {"a million digits", QString(1000000, QLatin1Char('5')), kOverflow, kOverflow},
        {"embedded NUL", QString::fromUtf16(u"1\u0000" "2", 3), 1.0, kMismatch},
        {"emoji", QStringLiteral("7😀"), 7.0, kMismatch},
    };
}

// How the window should treat a field's value.
enum class Use { Value, Interval, SingleAngle };

struct Field {
    QString window; // "single" or "double"
    QString name;
    Use use;
};

QList<Field> fields()
{
    QList<Field> list;
    list << Field{"single", "Text1", Use::Interval};
    for (const char *n : {"Text2", "Text3", "Text4", "Text5"})
        list << Field{"single", n, Use::Value};
    list << Field{"single", "Text6", Use::SingleAngle};
    for (const char *n : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text10"})
        list << Field{"double", n, Use::Value};
    list << Field{"double", "Text9", Use::Interval};
    return list;
}

bool isTypedMessage(const QString &text)
{
    for (ErrorKind kind : {ErrorKind::InvalidOperation, ErrorKind::DivisionByZero,
                           ErrorKind::Overflow, ErrorKind::TypeMismatch,
                           ErrorKind::SubscriptOutOfRange, ErrorKind::InvalidPropertyValue})
        if (text.startsWith(QString::fromUtf8(errorKindMessage(kind))))
            return true;
    return false;
}

quint64 bits(double v) { return std::bit_cast<quint64>(v); }

// One window under test, whichever kind: its fields, Run, a tick and what a field feeds.
struct Subject {
    std::unique_ptr<QWidget> window;
    QMap<QString, QLineEdit *> fields;
    StepTimer *timer = nullptr;
    QPushButton *run = nullptr;
    std::function<double(const QString &)> destination;
};

Subject makeSubject(const QString &kind, SinglePendulum &single, DoublePendulum &twin)
{
    Subject s;
    if (kind == QLatin1String("single")) {
        auto *w = new frmSingle(single);
        s.window.reset(w);
        s.fields = {{"Text1", w->Text1}, {"Text2", w->Text2}, {"Text3", w->Text3},
                    {"Text4", w->Text4}, {"Text5", w->Text5}, {"Text6", w->Text6}};
        s.timer = &w->Timer1;
        s.run = w->Command1;
        s.destination = [&single](const QString &f) {
            const QMap<QString, double> v = {{"Text2", single.damping.value()},
                                             {"Text3", single.gravity.value()},
                                             {"Text4", single.timeStep.value()},
                                             {"Text5", single.rodLength.value()},
                                             {"Text6", single.theta.value()}};
            return v.value(f);
        };
    } else {
        auto *w = new frmDouble(twin);
        s.window.reset(w);
        s.fields = {{"Text1", w->Text1}, {"Text2", w->Text2}, {"Text3", w->Text3},
                    {"Text4", w->Text4}, {"Text5", w->Text5}, {"Text6", w->Text6},
                    {"Text7", w->Text7}, {"Text8", w->Text8}, {"Text9", w->Text9},
                    {"Text10", w->Text10}};
        s.timer = &w->Timer1;
        s.run = w->Command1;
        s.destination = [&twin](const QString &f) {
            const double toRadians = 3.14159265358979 / 180;
            const QMap<QString, double> v = {
                {"Text1", twin.lenA.value()},     {"Text2", twin.lenB.value()},
                {"Text3", twin.massA.value()},    {"Text4", twin.massB.value()},
                {"Text5", twin.gravity.value()},  {"Text6", twin.timeStep.value()},
                {"Text7", twin.armA[1].theta.value() / toRadians},
                {"Text8", twin.armB[1].theta.value() / toRadians},
                {"Text10", twin.damping.value()}};
            return v.value(f);
        };
    }
    return s;
}

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void matrix_data();
    void matrix();
    void errorInOneWindowLeavesTheOtherTicking();
};

void TestBadInput::matrix_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("use");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("val");
    QTest::addColumn<double>("cdblTheta");
    for (const Field &f : fields())
        for (const Case &c : cases())
            QTest::addRow("%s %s: %s", qPrintable(f.window), qPrintable(f.name), c.name)
                << f.window << f.name << int(f.use) << c.text << c.val << c.cdblTheta;
}

void TestBadInput::matrix()
{
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(int, use);
    QFETCH(QString, text);
    QFETCH(double, val);
    QFETCH(double, cdblTheta);
    SinglePendulum single;
    DoublePendulum twin;
    Subject s = makeSubject(window, single, twin);
    s.window->show();
    QLineEdit *edit = s.fields.value(field);
    QVERIFY(edit);
    edit->setText(text);
    const QString held = edit->text();
    QMap<QString, QString> others;
    for (auto it = s.fields.cbegin(); it != s.fields.cend(); ++it)
        if (it.value() != edit)
            others[it.key()] = it.value()->text();

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(s.run, Qt::LeftButton);
    QVERIFY2(clock.elapsed() < 5000, "Run did not return promptly");

    // What the conversion of this field must give.
    const double expected = Use(use) == Use::SingleAngle ? cdblTheta : val;
    const bool conversionFails = std::isnan(expected) || std::isinf(expected);
    bool intervalRefused = false;
    if (Use(use) == Use::Interval && !conversionFails) {
        const double rounded = std::nearbyint(expected);
        intervalRefused = !(rounded >= 0 && rounded <= 65535);
    }
    QMessageBox *box = errorBox(s.window.get());
    if (conversionFails || intervalRefused) {
        QVERIFY(box);
        const QString kind = QString::fromUtf8(errorKindMessage(
            std::isnan(expected) ? ErrorKind::TypeMismatch
            : intervalRefused && std::fabs(expected) < 2147483647.0
                ? ErrorKind::InvalidPropertyValue
                : ErrorKind::Overflow));
        QVERIFY2(box->text().startsWith(kind), qPrintable(box->text()));
        QVERIFY2(box->text().contains(edit->accessibleName()), qPrintable(box->text()));
        QVERIFY(!s.timer->Enabled());
    } else if (Use(use) == Use::Interval) {
        QCOMPARE(s.timer->Interval(), int(std::nearbyint(expected)));
    } else if (!box) {
        QCOMPARE(bits(s.destination(field)) == bits(expected) ||
                     std::fabs(s.destination(field) - expected) <= 1e-12 * std::fabs(expected),
                 true);
    }

    // A few ticks through the real handler boundary.
    if (!box) {
        for (int i = 0; i < 3 && !errorBox(s.window.get()); ++i)
            emit s.timer->Timer();
        box = errorBox(s.window.get());
    }
    if (box) {
        QVERIFY2(isTypedMessage(box->text()), qPrintable(box->text()));
        QVERIFY(!s.timer->Enabled());
    }
    // Nothing else changed.
    for (auto it = others.cbegin(); it != others.cend(); ++it)
        QCOMPARE(s.fields.value(it.key())->text(), it.value());
    QCOMPARE(edit->text(), held);
}

void TestBadInput::errorInOneWindowLeavesTheOtherTicking()
{
    SinglePendulum single;
    DoublePendulum twin;
    frmSingle simple(single);
    frmDouble doubled(twin);
    simple.show();
    doubled.show();
    QTest::mouseClick(doubled.Command1, Qt::LeftButton);
    QTRY_VERIFY(twin.elapsedTime.value() > 0.0);
    simple.Text6->setText(QStringLiteral("abc"));
    QTest::mouseClick(simple.Command1, Qt::LeftButton);
    QVERIFY(errorBox(&simple));
    QVERIFY(!simple.Timer1.Enabled());
    QVERIFY(doubled.Timer1.Enabled());
    const double before = twin.elapsedTime.value();
    QTest::qWait(500);
    // At least half its pace of 100 ticks a second, with the other window's dialog open.
    QVERIFY2(twin.elapsedTime.value() - before >= 25 * 0.005,
             qPrintable(QString::number((twin.elapsedTime.value() - before) / 0.005)));
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
