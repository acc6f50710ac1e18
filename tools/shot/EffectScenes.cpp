#include "EffectScenes.h"

#include "EffectNames.h"
#include "QAudioEffectManager.h"
#include "QEffectOperationForm.h"
#include "QFrameChunkManager.h"
#include "QHorizontalListFrom.h"
#include "QHorizontalListItem.h"
#include "QTextImageButton.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEffectManager.h"
#include "QVoBaseSlider.h"
#include "VoPlayerManager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>

namespace effectscenes {

namespace {

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

int indexOf(const QEffectLibrary &library, const QString &name)
{
    for (int i = 0; i < library.count(); ++i)
        if (library.entryAt(i)->name == name)
            return i;
    return 0;
}

void clickItem(QHorizontalListFrom *list, int index)
{
    if (QHorizontalListItem *item = list->item(index)) {
        list->scrollArea()->ensureWidgetVisible(item);
        QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    }
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 13px; font-weight: bold;");
    return label;
}

} // namespace

QWidget *effectTab(const QString &mediaPath)
{
    auto *dlg = new QVideoEditingDlg;
    dlg->setMediaSource(mediaPath, 0, 0);
    dlg->setBoundToTrim(true);
    dlg->show();
    QElapsedTimer t;
    t.start();
    while (!dlg->isLoaded() && t.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    settle(1200);
    if (dlg->player())
        dlg->player()->onPause();
    QTest::mouseClick(dlg->tabBar()->button(2), Qt::LeftButton);
    settle(200);
    auto *form = qobject_cast<QEffectOperationForm *>(dlg->tabForm(2));
    if (!form)
        return dlg;
    // As a user would: a frame first, then the effect, and a warmer picture.
    QTest::mouseClick(form->effectTag()->button(1), Qt::LeftButton);
    clickItem(form->frameList(), indexOf(*form->frames(), "Gold"));
    QTest::mouseClick(form->effectTag()->button(0), Qt::LeftButton);
    clickItem(form->effectsList(), indexOf(*form->effects(), "Bubbles"));
    QVoBaseSlider *saturation = form->saturationSlider();
    QTest::mouseClick(saturation, Qt::LeftButton, Qt::NoModifier,
                      QPoint(saturation->startMargin() + saturation->trackLength() * 65 / 100, saturation->height() / 2));
    settle(600);
    return dlg;
}

QWidget *librarySheet()
{
    auto *sheet = new QWidget;
    sheet->setObjectName("effectsLibrary");
    sheet->setStyleSheet("QWidget#effectsLibrary { background: rgb(51, 51, 51); }");
    auto *column = new QVBoxLayout(sheet);
    column->setContentsMargins(16, 12, 16, 16);
    column->setSpacing(8);
    const QVideoEffectManager effects;
    const QFrameChunkManager frames;
    const QAudioEffectManager sounds;
    const struct {
        QString title;
        const QEffectLibrary *library;
    } sections[] = {{QApplication::translate("QEffectOperationForm", "Video effects"), &effects},
                    {QApplication::translate("QEffectOperationForm", "Frame"), &frames},
                    {QStringLiteral("Sound effects"), &sounds}};
    for (const auto &section : sections) {
        column->addWidget(heading(QString("%1 (%2)").arg(section.title).arg(section.library->count()), sheet));
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(14);
        grid->setVerticalSpacing(6);
        for (int i = 0; i < section.library->count(); ++i) {
            const EffectEntry &entry = *section.library->entryAt(i);
            auto *item = new QHorizontalListItem(sheet);
            item->setPicture(QEffectLibrary::thumbnailPath(entry));
            item->setTitle(effectDisplayName(entry.name));
            grid->addWidget(item, 0, i);
        }
        grid->setColumnStretch(section.library->count(), 1);
        column->addLayout(grid);
    }
    sheet->adjustSize();
    sheet->resize(std::max(sheet->width(), 720), sheet->height());
    return sheet;
}

} // namespace effectscenes
