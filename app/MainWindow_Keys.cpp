// The keyboard in the main window. Each shortcut presses the button that
// does the same job, so a key does exactly what a click does and nothing a
// disabled or hidden button would not. The keys belong to the player area
// whenever no text field is being typed in: the window opens with the focus
// there and puts it back after every dialog, import and conversion, and Esc
// leaves a text field. Tab walks the controls in the order they are read.
// Each button's tooltip names its key; a button without words of its own is
// named for screen readers by its tooltip.
#include "MainWindow.h"

#include "ProjectSession.h"

#include "QTimeEditEx.h"

#include "QLoadingDlg.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

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

// The key named in a tooltip, in the interface language (key names are
// translated like every other text).
QString keyName(int key, Qt::KeyboardModifiers modifiers)
{
    return QKeySequence(int(modifiers) | key).toString(QKeySequence::NativeText);
}

const char *const kHintProperty = "shortcutHint";
// The name this window gave a button; a name its panel set is left alone.
const char *const kGivenNameProperty = "givenAccessibleName";

bool isLive(const QAbstractButton *button) { return button && button->isEnabled() && button->isVisible(); }
} // namespace

QAbstractButton *MainWindow::bindingButton(int panel, const char *name) const
{
    QWidget *owner = panel == Player ? static_cast<QWidget *>(m_videoPlayDlg)
                     : panel == CutTool ? static_cast<QWidget *>(m_videoCutToolbar)
                                        : static_cast<QWidget *>(m_videoItemDlg);
    return owner ? owner->findChild<QAbstractButton *>(QLatin1String(name)) : nullptr;
}

void MainWindow::installShortcuts()
{
    qApp->installEventFilter(this);
    nameAllButtons();
}

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
    if (!watched->isWidgetType())
        return QVariableSizeWidget::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (widget->window() == this && !QApplication::activeModalWidget())
            return handleKey(widget, static_cast<QKeyEvent *>(event));
        break;
    case QEvent::ToolTipChange:
    case QEvent::Polish:
        // A button's tooltip may be set before it joins this window (a new
        // segment row), so it is named again when it is first shown.
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            if (button->window() == this)
                nameButton(button);
        }
        break;
    case QEvent::Hide:
        // Whatever dialog closes, the keys go back to the player, once no
        // other window of the program is still waiting for an answer.
        if (widget != this && widget->isWindow() && qobject_cast<QDialog *>(widget))
            QMetaObject::invokeMethod(
                this, [this] {
                    if (isVisible() && !QApplication::activeModalWidget())
                        focusPlayerArea();
                },
                Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QVariableSizeWidget::eventFilter(watched, event);
}

bool MainWindow::handleKey(QWidget *receiver, QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The order follows the controls where they stand now (rows come
        // and go, the language changes widths); the widgets move the focus.
        arrangeTabOrder();
        return false;
    case Qt::Key_Escape:
        // Esc leaves a text field and gives the keys back to the player.
        if (plain && textFieldHasFocus(receiver)) {
            // Leaving confirms what a field holds, so what was typed is
            // dropped first, as Escape does in the field itself.
            for (QObject *o : std::initializer_list<QObject *>{receiver, QApplication::focusWidget()}) {
                if (auto *edit = qobject_cast<QTimeEditEx *>(o)) {
                    edit->dropTyping();
                    break;
                }
            }
            focusPlayerArea();
            return true;
        }
        break;
    case Qt::Key_Space:
        // A button reached with Tab is pressed with Space, as anywhere else.
        if (plain && qobject_cast<QAbstractButton *>(receiver) && receiver->hasFocus())
            return false;
        break;
    default:
        break;
    }
    return handleShortcut(receiver, event);
}

bool MainWindow::handleShortcut(QObject *receiver, QKeyEvent *event)
{
    if (textFieldHasFocus(receiver))
        return false;
    // Undo, redo, save and open belong to the work's history.
    if (m_project && m_project->handleKey(event))
        return true;
    if ((event->modifiers() & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::ShiftModifier)
        && event->key() == Qt::Key_A) {
        OnAddSourceFile();
        return true;
    }
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
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) && modifiers == Qt::NoModifier) {
        // The ends of the file, whenever the picture steps could be pressed.
        if (isLive(bindingButton(Player, "m_btnPrevious"))) {
            if (event->key() == Qt::Key_Home)
                m_videoPlayDlg->goToStart();
            else
                m_videoPlayDlg->goToEnd();
        }
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

QString MainWindow::shortcutHint(const QAbstractButton *button) const
{
    // The first binding of a button is the one named.
    for (const KeyBinding &b : kBindings) {
        if (bindingButton(b.panel, b.button) == button)
            return QStringLiteral(" (%1)").arg(keyName(b.key, b.modifiers));
    }
    // Delete presses the panel's button in Simple Mode and the current
    // row's own in Free Mode.
    const QString name = button->objectName();
    if (m_videoItemDlg && m_videoItemDlg->isAncestorOf(button)
        && (name == QLatin1String("m_btnDelete")
            || (name == QLatin1String("m_btnClose") && qobject_cast<QVideoConvertItem *>(button->parentWidget()))))
        return QStringLiteral(" (%1)").arg(keyName(Qt::Key_Delete, Qt::NoModifier));
    return QString();
}

void MainWindow::nameButton(QAbstractButton *button)
{
    // The tooltip the panel set, without the key this window added to it.
    QString tip = button->toolTip();
    const QString added = button->property(kHintProperty).toString();
    if (!added.isEmpty() && tip.endsWith(added))
        tip.chop(added.size());
    // A button's own words name it; a picture button is named by its tip.
    const QString name = button->text().isEmpty() ? tip : button->text();
    const QString own = button->accessibleName();
    const bool panelNamedIt = !own.isEmpty() && own != button->property(kGivenNameProperty).toString();
    if (!name.isEmpty() && !panelNamedIt && own != name) {
        button->setProperty(kGivenNameProperty, name);
        button->setAccessibleName(name);
    }
    if (tip.isEmpty())
        return;
    const QString hint = shortcutHint(button);
    button->setProperty(kHintProperty, hint);
    // Setting it comes back here once, and then finds it complete.
    if (button->toolTip() != tip + hint)
        button->setToolTip(tip + hint);
}

void MainWindow::nameAllButtons()
{
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        nameButton(button);
}

void MainWindow::focusPlayerArea()
{
    if (!m_videoPlayDlg || !m_videoPlayDlg->isEnabled())
        return;
    m_videoPlayDlg->setFocus(Qt::OtherFocusReason);
    // Once a dialog of ours has gone, nothing may make this window active
    // again (no window manager, or one that leaves it to the program), and
    // the keys would reach nobody.
    // The window that was active may be the dialog that just went.
    const QWidget *active = QApplication::activeWindow();
    if (isVisible() && (!active || !active->isVisible()) && !QApplication::activeModalWidget())
        activateWindow();
}

QVector<QWidget *> MainWindow::arrangeTabOrder()
{
    // Every control Tab can reach, ordered as the window is read: row by
    // row from the top, left to right within a row. A large control (the
    // player, the list) is placed by its top line, like a line of text;
    // the editor inside a time field follows its owner.
    struct Stop {
        QWidget *widget;
        QPoint at;
    };
    auto anchor = [this](QWidget *c) { return c->mapTo(this, QPoint(0, qMin(c->height(), 24) / 2)); };
    QVector<Stop> stops;
    for (QWidget *c : m_centralWidget->findChildren<QWidget *>()) {
        if (!(c->focusPolicy() & Qt::TabFocus) || c->focusProxy())
            continue;
        bool inner = false;
        for (QWidget *p = c->parentWidget(); p && p != m_centralWidget; p = p->parentWidget())
            inner = inner || isTextField(p);
        if (!inner)
            stops.append({c, anchor(c)});
    }
    // Controls of one row may differ a few pixels in height.
    constexpr int kRowTolerance = 12;
    std::sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) { return a.at.y() < b.at.y(); });
    int rowTop = stops.isEmpty() ? 0 : stops.first().at.y();
    for (Stop &s : stops) {
        if (s.at.y() - rowTop > kRowTolerance)
            rowTop = s.at.y();
        s.at.setY(rowTop);
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) {
        return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
    });
    QVector<QWidget *> order;
    for (const Stop &s : stops)
        order.append(s.widget);
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return order;
}

bool MainWindow::focusNextPrevChild(bool next)
{
    // Reached once a time field has walked its own sections. Qt's chain runs
    // through every widget of the window, and past the last control it comes
    // to inner editors that hand the focus to their field; so the walk is
    // made here over the arranged controls, and goes round.
    const QVector<QWidget *> order = arrangeTabOrder();
    QWidget *focus = QApplication::focusWidget();
    int at = -1;
    for (QWidget *w = focus; w && at < 0; w = w->parentWidget())
        at = order.indexOf(w);
    if (at < 0)
        return QVariableSizeWidget::focusNextPrevChild(next);
    const int n = order.size();
    for (int step = 1; step < n; ++step) {
        QWidget *c = order[((next ? at + step : at - step) % n + n) % n];
        if (c->isVisible() && c->isEnabled() && c->window() == this) {
            c->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}
