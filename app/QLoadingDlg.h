#pragma once
// The dialog shown while files are being added: which file, how many of how
// many, a progress bar, and Stop. It only displays; the import reports to it
// on the interface thread and deletes it when the import ends.
#include "QNinePointsImageDialog.h"

class QLabel;
class QTextImageButton;
class QVoBaseProgress;

class QLoadingDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QLoadingDlg(QWidget *parent = nullptr);

    void setAddingPath(const QString &path);
    void setAddedCount(const QString &count);
    void setProgress(double percent);

    QString addingPath() const;
    QString addedCount() const;
    double progress() const;
    QTextImageButton *stopButton() const { return m_btnCancel; }

signals:
    void seedStopAddFile();

public slots:
    void OnCloseStop();
    void retranslate();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Every way of closing it (Stop, the close button, Esc) stops the import.
    void reject() override;

private:
    QLabel *m_labAddingPath = nullptr;
    QLabel *m_labAddingPath_2 = nullptr;
    QLabel *m_labAdded = nullptr;
    QLabel *m_labAdded_2 = nullptr;
    QVoBaseProgress *m_progressBar = nullptr;
    QTextImageButton *m_btnCancel = nullptr;
    QString m_path;
};
