#pragma once
// The modal "Preferences" dialog: a column of page buttons on the left and
// the "General" and "Convert" pages in a scroll area. Values are shown from
// the settings when it opens and written only by OK.
#include "QNinePointsImageDialog.h"

#include <QList>

class ConvertWidget;
class GeneralWidget;
class QScrollArea;
class QTextImageButton;

class QPreferencesDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QPreferencesDlg(QWidget *parent = nullptr);

    GeneralWidget *generalPage() const { return m_general; }
    ConvertWidget *convertPage() const { return m_convert; }
    QList<QTextImageButton *> pageButtons() const { return m_leftButtons; }
    QTextImageButton *okButton() const { return m_btnOk; }
    QTextImageButton *cancelButton() const { return m_btnCancel; }
    bool isAccepted() const { return m_accepted; }

    // Stores the process-wide output folder as the "OutPut_path" setting;
    // the main window calls it after the dialog has closed, by any button.
    static void storeOutputFolder();

signals:
    void emitAutoUpdate(bool bUpdate);
    void emitLangugeChangeSet(bool bChange);

public slots:
    void OnBtnOk();
    void OnLeftBtn();
    bool setLanguge(QString qmFile);
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void retranslateUi();
    void placeButtons();

    GeneralWidget *m_general;
    ConvertWidget *m_convert;
    QScrollArea *m_scroll;
    QWidget *m_pages;
    QList<QTextImageButton *> m_leftButtons;
    QTextImageButton *m_currentButton = nullptr;
    QTextImageButton *m_btnOk;
    QTextImageButton *m_btnCancel;
    bool m_accepted = false;
    bool m_closingReported = false;
};
