#include "QPlayObject.h"

QPlayObject::QPlayObject(QObject *parent) : QObject(parent) {}

bool QPlayObject::open(const QString &path)
{
    m_player.release();
    return m_player.open(path);
}
