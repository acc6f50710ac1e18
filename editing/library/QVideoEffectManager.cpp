#include "QVideoEffectManager.h"

#include "AppPaths.h"

QVideoEffectManager::QVideoEffectManager(QObject *parent) : QVideoEffectManager(defaultFolder(), parent) {}

QVideoEffectManager::QVideoEffectManager(const QString &folder, QObject *parent) : QEffectLibrary(folder, parent)
{
    load(configFiles(folder, false), true);
}

QString QVideoEffectManager::defaultFolder()
{
    return appFolder() + "/VideoEffects/";
}
