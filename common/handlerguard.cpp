// The run-time error dialog.
#include "handlerguard.h"

#include <QMessageBox>

void showRuntimeError(QWidget *window, const RuntimeError &error)
{
    QString text = QString::fromUtf8(errorKindMessage(error.kind()));
    if (!error.field().empty())
        text += QStringLiteral("\n入力欄「%1」の値を確かめてください。")
                    .arg(QString::fromStdString(error.field()));
    auto *box = new QMessageBox(QMessageBox::Critical, QStringLiteral("実行時エラー"), text,
                                QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("runtimeErrorBox"));
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
