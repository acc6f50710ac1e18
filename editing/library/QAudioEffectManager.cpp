#include "QAudioEffectManager.h"

#include "AppPaths.h"

QAudioEffectManager::QAudioEffectManager(QObject *parent) : QAudioEffectManager(defaultFolder(), parent) {}

QAudioEffectManager::QAudioEffectManager(const QString &folder, QObject *parent) : QEffectLibrary(folder, parent)
{
    m_configPaths = configFiles(folder, true);
    load(m_configPaths, false);
}

QString QAudioEffectManager::defaultFolder()
{
    return appFolder() + "/AudioEffects/";
}
