#pragma once
// "Save Subtitles": the subtitle streams of the file being cut, each to a
// file of its own (text as SRT or ASS, PGS pictures as .sup, other picture
// subtitles as Matroska subtitles), the whole stream or only what the
// segments show, timed as their cut joined in order. The streams are read
// and the files written away from the interface thread.
#include "QNinePointsImageDialog.h"
#include "VoSubtitleFiles.h"

#include <QVector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QTextImageButton;

class SaveSubtitlesDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    SaveSubtitlesDlg(const QString &source, const QVector<VoSubtitleFiles::Range> &segments, const QString &folder,
                     QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);
    bool isBusy() const { return m_busy; }

    QListWidget *streamList() const { return m_list; }
    QComboBox *formatBox() const { return m_format; }
    QCheckBox *segmentsCheck() const { return m_segmentsOnly; }
    QLabel *statusLabel() const { return m_status; }
    QTextImageButton *saveButton() const { return m_btnSave; }
    QTextImageButton *closeButton() const { return m_btnClose; }
    void retranslateUi();

signals:
    // The streams have been read (count: how many can be saved).
    void streamsRead(int count);
    // A save has ended: the files written and those that failed.
    void saved(int written, int failed);

public slots:
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Result {
        int index = 0;
        QString path;  // written
        QString error; // or why not
    };
    void showStreams(bool ok, const QString &error);
    void startSaving();
    void showResults(const QVector<Result> &results);
    void updateSaveButton();
    QString streamText(const VoSubtitleFiles::Stream &s) const;

    QString m_source;
    QVector<VoSubtitleFiles::Range> m_segments;
    QString m_folder;
    QVector<VoSubtitleFiles::Stream> m_streams;
    QString m_readError;
    bool m_read = false;
    bool m_busy = true;
    int m_written = -1;
    int m_failed = 0;
    QLabel *m_labSource;
    QListWidget *m_list;
    QLabel *m_labFormat;
    QComboBox *m_format;
    QCheckBox *m_segmentsOnly;
    QLabel *m_labFolder;
    QTextImageButton *m_btnFolder;
    QLabel *m_status;
    QTextImageButton *m_btnSave;
    QTextImageButton *m_btnClose;
};
