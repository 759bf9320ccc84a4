// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The real double pendulum window, driven offscreen: layout, Run, the tick, the figure and
// the XOR trail on the canvas image.
#include "designcontrols.h"
#include "doublependulum.h"
#include "frmdouble.h"
#include "runtimeerror.h"
#include "windowtesting.h"

#include <QBackingStore>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include <set>

namespace {

// The set of colours on the canvas image.
std::set<QRgb> coloursOf(const QImage &image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
    return colours;
}

bool isBlank(const QImage &image) { return coloursOf(image) == std::set<QRgb>{0xFFFFFF}; }

} // namespace

class TestFrmDouble : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void tabOrderAndLoad();
    void fieldsTakeClicksCaptionsFit();
    void everyHandlerAsksForTheFrame();
    void runDrawsDefaults();
    void screenShowsPicture();
    void paintsAtMostOnceAFrame();
    void firstTickShowsTime();
    void elapsedTimeLooksAsLabel_data();
    void elapsedTimeLooksAsLabel();
    void runWhileRunningRestarts();
    void stopResumeContinuesExactly();
    void lettersInLength();
    void refusedInterval();
    void xorFigureOverWhite();
    void xorFigureTwiceRestores();
    void trailRun();
    void slowTrailIsMagenta();
    void trailOffClearsToOneFigure();
    void badSlotDrawsNothing_data();
    void badSlotDrawsNothing();

private:
    DoublePendulum *state = nullptr;
    frmDouble *window = nullptr;
};

void TestFrmDouble::init()
{
    state = new DoublePendulum;
    window = new frmDouble(*state);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestFrmDouble::cleanup()
{
    delete window;
    delete state;
}

void TestFrmDouble::layout_data()
{
    addDesignColumns();
    const auto row = addDesignRow;
    row("Picture1", 120, 240, 6135, 5655, "");
    row("Command1", 6600, 240, 615, 375, "実行");
    row("Text1", 7080, 840, 735, 270, "0.1");
    row("Label1", 7920, 840, 375, 255, "Lb");
    row("Label2", 6720, 840, 375, 255, "La");
    row("Text2", 8160, 840, 735, 270, "0.1");
    row("Label3", 6720, 1200, 375, 255, "Ma");
    row("Text3", 7080, 1200, 735, 270, "0.02");
    row("Label4", 7920, 1200, 375, 255, "Mb");
    row("Text4", 8160, 1200, 735, 270, "0.02");
    row("Label5", 6720, 1680, 255, 255, "g");
    row("Text5", 7080, 1680, 735, 270, "9.8");
    row("Command2", 7320, 240, 735, 375, "停止");
    row("Text6", 8160, 1680, 735, 270, "0.005");
    row("Label7", 7920, 1680, 255, 255, "dt");
    row("Command3", 8160, 240, 735, 375, "再開");
    row("Text7", 7080, 2160, 735, 270, "30");
    row("Label8", 6720, 2160, 255, 255, "Ma");
    row("Text8", 8280, 2160, 735, 270, "10");
    row("Label9", 7920, 2160, 255, 255, "Mb");
    row("Label10", 6720, 2520, 735, 255, "タイマー");
    row("Text9", 7560, 2520, 855, 270, "10");
    row("Label17", 7440, 3360, 1215, 375, "");
    row("Text10", 7800, 2880, 855, 270, "0.0004");
    row("Label6", 6720, 2880, 1095, 255, "動粘性抵抗");
    row("Check1", 6720, 4080, 2295, 375, "軌跡あり");
}

void TestFrmDouble::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QCOMPARE(window->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window->size(), QSize(623, 402));
    QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY(control);
    QVERIFY(hasDesign(control, twips, text));
}

void TestFrmDouble::tabOrderAndLoad()
{
    QCOMPARE(state->prevSlot, std::int16_t(1));
    QCOMPARE(state->curSlot, std::int16_t(0));
    QVERIFY(window->Timer1.Enabled());
    QCOMPARE(window->Timer1.Interval(), 0);
    QVERIFY(!window->Check1->isChecked());
    QVERIFY(window->Text7->accessibleName().contains(QStringLiteral("初期角度")));
    const QList<QWidget *> expected = {
        window->Picture1, window->Command1, window->Text1,  window->Text2,
        window->Text3,    window->Text4,    window->Text5,  window->Command2,
        window->Text6,    window->Command3, window->Text7,  window->Text8,
        window->Text9,    window->Text10,   window->Check1, window->Picture1};
    QCOMPARE(tabChain(expected), expected);
}

void TestFrmDouble::fieldsTakeClicksCaptionsFit()
{
    const QString clash = fieldsAndCaptionsClash(window);
    QVERIFY2(clash.isEmpty(), qPrintable(clash));
    const QString shared = sharedFieldName(window);
    QVERIFY2(shared.isEmpty(), qPrintable(QStringLiteral("two fields are named ") + shared));
}

void TestFrmDouble::everyHandlerAsksForTheFrame()
{
    const QString missing =
        handlerWithoutFrame(window, {{"Run", [this] { window->Command1->click(); }},
                                     {"Stop", [this] { window->Command2->click(); }},
                                     {"Resume", [this] { window->Command3->click(); }},
                                     {"a tick", [this] { emit window->Timer1.Timer(); }}});
    QVERIFY2(missing.isEmpty(), qPrintable(missing + " leaves the screen as it was"));
}

void TestFrmDouble::runDrawsDefaults()
{
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    window->Timer1.setEnabled(false);
    const Canvas *c = window->Picture1;
    QCOMPARE(c->ScaleWidth(), 500.0f);
    QCOMPARE(c->ScaleHeight(), 500.0f);
    QCOMPARE(c->pointColour(300, 100), RGB(0, 0, 0));         // the pivot disc
    QCOMPARE(c->pointColour(345, 190), RGB(255, 0, 0));       // upper bob near (350, 186.60)
    QCOMPARE(c->pointColour(371, 285.08), RGB(0, 0, 255));    // lower bob near (367.36, 285.08)
    QCOMPARE(c->pointColour(367.36, 285.08), RGB(0, 0, 255)); // on top of its rod
    QCOMPARE(c->pointColour(325, 143.3), RGB(0, 0, 0));       // upper rod
    QCOMPARE(c->pointColour(200, 300), RGB(255, 255, 255));
    QCOMPARE(window->Timer1.Interval(), 10);
    QCOMPARE(window->Label17->text(), QString());
}

// What reaches the screen after a run of real ticks is the canvas's picture, pixel for pixel:
// every change of a tick, the clearing of the last figure included, was sent. The offscreen
// platform's screen is the window's backing store, at device pixels, which only the updates the
// canvas asks for repaint.
void TestFrmDouble::screenShowsPicture()
{
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTest::qWait(300);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    // The pixels of the screen that differ from the picture's; both are asked for afresh each
    // time, as the events processed between two looks may make either anew.
    const auto differing = [this]() -> int {
        const QImage &picture = window->Picture1->image();
        const auto *screen = dynamic_cast<QImage *>(window->backingStore()->paintDevice());
        if (!screen)
            return -1;
        const qreal ratio = picture.devicePixelRatio();
        const QPoint origin =
            (QPointF(window->Picture1->mapTo(window, QPoint(2, 2))) * ratio).toPoint();
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += (screen->pixel(origin + QPoint(x, y)) & 0xFFFFFF) !=
                         (picture.pixel(x, y) & 0xFFFFFF);
        return count;
    };
    // The last picture goes to the screen with the next display frame.
    QTRY_COMPARE_WITH_TIMEOUT(differing(), 0, kPatienceMs);
}

namespace {
// Counts the paint events of a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

// A window ticking every millisecond draws each tick into its picture, but its canvas and its
// elapsed time are painted at most once a display frame: over half a second, 30 frames.
void TestFrmDouble::paintsAtMostOnceAFrame()
{
    window->Text9->setText(QStringLiteral("1"));
    PaintCounter canvas, label;
    window->Picture1->installEventFilter(&canvas);
    window->Label17->installEventFilter(&label);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    const QString startTime = window->Label17->text();
    QTest::qWait(500);
    window->Timer1.setEnabled(false);
    QVERIFY(window->Label17->text() != startTime);
    qInfo("paints: canvas %d, label %d", canvas.paints, label.paints);
    QVERIFY2(canvas.paints >= 5 && canvas.paints <= 32, qPrintable(QString::number(canvas.paints)));
    QVERIFY2(label.paints >= 5 && label.paints <= 32, qPrintable(QString::number(label.paints)));
}

void TestFrmDouble::firstTickShowsTime()
{
    window->Command1->click();
    window->Command2->click();
    window->Timer1.tick();
    QCOMPARE(state->prevSlot, std::int16_t(0));
    QTRY_COMPARE(window->Label17->text(), QStringLiteral("0.005000")); // with the next frame
    // The real timer ticks on at its pace.
    window->Command3->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->Label17->text() != QStringLiteral("0.005000"), kPatienceMs);
}

// The elapsed time draws its digits from glyphs shaped once; it must look as a QLabel with the
// same text, including a text wider than the label and a dark theme.
void TestFrmDouble::elapsedTimeLooksAsLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dark");
    QTest::newRow("first tick") << QStringLiteral("0.005000") << false;
    QTest::newRow("every digit") << QStringLiteral("1234.567890") << false;
    QTest::newRow("negative") << QStringLiteral("-98.010000") << false;
    QTest::newRow("exponent") << QStringLiteral("1E+20") << false;
    QTest::newRow("wider than the label") << QStringLiteral("123456789012345.000000") << false;
    QTest::newRow("dark theme") << QStringLiteral("4567.123400") << true;
}

void TestFrmDouble::elapsedTimeLooksAsLabel()
{
    QFETCH(QString, text);
    QFETCH(bool, dark);
    auto *reference = makeLabel(window, "reference", "", window->Label17->geometry());
    reference->setTextFormat(Qt::PlainText);
    if (dark) {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Qt::black);
        palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
        window->setPalette(palette);
    }
    window->Label17->setText(text);
    reference->setText(text);
    const QImage expected = reference->grab().toImage();
    QCOMPARE(window->Label17->grab().toImage(), expected);
    QVERIFY(expected != makeLabel(window, "blank", "", reference->geometry())->grab().toImage());
}

void TestFrmDouble::runWhileRunningRestarts()
{
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(state->elapsedTime.value() > 0.02, kPatienceMs);
    const QString shown = window->Label17->text();
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    window->Timer1.setEnabled(false);
    QCOMPARE(state->elapsedTime.value(), 0.0);
    QCOMPARE(state->armA[state->prevSlot].theta.value(), 30 * 3.14159265358979 / 180);
    QCOMPARE(state->armB[state->prevSlot].omega.value(), 0.0);
    QCOMPARE(window->Label17->text(), shown); // Run leaves the label to the next tick
    window->Timer1.tick();
    QTRY_COMPARE(window->Label17->text(), QStringLiteral("0.005000"));
}

void TestFrmDouble::stopResumeContinuesExactly()
{
    DoublePendulum reference;
    reference.ResetSlots();
    reference.InitArms(kDoubleDesignParameters);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(state->elapsedTime.value() > 0.05, kPatienceMs);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QVERIFY(!window->Timer1.Enabled());
    const double stopped = state->elapsedTime.value();
    QTest::qWait(40);
    QCOMPARE(state->elapsedTime.value(), stopped);
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(state->elapsedTime.value() > stopped + 0.05, kPatienceMs);
    window->Command2->click();
    // Every tick the window made matches the uninterrupted sequence, bit for bit.
    while (reference.elapsedTime.value() < state->elapsedTime.value()) {
        reference.AddTimeStep();
        reference.AdvanceArms();
        reference.SwapSlots();
    }
    QCOMPARE(reference.elapsedTime.value(), state->elapsedTime.value());
    QCOMPARE(reference.prevSlot, state->prevSlot);
    QCOMPARE(reference.armA[reference.prevSlot].theta.value(),
             state->armA[state->prevSlot].theta.value());
    QCOMPARE(reference.armB[reference.prevSlot].omega.value(),
             state->armB[state->prevSlot].omega.value());
}

void TestFrmDouble::lettersInLength()
{
    window->Text1->setText(QStringLiteral("abc"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QMessageBox *box = errorBox(window);
    QVERIFY(box);
    QVERIFY(box->text().contains(QStringLiteral("0 で除算しました。")));
    QVERIFY(!window->Timer1.Enabled());
    QVERIFY(isBlank(window->Picture1->image()) || window->Picture1->image().isNull());
    box->accept();
    QTRY_VERIFY(!errorBox(window));
    window->Text1->setText(QStringLiteral("0.1"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->Label17->text().isEmpty(), kPatienceMs);
}

void TestFrmDouble::refusedInterval()
{
    window->Text9->setText(QStringLiteral("-1"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QVERIFY(errorBox(window));
    QVERIFY(errorBox(window)->text().contains(QStringLiteral("プロパティの値が無効です。")));
    QVERIFY(errorBox(window)->text().contains(QStringLiteral("タイマー")));
    // Refused before anything was applied: the fresh window's state and canvas are as they were.
    QCOMPARE(state->prevSlot, std::int16_t(1));
    QCOMPARE(state->lenA.value(), 0.0);
    QVERIFY(window->Picture1->image().isNull());
    QCOMPARE(window->Timer1.Interval(), 0);
}

void TestFrmDouble::xorFigureOverWhite()
{
    window->Command1->click();
    window->Command2->click();
    window->Check1->setChecked(true);
    window->Picture1->Cls();
    window->Picture1->setDrawMode(Canvas::XorPen);
    window->DrawDoublePendulum(state->prevSlot);
    const Canvas *c = window->Picture1;
    QCOMPARE(c->pointColour(298, 100), RGB(0, 0, 0));
    QCOMPARE(c->pointColour(345, 190), RGB(255, 0, 0));
    QCOMPARE(c->pointColour(371, 285.08), RGB(0, 0, 255));
    QCOMPARE(c->pointColour(325, 143.3), RGB(0, 0, 0));
    QCOMPARE(c->FillColor(), RGB(255, 255, 0));
    QCOMPARE(c->FillStyle(), Canvas::Solid);
}

void TestFrmDouble::xorFigureTwiceRestores()
{
    window->Command1->click();
    window->Command2->click();
    for (int i = 0; i < 7; ++i)
        window->Timer1.tick(); // a figure in the copy pen to draw over
    window->Check1->setChecked(true);
    const QImage before = window->Picture1->image().copy();
    window->Picture1->setDrawMode(Canvas::XorPen);
    for (std::int16_t slot : {std::int16_t(0), std::int16_t(1)}) {
        window->DrawDoublePendulum(slot);
        QVERIFY(window->Picture1->image() != before);
        window->DrawDoublePendulum(slot);
        QCOMPARE(window->Picture1->image(), before);
    }
}

void TestFrmDouble::trailRun()
{
    window->Check1->setChecked(true);
    window->Command1->click();
    window->Command2->click();
    QVERIFY(isBlank(window->Picture1->image()));
    QCOMPARE(window->Picture1->DrawMode(), Canvas::XorPen);
    window->Timer1.tick();
    QCOMPARE(window->Picture1->DrawMode(), Canvas::CopyPen);
    QVERIFY(!isBlank(window->Picture1->image()));
    // Half a swing later the moving figure is on the other side; the first tick's erase drew
    // the start figure, which stays.
    for (int i = 0; i < 60; ++i)
        window->Timer1.tick();
    QCOMPARE(window->Picture1->pointColour(371, 285.08), RGB(0, 0, 255));
    QCOMPARE(window->Picture1->pointColour(345, 190), RGB(255, 0, 0));
    // The moving figure's pivot disc lies exactly on the start figure's: the two cancel.
    QCOMPARE(window->Picture1->pointColour(298, 100), RGB(255, 255, 255));
    const std::set<QRgb> colours = coloursOf(window->Picture1->image());
    QVERIFY(colours.count(0xFF00FF)); // trail passed over by the bob
    QVERIFY(colours.count(0xFFFFFF));
}

void TestFrmDouble::slowTrailIsMagenta()
{
    // Slow swing: the lower bob moves less than its radius per tick.
    window->Text6->setText(QStringLiteral("0.001"));
    window->Check1->setChecked(true);
    window->Command1->click();
    window->Command2->click();
    for (int i = 0; i < 120; ++i)
        window->Timer1.tick();
    // Behind the bob, about where it was 60 ticks ago, the trail shows magenta.
    DoublePendulum replay;
    replay.ResetSlots();
    DoubleParameters slow = kDoubleDesignParameters;
    slow.timeStep = 0.001;
    replay.InitArms(slow);
    for (int i = 0; i < 60; ++i) {
        replay.AddTimeStep();
        replay.AdvanceArms();
        replay.SwapSlots();
    }
    const ArmState &past = replay.armB[replay.prevSlot];
    const double x = 1000 * past.x.value() + 300, y = 1000 * past.y.value() + 100;
    bool magenta = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            magenta |=
                window->Picture1->pointColour(x + 1.2 * dx, y + 1.4 * dy) == RGB(255, 0, 255);
    QVERIFY(magenta);
}

void TestFrmDouble::trailOffClearsToOneFigure()
{
    window->Check1->setChecked(true);
    window->Command1->click();
    window->Command2->click();
    for (int i = 0; i < 50; ++i)
        window->Timer1.tick();
    window->Check1->setChecked(false);
    window->Timer1.tick();
    const std::set<QRgb> colours = coloursOf(window->Picture1->image());
    QCOMPARE(colours, (std::set<QRgb>{0xFFFFFF, 0x000000, 0xFF0000, 0x0000FF}));
}

void TestFrmDouble::badSlotDrawsNothing_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
}

void TestFrmDouble::badSlotDrawsNothing()
{
    QFETCH(int, slot);
    window->Command1->click();
    window->Command2->click();
    const QImage before = window->Picture1->image().copy();
    const std::int16_t index = std::int16_t(slot);
    QCOMPARE(errorOf([&] { window->DrawDoublePendulum(index); }),
             std::optional(ErrorKind::SubscriptOutOfRange));
    QCOMPARE(window->Picture1->image(), before);
}

QTEST_MAIN(TestFrmDouble)
#include "tst_frmdouble.moc"
