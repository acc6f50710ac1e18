#pragma once
// The program's own message dialog: a nine-part picture background, a title,
// an optional type icon and one or two buttons chosen by a flags word. It
// grows to fit its message and returns Qt's standard-button values.
#include <QDialog>
#include <QFont>
#include <QPixmap>

#include <functional>

class QImageButton;
class QTextImageButton;

class QVoMessageDlg : public QDialog {
    Q_OBJECT
public:
    enum Flags {
        ShowIcon = 0x02,
        IconMask = 0x30,
        WarningIcon = 0x10,
        SuccessIcon = 0x20,
        ErrorIcon = 0x30,
        OkStopButtons = 0x100,
        RestartButtons = 0x200,
        YesNoButtons = 0x400,
    };
    enum Result { Ok = 0x400, Cancel = 0x400000, Yes = 0x4000, No = 0x10000 };

    explicit QVoMessageDlg(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const { return m_title; }
    void setMessage(const QString &text);
    QString message() const { return m_text; }
    void setFlags(int flags);
    int flags() const { return m_flags; }
    // Shows the dialog here instead of centring it on the screen.
    void setForcedPosition(const QPoint &pos);

    QTextImageButton *okButton() const { return m_btnOk; }
    QTextImageButton *cancelButton() const { return m_btnCancel; }
    QImageButton *closeButton() const { return m_btnClose; }
    // Picture of the type icon in use, relative to the application folder
    // (empty without one), and where icon and text are painted.
    QString typeIconPath() const;
    QRect typeIconRect() const { return m_iconRect; }
    QRect textRect() const { return m_textRect; }

    static QString defaultTitle();
    // Creates the dialog without a parent, shows it modally, returns the
    // result: a loop of its own, so only for a message the user asked for.
    static int ShowMsg(const QString &text, const QString &title = QString(), int flags = 0);
    // Opens the dialog modal to the parent's window and returns at once; it
    // deletes itself when closed and hands its result to `then`.
    static QVoMessageDlg *openMsg(QWidget *parent, const QString &text, const QString &title = QString(),
                                  int flags = 0, std::function<void(int)> then = {});

public slots:
    void OnBtnOk();
    void OnBtnCancel();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void InitButton();
    void LoadTitleIconImg();
    void updateLayout();
    void reportLoadFailure(const QString &text);

    QString m_title;
    QString m_text;
    int m_flags = 0;
    QFont m_titleFont;
    QFont m_textFont;
    QPixmap m_background;
    QPixmap m_titleIcon;
    QPixmap m_typeIcon;
    QTextImageButton *m_btnOk = nullptr;
    QTextImageButton *m_btnCancel = nullptr;
    QImageButton *m_btnClose = nullptr;
    QRect m_textRect;
    QRect m_iconRect;
    Qt::Alignment m_textAlignment = Qt::AlignCenter;
    bool m_hasForcedPos = false;
    QPoint m_forcedPos;
    QString m_picFolder;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
