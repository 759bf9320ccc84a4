// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The launcher, the lasting simulator instances and the icon, offscreen.
#include "canvas.h"
#include "frmmain.h"
#include "pendulumicon.h"
#include "qttranslations.h"
#include "simulators.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>
#include <set>

class TestLauncher : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void oneInstanceEach();
    void closingKeepsValues();
    void reopenedDoubleRunsFormLoad();
    void closeStopsTicksAndShowBringsBack();
    void qtTextsAreJapanese();
    void icon_data();
    void icon();
    void fontCoversEveryWindow();
    void accessibleRoles();
};

void TestLauncher::layout()
{
    Simulators simulators;
    frmMain launcher(simulators);
    launcher.show();
    QVERIFY(QTest::qWaitForWindowExposed(&launcher));
    QCOMPARE(launcher.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(launcher.size(), QSize(312, 206));
    QCOMPARE(launcher.Command1->text(), QStringLiteral("単振り子"));
    QCOMPARE(launcher.Command2->text(), QStringLiteral("二重振り子"));
    QCOMPARE(launcher.Command1->geometry(), QRect(40, 8, 97, 33));
    QCOMPARE(launcher.Command2->geometry(), QRect(40, 56, 97, 33));
    QVERIFY(!launcher.Command1->isDefault() && !launcher.Command1->autoDefault());
    QVERIFY(!launcher.Command2->isDefault() && !launcher.Command2->autoDefault());
    QCOMPARE(QApplication::focusWidget(), launcher.Command1);
    QTest::keyClick(launcher.Command1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), launcher.Command2);
    QCOMPARE(launcher.findChildren<QWidget *>().size(), 2);
    // Nothing is made before its button is clicked.
    QVERIFY(!simulators.hasSinglePendulum() && !simulators.hasDoublePendulum());
}

void TestLauncher::oneInstanceEach()
{
    Simulators simulators;
    frmMain launcher(simulators);
    launcher.show();
    QTest::mouseClick(launcher.Command1, Qt::LeftButton);
    frmSingle *first = simulators.singlePendulum().window();
    QVERIFY(first && first->isVisible());
    first->Text3->setText(QStringLiteral("2.5"));
    first->Command1->click();
    QTest::mouseClick(launcher.Command1, Qt::LeftButton);
    QCOMPARE(simulators.singlePendulum().window(), first);
    QCOMPARE(first->Text3->text(), QStringLiteral("2.5"));
    QVERIFY(first->Timer1.Enabled());
    QCOMPARE(first->Timer1.Interval(), 10);
    QTest::mouseClick(launcher.Command2, Qt::LeftButton);
    QVERIFY(simulators.doublePendulum().window());
    QVERIFY(launcher.isVisible() && launcher.isEnabled());
}

void TestLauncher::closingKeepsValues()
{
    Simulators simulators;
    simulators.singlePendulum().Show();
    QPointer<frmSingle> window = simulators.singlePendulum().window();
    window->Text5->setText(QStringLiteral("150"));
    window->Command1->click();
    window->Timer1.tick();
    const double theta = simulators.singlePendulum().state().theta.value();
    window->close();
    QTRY_VERIFY(!window); // the window and its controls are gone
    QCOMPARE(simulators.singlePendulum().state().theta.value(), theta);
    QCOMPARE(simulators.singlePendulum().state().rodLength.value(), 150.0);
    simulators.singlePendulum().Show();
    frmSingle *again = simulators.singlePendulum().window();
    QVERIFY(again);
    QCOMPARE(again->Text5->text(), QStringLiteral("100"));
    QVERIFY(again->Timer1.Enabled());
    QCOMPARE(again->Timer1.Interval(), 0);
    QVERIFY(again->Picture1->image().isNull()); // blank: nothing drawn yet
    QCOMPARE(simulators.singlePendulum().state().theta.value(), theta);
}

void TestLauncher::reopenedDoubleRunsFormLoad()
{
    Simulators simulators;
    simulators.doublePendulum().Show();
    QPointer<frmDouble> window = simulators.doublePendulum().window();
    window->Command1->click();
    window->Command2->click();
    window->Timer1.tick(); // now prevSlot = 0, curSlot = 1
    QCOMPARE(simulators.doublePendulum().state().prevSlot, std::int16_t(0));
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(simulators.doublePendulum().state().prevSlot, std::int16_t(0));
    simulators.doublePendulum().Show();
    QCOMPARE(simulators.doublePendulum().state().prevSlot, std::int16_t(1));
    QCOMPARE(simulators.doublePendulum().state().curSlot, std::int16_t(0));
    QVERIFY(simulators.doublePendulum().state().elapsedTime.value() > 0.0); // values are kept
    QVERIFY(simulators.doublePendulum().window()->Label17->text().isEmpty());
}

void TestLauncher::closeStopsTicksAndShowBringsBack()
{
    Simulators simulators;
    frmMain launcher(simulators);
    launcher.show();
    const DoublePendulum &state = simulators.doublePendulum().state();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(launcher.Command2, Qt::LeftButton);
        QPointer<frmDouble> window = simulators.doublePendulum().window();
        window->Text9->setText(QStringLiteral("1"));
        window->Command1->click();
        QTRY_VERIFY(state.elapsedTime.value() > 0.0);
        QTest::qWait(3);
        QVERIFY(window->close());
        // The window is deleted only once the event loop comes round; its timer must not
        // tick in between.
        QVERIFY(!window->Timer1.Enabled());
        const double closedAt = state.elapsedTime.value();
        QTRY_VERIFY(!window);
        QCOMPARE(state.elapsedTime.value(), closedAt);
    }

    QTest::mouseClick(launcher.Command2, Qt::LeftButton);
    frmDouble *window = simulators.doublePendulum().window();
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    QTest::mouseClick(launcher.Command2, Qt::LeftButton);
    QCOMPARE(simulators.doublePendulum().window(), window);
    QVERIFY(!window->isMinimized());

    // A window left partly off the screen (the screen shrank, or it was dragged away) comes
    // back wholly onto it.
    const QRect area = window->screen()->availableGeometry();
    window->move(area.right() - 10, area.bottom() - 10);
    QTRY_COMPARE(window->frameGeometry().left(), area.right() - 10);
    QTest::mouseClick(launcher.Command2, Qt::LeftButton);
    QTRY_VERIFY2(area.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                        .arg(window->x())
                                                                        .arg(window->y())
                                                                        .arg(window->width())
                                                                        .arg(window->height())));
}

void TestLauncher::qtTextsAreJapanese()
{
    QVERIFY(installJapaneseQtTexts(*QCoreApplication::instance(),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    const QString undo = menu->actions().value(0)->text();
    QVERIFY2(undo.contains(QStringLiteral("元に戻す")), qPrintable(undo));
}

void TestLauncher::icon_data()
{
    QTest::addColumn<int>("size");
    for (int size : kPendulumIconSizes)
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestLauncher::icon()
{
    QFETCH(int, size);
    const QImage image = drawPendulumIcon(size);
    QCOMPARE(image.size(), QSize(size, size));
    std::set<QRgb> colours;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            colours.insert(image.pixel(x, y));
    if (size == 32)
        QVERIFY(colours.size() <= 16);
    // Above 32 pixels the white rods have a dark outline; at 32 and below they have none.
    const bool outlined = std::any_of(colours.begin(), colours.end(), [](QRgb c) {
        return qAlpha(c) > 0 && (c & 0xFFFFFF) == 0x404040;
    });
    QCOMPARE(outlined, size > 32);
    for (QRgb wanted : {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(255, 255, 0)})
        QVERIFY(colours.count(wanted));
    // Transparent around the figure; the pivot block black at the top centre.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
    QCOMPARE(image.pixel(size / 2, size * 2 / 32), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(size * 10 / 32, size * 31 / 64), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(size * 43 / 64, size * 51 / 64), qRgb(255, 255, 0));
}

void TestLauncher::fontCoversEveryWindow()
{
    Simulators simulators;
    frmMain launcher(simulators);
    simulators.singlePendulum().Show();
    simulators.doublePendulum().Show();
    for (QWidget *window : QList<QWidget *>{&launcher, simulators.singlePendulum().window(),
                                            simulators.doublePendulum().window()}) {
        QStringList texts = {window->windowTitle()};
        for (const QLabel *label : window->findChildren<QLabel *>())
            texts << label->text();
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
            texts << button->text();
        for (const QWidget *widget : window->findChildren<QWidget *>())
            texts << widget->accessibleName();
        const QFontMetrics metrics(window->font());
        QVERIFY(QFontInfo(window->font()).family().startsWith(QLatin1String("IPA")));
        for (const QString &text : texts)
            for (const char32_t c : text.toUcs4())
                QVERIFY2(metrics.inFontUcs4(c), qPrintable(text));
    }
}

void TestLauncher::accessibleRoles()
{
    Simulators simulators;
    frmMain launcher(simulators);
    simulators.singlePendulum().Show();
    simulators.doublePendulum().Show();
    int canvases = 0;
    for (QWidget *window : QList<QWidget *>{&launcher, simulators.singlePendulum().window(),
                                            simulators.doublePendulum().window()}) {
        QCOMPARE(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window);
        for (Canvas *canvas : window->findChildren<Canvas *>()) {
            const QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(canvas);
            QCOMPARE(picture->role(), QAccessible::Graphic);
            QCOMPARE(picture->text(QAccessible::Name), canvas->accessibleName());
            ++canvases;
        }
    }
    QCOMPARE(canvases, 2);
}

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
