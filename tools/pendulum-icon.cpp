// pendulum-icon SIZE FILE.png: writes the program's icon at SIZE pixels, for installing.
#include "pendulumicon.h"

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: pendulum-icon SIZE FILE.png\n", stderr);
        return 2;
    }
    const int size = std::stoi(argv[1]);
    return drawPendulumIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
