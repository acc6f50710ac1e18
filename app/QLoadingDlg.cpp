#include "QLoadingDlg.h"

#include "QImageButton.h"
#include "QTextImageButton.h"
#include "QVoBaseProgress.h"

#include <QEvent>
#include <QLabel>

namespace {
QFont interfaceFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(interfaceFont());
    label->setStyleSheet(QStringLiteral("color: rgb(228,228,228); background: transparent;"));
    return label;
}
} // namespace

QLoadingDlg::QLoadingDlg(QWidget *parent)
    : QNinePointsImageDialog(parent)
{
    setObjectName(QStringLiteral("QLoadingDlg"));
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    // The close button rejects the dialog, which stops the import.
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    m_labAddingPath = makeLabel(this, "m_labAddingPath");
    m_labAddingPath_2 = makeLabel(this, "m_labAddingPath_2");
    m_labAdded = makeLabel(this, "m_labAdded");
    m_labAdded_2 = makeLabel(this, "m_labAdded_2");
    m_labAddingPath_2->setText(QStringLiteral("UnKown"));
    m_labAdded_2->setText(QStringLiteral("0/0"));

    m_progressBar = new QVoBaseProgress(this);
    m_progressBar->setObjectName(QStringLiteral("m_progressBar"));
    m_progressBar->setTrackPicture(QStringLiteral("/image/PlayDlg/loading_trake.png"));
    m_progressBar->setFillPicture(QStringLiteral("/image/PlayDlg/loading_trake2.png"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(50.0);

    m_btnCancel = new QTextImageButton(this);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setStretch(true);
    m_btnCancel->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnCancel->setFont(interfaceFont());
    m_btnCancel->resize(72, 28);
    connect(m_btnCancel, &QPushButton::clicked, this, &QLoadingDlg::OnCloseStop);

    retranslate();
    resizeEvent(nullptr);
}

void QLoadingDlg::retranslate()
{
    m_labAddingPath->setText(tr("Adding File:"));
    m_labAdded->setText(tr("Added:"));
    m_btnCancel->setText(tr("Stop"));
    m_labAddingPath->adjustSize();
    m_labAdded->adjustSize();
    resizeEvent(nullptr);
}

void QLoadingDlg::setAddingPath(const QString &path)
{
    m_path = path;
    // Long paths keep their end, where the file name is.
    const int room = qMax(10, m_labAddingPath_2->width());
    m_labAddingPath_2->setText(m_labAddingPath_2->fontMetrics().elidedText(path, Qt::ElideMiddle, room));
    m_labAddingPath_2->setToolTip(path);
}

void QLoadingDlg::setAddedCount(const QString &count) { m_labAdded_2->setText(count); }

void QLoadingDlg::setProgress(double percent) { m_progressBar->setValue(percent); }

QString QLoadingDlg::addingPath() const { return m_path.isNull() ? m_labAddingPath_2->text() : m_path; }

QString QLoadingDlg::addedCount() const { return m_labAdded_2->text(); }

double QLoadingDlg::progress() const { return m_progressBar->value(); }

void QLoadingDlg::OnCloseStop() { reject(); }

void QLoadingDlg::reject()
{
    QNinePointsImageDialog::reject();
    emit seedStopAddFile();
}

void QLoadingDlg::resizeEvent(QResizeEvent *event)
{
    if (event)
        QNinePointsImageDialog::resizeEvent(event);
    const int w = width();
    if (closeButton())
        closeButton()->move(w - closeButton()->width() - 8, 8);
    m_btnCancel->move(w - m_btnCancel->width() - 30, 130);
    m_labAddingPath->move(30, 45);
    const int pathLeft = m_labAddingPath->x() + m_labAddingPath->width() + 5;
    m_labAddingPath_2->setGeometry(pathLeft, 45, qMax(0, w - 26 - pathLeft), 15);
    m_labAdded->move(30, 70);
    m_labAdded_2->setGeometry(m_labAdded->x() + m_labAdded->width() + 5, 70, 50, 15);
    m_progressBar->setGeometry(30, 95, qMax(0, w - 60), 8);
    if (!m_path.isEmpty())
        setAddingPath(m_path);
}

void QLoadingDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QNinePointsImageDialog::changeEvent(event);
}
