#pragma once
// "Detect Cuts": searches the file for silence, black, scene changes and
// frozen pictures with the settings the user gives (remembered between
// runs), on a worker, with a progress bar and Stop. A search that found
// something ends the dialog with the pieces the chosen use keeps, or the
// places to mark on the timeline; the window puts them in place. Nothing here opens the file: the worker does.
#include "DetectedCuts.h"
#include "QNinePointsImageDialog.h"
#include "VoDetector.h"

#include <QTimer>
#include <QVector>
#include <memory>
#include <vector>

class DetectWorker;
class QLabel;
class QTextImageButton;
class QVoBaseProgress;
class QVoCheckBox;
class QVoDoubleSpinBox;
class QVoRadioButton;

class QDetectDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    QDetectDlg(const QString &path, int64_t duration_us, QWidget *parent = nullptr);
    ~QDetectDlg() override;

    // Once accepted: the pieces to make segments of, ascending.
    const std::vector<detectcuts::Piece> &pieces() const { return m_pieces; }
    detectcuts::Keep keep() const;
    // Markers on the timeline were chosen instead of segments; once
    // accepted, their times.
    bool markersChosen() const;
    const std::vector<int64_t> &markers() const { return m_markers; }
    // The most segments the work holds.
    void setMaxPieces(int count) { m_maxPieces = count; }
    bool isSearching() const { return m_searching; }
    // What the status line says now.
    QString statusText() const;
    // The kind's name as the dialog shows it ("Silence").
    static QString kindName(int kind);
    // "Searching for silence…"
    static QString searchingText(int kind);

    QTextImageButton *detectButton() const { return m_btnDetect; }
    QTextImageButton *closeButtonText() const { return m_btnClose; }

public slots:
    void OnDetect();
    void OnClose();

protected:
    void reject() override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Row {
        int kind = 0;
        QVoCheckBox *check = nullptr;
        QLabel *labels[3] = {};
        QVoDoubleSpinBox *spins[3] = {}; // level, share (black only), length
    };
    void buildRows();
    void retranslate();
    void readSettings();
    void storeSettings() const;
    QVector<VoDetector::Settings> chosenSearches() const;
    void setSearching(bool on);
    void showStatus(const QString &text, bool fault);
    void searchEnded();
    void tick();

    QString m_path;
    int64_t m_duration = 0;
    QVector<Row> m_rows;
    QLabel *m_labKinds = nullptr;
    QLabel *m_labUse = nullptr;
    QVoRadioButton *m_radBetween = nullptr;
    QVoRadioButton *m_radInside = nullptr;
    QVoRadioButton *m_radMarkers = nullptr;
    QLabel *m_labStatus = nullptr;
    QVoBaseProgress *m_progress = nullptr;
    QTextImageButton *m_btnDetect = nullptr;
    QTextImageButton *m_btnClose = nullptr;
    QTimer m_tick;
    std::unique_ptr<DetectWorker> m_worker;
    bool m_searching = false;
    bool m_stopping = false;
    bool m_closeWhenStopped = false;
    int m_lastSearchCount = 0;
    int m_maxPieces = 100;
    std::vector<detectcuts::Piece> m_pieces;
    std::vector<int64_t> m_markers;
};
