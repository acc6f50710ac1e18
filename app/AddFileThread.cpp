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

VoVideoConvertItem *AddFileThread::makeItem(const QString &path, QString *reason)
{
    QString why;
    VoVideoConvertItem *item = nullptr;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    // A dot inside a folder name is no suffix.
    const QString suffix = dot < 0 ? QString() : path.mid(dot);
    if (path.isEmpty()) {
        // A drop of folders only.
        why = QCoreApplication::translate("AddFileThread", "Folders are not opened; choose a file.");
    } else if (suffix.isEmpty() || suffix.contains(QLatin1Char('/'))) {
        why = QCoreApplication::translate("AddFileThread", "The file name has no extension.");
    } else if (QStringLiteral(".aa; .aax;").contains(suffix.toLower() + QLatin1Char(';'))) {
        why = QCoreApplication::translate("VoVideoConvertItem", "Encrypted audiobooks cannot be converted.");
    } else if (path.contains(QLatin1String("://")) && QUrl(path).scheme().size() > 1) {
        // Only local files are imported; the media library would otherwise
        // reach out to remote locations it was never meant to read.
        why = QCoreApplication::translate("AddFileThread", "Only files on this computer can be opened.");
    } else {
        item = new VoVideoConvertItem();
        if (item->open(path)) {
            item->moveToThread(QCoreApplication::instance()->thread());
        } else {
            why = item->openError();
            delete item;
            item = nullptr;
        }
    }
    if (reason)
        *reason = why;
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
        QString reason;
        VoVideoConvertItem *item = makeItem(paths[i], &reason);
        // A Stop that cut this opening short is no failure of the file.
        if (!item && m_stop.load())
            break;
        if (m_callbacks.item)
            m_callbacks.item(item, paths[i], reason);
        else
            delete item;
    }
    if (m_callbacks.complete)
        m_callbacks.complete();
}
