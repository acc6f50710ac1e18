#pragma once
// The window of "Apply Segments To Other Files": which file of how many is
// being converted, the overall progress, one result row per file (a failed
// file with its reason) and Stop; Close once the run has ended. It only
// shows what its owner tells it; Stop and the title bar's close button ask
// the owner to stop.
#include "QNinePointsImageDialog.h"

class QLabel;
class QListWidget;
class QTextImageButton;
class qSliderCtrl;

class BatchApplyDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    BatchApplyDlg(int segmentCount, int fileCount, QWidget *parent = nullptr);

    void showFile(int index, const QString &path);
    void showProgress(int percent);
    // One row per file that had its turn: its name, and what was written or
    // why not. A stopped file is neither done nor failed.
    void addResult(const QString &path, bool ok, const QString &text, bool stopped = false);
    // The run has ended: stopped, or every file had its turn.
    void showEnd(bool stopped);

    bool isRunning() const { return m_running; }
    int progress() const { return m_percent; }
    QListWidget *resultList() const { return m_list; }
    QTextImageButton *stopButton() const { return m_btnStop; }
    QTextImageButton *closeButton() const { return m_btnClose; }
    void retranslateUi();

signals:
    void stopRequested();

public slots:
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void showSummary();

    int m_segments;
    int m_files;
    int m_fileIndex = -1;
    QString m_filePath;
    int m_percent = 0;
    int m_failed = 0;
    int m_done = 0;
    bool m_running = true;
    bool m_stopped = false;
    QLabel *m_labSummary;
    QLabel *m_labFile;
    qSliderCtrl *m_progressBar;
    QLabel *m_labProgress;
    QListWidget *m_list;
    QTextImageButton *m_btnStop;
    QTextImageButton *m_btnClose;
};
