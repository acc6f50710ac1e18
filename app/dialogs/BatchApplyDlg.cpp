#include "BatchApplyDlg.h"

#include "QTextImageButton.h"
#include "qSliderCtrl.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

namespace {
constexpr int dialogWidth = 520;
constexpr int dialogHeight = 360;
constexpr int margin = 20;

QLabel *label(const QString &name, QWidget *parent, int pixels = 12)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    l->setFont(font);
    l->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return l;
}

QTextImageButton *button(const QString &name, QWidget *parent)
{
    auto *b = new QTextImageButton(parent);
    b->setObjectName(name);
    b->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    b->setTextPixelSize(11);
    return b;
}
} // namespace

BatchApplyDlg::BatchApplyDlg(int segmentCount, int fileCount, QWidget *parent)
    : QNinePointsImageDialog(parent)
    , m_segments(segmentCount)
    , m_files(fileCount)
{
    setObjectName(QStringLiteral("BatchApplyDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setFixedSize(dialogWidth, dialogHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, dialogWidth - 100, 20));
    setTitleColor(QColor(245, 245, 245));
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    const int inner = dialogWidth - 2 * margin;
    m_labSummary = label(QStringLiteral("m_labSummary"), this);
    m_labSummary->setGeometry(margin, 48, inner, 18);
    m_labFile = label(QStringLiteral("m_labFile"), this);
    m_labFile->setGeometry(margin, 72, inner, 18);

    m_progressBar = new qSliderCtrl(this);
    m_progressBar->setObjectName(QStringLiteral("m_progressBar"));
    m_progressBar->setTrackImage(QStringLiteral("/image/CutListDlg/trake1.png"));
    m_progressBar->setFillImage(QStringLiteral("/image/CutListDlg/trake2.png"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setEnabled(false);
    m_progressBar->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_progressBar->setGeometry(margin, 100, inner - 60, 12);
    m_labProgress = label(QStringLiteral("m_labProgress"), this);
    m_labProgress->setGeometry(dialogWidth - margin - 52, 96, 52, 20);
    m_labProgress->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("m_resultList"));
    m_list->setGeometry(margin, 126, inner, dialogHeight - 126 - 58);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setFocusPolicy(Qt::NoFocus);
    QFont listFont(QStringLiteral("Tahoma"));
    listFont.setPixelSize(11);
    m_list->setFont(listFont);
    m_list->setStyleSheet(QStringLiteral("QListWidget { background: rgb(38,38,38); color: rgb(228,228,228);"
                                         " border: 1px solid rgb(74,74,74); }"
                                         "QListWidget::item { padding: 3px 4px; }"));

    m_btnClose = button(QStringLiteral("m_btnClose"), this);
    m_btnClose->move(dialogWidth - 16 - m_btnClose->width(), dialogHeight - 16 - m_btnClose->height());
    m_btnStop = button(QStringLiteral("m_btnStop"), this);
    m_btnStop->move(m_btnClose->x() - 8 - m_btnStop->width(), m_btnClose->y());
    m_btnClose->setEnabled(false);
    connect(m_btnStop, &QPushButton::clicked, this, [this] {
        m_btnStop->setEnabled(false);
        emit stopRequested();
    });
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
    retranslateUi();
}

void BatchApplyDlg::retranslateUi()
{
    setTitleText(tr("Apply Segments To Other Files"));
    setWindowTitle(tr("Apply Segments To Other Files"));
    m_btnStop->setText(tr("Stop"));
    m_btnClose->setText(tr("Close"));
    showSummary();
    showProgress(m_percent);
}

void BatchApplyDlg::showSummary()
{
    m_labSummary->setText(m_segments == 1 ? tr("1 segment for each file")
                                           : tr("%1 segments for each file").arg(m_segments));
    if (m_running) {
        m_labFile->setText(m_fileIndex < 0 ? tr("Opening…")
                                           : tr("File %1 of %2: %3")
                                                 .arg(m_fileIndex + 1)
                                                 .arg(m_files)
                                                 .arg(QFileInfo(m_filePath).fileName()));
    } else if (m_stopped) {
        m_labFile->setText(tr("Stopped: %1 of %2 files done, %3 failed.").arg(m_done).arg(m_files).arg(m_failed));
    } else if (m_failed > 0) {
        m_labFile->setText(tr("Done: %1 of %2 files failed.").arg(m_failed).arg(m_files));
    } else {
        m_labFile->setText(tr("Done: all %1 files converted.").arg(m_files));
    }
}

void BatchApplyDlg::showFile(int index, const QString &path)
{
    m_fileIndex = index;
    m_filePath = path;
    showSummary();
}

void BatchApplyDlg::showProgress(int percent)
{
    m_percent = qBound(0, percent, 100);
    m_progressBar->setValue(m_percent);
    m_labProgress->setText(tr("%1%").arg(m_percent));
}

void BatchApplyDlg::addResult(const QString &path, bool ok, const QString &text, bool stopped)
{
    if (!stopped) {
        ++m_done;
        if (!ok)
            ++m_failed;
    }
    const QString name = QFileInfo(path).fileName();
    auto *row = new QListWidgetItem(ok || stopped ? tr("%1 — %2").arg(name, text)
                                                  : tr("%1 — failed: %2").arg(name, text));
    row->setToolTip(path);
    row->setForeground(stopped ? QColor(160, 160, 160) : ok ? QColor(228, 228, 228) : QColor(232, 120, 96));
    m_list->addItem(row);
    m_list->scrollToItem(row);
}

void BatchApplyDlg::showEnd(bool stopped)
{
    m_running = false;
    m_stopped = stopped;
    m_btnStop->setEnabled(false);
    m_btnClose->setEnabled(true);
    m_btnClose->setFocus();
    showSummary();
}

void BatchApplyDlg::reject()
{
    // Closing while files are converted means stopping first; the window
    // stays until the run has ended and said what was written.
    if (m_running) {
        if (m_btnStop->isEnabled()) {
            m_btnStop->setEnabled(false);
            emit stopRequested();
        }
        return;
    }
    QNinePointsImageDialog::reject();
}

void BatchApplyDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QNinePointsImageDialog::changeEvent(event);
}
