#pragma once
// The modal "Video Edit" window for one media item: a private preview
// player, seven tabs of edits, crop and watermark rectangles on the
// preview, and on OK the finished edit record. "Apply to all" records a
// tab's parts at the moment of the press, for the caller to copy into the
// other items after the dialog closes (also after Cancel).
#include "QNinePointsImageDialog.h"
#include "VEEditConfig.h"
#include "VoPlayerManager.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class QAdjustOperationForm;
class QAudioOperationForm;
class QAudioTagForm;
class EditLoadWorker;
class QEditOperationForm;
class QEffectOperationForm;
class QMediaForm;
class QMessageOpacityForm;
class QPlayerOperationForm;
class QProgressIndicator;
class QSubtitleOperationForm;
class QTimer;
class QTrimOperationForm;
class QVideoEditTag;
class QVideoEditingSettings;
class QVoBaseButton;
class QImageButton;
class QWaitForDlg;
class QWatermarkOperationForm;
class VoPlayerManager;

// The parts "Apply to all" has recorded, each with its flag.
struct ApplyAllStore {
    bool crop = false, picture = false, watermark = false, effectOverlay = false, frameOverlay = false;
    bool subtitleChoice = false, audioChoice = false, subtitleStyle = false, audio = false, soundEffect = false;
    VEEditConfig parts;
};

class QVideoEditingDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QVideoEditingDlg(QWidget *parent = nullptr);
    ~QVideoEditingDlg() override;

    void setMediaSource(const QString &path, int width, int height);
    void setInitialConfig(const VEEditConfig &config);
    void setBoundToTrim(bool bound);
    void releasePlayer();
    VEEditConfig editConfig() const;
    // Copies the recorded "Apply to all" parts into target.
    void applyAllTo(VEEditConfig &target) const;
    const ApplyAllStore &applyAllStore() const { return m_applyAll; }

    bool isLoaded() const { return m_loaded; }
    // True from the start of the loading step until its result is shown
    // or the dialog is closed.
    bool isLoading() const { return m_waitDlg != nullptr; }
    VoPlayerManager *player() const { return m_player; }
    QVideoEditingSettings *settings() const { return m_settings; }
    QVideoEditTag *tabBar() const { return m_tabBar; }
    QMediaForm *mediaForm() const { return m_mediaForm; }
    QPlayerOperationForm *transportBar() const { return m_transport; }
    QTrimOperationForm *trimForm() const { return m_trimForm; }
    QEditOperationForm *tabForm(int index) const;
    QVoBaseButton *okButton() const { return m_btnOK; }
    QVoBaseButton *cancelButton() const { return m_btnCancel; }
    QSubtitleOperationForm *subtitleForm() const { return m_subtitleForm; }
    // The pop-up of the snapshot messages; null until the first message.
    QMessageOpacityForm *toast() const { return m_toast; }
    QString snapshotFolder() const { return m_snapshotFolder; }
    QString snapshotSuffix() const { return m_snapshotSuffix; }
    // The clock snapshot names are made from (tests fix it).
    void setSnapshotClock(std::function<QDateTime()> clock) { m_snapshotClock = std::move(clock); }
    // "ScreenCapture_<time>.<suffix>" in folder, with "_2", "_3", ... before
    // the suffix when that name is taken: a snapshot never replaces another.
    static QString snapshotPath(const QString &folder, const QString &suffix, const QDateTime &time);

signals:
    void emitAddSubtitleToCmb(QString text, QString path);
    void emitThreadComplete();
    void emitPreviousFile();
    void emitNextFile();

public slots:
    void isHaveVideo(bool flag);
    void selectedTag(int index);
    void onWatermartTextSetting();
    void dlgClose();
    void onSubtitleSetting();
    void onApplyToAll();
    void onSnapshot();
    void onSnapshotMenu();
    void openImgPath();
    void showPathSettingDlg();
    void loadingTimer();
    // The wait window has closed (loaded, or this dialog closing).
    void waitEnded();
    void threadComplete();
    void startPlayerCon();
    // The loading step's record, on this thread: opens the player with it.
    void loaded(VEEditConfig config);
    void onOK();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void wire();
    void showMessage(const QString &text);

    VoPlayerManager *m_player = nullptr;
    EditLoadWorker *m_loader = nullptr;
    QVideoEditingSettings *m_settings = nullptr;
    QVideoEditTag *m_tabBar = nullptr;
    QPlayerOperationForm *m_transport = nullptr;
    QMediaForm *m_mediaForm = nullptr;
    QTrimOperationForm *m_trimForm = nullptr;
    QAdjustOperationForm *m_adjustForm = nullptr;
    QEffectOperationForm *m_effectForm = nullptr;
    QWatermarkOperationForm *m_watermarkForm = nullptr;
    QSubtitleOperationForm *m_subtitleForm = nullptr;
    QAudioOperationForm *m_audioForm = nullptr;
    QAudioTagForm *m_tagForm = nullptr;
    QProgressIndicator *m_spinner = nullptr;
    QImageButton *m_btnPrevious = nullptr;
    QImageButton *m_btnNext = nullptr;
    QVoBaseButton *m_btnOK = nullptr;
    QVoBaseButton *m_btnCancel = nullptr;
    QTimer *m_loadTimer = nullptr;
    QWaitForDlg *m_waitDlg = nullptr;
    QList<QWidget *> m_tabForms;
    QMessageOpacityForm *m_toast = nullptr;
    std::function<QDateTime()> m_snapshotClock;

    QString m_mediaPath;
    int m_hintWidth = 0;
    int m_hintHeight = 0;
    VEEditConfig m_initialConfig;
    VEEditConfig m_working; // the loading step's copy, then the result on OK
    ApplyAllStore m_applyAll;
    QString m_snapshotSuffix;
    QString m_snapshotFolder;
    bool m_loaded = false;
    bool m_subDialogOpen = false;
    bool m_firstShow = true;
    bool m_bindToTrim = false;
    bool m_playerOpened = false;
    bool m_loadAbandoned = false; // closed before loading finished
};
