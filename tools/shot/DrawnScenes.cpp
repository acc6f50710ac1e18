#include "DrawnScenes.h"

#include "QCheckboxCombobox.h"
#include "QComboboxCheckbox.h"
#include "QVoBaseButton.h"
#include "QVoBaseProgress.h"
#include "QVoBaseSlider.h"
#include "QVoComboBox.h"
#include "QVoDoubleSpinBox.h"
#include "QVoLineEdit.h"
#include "QVoMenu.h"
#include "QVoScrollBar.h"
#include "QVoTextEdit.h"
#include "SkinImage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QTextEdit>

#include <functional>

namespace {

QFont tahoma(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(tahoma(11));
    label->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    label->adjustSize();
    if (parent->isVisible())
        label->show();
    return label;
}

QWidget *darkPanel()
{
    auto *w = new QWidget;
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, QColor(51, 51, 51));
    pal.setColor(QPalette::WindowText, QColor(228, 228, 228));
    pal.setColor(QPalette::Text, QColor(228, 228, 228));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(119, 108, 87));
    w->setPalette(pal);
    w->setFont(tahoma(12));
    return w;
}

void send(QWidget *w, QEvent::Type type, const QPoint &at = QPoint(3, 3))
{
    if (type == QEvent::Enter) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w, &enter);
        return;
    }
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The preferences dialog's language combo.
QVoComboBox *languageCombo(QWidget *parent)
{
    auto *combo = new QVoComboBox(parent);
    combo->setFixedSize(159, 24);
    combo->setFont(tahoma(12));
    combo->setBackgroundImage("/image/Common_bg/bg_combobox2.png");
    combo->setStateFrames(true);
    combo->setArrowImage("/image/Common_bg/btn_arrow.png", true);
    combo->setArrowPosition(159 - 13, -1);
    combo->setTextMargins(4, 0, 17, 1);
    combo->setTextColor(Qt::white);
    combo->setRowHeight(24);
    combo->setPopupBorder(1, QColor(62, 63, 63));
    combo->setRowBackground(QColor(62, 63, 63));
    combo->setRowSelectedBackground(QColor(105, 105, 105));
    combo->setRowHoverBackground(QColor(84, 84, 84));
    combo->setRowTextColor(Qt::white);
    combo->setRowTextMargins(6, 0, 6, 0);
    combo->addItems({"English", "Deutsch", "Français", "Español", "Italiano"});
    return combo;
}

QCheckboxCombobox *trackCombo(QWidget *parent, bool multiple)
{
    auto *combo = new QCheckboxCombobox(parent);
    combo->setFixedSize(159, 24);
    combo->setFont(tahoma(12));
    combo->setBackgroundImage("/image/Common_bg/bg_combobox2.png");
    combo->setStateFrames(true);
    combo->setArrowImage("/image/Common_bg/btn_arrow.png", true);
    combo->setTextMargins(4, 0, 17, 1);
    combo->setTextColor(Qt::white);
    combo->setRowHeight(24);
    combo->setRowBackground(QColor(62, 63, 63));
    combo->setRowSelectedBackground(QColor(105, 105, 105));
    combo->setRowTextColor(Qt::white);
    combo->setRowTextMargins(24, 0, 6, 0);
    combo->setSeparator(1, QColor(80, 80, 80));
    combo->setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png");
    combo->setAttachedWidgetPosition(5, -1);
    combo->addItems({"Audio 1 (eng)", "Audio 2 (deu)", "Commentary"});
    combo->setRowChecked(0, true);
    combo->setRowChecked(2, true);
    combo->setMultipleChoice(multiple);
    return combo;
}

QVoLineEdit *lineEdit(QWidget *parent)
{
    auto *edit = new QVoLineEdit(parent);
    edit->setFixedSize(120, 24);
    edit->setBackgroundImage("/image/Common_bg/bg_edit.png");
    edit->setStateFrames(true);
    // Style-sheeted widgets do not inherit the panel's palette.
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Text, QColor(228, 228, 228));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    edit->setPalette(pal);
    edit->setText("1280");
    return edit;
}

QVoTextEdit *textEdit(QWidget *parent)
{
    auto *box = new QVoTextEdit(parent);
    box->setFixedSize(150, 44);
    box->setBackgroundImage("/image/Common_bg/bg_textedit.png");
    box->setMargins(4, 3, 4, 3);
    box->textEdit()->setStyleSheet(box->textEdit()->styleSheet()
                                   + "QTextEdit {color: rgb(228,228,228)} QTextEdit:disabled {color: rgb(128,128,128)}");
    box->textEdit()->setFont(tahoma(12));
    box->textEdit()->setPlainText("Snipwell subtitle line");
    return box;
}

QVoDoubleSpinBox *spinBox(QWidget *parent)
{
    auto *spin = new QVoDoubleSpinBox(parent);
    spin->setFixedSize(78, 22);
    spin->setDecimals(0);
    spin->setRange(0, 100);
    spin->setValue(35);
    spin->setBackgroundImage("/image/Common_bg/bg_spinbox.png");
    spin->setStateFrames(true);
    spin->setStyleSheet(spin->styleSheet()
                        + "QDoubleSpinBox {color: rgb(228,228,228)} QDoubleSpinBox:disabled {color: rgb(128,128,128)}");
    spin->setButtonImages("/image/Common_bg/spin_up.png", "/image/Common_bg/spin_down.png");
    spin->setButtonMargins(1, 2, 1);
    return spin;
}

QVoBaseSlider *slider(QWidget *parent, double value)
{
    auto *s = new QVoBaseSlider(parent);
    s->setFixedSize(150, 20);
    s->setTrackPicture("/VEditSource/slider_bottom.png");
    s->setFillPicture("/VEditSource/slider_top.png");
    s->setHandlePicture("/image/Common_bg/slider_handle.png");
    s->setMargins(7, 7);
    s->setValue(value);
    return s;
}

QVoScrollBar *scrollBar(QWidget *parent)
{
    auto *bar = new QVoScrollBar(Qt::Horizontal, parent);
    bar->setFixedWidth(150);
    ScrollBarStyleParams params = bar->styleParams();
    params.extent = 10;
    params.grooveColor = QColor(57, 55, 55);
    params.trackColor = QColor(57, 55, 55);
    params.arrowNormal = QColor(150, 150, 150);
    params.arrowHover = QColor(230, 230, 230);
    params.arrowPressed = QColor(238, 156, 80);
    params.arrowBackground = QColor(51, 51, 51);
    params.arrowDisabled = QColor(80, 80, 80);
    params.handleNormal = QColor(91, 89, 89);
    params.handleHover = QColor(122, 121, 121);
    params.handlePressed = QColor(140, 139, 139);
    params.handleInset = 1;
    params.arrowPicture = skin::load("/image/ScrollBar/arrow_horizontal.png");
    bar->setStyleParams(params);
    bar->setRange(0, 100);
    bar->setPageStep(40);
    bar->setValue(30);
    return bar;
}

// States are driven the way the mouse would; a pressed combo would open
// its popup, so its pressed look is set directly.
void driveHelper(QWidget *w, QVoBaseRectImageDraw *helper, int state)
{
    if (state == 3)
        w->setEnabled(false);
    else if (state == 1)
        send(w, QEvent::Enter);
    else if (state == 2)
        helper->setDrawState(2);
}

void driveButton(QVoBaseButton *b, int state)
{
    if (!b)
        return;
    if (state == 1)
        send(b, QEvent::Enter);
    if (state == 2) {
        send(b, QEvent::Enter);
        send(b, QEvent::MouseButtonPress);
    }
}

} // namespace

namespace scenes {

QWidget *drawnControlSheet()
{
    QWidget *w = darkPanel();
    auto *grid = new QGridLayout(w);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(12);
    const QStringList states{"normal", "hover", "pressed", "disabled"};
    for (int s = 0; s < 4; ++s)
        grid->addWidget(caption(states[s], w), 0, s + 1, Qt::AlignCenter);

    struct Row {
        QString label;
        std::function<QWidget *(QWidget *, int)> make;
    };
    const QList<Row> rows{
        {"QVoComboBox", [](QWidget *p, int s) { auto *c = languageCombo(p); driveHelper(c, c, s); if (s == 1) driveButton(c->arrowButton(), 1); return c; }},
        {"QCheckboxCombobox", [](QWidget *p, int s) { auto *c = trackCombo(p, true); driveHelper(c, c, s); return c; }},
        {"QVoLineEdit", [](QWidget *p, int s) { auto *e = lineEdit(p); driveHelper(e, e, s); return e; }},
        {"QVoTextEdit", [](QWidget *p, int s) { auto *e = textEdit(p); driveHelper(e, e, s); return e; }},
        {"QVoDoubleSpinBox", [](QWidget *p, int s) {
             auto *spin = spinBox(p);
             driveHelper(spin, spin, s == 2 ? 1 : s);
             if (s == 1)
                 driveButton(spin->upButton(), 1);
             if (s == 2)
                 driveButton(spin->upButton(), 2);
             return spin;
         }},
        {"QVoBaseProgress (0, 35, 70, 100)", [](QWidget *p, int s) {
             auto *bar = new QVoBaseProgress(p);
             bar->setFixedSize(150, 10);
             bar->setTrackPicture("/image/Common_bg/progress_track.png");
             bar->setFillPicture("/image/Common_bg/progress_fill.png");
             const double values[4] = {0, 35, 70, 100};
             bar->setValue(values[s]);
             bar->setEnabled(s != 3);
             return bar;
         }},
        {"QVoBaseProgress, no pictures", [](QWidget *p, int s) {
             auto *bar = new QVoBaseProgress(p);
             bar->setFixedSize(150, 8);
             const double values[4] = {2, 35, 70, 100};
             bar->setValue(values[s]);
             return bar;
         }},
        {"QVoBaseSlider", [](QWidget *p, int s) {
             auto *sl = slider(p, 20 + 20 * s);
             if (s == 3) {
                 sl->setEnabled(false);
             } else {
                 driveButton(sl->handle(), s);
             }
             return sl;
         }},
        {"QVoScrollBar", [](QWidget *p, int s) {
             auto *bar = scrollBar(p);
             if (s == 3)
                 bar->setEnabled(false);
             if (s == 1 || s == 2)
                 bar->setAttribute(Qt::WA_UnderMouse, true);
             if (s == 2) {
                 // Press the handle, as a drag would begin.
                 QStyleOptionSlider option;
                 option.initFrom(bar);
                 option.orientation = Qt::Horizontal;
                 option.minimum = bar->minimum();
                 option.maximum = bar->maximum();
                 option.sliderPosition = option.sliderValue = bar->value();
                 option.pageStep = bar->pageStep();
                 option.singleStep = bar->singleStep();
                 const QRect handle = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
                 send(bar, QEvent::MouseButtonPress, handle.center());
             }
             return bar;
         }},
    };
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(caption(rows[r].label, w), r + 1, 0);
        for (int s = 0; s < 4; ++s)
            grid->addWidget(rows[r].make(w, s), r + 1, s + 1, Qt::AlignCenter);
    }
    return w;
}

QWidget *drawnPopupSheet()
{
    QWidget *w = darkPanel();
    w->resize(820, 330);
    w->show();
    QApplication::setActiveWindow(w);

    auto place = [w](QWidget *popupWindow, const QPoint &at) {
        auto *label = new QLabel(w);
        label->setPixmap(popupWindow->grab());
        label->adjustSize();
        label->move(at);
        label->show();
    };

    caption("QVoComboBox, open", w)->move(16, 12);
    QVoComboBox *combo = languageCombo(w);
    combo->move(16, 32);
    combo->setCurrentIndex(1);
    combo->show();
    combo->showPopup();
    QApplication::processEvents();
    place(combo->view()->window(), QPoint(16, 60));
    combo->hidePopup();

    caption("QCheckboxCombobox, both modes", w)->move(200, 12);
    QCheckboxCombobox *multi = trackCombo(w, true);
    multi->move(200, 32);
    multi->show();
    multi->showPopup();
    QApplication::processEvents();
    place(multi->view()->window(), QPoint(200, 60));
    multi->hidePopup();
    QCheckboxCombobox *single = trackCombo(w, false);
    single->move(200, 170);
    single->setCurrentIndex(1);
    single->show();
    single->showPopup();
    QApplication::processEvents();
    place(single->view()->window(), QPoint(200, 198));
    single->hidePopup();

    // The program menu in the light default colours and in the dark panel look.
    auto fillMenu = [](QVoMenu *menu) {
        menu->setFont(tahoma(12));
        menu->addAction("Home");
        QAction *help = menu->addAction("Help\tF1");
        menu->addAction("About");
        menu->addSeparator();
        QAction *pref = menu->addAction("Preferences");
        pref->setCheckable(true);
        pref->setChecked(true);
        QAction *updates = menu->addAction("Check for Updates");
        updates->setEnabled(false);
        auto *sub = new QVoMenu("Language", menu);
        sub->addAction("English");
        menu->addMenu(sub);
        return help;
    };
    const int menuX[2] = {390, 600};
    for (int i = 0; i < 2; ++i) {
        caption(i == 0 ? "QVoMenu, default colours" : "QVoMenu, panel colours", w)->move(menuX[i], 12);
        auto *menu = new QVoMenu(w);
        QAction *hovered = fillMenu(menu);
        if (i == 1) {
            menu->setPanelColor(QColor(62, 63, 63));
            menu->setEmptyAreaColor(QColor(62, 63, 63));
            menu->setTextColor(QColor(228, 228, 228));
            menu->setSelectedBackgroundColor(QColor(222, 132, 52));
            menu->setSelectedTextColor(Qt::white);
            menu->setDisabledOverlayColor(QColor(62, 63, 63));
            menu->setDisabledTextColor(QColor(119, 119, 119));
            menu->setSeparatorColor(QColor(90, 90, 90));
            menu->setPanelWidth(1);
        }
        menu->setMinimumWidth(160);
        menu->popup(w->mapToGlobal(QPoint(menuX[i], 32)));
        menu->setActiveAction(hovered);
        QApplication::processEvents();
        place(menu, QPoint(menuX[i], 32));
        menu->hide();
    }
    return w;
}

} // namespace scenes
