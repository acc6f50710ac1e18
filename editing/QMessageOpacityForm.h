#pragma once
// A small message that shows at the bottom right of the screen for a
// second and then fades out by itself; the mouse over it holds it.
#include <QWidget>

class QImageButton;
class QLabel;
class QTimer;

class QMessageOpacityForm : public QWidget {
    Q_OBJECT
public:
    explicit QMessageOpacityForm(QWidget *parent = nullptr);

    void showMessage(const QString &text);
    QString text() const;
    QTimer *fadeTimer() const { return m_timer; }

signals:
    void NoShowMsgDlg();

public slots:
    void onTimer();
    void onClose();
    void openUrl(const QString &url);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QLabel *m_lblText = nullptr;
    QImageButton *m_btnClose = nullptr;
    QTimer *m_timer = nullptr;
    QPixmap m_background;
};
