#include "SettingsResetNotice.h"

#include "ParserXML.h"
#include "AppPaths.h"
#include "QVoMessageBox.h"

#include <QCoreApplication>
#include <QDir>

QVoMessageBox *tellSettingsReset(QWidget *parent)
{
    const QStringList kept = ParserXML::takeResetNotices();
    if (kept.isEmpty())
        return nullptr;
    QStringList names;
    for (const QString &path : kept)
        names << QDir::toNativeSeparators(path);
    auto *box = new QVoMessageBox(parent);
    box->setObjectName(QStringLiteral("settingsResetNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTitle(productTitle());
    box->setMessage(QCoreApplication::translate("SettingsResetNotice",
                                                "Your settings could not be read, so they were reset to their "
                                                "defaults. The old settings file was kept as:\n%1")
                        .arg(names.join(QLatin1Char('\n'))));
    box->setKind(QVoMessageBox::Warning);
    box->setButtons(QVoMessageBox::OkButton);
    // Not exec(): the window goes on starting while the notice is shown.
    box->open();
    return box;
}
