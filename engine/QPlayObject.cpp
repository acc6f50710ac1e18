#include "QPlayObject.h"

QPlayObject::QPlayObject(QObject *parent) : QObject(parent) {}

bool QPlayObject::open(const QString &path)
{
    m_player.release();
    m_path.clear();
    if (!m_player.open(path))
        return false;
    m_path = path;
    return true;
}
