// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The floor under the program's CPU share: a Qt program that wakes and paints as the two running
// simulators do, and does nothing else. One timer ticks every 10 ms; every other tick repaints a
// small square of each of two windows, 50 frames a second each, as the program's clock sends them.
// What it costs is the share of the system, the X connection and Qt's event and paint machinery,
// which no change to the simulators' own work can take away.
//   floor
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Square : public QWidget {
public:
    int shade = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), shade % 2 ? Qt::white : Qt::black);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Square windows[2];
    for (Square &window : windows) {
        window.resize(623, 402); // the simulators' size
        window.show();
    }
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (++ticks % 2 != 0)
            return;
        for (Square &window : windows) {
            ++window.shade;
            window.repaint(200, 150, 60, 60); // about a tick's figure
        }
    });
    tick.start(10);
    return app.exec();
}
