// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The real simple pendulum window, driven offscreen.
#include "frmsingle.h"
#include "runtimeerror.h"
#include "singlependulum.h"
#include "windowtesting.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QTest>

#include <cmath>
#include <set>

namespace {

// The window's pixel for a world point of its canvas, in widget coordinates of the canvas.
QPoint canvasPoint(const Canvas *canvas, double x, double y)
{
    return (canvas->toPixels(x, y) + QPointF(2, 2)).toPoint();
}

} // namespace

class TestFrmSingle : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void windowAndHint();
    void tabOrder();
    void fieldsTakeClicksCaptionsFit();
    void everyHandlerAsksForTheFrame();
    void enterPressesFocusedButton();
    void fontCoversEveryText();
    void runDrawsDefaults();
    void stopResumeContinues();
    void runWhileRunningRestarts();
    void clickPlacesBob();
    void clickBeforeRunUsesTwips();
    void angleTypeMismatch_data();
    void angleTypeMismatch();
    void zeroRodLengthStopsAtFirstTick();
    void interval_data();
    void interval();

private:
    SinglePendulum *state = nullptr;
    frmSingle *window = nullptr;
};

void TestFrmSingle::init()
{
    state = new SinglePendulum;
    window = new frmSingle(*state);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestFrmSingle::cleanup()
{
    delete window;
    delete state;
}

void TestFrmSingle::layout_data()
{
    addDesignColumns();
    const auto row = addDesignRow;
    row("Picture1", 120, 240, 6135, 5655, "");
    row("Command1", 6600, 240, 615, 375, "実行");
    row("Text1", 8280, 825, 735, 270, "10");
    row("Label1", 7080, 1200, 1215, 255, "動粘性抵抗");
    row("Label2", 7320, 840, 855, 255, "タイマー");
    row("Text2", 8280, 1200, 735, 270, "0.001");
    row("Label3", 7080, 1560, 1095, 255, "重力加速度");
    row("Text3", 8280, 1560, 735, 270, "0.98");
    row("Label4", 7320, 1920, 855, 255, "時間刻み");
    row("Text4", 8280, 1920, 735, 270, "1");
    row("Label5", 7320, 2280, 855, 255, "棒の長さ");
    row("Text5", 8280, 2280, 735, 270, "100");
    row("Command2", 7320, 240, 735, 375, "停止");
    row("Label6", 6480, 3840, 2655, 495, "クリックしたところにボールが移動します");
    row("Text6", 8280, 2640, 735, 270, "90");
    row("Label7", 6600, 2640, 1815, 255, "初期角度（Degree ）");
    row("Command3", 8160, 240, 735, 375, "再開");
}

void TestFrmSingle::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY(control);
    QVERIFY(hasDesign(control, twips, text));
    if (auto *button = qobject_cast<QPushButton *>(control))
        QVERIFY(!button->isDefault() && !button->autoDefault());
}

void TestFrmSingle::windowAndHint()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window->size(), QSize(623, 402));
    QCOMPARE(window->Label6->palette().color(QPalette::Window), QColor(255, 255, 192));
    QVERIFY(window->Label6->autoFillBackground());
    // Fresh: the timer is enabled with no interval, the canvas blank.
    QVERIFY(window->Timer1.Enabled());
    QCOMPARE(window->Timer1.Interval(), 0);
}

void TestFrmSingle::tabOrder()
{
    const QList<QWidget *> expected = {window->Picture1, window->Command1, window->Text1,
                                       window->Text2,    window->Text3,    window->Text4,
                                       window->Text5,    window->Command2, window->Text6,
                                       window->Command3, window->Picture1};
    QCOMPARE(tabChain(expected), expected);
}

void TestFrmSingle::fieldsTakeClicksCaptionsFit()
{
    const QString clash = fieldsAndCaptionsClash(window);
    QVERIFY2(clash.isEmpty(), qPrintable(clash));
    const QString shared = sharedFieldName(window);
    QVERIFY2(shared.isEmpty(), qPrintable(QStringLiteral("two fields are named ") + shared));
}

void TestFrmSingle::everyHandlerAsksForTheFrame()
{
    const QString missing = handlerWithoutFrame(
        window, {{"Run", [this] { window->Command1->click(); }},
                 {"Stop", [this] { window->Command2->click(); }},
                 {"Resume", [this] { window->Command3->click(); }},
                 {"a click on the canvas",
                  [this] { emit window->Picture1->MouseDown(1, 0, 30.0f, 40.0f); }},
                 {"a tick", [this] { emit window->Timer1.Timer(); }}});
    QVERIFY2(missing.isEmpty(), qPrintable(missing + " leaves the screen as it was"));
}

void TestFrmSingle::enterPressesFocusedButton()
{
    // Return in a field presses nothing: there is no default button.
    window->Text3->setFocus();
    QTest::keyClick(window->Text3, Qt::Key_Return);
    QCOMPARE(window->Timer1.Interval(), 0);
    window->Command1->setFocus();
    QTest::keyClick(window->Command1, Qt::Key_Return);
    QTRY_COMPARE(window->Timer1.Interval(), 10);
    window->Command2->setFocus();
    QTest::keyClick(window->Command2, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(!window->Timer1.Enabled());
}

void TestFrmSingle::fontCoversEveryText()
{
    QStringList texts = {window->windowTitle()};
    for (const QLabel *label : window->findChildren<QLabel *>())
        texts << label->text();
    for (const QPushButton *button : window->findChildren<QPushButton *>())
        texts << button->text();
    for (const QLineEdit *edit : window->findChildren<QLineEdit *>())
        texts << edit->text() << edit->accessibleName();
    texts << QStringLiteral("実行時エラー入力欄「」の値を確かめてください。");
    for (ErrorKind kind :
         {ErrorKind::InvalidOperation, ErrorKind::DivisionByZero, ErrorKind::Overflow,
          ErrorKind::TypeMismatch, ErrorKind::SubscriptOutOfRange, ErrorKind::InvalidPropertyValue})
        texts << QString::fromUtf8(errorKindMessage(kind));
    const QFontInfo info(window->font());
    QVERIFY2(info.family().startsWith(QLatin1String("IPA")), qPrintable(info.family()));
    const QFontMetrics metrics(window->font());
    for (const QString &text : texts)
        for (const char32_t c : text.toUcs4())
            QVERIFY2(
                metrics.inFontUcs4(c),
                qPrintable(QStringLiteral("U+%1 in %2").arg(uint(c), 4, 16, QChar('0')).arg(text)));
}

void TestFrmSingle::runDrawsDefaults()
{
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QCOMPARE(window->Timer1.Interval(), 10);
    QVERIFY(window->Timer1.Enabled());
    QCOMPARE(state->theta.value(), 1.5707963267949);
    QCOMPARE(state->rodLength.value(), 100.0);
    window->Timer1.setEnabled(false); // hold the figure still for the pixels
    const Canvas *canvas = window->Picture1;
    QCOMPARE(canvas->pointColour(100, 0), RGB(255, 0, 0));
    QCOMPARE(canvas->pointColour(50, 0), RGB(0, 0, 0)); // the rod, to the right
    QCOMPARE(canvas->pointColour(-50, 0), RGB(255, 255, 255));
    QCOMPARE(canvas->pointColour(100, 30), RGB(255, 255, 255));
    // The horizontal rod is one straight run: its rows are the same all along.
    const QImage &picture = canvas->image();
    const qreal ratio = picture.devicePixelRatio();
    std::set<int> rows;
    for (int x = int(canvas->toPixels(5, 0).x() * ratio);
         x < int(canvas->toPixels(80, 0).x() * ratio); ++x)
        for (int y = 0; y < picture.height(); ++y)
            if (picture.pixel(x, y) == qRgb(0, 0, 0))
                rows.insert(y);
    QCOMPARE(int(rows.size()), int(std::lround(ratio)));
    // What the screen shows is the picture.
    const QImage shown = window->Picture1->grab().toImage();
    QCOMPARE(shown.pixelColor(canvasPoint(canvas, 100, 0) * shown.devicePixelRatio()),
             QColor(255, 0, 0));
}

void TestFrmSingle::stopResumeContinues()
{
    window->Command1->click();
    window->Command2->click();
    for (int i = 0; i < 5; ++i)
        window->Timer1.tick();
    SinglePendulum reference = *state;
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QVERIFY(!window->Timer1.Enabled());
    const double omega = state->omega.value();
    QTest::qWait(50);
    QCOMPARE(state->omega.value(), omega);
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    QVERIFY(window->Timer1.Enabled());
    QCOMPARE(window->Timer1.Interval(), 10);
    QCOMPARE(state->omega.value(), omega);
    window->Command2->click();
    window->Timer1.tick();
    reference.Step();
    QCOMPARE(state->theta.value(), reference.theta.value());
    QCOMPARE(state->omega.value(), reference.omega.value());
}

void TestFrmSingle::runWhileRunningRestarts()
{
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTRY_VERIFY(state->omega.value() != 0.0);
    window->Text6->setText(QStringLiteral("-90"));
    window->Text3->setText(QStringLiteral("0"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QCOMPARE(state->omega.value(), 0.0);
    QCOMPARE(state->theta.value(), -1.5707963267949);
    QCOMPARE(state->gravity.value(), 0.0);
    window->Timer1.setEnabled(false);
    QCOMPARE(window->Picture1->pointColour(-100, 0), RGB(255, 0, 0)); // to the left
}

void TestFrmSingle::clickPlacesBob()
{
    window->Command1->click();
    window->Command2->click();
    emit window->Picture1->MouseDown(1, 0, 30.0f, 40.0f);
    QCOMPARE(window->Text5->text(), QStringLiteral("50"));
    QCOMPARE(state->rodLength.value(), 50.0);
    QCOMPARE(window->Text6->text(), QStringLiteral("90"));
    // A real click, with the middle button: the bob moves under the pointer.
    const QPoint at = canvasPoint(window->Picture1, -120, -160);
    QTest::mouseClick(window->Picture1, Qt::MiddleButton, {}, at);
    const double x = -300.0 + (at.x() - 2) * 600.0 / 405.0;
    const double y = 300.0 - (at.y() - 2) * 600.0 / 373.0;
    const double length =
        std::floor(std::sqrt(double(float(x)) * float(x) + double(float(y)) * float(y)));
    QCOMPARE(window->Text5->text(), QString::number(length));
    QCOMPARE(window->Picture1->pointColour(x, y), RGB(255, 0, 0));
    QVERIFY(!window->Timer1.Enabled()); // a click leaves the timer as it was
}

void TestFrmSingle::clickBeforeRunUsesTwips()
{
    QTest::mouseClick(window->Picture1, Qt::LeftButton, {}, QPoint(2 + 20, 2 + 0));
    // 20 pixels right of the top-left corner is 300 twips, on the horizontal through it.
    QCOMPARE(window->Text5->text(), QStringLiteral("300"));
    QCOMPARE(state->theta.value(), 1.570796326794895);
}

void TestFrmSingle::angleTypeMismatch_data()
{
    QTest::addColumn<QString>("angle");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("junk after") << "12abc";
}

void TestFrmSingle::angleTypeMismatch()
{
    QFETCH(QString, angle);
    window->Text6->setText(angle);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QMessageBox *box = errorBox(window);
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowTitle(), QStringLiteral("実行時エラー"));
    QVERIFY(box->text().contains(QStringLiteral("型が一致しません。")));
    QVERIFY(box->text().contains(QStringLiteral("初期角度（Degree ）")));
    // The window's controls wait for the dialog, but the window itself is not blocked: the
    // user can still close it.
    QCOMPARE(box->windowModality(), Qt::NonModal);
    QVERIFY(!window->Command1->isEnabled() && !window->Text6->isEnabled());
    QVERIFY(!window->Timer1.Enabled());
    // A click on the window while the dialog is up leaves the dialog the keyboard.
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), box);
    box->accept();
    QTRY_VERIFY(!errorBox(window));
    QVERIFY(window->Command1->isEnabled() && window->Text6->isEnabled());
    // The program runs on: a good angle now runs.
    window->Text6->setText(QStringLiteral("45"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QVERIFY(!errorBox(window));
    QVERIFY(window->Timer1.Enabled());
}

void TestFrmSingle::zeroRodLengthStopsAtFirstTick()
{
    window->Text5->setText(QStringLiteral("0"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QVERIFY(!errorBox(window));
    QTRY_VERIFY_WITH_TIMEOUT(errorBox(window), kPatienceMs);
    QVERIFY(errorBox(window)->text().contains(QStringLiteral("0 で除算しました。")));
    QVERIFY(!window->Timer1.Enabled());
    // Nothing is rolled back: Resume raises the same error again at its first tick.
    errorBox(window)->accept();
    QTRY_VERIFY(!errorBox(window));
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(errorBox(window), kPatienceMs);
}

void TestFrmSingle::interval_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("interval"); // -1: refused
    QTest::newRow("2.5 to even") << "2.5" << 2;
    QTest::newRow("3.5 to even") << "3.5" << 4;
    QTest::newRow("10.5") << "10.5" << 10;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("no number") << "abc" << 0;
    QTest::newRow("negative") << "-5" << -1;
    QTest::newRow("too long") << "65536" << -1;
    QTest::newRow("beyond 32 bits") << "1e10" << -1;
}

void TestFrmSingle::interval()
{
    QFETCH(QString, text);
    QFETCH(int, interval);
    window->Text1->setText(text);
    window->Text3->setText(QStringLiteral("5"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    if (interval < 0) {
        QVERIFY(errorBox(window));
        QVERIFY(errorBox(window)->text().contains(QStringLiteral("タイマー")));
        QCOMPARE(state->gravity.value(), 0.0); // refused before any other field is read
        return;
    }
    QVERIFY(!errorBox(window));
    QCOMPARE(window->Timer1.Interval(), interval);
    QCOMPARE(state->gravity.value(), 5.0);
    if (interval == 0) {
        QTest::qWait(50);
        QCOMPARE(state->omega.value(), 0.0);
    }
}

QTEST_MAIN(TestFrmSingle)
#include "tst_frmsingle.moc"
