#pragma once
// The About window: the product's name and version and a link to the
// maker's home page.
#include "QNinePointsImageDialog.h"

class QLabel;

class QAboutDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QAboutDlg(QWidget *parent = nullptr);

    QLabel *projectLabel() const { return m_labProject; }
    QLabel *versionLabel() const { return m_labProjectVersion; }
    QLabel *visitLabel() const { return m_labVisit; }
    QLabel *homeLabel() const { return m_labHome; }
    void retranslateUi();

public slots:
    void OnClickHome(const QString &link);

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_labLogo;
    QLabel *m_labProject;
    QLabel *m_labProjectVersion;
    QLabel *m_labVisit;
    QLabel *m_labHome;
};
