#pragma once
// The message box every window uses: a drawn dialog with a kind icon
// (warning, success, error, help), the message wrapped to a maximum line
// width and a set of buttons; it answers with Qt's standard-button values.
#include "QVoDialog.h"

#include <QList>
#include <QMap>
#include <QPixmap>

class QImageButton;
class QTextImageButton;

class QVoMessageBox : public QVoDialog {
    Q_OBJECT
public:
    enum Kind { Warning = 1, Success = 3, Error = 4, Help = 5 };
    enum ButtonSet { OkButton = 1, CancelButton = 2, YesNoButtons = 4, YesNoCancelButtons = 8 };
    enum Result { Ok = 0x400, Cancel = 0x400000, Yes = 0x4000, No = 0x10000, Close = 0x200000 };

    explicit QVoMessageBox(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    void setMessage(const QString &text);
    QString message() const { return m_text; }
    void setKind(int kind) { m_kind = kind; }
    int kind() const { return m_kind; }
    void setButtons(int buttonSet) { m_buttonSet = buttonSet; }
    // Text of the button that answers `result` (Ok, Cancel, Yes, No).
    void setButtonText(int result, const QString &text) { m_buttonTexts[result] = text; }
    void setMaxLineWidth(int width) { m_maxLineWidth = width; }

    // Kind icon relative to the application folder; empty for other kinds.
    static QString iconPath(int kind);

    // Loads the icon, makes the buttons, sizes and places the box; done on
    // the first show, callable before it (tests, screenshots).
    void prepare();
    QList<QTextImageButton *> buttons() const { return m_buttons; }
    QImageButton *closeButton() const { return m_btnClose; }
    QRect textRect() const { return m_textRect; }
    QRect iconRect() const { return m_iconRect; }

    // Title used when the caller passes a null title: the product name.
    static void setDefaultTitle(const QString &title);
    static QString defaultTitle();
    // Shows a modal box. A null title gives the default title; an empty
    // (non-null) one shows no title.
    static int ShowMessage(QWidget *parent, const QString &text, const QString &title = QString(), int kind = Warning,
                           int buttonSet = OkButton);

public slots:
    void OnBtnClose();
    void OnBtnDone();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_text;
    int m_kind = 0;
    int m_buttonSet = OkButton;
    QMap<int, QString> m_buttonTexts;
    int m_maxLineWidth = 500;
    QPixmap m_icon;
    QList<QTextImageButton *> m_buttons;
    QImageButton *m_btnClose = nullptr;
    QRect m_textRect;
    QRect m_iconRect;
    bool m_prepared = false;
};
