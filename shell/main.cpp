// Start-up: the launcher, then the event loop until the last window is closed.
#include "frmmain.h"
#include "pendulumicon.h"
#include "simulators.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setWindowIcon(pendulumIcon());
    Simulators simulators;
    frmMain launcher(simulators);
    launcher.show();
    return app.exec();
}
