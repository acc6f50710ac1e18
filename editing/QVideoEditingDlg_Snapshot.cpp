// The editing dialog's snapshots: the preview's picture saved to the
// snapshot folder, the folder opened, and the snapshot settings.
#include "QCaptureSettingDlg.h"
#include "QMessageOpacityForm.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "VoPlayerManager.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

QString QVideoEditingDlg::snapshotPath(const QString &folder, const QString &suffix, const QDateTime &time)
{
    const QString stem = QStringLiteral("ScreenCapture_") + time.toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    const QString extension = QLatin1Char('.') + suffix.toLower();
    const QDir dir(folder);
    QString path = dir.filePath(stem + extension);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stem + QStringLiteral("_%1").arg(n) + extension);
    return path;
}

void QVideoEditingDlg::showMessage(const QString &text)
{
    if (!m_toast)
        m_toast = new QMessageOpacityForm(this);
    m_toast->showMessage(text);
}

void QVideoEditingDlg::onSnapshot()
{
    // Without a preview there is no picture to save and nothing to say.
    if (!m_player)
        return;
    const QString problem = QCaptureSettingDlg::folderProblem(m_snapshotFolder);
    if (!problem.isEmpty()) {
        showMessage(problem);
        return;
    }
    const QDateTime now = m_snapshotClock ? m_snapshotClock() : QDateTime::currentDateTime();
    const QString path = snapshotPath(m_snapshotFolder, m_snapshotSuffix, now);
    showMessage(m_player->snapshot(path, m_snapshotSuffix) ? tr("Snapshot successfully!") : tr("Snapshot failed!"));
}

void QVideoEditingDlg::onSnapshotMenu()
{
    QMenu menu(this);
    menu.setObjectName("m_snapshotMenu");
    menu.addAction(tr("Open Folder"), this, &QVideoEditingDlg::openImgPath);
    menu.addAction(tr("Settings"), this, &QVideoEditingDlg::showPathSettingDlg);
    menu.exec(QCursor::pos() - QPoint(2, 0));
}

void QVideoEditingDlg::openImgPath()
{
    const QString problem = QCaptureSettingDlg::folderProblem(m_snapshotFolder);
    if (!QFileInfo(m_snapshotFolder).isDir()) {
        showMessage(problem);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_snapshotFolder));
}

void QVideoEditingDlg::showPathSettingDlg()
{
    QCaptureSettingDlg dlg(this);
    m_subDialogOpen = true;
    connect(&dlg, &QCaptureSettingDlg::emitDlgClose, this, &QVideoEditingDlg::dlgClose);
    if (dlg.exec() == QDialog::Accepted) {
        m_snapshotSuffix = getImgSuffix();
        m_snapshotFolder = getImgFolder();
    }
}
