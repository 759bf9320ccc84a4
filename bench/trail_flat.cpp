// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Whether the trail's cost per tick stays flat: the median tick of frmDouble with the trail on
// over ticks 100 000 to 101 000, divided by that over ticks 1 000 to 2 000. Prints the ratio.
#include "doublependulum.h"
#include "frmdouble.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DoublePendulum state;
    frmDouble window(state);
    window.show();
    window.Check1->setChecked(true);
    window.Command1->click();
    window.Command2->click();
    std::vector<double> early, late;
    for (int n = 1; n <= 101000; ++n) {
        const auto start = std::chrono::steady_clock::now();
        window.Timer1.tick();
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        if (n > 1000 && n <= 2000)
            early.push_back(us);
        if (n > 100000)
            late.push_back(us);
    }
    std::printf("%.3f\n", median(late) / median(early));
    return 0;
}
