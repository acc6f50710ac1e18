#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString settingsFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    base.replace('\\', '/');
    const int slash = base.lastIndexOf('/');
    if (slash >= 0)
        base.truncate(slash);
    QString folder = base + "/" + productTitle();
    folder.replace('\\', '/');
    if (!QDir().mkpath(folder))
        return base;
    return folder;
}

QString appFolder()
{
    static const QString folder = QCoreApplication::applicationDirPath();
    return folder;
}

QString defaultOutputFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    documents.replace('\\', '/');
    const QString product = documents + "/" + productTitle();
    QDir().mkpath(product);
    QString folder = product + "/Converted/";
    folder.replace('\\', '/');
    return folder;
}
