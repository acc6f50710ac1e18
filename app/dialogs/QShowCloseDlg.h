#pragma once
// Asks what closing the main window should do: go to the tray or exit, and
// whether to ask again. Accepted by OK only.
#include "QNinePointsImageDialog.h"

class QCheckButton;
class QTextImageButton;

class QShowCloseDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    // exitChosen: the initial choice ("bIsCloseDlg" = "Y"). Without a
    // system tray the first choice minimises the window and says so.
    explicit QShowCloseDlg(bool exitChosen, bool trayAvailable = true, QWidget *parent = nullptr);

    bool isExitChosen() const;
    bool isNoteChecked() const;
    void retranslateUi();

    QCheckButton *minimizeChoice() const { return m_radioMin; }
    QCheckButton *exitChoice() const { return m_radioClose; }
    QCheckButton *noteCheck() const { return m_chkNote; }
    QTextImageButton *okButton() const { return m_btnOk; }
    QTextImageButton *cancelButton() const { return m_btnCancel; }

public slots:
    void OnChangeChoice();

protected:
    void changeEvent(QEvent *event) override;

private:
    QCheckButton *m_radioMin;
    QCheckButton *m_radioClose;
    QCheckButton *m_chkNote;
    QTextImageButton *m_btnOk;
    QTextImageButton *m_btnCancel;
    bool m_trayAvailable;
};
