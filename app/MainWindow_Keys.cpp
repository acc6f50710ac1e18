// Keyboard shortcuts of the main window. Each one presses the button that
// does the same job, so a key does exactly what a click does and nothing a
// disabled or hidden button would not.
#include "MainWindow.h"

#include "QLoadingDlg.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace {
enum Panel { Player, CutTool, Segments };

struct KeyBinding {
    int key;
    Qt::KeyboardModifiers modifiers;
    Panel panel;        // the panel holding the button
    const char *button; // object name of the button
};

// Space toggles between the play and the pause button, whichever is shown.
const KeyBinding kBindings[] = {
    {Qt::Key_Space, Qt::NoModifier, Player, "m_btnPlay"},
    {Qt::Key_Space, Qt::NoModifier, Player, "m_btnPause"},
    {Qt::Key_Left, Qt::NoModifier, Player, "m_btnPrevious"},
    {Qt::Key_Right, Qt::NoModifier, Player, "m_btnNext"},
    {Qt::Key_Left, Qt::ControlModifier, Player, "m_btnPreviousKey"},
    {Qt::Key_Right, Qt::ControlModifier, Player, "m_btnNextKey"},
    {Qt::Key_I, Qt::NoModifier, CutTool, "m_btnStartSet"},
    {Qt::Key_O, Qt::NoModifier, CutTool, "m_btnEndSet"},
    {Qt::Key_O, Qt::ControlModifier, CutTool, "m_btnAddFile"},
    {Qt::Key_Insert, Qt::NoModifier, Segments, "m_btnAddItem"},
    {Qt::Key_Plus, Qt::NoModifier, Segments, "m_btnAddItem"},
    {Qt::Key_Return, Qt::ControlModifier, CutTool, "m_btnConvert"},
    {Qt::Key_Enter, Qt::ControlModifier, CutTool, "m_btnConvert"},
    {Qt::Key_Escape, Qt::NoModifier, CutTool, "m_btnStopTrim"},
};

// The hint shown in a tooltip: the first binding of that button.
QString hintFor(const KeyBinding &b) { return QKeySequence(int(b.modifiers) | b.key).toString(QKeySequence::NativeText); }

bool isLive(const QAbstractButton *button) { return button && button->isEnabled() && button->isVisible(); }
} // namespace

QAbstractButton *MainWindow::bindingButton(int panel, const char *name) const
{
    QWidget *owner = panel == Player ? static_cast<QWidget *>(m_videoPlayDlg)
                     : panel == CutTool ? static_cast<QWidget *>(m_videoCutToolbar)
                                        : static_cast<QWidget *>(m_videoItemDlg);
    return owner ? owner->findChild<QAbstractButton *>(QLatin1String(name)) : nullptr;
}

void MainWindow::installShortcuts() { qApp->installEventFilter(this); }

namespace {
bool isTextField(const QObject *o)
{
    if (!o)
        return false;
    if (qobject_cast<const QLineEdit *>(o) || qobject_cast<const QAbstractSpinBox *>(o) || qobject_cast<const QTextEdit *>(o)
        || qobject_cast<const QPlainTextEdit *>(o))
        return true;
    const auto *combo = qobject_cast<const QComboBox *>(o);
    return combo && combo->isEditable();
}
} // namespace

bool MainWindow::textFieldHasFocus(const QObject *receiver) const
{
    // The key's receiver, and the focus of this window even while another
    // application is active.
    return isTextField(receiver) || isTextField(QApplication::focusWidget()) || isTextField(focusWidget());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this && !QApplication::activeModalWidget())
        return handleShortcut(watched, static_cast<QKeyEvent *>(event));
    return QVariableSizeWidget::eventFilter(watched, event);
}

bool MainWindow::handleShortcut(QObject *receiver, QKeyEvent *event)
{
    if (textFieldHasFocus(receiver))
        return false;
    // The keypad's "+" and Enter arrive with the keypad modifier.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const bool plusWithShift = event->key() == Qt::Key_Plus;
    if ((event->modifiers() & Qt::ShiftModifier) && !plusWithShift)
        return false;

    if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        // Simple Mode deletes with the panel's button, Free Mode with the
        // current row's own.
        QAbstractButton *button = nullptr;
        if (isSimpleMode())
            button = m_videoItemDlg->findChild<QAbstractButton *>(QStringLiteral("m_btnDelete"));
        else if (QWidget *entry = m_videoItemDlg->currentEntry())
            button = entry->findChild<QAbstractButton *>(QStringLiteral("m_btnClose"));
        // A row's own button counts even while the row is scrolled away.
        if (button && button->isEnabled() && !isConverting())
            button->click();
        return true;
    }
    bool matched = false;
    for (const KeyBinding &b : kBindings) {
        if (b.key != event->key() || b.modifiers != modifiers)
            continue;
        matched = true;
        QAbstractButton *button = bindingButton(b.panel, b.button);
        if (isLive(button)) {
            button->click();
            return true;
        }
    }
    return matched;
}

void MainWindow::addShortcutHints()
{
    // Panels set their own tooltips when their language changes; the hints
    // are added once they have.
    QTimer::singleShot(0, this, [this] {
        QList<const QAbstractButton *> done;
        for (const KeyBinding &b : kBindings) {
            QAbstractButton *button = bindingButton(b.panel, b.button);
            if (!button || done.contains(button))
                continue;
            done.append(button);
            const QString hint = QStringLiteral(" (%1)").arg(hintFor(b));
            if (!button->toolTip().endsWith(hint))
                button->setToolTip(button->toolTip() + hint);
        }
    });
}
