#include "Languages.h"

#include "AppPaths.h"
#include "ParserXML.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTranslator>

namespace {
int g_languageIndex = 0;
QPointer<QTranslator> g_installed;
} // namespace

void setLanguageIndex(const QString &type)
{
    static const QStringList types{"English", "Chinese", "German", "French", "Japanese"};
    const int index = types.indexOf(type);
    g_languageIndex = index < 0 ? 0 : index;
}

int languageIndex()
{
    return g_languageIndex;
}

QString languageListPath()
{
    return appFolder() + "/Language/Language.xml";
}

QStringList languageNames()
{
    return ParserXML::listLanguageNames(languageListPath());
}

QString chooseLanguage(const QString &displayName)
{
    const QPair<QString, QString> entry = ParserXML::readLanguageEntry(languageListPath(), displayName);
    setLanguageIndex(entry.second);
    if (entry.first.isEmpty())
        return QString();
    return appFolder() + "/Language/" + entry.first;
}

void removeInstalledLanguage()
{
    if (g_installed) {
        QCoreApplication::removeTranslator(g_installed);
        delete g_installed;
    }
}

QTranslator *installLanguage(const QString &displayName)
{
    removeInstalledLanguage();
    const QString file = chooseLanguage(displayName);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return nullptr;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file)) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    g_installed = translator;
    return translator;
}

void suspendInstalledLanguage()
{
    if (g_installed)
        QCoreApplication::removeTranslator(g_installed);
}

void resumeInstalledLanguage()
{
    if (g_installed)
        QCoreApplication::installTranslator(g_installed);
}
