#include "QWaitForDlg.h"

#include <QKeyEvent>

QWaitForDlg::QWaitForDlg(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("Loading"));
    setModal(true);
    if (parent)
        setGeometry(parent->geometry());
}

void QWaitForDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape would end the wait and leave a half-loaded window usable; the
    // owner ends the wait when loading is done or the owner is closed.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
