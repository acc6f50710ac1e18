#include "QCaptureSettingDlg.h"

#include "QImageButton.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoComboBox.h"
#include "QVoLineEdit.h"
#include "QVoMessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryFile>
#include <QFileInfo>
#include <QLabel>

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 170;

QLabel *caption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QStringLiteral("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;"));
    return label;
}

QVoBaseButton *plateButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QVoBaseButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setImage(QStringLiteral("/VEditSource/btn_common.png"), true);
    button->setText(text);
    button->setFixedSize(64, 28);
    return button;
}

} // namespace

QCaptureSettingDlg::QCaptureSettingDlg(QWidget *parent) : QNinePointsImageDialog(parent)
{
    setObjectName("QCaptureSettingDlg");
    setBackgroundImage(QStringLiteral("/VEditSource/bg_3.png"), true);
    setFixedSize(kWidth, kHeight);
    setTitleText(tr("Snapshot Setting"));
    setTitleColor(QColor(228, 228, 228));
    setCloseButton(QStringLiteral("/VEditSource/btn_close.png"));
    if (closeButton())
        closeButton()->setToolTip(tr("Close"));
    setFont(QFont(QStringLiteral("Tahoma")));
    setModal(true);

    m_labPath = caption(this, "m_labPath", tr("Save to:"));
    m_labFormat = caption(this, "m_labFormat", tr("Format:"));
    const int labelWidth = std::max(m_labPath->sizeHint().width(), m_labFormat->sizeHint().width());
    const int fieldX = 20 + labelWidth + 10;
    m_labPath->setGeometry(20, 50, labelWidth, 24);
    m_editPath = new QVoLineEdit(this);
    m_editPath->setObjectName("m_editPath");
    m_editPath->setReadOnly(true);
    m_editPath->setBackgroundImage(QStringLiteral("/VEditSource/edit_background.png"));
    m_editPath->setStyleSheet(QStringLiteral("QLineEdit { color: rgb(246, 246, 246); background: transparent; border: none;"
                                             " font-family: Tahoma; font-size: 12px;"
                                             " selection-background-color: rgb(89, 104, 130); }"));
    m_editPath->setGeometry(fieldX, 51, kWidth - 20 - 26 - 8 - fieldX, 22);
    m_btnOpen = new QVoBaseButton(this);
    m_btnOpen->setObjectName("m_btnOpen");
    m_btnOpen->setImage(QStringLiteral("/VEditSource/btn_family.png"));
    m_btnOpen->setToolTip(tr("Please choose destination folder"));
    m_btnOpen->setGeometry(kWidth - 20 - 26, 51, 26, 22);

    m_labFormat->setGeometry(20, 88, labelWidth, 24);
    m_cmbFormat = new QVoComboBox(this);
    m_cmbFormat->setObjectName("m_cmbFormat");
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    m_cmbFormat->setFont(font);
    m_cmbFormat->setBackgroundImage(QStringLiteral("/VEditSource/edit_background.png"));
    m_cmbFormat->setArrowImage(QStringLiteral("/VEditSource/cbb_trigonometric.png"), true);
    m_cmbFormat->setArrowPosition(100 - 16, 7);
    m_cmbFormat->setTextMargins(6, 0, 18, 1);
    m_cmbFormat->setTextColor(QColor(246, 246, 246));
    m_cmbFormat->setRowHeight(22);
    m_cmbFormat->setRowBackground(QColor(62, 63, 63));
    m_cmbFormat->setRowSelectedBackground(QColor(89, 104, 130));
    m_cmbFormat->setRowHoverBackground(QColor(84, 84, 84));
    m_cmbFormat->setRowTextColor(QColor(246, 246, 246));
    m_cmbFormat->addItem(QStringLiteral("JPG"));
    m_cmbFormat->addItem(QStringLiteral("PNG"));
    m_cmbFormat->setGeometry(fieldX, 88, 100, 24);

    m_btnOk = plateButton(this, "m_btnOk", tr("OK"));
    m_btnOk->move(kWidth - 20 - 64 - 8 - 64, kHeight - 42);
    m_btnCancel = plateButton(this, "m_btnCancel", tr("Cancel"));
    m_btnCancel->move(kWidth - 20 - 64, kHeight - 42);

    const int format = m_cmbFormat->findText(getImgSuffix().toUpper());
    m_cmbFormat->setCurrentIndex(format >= 0 ? format : 0);
    setPath(getImgFolder());

    connect(m_btnOpen, &QVoBaseButton::clicked, this, &QCaptureSettingDlg::onOpenPath);
    connect(m_btnOk, &QVoBaseButton::clicked, this, &QCaptureSettingDlg::onOk);
    connect(m_btnCancel, &QVoBaseButton::clicked, this, &QCaptureSettingDlg::reject);
    if (closeButton())
        connect(closeButton(), &QImageButton::clicked, this, &QCaptureSettingDlg::reject);
}

void QCaptureSettingDlg::setPath(const QString &folder)
{
    QString shown = folder;
    shown.replace(QLatin1Char('\\'), QLatin1Char('/'));
    m_editPath->setText(shown);
    m_editPath->setToolTip(shown);
    m_editPath->setCursorPosition(0);
}

QString QCaptureSettingDlg::folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("\"%1\"").arg(folder) + tr("is not exists");
    // Permission bits do not tell (an administrator passes them, a read-only
    // mount does not show in them): a file is made there and removed.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".snapshot-XXXXXX")));
    if (!info.isDir() || !probe.open())
        return tr("The folder \"%1\" cannot be written to. Please choose another folder for snapshots.").arg(folder);
    return QString();
}

void QCaptureSettingDlg::onOpenPath()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Save to"), QStringLiteral("."), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty())
        setPath(folder);
}

void QCaptureSettingDlg::onOk()
{
    const QString folder = m_editPath->text();
    const QString problem = folderProblem(folder);
    if (!problem.isEmpty()) {
        QVoMessageBox::showMessage(this, problem);
        return;
    }
    setImgSuffix(m_cmbFormat->currentText());
    setImgFolder(folder);
    accept();
}

void QCaptureSettingDlg::done(int result)
{
    QNinePointsImageDialog::done(result);
    emit emitDlgClose();
}
