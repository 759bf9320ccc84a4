// Start-up: both simulator windows, then the event loop.
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "singlependulum.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The windows' values outlive the windows, as long as the program runs.
    static SinglePendulum singleState;
    static DoublePendulum doubleState;
    auto *single = new frmSingle(singleState);
    single->setAttribute(Qt::WA_DeleteOnClose);
    single->show();
    auto *twin = new frmDouble(doubleState);
    twin->setAttribute(Qt::WA_DeleteOnClose);
    twin->show();
    return app.exec();
}
