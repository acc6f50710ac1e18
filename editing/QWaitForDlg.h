#pragma once
// The empty translucent modal window that keeps the editing dialog out of
// reach while its loading step runs.
#include <QDialog>

class QWaitForDlg : public QDialog {
    Q_OBJECT
public:
    explicit QWaitForDlg(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
