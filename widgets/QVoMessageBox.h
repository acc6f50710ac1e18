#pragma once
// The message box every window uses: a drawn dialog with a kind icon
// (warning, success, error, help), the message wrapped to a maximum line
// width and a set of buttons; it answers with Qt's standard-button values.
#include "QVoDialog.h"

#include <QList>
#include <QMap>
#include <QPixmap>

#include <functional>

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
    // Shows a modal box and waits for its answer in a loop of its own. A
    // null title gives the default title; an empty (non-null) one shows no
    // title. Only for a box the user asked for himself: a handler reacting
    // to the program's own event uses showMessage.
    static int ShowMessage(QWidget *parent, const QString &text, const QString &title = QString(), int kind = Warning,
                           int buttonSet = OkButton);
    // Opens a box modal to the parent's window and returns at once; the box
    // deletes itself when it closes and then hands its answer (one of
    // Result) to `then`, which is not called when the parent goes first.
    // A non-empty `name` becomes the box's object name, and a box of that
    // name still open under the parent is closed first (its `then` hears
    // Close), so that a second report replaces the first instead of
    // stacking on it.
    static QVoMessageBox *showMessage(QWidget *parent, const QString &text, const QString &title = QString(),
                                      int kind = Warning, int buttonSet = OkButton,
                                      std::function<void(int)> then = {}, const QString &name = QString());
    // Opens a box made by the caller in the same way (modal to its parent's
    // window, deleted when closed, answer to `then`).
    static void openBox(QVoMessageBox *box, std::function<void(int)> then = {});
    // The open box of that name under parent's window, if any.
    static QVoMessageBox *openBoxNamed(const QWidget *parent, const QString &name);

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
