// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Bad input in every field of both simulator windows, driven on the real windows offscreen:
// each text gives the value the conversions define or the typed run-time error in the error
// dialog with the timer stopped; Run returns promptly and the program runs on.
#include "canvas.h"
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "runtimeerror.h"
#include "singlependulum.h"
#include "windowtesting.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>

#include <cmath>
#include <functional>
#include <optional>

namespace {

// What Run makes of a text in one kind of field: the value the field gives, or the error the
// dialog shows.
struct Outcome {
    double value = 0.0;
    std::optional<ErrorKind> error;
};
constexpr Outcome gives(double value) { return {value, std::nullopt}; }
constexpr Outcome kMismatch{0.0, ErrorKind::TypeMismatch};
constexpr Outcome kOverflow{0.0, ErrorKind::Overflow};

struct Case {
    const char *name;
    QString text;
    Outcome value;    // a field read with Val
    Outcome interval; // the timer's field: Val, then whole milliseconds from 0 to 65535
    Outcome angle;    // the simple pendulum's angle: CDbl, then radians
};

QList<Case> cases()
{
    return {
        {"empty", "", gives(0.0), gives(0.0), kMismatch},
        {"blanks only", "   ", gives(0.0), gives(0.0), kMismatch},
        {"letters", "abc", gives(0.0), gives(0.0), kMismatch},
        {"junk after", "12abc", gives(12.0), gives(12.0), kMismatch},
        // CDbl reads "1,5" as 15.
        {"decimal comma", "1,5", gives(1.0), gives(1.0), gives(0.261799387799149)},
        {"full-width digits", QStringLiteral("１２"), gives(0.0), gives(0.0), kMismatch},
        {"beyond double", "1e400", kOverflow, kOverflow, kOverflow},
        {"beyond double, negative", "-1e400", kOverflow, kOverflow, kOverflow},
        // Beyond a whole number of milliseconds; in degrees times pi, beyond the double range.
        {"near the top", "1e308", gives(1e308), kOverflow, kOverflow},
        {"NaN", "NaN", gives(0.0), gives(0.0), kMismatch},
        {"inf", "inf", gives(0.0), gives(0.0), kMismatch},
        {"double sign", "--1", gives(0.0), gives(0.0), kMismatch},
        // A field holds at most 32767 characters of it: still beyond the double range.
        {"a million digits", QString(1000000, QLatin1Char('5')), kOverflow, kOverflow, kOverflow},
        {"embedded NUL",
         QString::fromUtf16(u"1\u0000"
                            "2",
                            3),
         gives(1.0), gives(1.0), kMismatch},
        {"emoji", QStringLiteral("7😀"), gives(7.0), gives(7.0), kMismatch},
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
    for (const char *n :
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text10"})
        list << Field{"double", n, Use::Value};
    list << Field{"double", "Text9", Use::Interval};
    return list;
}

bool isTypedMessage(const QString &text)
{
    for (ErrorKind kind :
         {ErrorKind::InvalidOperation, ErrorKind::DivisionByZero, ErrorKind::Overflow,
          ErrorKind::TypeMismatch, ErrorKind::SubscriptOutOfRange, ErrorKind::InvalidPropertyValue})
        if (text.startsWith(QString::fromUtf8(errorKindMessage(kind))))
            return true;
    return false;
}

// Every number of a model, as bits: equal snapshots are the same state to the last bit.
QList<quint64> snapshot(const SinglePendulum &s)
{
    return {bitsOf(s.theta.value()),     bitsOf(s.omega.value()),    bitsOf(s.gravity.value()),
            bitsOf(s.rodLength.value()), bitsOf(s.timeStep.value()), bitsOf(s.damping.value())};
}

QList<quint64> snapshot(const DoublePendulum &d)
{
    QList<quint64> all;
    for (const CheckedDouble &v :
         {d.lenA, d.lenB, d.massA, d.massB, d.gravity, d.timeStep, d.damping, d.massRatio,
          d.gOverLenA, d.gOverLenB, d.lenRatio, d.elapsedTime})
        all << bitsOf(v.value());
    for (const ArmSlots *arm : {&d.armA, &d.armB})
        for (int slot = 0; slot < 3; ++slot) {
            const ArmState &a = (*arm)[slot];
            for (const CheckedDouble &v : {a.dOmega, a.omega, a.dTheta, a.theta, a.x, a.y})
                all << bitsOf(v.value());
        }
    all << quint64(d.curSlot) << quint64(d.prevSlot);
    return all;
}

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
        s.fields = {{"Text1", w->Text1},  {"Text2", w->Text2}, {"Text3", w->Text3},
                    {"Text4", w->Text4},  {"Text5", w->Text5}, {"Text6", w->Text6},
                    {"Text7", w->Text7},  {"Text8", w->Text8}, {"Text9", w->Text9},
                    {"Text10", w->Text10}};
        s.timer = &w->Timer1;
        s.run = w->Command1;
        s.destination = [&twin](const QString &f) {
            const double toRadians = 3.14159265358979 / 180;
            const QMap<QString, double> v = {{"Text1", twin.lenA.value()},
                                             {"Text2", twin.lenB.value()},
                                             {"Text3", twin.massA.value()},
                                             {"Text4", twin.massB.value()},
                                             {"Text5", twin.gravity.value()},
                                             {"Text6", twin.timeStep.value()},
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
    void failureChangesNothing_data();
    void failureChangesNothing();
};

void TestBadInput::matrix_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("use");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error"); // an ErrorKind, or -1 for none
    for (const Field &f : fields())
        for (const Case &c : cases()) {
            const Outcome &expected = f.use == Use::Value      ? c.value
                                      : f.use == Use::Interval ? c.interval
                                                               : c.angle;
            QTest::addRow("%s %s: %s", qPrintable(f.window), qPrintable(f.name), c.name)
                << f.window << f.name << int(f.use) << c.text << expected.value
                << (expected.error ? int(*expected.error) : -1);
        }
}

void TestBadInput::matrix()
{
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(int, use);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);
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

    QMessageBox *box = errorBox(s.window.get());
    if (error >= 0) {
        QVERIFY(box);
        const QString kind = QString::fromUtf8(errorKindMessage(ErrorKind(error)));
        QVERIFY2(box->text().startsWith(kind), qPrintable(box->text()));
        QVERIFY2(box->text().contains(edit->accessibleName()), qPrintable(box->text()));
        QVERIFY(!s.timer->Enabled());
    } else if (Use(use) == Use::Interval) {
        QCOMPARE(s.timer->Interval(), int(value));
    } else if (!box) {
        QCOMPARE(bitsOf(s.destination(field)) == bitsOf(value) ||
                     std::fabs(s.destination(field) - value) <= 1e-12 * std::fabs(value),
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
    // Once the dialog is dismissed, the field it named has the keyboard, its text selected.
    if (error >= 0) {
        errorBox(s.window.get())->accept();
        QCOMPARE(s.window->focusWidget(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
    }
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

// A failed Run or tick changes nothing the user or the next tick could see, stops the timer
// and names the field to fix; Resume then goes on exactly as after a Stop.
void TestBadInput::failureChangesNothing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("runFirst");     // a swing under way before the failure
    QTest::addColumn<QStringList>("texts"); // field=text, typed before the failing Run
    QTest::addColumn<bool>("tickFails");    // Run succeeds, its first tick fails
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fields"); // how the dialog names the fields
    const QString mismatch = QString::fromUtf8(errorKindMessage(ErrorKind::TypeMismatch));
    const QString byZero = QString::fromUtf8(errorKindMessage(ErrorKind::DivisionByZero));
    const QString invalid = QString::fromUtf8(errorKindMessage(ErrorKind::InvalidOperation));
    const QString overflow = QString::fromUtf8(errorKindMessage(ErrorKind::Overflow));
    const QString refused = QString::fromUtf8(errorKindMessage(ErrorKind::InvalidPropertyValue));
    QTest::newRow("single running, letters in the angle with new g and L")
        << "single" << true << QStringList{"Text6=abc", "Text3=5", "Text5=50"} << false << mismatch
        << QStringLiteral("「初期角度（Degree ）」");
    QTest::newRow("single fresh, empty angle")
        << "single" << false << QStringList{"Text6="} << false << mismatch
        << QStringLiteral("「初期角度（Degree ）」");
    QTest::newRow("single fresh, refused timer")
        << "single" << false << QStringList{"Text1=-1"} << false << refused
        << QStringLiteral("「タイマー」");
    QTest::newRow("single running, rod beyond single precision")
        << "single" << true << QStringList{"Text5=1e39"} << false << overflow
        << QStringLiteral("「棒の長さ」");
    QTest::newRow("single, zero rod at the first tick")
        << "single" << true << QStringList{"Text5=0"} << true << byZero
        << QStringLiteral("「棒の長さ」");
    QTest::newRow("double running, zero La and a new angle")
        << "double" << true << QStringList{"Text1=0", "Text7=45"} << false << byZero
        << QStringLiteral("「La」");
    QTest::newRow("double running, zero Lb and zero g")
        << "double" << true << QStringList{"Text2=0", "Text5=0"} << false << invalid
        << QStringLiteral("「Lb」");
    QTest::newRow("double running, both masses zero")
        << "double" << true << QStringList{"Text3=0", "Text4=0"} << false << invalid
        << QStringLiteral("「Ma」と「Mb」");
    QTest::newRow("double running, La beyond single precision")
        << "double" << true << QStringList{"Text1=1e36"} << false << overflow
        << QStringLiteral("「La」");
    QTest::newRow("double running, start angle beyond double")
        << "double" << true << QStringList{"Text8=1e308"} << false << overflow
        << QStringLiteral("「Mb（下の腕の初期角度）」");
    QTest::newRow("double running, refused timer")
        << "double" << true << QStringList{"Text9=70000", "Text1=0.2"} << false << refused
        << QStringLiteral("「タイマー」");
    QTest::newRow("double fresh, zero La") << "double" << false << QStringList{"Text1=abc"} << false
                                           << byZero << QStringLiteral("「La」");
    QTest::newRow("double, zero dt at the first tick")
        << "double" << true << QStringList{"Text6=0"} << true << invalid
        << QStringLiteral("「dt」");
}

void TestBadInput::failureChangesNothing()
{
    QFETCH(QString, window);
    QFETCH(bool, runFirst);
    QFETCH(QStringList, texts);
    QFETCH(bool, tickFails);
    QFETCH(QString, message);
    QFETCH(QString, fields);
    SinglePendulum single;
    DoublePendulum twin;
    Subject s = makeSubject(window, single, twin);
    s.window->show();
    auto *canvas = s.window->findChild<Canvas *>(QStringLiteral("Picture1"));
    auto *label = s.window->findChild<QLabel *>(QStringLiteral("Label17"));
    const bool isSingle = window == QLatin1String("single");
    const auto state = [&] { return isSingle ? snapshot(single) : snapshot(twin); };
    const auto tick = [&] { emit s.timer->Timer(); };
    if (runFirst) {
        QTest::mouseClick(s.run, Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            tick();
        QVERIFY(!errorBox(s.window.get()));
    }
    for (const QString &assignment : texts) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        s.fields.value(assignment.left(eq))->setText(assignment.mid(eq + 1));
    }
    if (tickFails) {
        QTest::mouseClick(s.run, Qt::LeftButton);
        QVERIFY(!errorBox(s.window.get()));
    }

    // Everything the failure must leave alone.
    const QList<quint64> model = state();
    const SinglePendulum singleBefore = single;
    const DoublePendulum twinBefore = twin;
    const QString elapsed = label ? label->text() : QString();
    const int interval = s.timer->Interval();
    const QList<float> scale = {canvas->ScaleLeft(), canvas->ScaleTop(), canvas->ScaleWidth(),
                                canvas->ScaleHeight()};
    const QImage picture = canvas->image().copy();

    if (tickFails)
        tick();
    else
        QTest::mouseClick(s.run, Qt::LeftButton);
    QMessageBox *box = errorBox(s.window.get());
    QVERIFY(box);
    QVERIFY2(box->text().startsWith(message), qPrintable(box->text()));
    QVERIFY2(box->text().contains(QStringLiteral("入力欄%1の値").arg(fields)),
             qPrintable(box->text()));
    QVERIFY(!s.timer->Enabled());
    const auto unchanged = [&] {
        QCOMPARE(state(), model);
        if (label)
            QCOMPARE(label->text(), elapsed);
        QCOMPARE(s.timer->Interval(), interval);
        QCOMPARE((QList<float>{canvas->ScaleLeft(), canvas->ScaleTop(), canvas->ScaleWidth(),
                               canvas->ScaleHeight()}),
                 scale);
        QCOMPARE(canvas->image(), picture);
    };
    unchanged();
    if (QTest::currentTestFailed())
        return;
    box->accept();

    // Resume goes on from the state before the failure, exactly; a failing tick fails again
    // at the same point without moving the clock.
    s.window->findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    QVERIFY(s.timer->Enabled());
    if (!runFirst) {
        QCOMPARE(s.timer->Interval(), 0); // never ticks
        return;
    }
    tick();
    if (tickFails) {
        QVERIFY(errorBox(s.window.get()));
        unchanged();
        return;
    }
    if (isSingle) {
        SinglePendulum expected = singleBefore;
        expected.Step();
        QCOMPARE(state(), snapshot(expected));
    } else {
        DoublePendulum expected = twinBefore;
        expected.AddTimeStep();
        expected.AdvanceArms();
        expected.SwapSlots();
        QCOMPARE(state(), snapshot(expected));
    }
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
