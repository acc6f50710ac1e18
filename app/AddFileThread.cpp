#include "AddFileThread.h"

#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QDebug>
#include <QUrl>

AddFileThread::~AddFileThread()
{
    requestStop();
    m_stopEvent.set();
    waitForExit();
}

bool AddFileThread::startList(const QStringList &paths)
{
    waitForExit();
    m_paths = paths;
    m_stop.store(false);
    return start();
}

VoVideoConvertItem *AddFileThread::makeItem(const QString &path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return nullptr;
    // A dot inside a folder name is no suffix.
    const QString suffix = path.mid(dot);
    if (suffix.contains(QLatin1Char('/')))
        return nullptr;
    if (QStringLiteral(".aa; .aax;").contains(suffix.toLower() + QLatin1Char(';')))
        return nullptr;
    // Only local files are imported; the media library would otherwise
    // reach out to remote locations it was never meant to read.
    if (path.contains(QLatin1String("://")) && QUrl(path).scheme().size() > 1)
        return nullptr;

    auto *item = new VoVideoConvertItem();
    if (!item->open(path)) {
        delete item;
        return nullptr;
    }
    item->moveToThread(QCoreApplication::instance()->thread());
    return item;
}

void AddFileThread::run()
{
    const QStringList paths = m_paths;
    const int n = paths.size();
    qDebug() << "adding files:" << n;
    for (int i = 0; i < n && !m_stop.load(); ++i) {
        if (m_callbacks.adding)
            m_callbacks.adding(paths[i], QStringLiteral("%1/%2").arg(i + 1).arg(n), (i + 1) * 100.0 / n);
        VoVideoConvertItem *item = makeItem(paths[i]);
        // A Stop that cut this opening short is no failure of the file.
        if (!item && m_stop.load())
            break;
        if (m_callbacks.item)
            m_callbacks.item(item);
        else
            delete item;
    }
    if (m_callbacks.complete)
        m_callbacks.complete();
}
