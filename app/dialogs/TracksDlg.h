#pragma once
// "Tracks": the streams of the file being cut and what the outputs keep of
// them: a check box to keep each, their order within their kind, language,
// title, default and forced flags, and a shift of a sound or subtitle
// track's timing, with the offset between two sound tracks found on
// request. The streams are read and the offset measured away from the
// interface thread; the chosen plan goes out through planAccepted.
#include "QNinePointsImageDialog.h"
#include "SourceTracks.h"
#include "TrackPlan.h"

#include <QMetaType>

Q_DECLARE_METATYPE(TrackPlan)

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTextImageButton;

class TracksDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    // plan: the work's plan; used when it is for source, else every stream
    // is kept as the source has it. duration_us bounds the shifts.
    TracksDlg(const QString &source, qint64 duration_us, const TrackPlan &plan, QWidget *parent = nullptr);

    TrackPlan plan() const { return m_plan; }
    bool isBusy() const { return m_busy; }

    QTableWidget *table() const { return m_table; }
    QComboBox *languageBox() const { return m_language; }
    QLineEdit *titleEdit() const { return m_title; }
    QCheckBox *defaultCheck() const { return m_default; }
    QCheckBox *forcedCheck() const { return m_forced; }
    QSpinBox *shiftBox() const { return m_shift; }
    QTextImageButton *upButton() const { return m_btnUp; }
    QTextImageButton *downButton() const { return m_btnDown; }
    QTextImageButton *offsetButton() const { return m_btnOffset; }
    QTextImageButton *resetButton() const { return m_btnReset; }
    QTextImageButton *okButton() const { return m_btnOk; }
    QTextImageButton *cancelButton() const { return m_btnCancel; }
    QLabel *statusLabel() const { return m_status; }
    QLabel *noteLabel() const { return m_note; }
    void retranslateUi();

    // The languages offered: ISO 639-2 codes and their names in the
    // interface language.
    static QList<QPair<QString, QString>> languages();

signals:
    void streamsRead(int count);
    // Find Offset has ended: found or not (the status says which).
    void offsetDone(bool found);
    void planAccepted(const TrackPlan &plan);

public slots:
    void accept() override;
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;
    // A row dragged onto another row of its kind moves there.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showStreams(bool ok, const QString &error);
    void fillTable();
    void fillRow(int row);
    void selectRow(int row);
    void showSelected();
    void move(int by);
    void moveRow(int from, int to);
    void findOffset();
    int selectedRow() const;
    const SourceTrack *trackOf(const TrackPlanEntry &e) const;
    QString kindText(int kind) const;
    QString languageText(const QString &code) const;
    void fillLanguages();

    QString m_source;
    qint64 m_duration_us = 0;
    TrackPlan m_plan;
    TrackPlan m_given;
    QList<SourceTrack> m_tracks;
    bool m_read = false;
    bool m_busy = true;
    bool m_loading = false; // the editors are being filled, not edited
    int m_dragRow = -1;     // the row a press on the list began on
    QString m_readError;
    QString m_message; // the last result shown in the status line
    QLabel *m_labSource;
    QTableWidget *m_table;
    QLabel *m_labLanguage;
    QComboBox *m_language;
    QLabel *m_labTitle;
    QLineEdit *m_title;
    QCheckBox *m_default;
    QCheckBox *m_forced;
    QLabel *m_labShift;
    QSpinBox *m_shift;
    QLabel *m_note;
    QLabel *m_status;
    QTextImageButton *m_btnUp;
    QTextImageButton *m_btnDown;
    QTextImageButton *m_btnOffset;
    QTextImageButton *m_btnReset;
    QTextImageButton *m_btnOk;
    QTextImageButton *m_btnCancel;
};
