// Start-up: the simple pendulum window, then the event loop.
#include "frmsingle.h"
#include "singlependulum.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window's values outlive the window, as long as the program runs.
    static SinglePendulum singleState;
    auto *single = new frmSingle(singleState);
    single->setAttribute(Qt::WA_DeleteOnClose);
    single->show();
    return app.exec();
}
