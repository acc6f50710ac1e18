#include "QVideoEditingDlg.h"

#include "QAdjustOperationForm.h"
#include "QAudioOperationForm.h"
#include "QAudioTagForm.h"
#include "EditLoadWorker.h"
#include "QEffectOperationForm.h"
#include "QImageButton.h"
#include "QMediaForm.h"
#include "QPlayerOperationForm.h"
#include "QProgressIndicator.h"
#include "QSubtitleOperationForm.h"
#include "QSubtitleSettingDlg.h"
#include "QTrimOperationForm.h"
#include "QVideoEditTag.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QWaitForDlg.h"
#include "QWatermarkOperationForm.h"
#include "QWatermartTextSettingDlg.h"
#include "VoPlayerManager.h"

#include <QDateTime>
#include <QDir>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace {

enum Tab { TrimTab = 0, AdjustTab, EffectTab, WatermarkTab, SubtitleTab, AudioTab, TagTab };

constexpr int kWidth = 826;
constexpr int kHeight = 546;
const QRect kTabBarRect(10, 34, 806, 28);
const QRect kPreviewRect(10, 64, 806, 290);
const QRect kTransportRect(10, 356, 806, 34);
const QRect kFormRect(10, 392, 806, 112);

} // namespace

QVideoEditingDlg::QVideoEditingDlg(QWidget *parent) : QNinePointsImageDialog(parent)
{
    registerEditingMetaTypes();
    setBackgroundImage("/VEditSource/bg_3.png", true);
    setFixedSize(kWidth, kHeight);
    setTitleText(tr("Video Edit"));
    setTitleColor(QColor(228, 228, 228));
    setCloseButton("/VEditSource/btn_close.png");
    setFont(QFont("Tahoma"));
    setModal(true);

    m_player = new VoPlayerManager(this);
    m_loader = new EditLoadWorker(this);
    m_settings = new QVideoEditingSettings(this);
    m_settings->attachPlayer(m_player);
    m_tabBar = new QVideoEditTag(this);
    m_tabBar->setGeometry(kTabBarRect);
    m_transport = new QPlayerOperationForm(this);
    m_transport->setGeometry(kTransportRect);
    m_mediaForm = new QMediaForm(this);
    m_mediaForm->setGeometry(kPreviewRect);
    m_mediaForm->attachPlayer(m_player);
    m_trimForm = new QTrimOperationForm(this);
    m_adjustForm = new QAdjustOperationForm(m_settings, this);
    m_effectForm = new QEffectOperationForm(m_settings, this);
    m_watermarkForm = new QWatermarkOperationForm(m_settings, this);
    m_subtitleForm = new QSubtitleOperationForm(m_settings, this);
    m_audioForm = new QAudioOperationForm(m_settings, this);
    m_tagForm = new QAudioTagForm(m_settings, this);
    m_tabForms = {m_trimForm, m_adjustForm, m_effectForm, m_watermarkForm, m_subtitleForm, m_audioForm, m_tagForm};
    for (QWidget *form : m_tabForms) {
        form->setGeometry(kFormRect);
        form->hide();
    }
    // The preview shows nothing on "Tag": its fields take the whole area.
    m_tagForm->setGeometry(kFormRect.left(), kPreviewRect.top(), kFormRect.width(),
                           kFormRect.bottom() - kPreviewRect.top() + 1);
    m_trimForm->show();
    m_spinner = new QProgressIndicator(this);
    m_spinner->setGeometry(kWidth / 2 - 20, kPreviewRect.center().y() - 20, 40, 40);
    m_spinner->hide();

    m_btnPrevious = new QImageButton(this);
    m_btnPrevious->setImage("/VEditSource/btn_previous.png");
    m_btnPrevious->hide();
    m_btnNext = new QImageButton(this);
    m_btnNext->setImage("/VEditSource/btn_next.png");
    m_btnNext->hide();
    connect(m_btnPrevious, &QImageButton::clicked, this, &QVideoEditingDlg::emitPreviousFile);
    connect(m_btnNext, &QImageButton::clicked, this, &QVideoEditingDlg::emitNextFile);

    m_btnOK = new QVoBaseButton(this);
    m_btnOK->setObjectName("m_btnOK");
    m_btnOK->setImage("/VEditSource/btn_common.png", true);
    m_btnOK->setText(tr("OK"));
    m_btnOK->setGeometry(kWidth - 220, kHeight - 38, 100, 28);
    m_btnCancel = new QVoBaseButton(this);
    m_btnCancel->setObjectName("m_btnCancel");
    m_btnCancel->setImage("/VEditSource/btn_common.png", true);
    m_btnCancel->setText(tr("Cancel"));
    m_btnCancel->setGeometry(kWidth - 112, kHeight - 38, 100, 28);
    connect(m_btnOK, &QVoBaseButton::clicked, this, &QVideoEditingDlg::onOK);
    connect(m_btnCancel, &QVoBaseButton::clicked, this, &QVideoEditingDlg::reject);
    if (closeButton())
        connect(closeButton(), &QImageButton::clicked, this, &QVideoEditingDlg::reject);

    m_loadTimer = new QTimer(this);
    m_loadTimer->setSingleShot(true);
    connect(m_loadTimer, &QTimer::timeout, this, &QVideoEditingDlg::loadingTimer);
    connect(this, &QVideoEditingDlg::emitThreadComplete, this, &QVideoEditingDlg::threadComplete,
            Qt::QueuedConnection);
    connect(m_loader, &EditLoadWorker::emitLoaded, this, &QVideoEditingDlg::loaded);
    wire();
    selectedTag(TrimTab);
    m_snapshotSuffix = getImgSuffix();
    m_snapshotFolder = getImgFolder();
}

QVideoEditingDlg::~QVideoEditingDlg()
{
    // A file that is slow to answer must not hold up the window's end: the
    // loader finishes on its own and deletes itself.
    m_loader->dispose();
    m_loader = nullptr;
    releasePlayer();
}

void QVideoEditingDlg::wire()
{
    VoPlayerManager *p = m_player;
    QPlayerOperationForm *bar = m_transport;
    QTrimOperationForm *trim = m_trimForm;
    const auto playState = QOverload<bool>::of(&VoPlayerManager::emitPlayState);
    connect(p, &VoPlayerManager::emitPlayFinish, bar, &QPlayerOperationForm::playFinish);
    connect(p, &VoPlayerManager::emitPlayProgress, bar, &QPlayerOperationForm::setPlayProcess);
    connect(p, &VoPlayerManager::emitPlayTime, bar, &QPlayerOperationForm::setTime);
    connect(p, playState, bar, &QPlayerOperationForm::showPlayOrPause);
    connect(p, &VoPlayerManager::emitIsHaveVideo, this, &QVideoEditingDlg::isHaveVideo);
    connect(bar, &QPlayerOperationForm::emitPlay, p, &VoPlayerManager::onPlay);
    connect(bar, &QPlayerOperationForm::emitPause, p, &VoPlayerManager::onPause);
    connect(bar, &QPlayerOperationForm::emitStop, p, &VoPlayerManager::onStop);
    connect(bar, &QPlayerOperationForm::emitProgressValue, p, &VoPlayerManager::progressValueChange);
    connect(bar, &QPlayerOperationForm::emitSliderPress, p, &VoPlayerManager::beginAsyncSeek);
    connect(bar, &QPlayerOperationForm::emitSliderRelease, p, &VoPlayerManager::endAsyncSeek);
    connect(bar, &QPlayerOperationForm::emitSnapshot, this, &QVideoEditingDlg::onSnapshot);
    connect(bar, &QPlayerOperationForm::emitSnapshotMenu, this, &QVideoEditingDlg::onSnapshotMenu);
    connect(p, &VoPlayerManager::emitPlayFinish, trim, &QTrimOperationForm::playFinish);
    connect(p, &VoPlayerManager::emitPlayProgress, trim, &QTrimOperationForm::setPlayProcess);
    connect(p, &VoPlayerManager::emitPlayTime2, trim, &QTrimOperationForm::setTime);
    connect(p, playState, trim, &QTrimOperationForm::showPlayOrPause);
    connect(p, &VoPlayerManager::emitTrimPlayState, trim, &QTrimOperationForm::showTrimPlayOrPause);
    connect(p, &VoPlayerManager::emitStartEndProgressValue, trim, &QTrimOperationForm::setStartEndProgressValue);
    connect(p, &VoPlayerManager::emitTrimTimeChange, trim, &QTrimOperationForm::trimTimeChange);
    connect(trim, &QTrimOperationForm::emitTrimPlay, p, &VoPlayerManager::onTrimPlay);
    connect(trim, &QTrimOperationForm::emitTrimPause, p, &VoPlayerManager::onTrimPause);
    connect(trim, &QTrimOperationForm::emitPause, p, &VoPlayerManager::onPause);
    connect(trim, &QTrimOperationForm::emitStop, p, &VoPlayerManager::onStop);
    connect(trim, &QTrimOperationForm::emitPlay, p, &VoPlayerManager::onPlay);
    connect(trim, &QTrimOperationForm::emitSliderSendPlayProToPlay, p, &VoPlayerManager::progressValueChange);
    connect(trim, &QTrimOperationForm::emitSliderMousePress, p, &VoPlayerManager::beginAsyncSeek);
    connect(trim, &QTrimOperationForm::emitSliderMouseRelease, p, &VoPlayerManager::endAsyncSeek);
    connect(trim, &QTrimOperationForm::emitPreviousStep, p, &VoPlayerManager::onPreviousStep);
    connect(trim, &QTrimOperationForm::emitNextStep, p, &VoPlayerManager::onNextStep);
    connect(trim, &QTrimOperationForm::emitTrim, p, &VoPlayerManager::onTrim);
    connect(trim, &QTrimOperationForm::emitTrimChapter, p, &VoPlayerManager::onTrimChapter);
    connect(trim, &QTrimOperationForm::emitReset, p, &VoPlayerManager::onReset);
    connect(trim, &QTrimOperationForm::emitSnapshot, this, &QVideoEditingDlg::onSnapshot);
    connect(trim, &QTrimOperationForm::emitSnapshotMenu, this, &QVideoEditingDlg::onSnapshotMenu);
    for (QEditOperationForm *form : {static_cast<QEditOperationForm *>(m_adjustForm),
                                     static_cast<QEditOperationForm *>(m_effectForm),
                                     static_cast<QEditOperationForm *>(m_watermarkForm),
                                     static_cast<QEditOperationForm *>(m_subtitleForm),
                                     static_cast<QEditOperationForm *>(m_audioForm)})
        connect(form, &QEditOperationForm::emitApplyToAll, this, &QVideoEditingDlg::onApplyToAll);
    connect(m_tabBar, &QVideoEditTag::emitSelectedTag, this, &QVideoEditingDlg::selectedTag);
    connect(m_watermarkForm, &QWatermarkOperationForm::emitWatermartTextSetting, this,
            &QVideoEditingDlg::onWatermartTextSetting);
    connect(m_subtitleForm, &QSubtitleOperationForm::emitSubtitleSetting, this, &QVideoEditingDlg::onSubtitleSetting);
    connect(m_subtitleForm, &QSubtitleOperationForm::emitAddSubtitleToCmb, this, &QVideoEditingDlg::emitAddSubtitleToCmb);
}

QEditOperationForm *QVideoEditingDlg::tabForm(int index) const
{
    return qobject_cast<QEditOperationForm *>(m_tabForms.value(index));
}

void QVideoEditingDlg::setMediaSource(const QString &path, int width, int height)
{
    m_mediaPath = path;
    m_hintWidth = width;
    m_hintHeight = height;
}

void QVideoEditingDlg::setInitialConfig(const VEEditConfig &config)
{
    m_initialConfig = config;
}

void QVideoEditingDlg::setBoundToTrim(bool bound)
{
    m_bindToTrim = bound;
    m_settings->setBoundToTrim(bound);
}

void QVideoEditingDlg::releasePlayer()
{
    if (!m_player)
        return;
    m_player->closePlay();
    delete m_player;
    m_player = nullptr;
}

VEEditConfig QVideoEditingDlg::editConfig() const
{
    return m_settings->config();
}

// ------------------------------------------------------------- loading ---

void QVideoEditingDlg::showEvent(QShowEvent *event)
{
    QNinePointsImageDialog::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        m_loadTimer->start(100);
    }
}

void QVideoEditingDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape closes only a loaded dialog: the loading step owns it until then.
    if (event->key() == Qt::Key_Escape && !m_loaded) {
        event->accept();
        return;
    }
    QNinePointsImageDialog::keyPressEvent(event);
}

void QVideoEditingDlg::loadingTimer()
{
    m_loadTimer->stop();
    if (!m_player) {
        m_working = m_initialConfig;
        emit emitThreadComplete();
        return;
    }
    EditLoadRequest request;
    request.path = m_mediaPath;
    request.hintWidth = m_hintWidth;
    request.hintHeight = m_hintHeight;
    request.config = m_initialConfig;
    request.openPreview = true;
    m_waitDlg = new QWaitForDlg(this);
    m_waitDlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_waitDlg, &QDialog::finished, this, &QVideoEditingDlg::waitEnded);
    m_loader->begin(request);
    m_spinner->show();
    m_spinner->raise();
    m_spinner->startAnimation();
    // Modal to this dialog without a loop of its own: the loading step's
    // end (threadComplete) or the closing of this dialog (done) ends it.
    m_waitDlg->open();
}

void QVideoEditingDlg::waitEnded()
{
    m_waitDlg = nullptr;
    m_spinner->stopAnimation();
    m_spinner->hide();
}

void QVideoEditingDlg::loaded(VEEditConfig config)
{
    if (m_loadAbandoned)
        return;
    m_working = std::move(config);
    startPlayerCon();
    if (m_playerOpened) {
        const QSize shown = m_player->displaySize();
        if (m_working.displayWidth == 0)
            m_working.displayWidth = shown.width();
        if (m_working.displayHeight == 0)
            m_working.displayHeight = shown.height();
    }
    emit emitThreadComplete();
}

void QVideoEditingDlg::startPlayerCon()
{
    if (!m_player)
        return;
    m_player->setTrim(m_working.trimStart, m_working.trimEnd);
    // The loader opened the file; the dialog only takes the player over.
    m_playerOpened = m_player->adoptOpened(m_loader->takeOpened(), m_mediaPath, m_working);
}

void QVideoEditingDlg::threadComplete()
{
    if (m_loadAbandoned)
        return;
    // The holder pushes to the player, which lives on this thread.
    m_settings->loadConfig(m_working);
    m_trimForm->loadValues(m_working, m_player ? m_player->duration() : 0);
    if (m_waitDlg)
        m_waitDlg->accept();
    if (m_player && m_playerOpened)
        m_player->onPlay();
    m_tabBar->setCurrentIndex(TrimTab);
    selectedTag(TrimTab);
    m_loaded = true;
}

// ------------------------------------------------------------ the tabs ---

void QVideoEditingDlg::isHaveVideo(bool flag)
{
    for (int i = AdjustTab; i <= SubtitleTab; ++i)
        m_tabBar->setTabEnabled(i, flag);
    // Without pictures there is no frame to step to or to snapshot, but the
    // range of the sound can still be trimmed.
    m_trimForm->setPictureControlsEnabled(flag);
}

void QVideoEditingDlg::selectedTag(int index)
{
    if (!m_tabBar->isTabEnabled(index))
        return;
    for (int i = 0; i < m_tabForms.size(); ++i)
        m_tabForms[i]->setVisible(i == index);
    // The tags take the preview's place; playing has nothing to show there.
    m_transport->setVisible(index != TagTab);
    if (QEditOperationForm *form = tabForm(index); form && m_loaded)
        form->loadOnce();
    m_mediaForm->setMode(index);
}

void QVideoEditingDlg::onWatermartTextSetting()
{
    QWatermartTextSettingDlg dlg(this);
    dlg.setSettings(m_settings);
    connect(&dlg, &QWatermartTextSettingDlg::emitDlgClose, this, &QVideoEditingDlg::dlgClose);
    m_subDialogOpen = true;
    dlg.exec();
}

void QVideoEditingDlg::dlgClose()
{
    m_subDialogOpen = false;
}

void QVideoEditingDlg::onSubtitleSetting()
{
    QSubtitleSettingDlg dlg(this);
    dlg.setSettings(m_settings);
    m_subDialogOpen = true;
    connect(&dlg, &QSubtitleSettingDlg::emitDlgClose, this, &QVideoEditingDlg::dlgClose);
    dlg.exec();
}

void QVideoEditingDlg::done(int result)
{
    // Closed while loading: what the loading step finds is not wanted any
    // more, and the wait must end with the dialog.
    if (!m_loaded && !m_firstShow) {
        m_loadAbandoned = true;
        m_loadTimer->stop();
        m_loader->cancel();
        if (m_waitDlg)
            m_waitDlg->reject();
    }
    QNinePointsImageDialog::done(result);
}

void QVideoEditingDlg::onOK()
{
    m_trimForm->onTrim();
    // A size typed just before OK has not had its pause yet.
    m_adjustForm->commitPendingSize();
    VEEditConfig result = m_settings->config();
    result.trimmedFlag = m_player && m_player->isTrimActive();
    m_settings->setConfig(result);
    accept();
}
