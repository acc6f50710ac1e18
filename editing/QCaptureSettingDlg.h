#pragma once
// "Snapshot Setting": the folder snapshots are saved to and their picture
// format. Nothing is written until OK, and OK refuses a folder that cannot
// be written to.
#include "QNinePointsImageDialog.h"

class QLabel;
class QVoBaseButton;
class QVoComboBox;
class QVoLineEdit;

class QCaptureSettingDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QCaptureSettingDlg(QWidget *parent = nullptr);

    QVoLineEdit *pathEdit() const { return m_editPath; }
    QVoComboBox *formatCombo() const { return m_cmbFormat; }
    QVoBaseButton *openButton() const { return m_btnOpen; }
    QVoBaseButton *okButton() const { return m_btnOk; }
    QVoBaseButton *cancelButton() const { return m_btnCancel; }
    void setPath(const QString &folder);
    // Why the folder cannot take snapshots; empty when it can.
    static QString folderProblem(const QString &folder);

signals:
    void emitDlgClose();

public slots:
    void onOpenPath();
    void onOk();

protected:
    void done(int result) override;

private:
    QLabel *m_labPath = nullptr;
    QVoLineEdit *m_editPath = nullptr;
    QVoBaseButton *m_btnOpen = nullptr;
    QLabel *m_labFormat = nullptr;
    QVoComboBox *m_cmbFormat = nullptr;
    QVoBaseButton *m_btnOk = nullptr;
    QVoBaseButton *m_btnCancel = nullptr;
};
