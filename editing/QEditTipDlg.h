#pragma once
// The note shown after an edit while the output mode copies streams: the
// edits will not reach the output. Its box stops the note for good.
#include "QNinePointsImageDialog.h"

class QLabel;
class QVoBaseButton;
class QVoCheckBox;

class QEditTipDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QEditTipDlg(QWidget *parent = nullptr);
    // The "Don't show this window again" box is ticked.
    bool isDontShowAgain() const;
    QVoCheckBox *checkBox() const { return m_chkDontShow; }
    QVoBaseButton *okButton() const { return m_btnOK; }
    QVoBaseButton *cancelButton() const { return m_btnCancel; }

private:
    QLabel *m_labText = nullptr;
    QVoCheckBox *m_chkDontShow = nullptr;
    QVoBaseButton *m_btnOK = nullptr;
    QVoBaseButton *m_btnCancel = nullptr;
};
