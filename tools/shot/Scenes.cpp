#include "Scenes.h"

#include "CutScenes.h"
#include "DrawnScenes.h"
#include "EditScenes.h"
#include "EffectScenes.h"
#include "FormatScenes.h"
#include "MainWindowScenes.h"
#include "PlayerScenes.h"
#include "SegmentScenes.h"
#include "ShellScenes.h"

#include "QCheckButton.h"
#include "QCustomComboBox.h"
#include "QCustomSpinBox.h"
#include "QImageButton.h"
#include "QImageButtonEx.h"
#include "QNinePointsImageDialog.h"
#include "QProgressIndicator.h"
#include "QTextImageButton.h"
#include "QVariableSizeWidget.h"
#include "QVoBaseButton.h"
#include "QVoCheckBox.h"
#include "QVoMessageBox.h"
#include "QVoMessageDlg.h"
#include "QVoRadioButton.h"
#include "RetractLabel.h"
#include "StyleScrollBar.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <functional>
#include <map>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return label;
}

QWidget *panel()
{
    auto *w = new QWidget;
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, QColor(51, 51, 51));
    pal.setColor(QPalette::WindowText, QColor(228, 228, 228));
    pal.setColor(QPalette::Text, QColor(228, 228, 228));
    w->setPalette(pal);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    w->setFont(font);
    return w;
}

// Puts a button into one of the four states the way the mouse would.
void driveState(QAbstractButton *button, int state)
{
    if (state == 3) {
        button->setEnabled(false);
        return;
    }
    if (state >= 1) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
    }
    if (state == 2) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), button->mapToGlobal(QPoint(2, 2)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
}

QWidget *buttonSheet()
{
    QWidget *w = panel();
    auto *grid = new QGridLayout(w);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(10);
    const QStringList states{"normal", "hover", "pressed", "disabled"};
    for (int s = 0; s < 4; ++s)
        grid->addWidget(caption(states[s], w), 0, s + 1, Qt::AlignCenter);

    struct Row {
        QString label;
        std::function<QAbstractButton *(QWidget *)> make;
    };
    const QList<Row> rows{
        {"QImageButton play", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/PlayDlg/btn_play.png"); return b; }},
        {"QImageButton stop", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/PlayDlg/btn_stop.png"); return b; }},
        {"QImageButton key frame", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/PlayDlg/btn_next_key_frame.png"); return b; }},
        {"QImageButton start mark", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/CutToolDlg/btn_start_time.png"); return b; }},
        {"QImageButton close", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/btn_close.png"); return b; }},
        {"disabled looks pressed", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/CutListDlg/btn_moreline.png"); b->setDisabledLooksPressed(true); return b; }},
        {"QTextImageButton", [](QWidget *p) { auto *b = new QTextImageButton(p); b->setImage("/image/Common_bg/btn_common.png"); b->setText("OK"); return b; }},
        {"QTextImageButton accent", [](QWidget *p) { auto *b = new QTextImageButton(p); b->setImage("/image/Common_bg/btn_common1.png"); b->setText("Add File"); return b; }},
        {"QTextImageButton tab", [](QWidget *p) { auto *b = new QTextImageButton(p); b->setImage("/image/Format_Dlg/tab_btn_bg_image.png"); b->setText("Video"); return b; }},
        {"tab, selected flag", [](QWidget *p) { auto *b = new QTextImageButton(p); b->setImage("/image/Format_Dlg/tab_btn_bg_image.png"); b->setText("Audio"); b->setSelected(true); return b; }},
        {"QImageButtonEx badge 3", [](QWidget *p) { auto *b = new QImageButtonEx(p); b->setImage("/image/CutListDlg/btn_open.png"); for (int i = 0; i < 3; ++i) b->addItemCount(); return b; }},
        {"QImageButtonEx badge 120", [](QWidget *p) { auto *b = new QImageButtonEx(p); b->setImage("/image/CutListDlg/btn_open.png"); for (int i = 0; i < 120; ++i) b->addItemCount(); return b; }},
        {"QVoBaseButton stretched", [](QWidget *p) { auto *b = new QVoBaseButton(p); b->setImage("/VEditSource/btn_common.png", true); b->setFixedSize(110, 28); b->setText("Reset"); return b; }},
        {"slider handles", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/image/CutToolDlg/btn_silder_left.png"); return b; }},
        {"edit: rotate", [](QWidget *p) { auto *b = new QImageButton(p); b->setImage("/VEditSource/adjust/rotate_L_90.png"); return b; }},
    };
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(caption(rows[r].label, w), r + 1, 0);
        for (int s = 0; s < 4; ++s) {
            QAbstractButton *b = rows[r].make(w);
            grid->addWidget(b, r + 1, s + 1, Qt::AlignCenter);
            driveState(b, s);
        }
    }
    return w;
}

QWidget *controlSheet()
{
    QWidget *w = panel();
    w->resize(520, 360);
    auto *grid = new QGridLayout(w);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setSpacing(12);
    int row = 0;

    auto *check = new QCheckButton(w);
    check->setPictures("/image/Common_bg/btn_check_on1.png", "/image/Common_bg/btn_check_off1.png");
    check->setText("Merge Segments");
    check->setTextColors(QColor(228, 228, 228), QColor(120, 120, 120));
    check->setChecked(true);
    check->setFixedHeight(22);
    check->fitWidth();
    auto *check2 = new QCheckButton(w);
    check2->setPictures("/image/Common_bg/btn_check_on1.png", "/image/Common_bg/btn_check_off1.png");
    check2->setText("Turn Off Computer");
    check2->setTextColors(QColor(228, 228, 228), QColor(120, 120, 120));
    check2->setFixedHeight(22);
    check2->fitWidth();
    grid->addWidget(caption("QCheckButton", w), row, 0);
    grid->addWidget(check, row, 1);
    grid->addWidget(check2, row++, 2);

    auto *radio1 = new QVoRadioButton("Minimize to Tray", w);
    radio1->setBoxPictures("/image/Common_bg/Edit_selections_no.png", "/image/Common_bg/Edit_selections_yes.png");
    auto *radio2 = new QVoRadioButton("Exit", w);
    radio2->setBoxPictures("/image/Common_bg/Edit_selections_no.png", "/image/Common_bg/Edit_selections_yes.png");
    radio2->setChecked(true);
    grid->addWidget(caption("QVoRadioButton", w), row, 0);
    grid->addWidget(radio1, row, 1);
    grid->addWidget(radio2, row++, 2);

    auto *box = new QVoCheckBox("Don't show this window again", w);
    box->setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png");
    box->setChecked(true);
    grid->addWidget(caption("QVoCheckBox", w), row, 0);
    grid->addWidget(box, row++, 1, 1, 2);

    auto *combo = new QCustomComboBox(w);
    combo->setImage("/image/Common_bg/bg_combobox2.png");
    combo->setFixedSize(159, 24);
    combo->addItem("High Quality");
    combo->addItem("Small Size");
    auto *comboOff = new QCustomComboBox(w);
    comboOff->setImage("/image/Common_bg/bg_combobox2.png");
    comboOff->setFixedSize(159, 24);
    comboOff->addItem("Customized");
    comboOff->setEnabled(false);
    grid->addWidget(caption("QCustomComboBox", w), row, 0);
    grid->addWidget(combo, row, 1);
    grid->addWidget(comboOff, row++, 2);

    auto *spin = new QCustomSpinBox(w);
    spin->setImages("/VEditSource/spinBox_bg.png", "/VEditSource/spinBox_up.png", "/VEditSource/spinBox_down.png");
    spin->setFixedSize(78, 22);
    spin->setRange(0, 10);
    spin->setValue(7);
    grid->addWidget(caption("QCustomSpinBox", w), row, 0);
    grid->addWidget(spin, row++, 1);

    auto *name = new RetractLabel(w);
    name->setName("clip.mp4");
    name->setStyleSheet("color: rgb(228,228,228);");
    grid->addWidget(caption("RetractLabel", w), row, 0);
    grid->addWidget(name, row++, 1);

    auto *busy = new QProgressIndicator(w);
    busy->setColor(QColor(228, 228, 228));
    busy->setDisplayedWhenStopped(true);
    busy->setFixedSize(20, 20);
    auto *busyBig = new QProgressIndicator(w);
    busyBig->setColor(QColor(222, 132, 52));
    busyBig->setDisplayedWhenStopped(true);
    busyBig->setFixedSize(40, 40);
    grid->addWidget(caption("QProgressIndicator", w), row, 0);
    grid->addWidget(busy, row, 1);
    grid->addWidget(busyBig, row++, 2);

    auto *bar = new StyleScrollBar(w);
    bar->setStandardArrows();
    bar->setRange(0, 100);
    bar->setPageStep(30);
    bar->setFixedHeight(120);
    grid->addWidget(caption("StyleScrollBar", w), row, 0);
    grid->addWidget(bar, row++, 1);
    return w;
}

QWidget *messageBox(int kind, int buttons, const QString &text)
{
    auto *box = new QVoMessageBox;
    box->setTitle(QVoMessageBox::defaultTitle());
    box->setMessage(text);
    box->setKind(kind);
    box->setButtons(buttons);
    box->prepare();
    return box;
}

QWidget *messageDlg(int flags, const QString &text)
{
    auto *dlg = new QVoMessageDlg;
    dlg->setFlags(flags);
    dlg->setMessage(text);
    return dlg;
}

QWidget *closeDialog()
{
    auto *dlg = new QNinePointsImageDialog;
    dlg->setBackgroundImage("/image/Common_bg/bg_2.png");
    dlg->setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    dlg->setLogoImage("/image/Common_bg/main_logo.png");
    dlg->setLogoRect(QRect(18, 13, 20, 20));
    dlg->setTitleText("Zelvane Snipwell");
    dlg->setTitleRect(QRect(43, 13, 200, 20));
    dlg->setTitleColor(QColor(245, 245, 245));
    dlg->setDragAreaHeight(38);
    dlg->setCloseButton("/image/btn_close.png");
    dlg->setFixedSize(325, 170);
    auto *text = caption("Nine-part dialog: corners 50, drag area 38", dlg);
    text->move(24, 70);
    return dlg;
}

QWidget *mainFrame()
{
    auto *w = new QVariableSizeWidget;
    w->setBackgroundImage("/image/backgroud.png");
    w->setLogoImage("/image/Common_bg/main_logo.png");
    w->setLogoRect(10, 5, 29, 24);
    w->setTitleText("Zelvane Snipwell");
    w->setTitleRect(39, 5, 38, 4);
    w->resize(720, 530);
    auto *central = new QWidget(w);
    w->setCentralWidget(central);
    const QStringList buttons{"/image/btn_close.png", "/image/btn_max.png", "/image/btn_min.png", "/image/btn_menu.png"};
    int x = 720 - 1;
    for (const QString &path : buttons) {
        auto *b = new QImageButton(w);
        b->setImage(path);
        x -= b->width() + 2;
        b->move(x, 3);
    }
    return w;
}

const std::map<QString, std::function<QWidget *()>> &table()
{
    static const std::map<QString, std::function<QWidget *()>> t{
        {"buttons", buttonSheet},
        {"controls", controlSheet},
        {"msgbox-warning", [] { return messageBox(QVoMessageBox::Warning, QVoMessageBox::YesNoButtons, "Switching to the Simple Mode will change the segment length!"); }},
        {"msgbox-success", [] { return messageBox(QVoMessageBox::Success, QVoMessageBox::OkButton, "All segments were converted."); }},
        {"msgbox-error", [] { return messageBox(QVoMessageBox::Error, QVoMessageBox::OkButton, "File conversion failed, please check whether the output format parameters \nand output file directory are set correctly."); }},
        {"msgbox-help", [] { return messageBox(QVoMessageBox::Help, QVoMessageBox::CancelButton, "Drag a handle to choose where the segment starts and ends."); }},
        {"msgdlg-yesno", [] { return messageDlg(QVoMessageDlg::YesNoButtons, "Do you want to stop the conversion?"); }},
        {"msgdlg-warning", [] { return messageDlg(0x12, "Attention: Please don't change advanced settings if you are \nnon-professional user."); }},
        {"msgdlg-long", [] { return messageDlg(0x32, QString("The output folder cannot be written. ").repeated(6)); }},
        {"dialog", closeDialog},
        {"mainframe", mainFrame},
        {"drawn-controls", scenes::drawnControlSheet},
        {"drawn-popups", scenes::drawnPopupSheet},
        {"player-panel", [] { return playerscenes::playerPanel(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"player-panel-empty", [] { return playerscenes::playerPanel(QString()); }},
        {"trim-slider", playerscenes::trimSlider},
        {"edit-trim", [] { return editscenes::editDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), 0); }},
        {"edit-adjust", [] { return editscenes::editDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), 1); }},
        {"edit-effect", [] { return effectscenes::effectTab(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"effects-library", effectscenes::librarySheet},
        {"edit-watermark", [] { return editscenes::editDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), 3); }},
        {"edit-subtitle", [] { return editscenes::editDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), 4); }},
        {"edit-audio", [] { return editscenes::editDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), 5); }},
        {"edit-tag", [] { return editscenes::editDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), 6); }},
        {"snapshot-settings", editscenes::snapshotSettings},
        {"font-dialog", editscenes::fontDialog},
        {"edit-crop-drag", [] { return editscenes::cropDrag(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"cut-tool", [] { return cutscenes::cutTool(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), false); }},
        {"cut-tool-converting", [] { return cutscenes::cutTool(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), true); }},
        {"keyframes-cut-tool", [] { return cutscenes::keyFramesCutTool(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"timeline", [] { return cutscenes::timeline(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"segments-free-mode", [] { return segmentscenes::freeMode(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"segments-simple-mode", [] { return segmentscenes::simpleMode(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"segments-waveform", [] { return segmentscenes::waveform(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"segments-collapsed", [] { return segmentscenes::collapsed(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"segments-switch-question", segmentscenes::switchQuestion},
        {"cutlist-import-question", segmentscenes::importQuestion},
        {"segments-labels-free", [] { return segmentscenes::labelled(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), false); }},
        {"segments-labels-simple", [] { return segmentscenes::labelled(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), true); }},
        {"main-window-empty", mainwindowscenes::empty},
        {"main-window-free-mode", [] { return mainwindowscenes::withSegments(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), false); }},
        {"main-window-simple-mode", [] { return mainwindowscenes::withSegments(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), true); }},
        {"loading-dialog", [] { return mainwindowscenes::loadingDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"main-window-converting", [] { return mainwindowscenes::converting(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"detect-dialog", [] { return mainwindowscenes::detectDialog(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"detect-result", [] { return mainwindowscenes::detectResult(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), false); }},
        {"detect-markers", [] { return mainwindowscenes::detectResult(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), true); }},
        {"main-window-partial-download", [] { return mainwindowscenes::partialDownload(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"format-highspeed", formatscenes::highSpeed},
        {"format-encoding", formatscenes::encoding},
        {"format-compact", formatscenes::compact},
        {"format-hdr-kept", [] { return formatscenes::hdrSource(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), "4001"); }},
        {"format-hdr-to-sdr", [] { return formatscenes::hdrSource(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), "4000"); }},
        {"preferences-general", [] { return shellscenes::preferences(false); }},
        {"preferences-convert", [] { return shellscenes::preferences(true); }},
        {"close-dialog", shellscenes::closeDialog},
        {"batch-apply", shellscenes::batchApplyResult},
        {"save-subtitles", [] { return shellscenes::saveSubtitles(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA")); }},
        {"unsaved-question", shellscenes::unsavedQuestion},
        {"restore-question", shellscenes::restoreQuestion},
        {"about", shellscenes::about},
        {"update-available", shellscenes::updateAvailable},
        {"menu-undo-step", [] {
             // After the marks that made the segments: Undo names the last.
             return shellscenes::menuOpen(mainwindowscenes::withSegments(qEnvironmentVariable("SNIPWELL_SHOT_MEDIA"), false),
                                          true);
         }},
        {"menu-open", [] {
             const QString media = qEnvironmentVariable("SNIPWELL_SHOT_MEDIA");
             return shellscenes::menuOpen(media.isEmpty() ? mainwindowscenes::empty() : mainwindowscenes::withSegments(media, false));
         }},
    };
    return t;
}

} // namespace

namespace scenes {
QStringList names()
{
    QStringList list;
    for (const auto &entry : table())
        list << entry.first;
    return list;
}

QWidget *create(const QString &name)
{
    const auto it = table().find(name);
    return it == table().end() ? nullptr : it->second();
}
} // namespace scenes
