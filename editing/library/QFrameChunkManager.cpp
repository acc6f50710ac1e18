#include "QFrameChunkManager.h"

#include "AppPaths.h"

QFrameChunkManager::QFrameChunkManager(QObject *parent) : QFrameChunkManager(defaultFolder(), parent) {}

QFrameChunkManager::QFrameChunkManager(const QString &folder, QObject *parent) : QEffectLibrary(folder, parent)
{
    load(configFiles(folder, false), true);
}

QString QFrameChunkManager::defaultFolder()
{
    return appFolder() + "/VideoFrames/";
}
