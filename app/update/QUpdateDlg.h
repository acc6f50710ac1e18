#pragma once
// The update component's own window: "checking", then the outcome of the
// check. Not modal, so the program stays usable while the feed is fetched.
#include "QNinePointsImageDialog.h"

#include "UpdateChecker.h"

#include <QUrl>

class QLabel;
class QTextImageButton;

class QUpdateDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QUpdateDlg(QWidget *parent = nullptr);

    void showChecking();
    void showResult(const UpdateResult &result, const QString &productName, const QString &currentVersion);

    // The message as the user reads it (without markup).
    QString messageText() const;
    QUrl notesUrl() const { return m_notesUrl; }
    QLabel *messageLabel() const { return m_labMessage; }
    QLabel *notesLabel() const { return m_labNotes; }
    QTextImageButton *okButton() const { return m_btnOk; }

public slots:
    void OnClickNotes(const QString &link);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QLabel *m_labMessage;
    QLabel *m_labNotes;
    QTextImageButton *m_btnOk;
    QUrl m_notesUrl;
    bool m_checking = true;
    UpdateResult m_result;
    QString m_productName;
    QString m_currentVersion;
};
