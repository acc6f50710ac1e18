#pragma once
// What the main window's close button does: asks with QShowCloseDlg while
// "REMIND_ITEM"/"isShowRemind" is "Y", otherwise follows "CLOSE_ITEM"/
// "bIsCloseDlg", and stores the answers. Acting on the outcome is the
// window's part.
#include <QString>

class QWidget;

class CloseFlow {
public:
    enum Outcome {
        Nothing,  // the question was cancelled
        Quit,     // close the window with its animation; the program ends
        ToTray,   // hide the window; the tray brings it back
        Minimize, // no tray on this desktop: hiding would strand the user
    };

    // owner: the window the dialog is centred on. trayAvailable: whether
    // the desktop has a system tray.
    static Outcome decide(QWidget *owner, bool trayAvailable);
    static QString outcomeName(Outcome outcome);
};
