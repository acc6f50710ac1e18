#include "QWaitForDlg.h"

QWaitForDlg::QWaitForDlg(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("Loading"));
    setModal(true);
    if (parent)
        setGeometry(parent->geometry());
}
