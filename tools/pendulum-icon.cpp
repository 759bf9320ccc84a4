// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// pendulum-icon SIZE FILE.png | svg FILE.svg: writes the program's icon at SIZE pixels, or as
// scalable vector graphics, for installing.
#include "pendulumicon.h"

#include <QFile>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: pendulum-icon SIZE FILE.png | svg FILE.svg\n", stderr);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (std::string(argv[1]) == "svg") {
        QFile out(file);
        const QByteArray svg = pendulumIconSvg();
        return out.open(QIODevice::WriteOnly) && out.write(svg) == svg.size() ? 0 : 1;
    }
    const int size = std::stoi(argv[1]);
    return drawPendulumIcon(size).save(file, "PNG") ? 0 : 1;
}
