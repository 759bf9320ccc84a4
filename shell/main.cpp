// Start-up: the launcher, then the event loop until the last window is closed.
#include "frmmain.h"
#include "pendulumicon.h"
#include "simulators.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Under X11 the windows send their small, frequent screen updates through the connection
    // rather than shared memory: that saves the server's completion event, and the wake-ups it
    // costs, on every update.
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    app.setWindowIcon(pendulumIcon());
    Simulators simulators;
    frmMain launcher(simulators);
    launcher.show();
    return app.exec();
}
