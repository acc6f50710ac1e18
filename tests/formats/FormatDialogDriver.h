#pragma once
// Works the format dialog the way a user does: tabs, tiles, the Set button,
// combo rows by keyboard, OK and Cancel; and a fresh settings folder per test.
#include "FormatItem.h"
#include "FormatItemWidget.h"
#include "FormatWidget.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QCheckButton.h"
#include "QImageButton.h"
#include "QSettingDlg.h"
#include "QTextImageButton.h"
#include "QVoComboBox.h"
#include "QVoMessageDlg.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace formatdriver {

// Forgets every stored choice and starts the dialog as the program does.
inline FormatWidget *freshDialog()
{
    QFile::remove(ParserXML::defaultSettingFile());
    QFile::remove(ParserXML::formatSettingFile());
    OutputFormatParams::instance() = OutputFormatParams();
    FormatWidget *dlg = FormatWidget::instance();
    dlg->hide();
    dlg->applyStoredFormatAtStartup();
    return dlg;
}

template <class T>
T *child(FormatWidget *dlg, const char *name)
{
    T *w = dlg->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void click(QWidget *w)
{
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() / 2, w->height() / 2));
}

inline void clickTab(const QList<QTextImageButton *> &tabs, const QString &category)
{
    for (QTextImageButton *tab : tabs)
        if (tab->property("category").toString() == category)
            return click(tab);
    FAIL() << "no tab " << category.toStdString();
}

// Tab, then tile: the way a user reaches a format in another category.
inline FormatItem *pressTile(FormatWidget *dlg, bool lossless, const QString &category, const QString &id)
{
    clickTab(lossless ? dlg->losslessTabs() : dlg->encodingTabs(), category);
    FormatItemWidget *grid = lossless ? dlg->losslessGrid() : dlg->encodingGrid();
    FormatItem *tile = grid->item(id);
    EXPECT_NE(tile, nullptr) << id.toStdString();
    if (tile == nullptr)
        return nullptr;
    grid->ensureWidgetVisible(tile);
    QTest::mouseClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    return tile;
}

// Moves a combo to the row holding value with the arrow keys.
inline void chooseValue(QComboBox *combo, const QString &value)
{
    const int row = combo->findData(value);
    ASSERT_GE(row, 0) << combo->objectName().toStdString() << " has no " << value.toStdString();
    for (int guard = 0; combo->currentIndex() != row && guard < 64; ++guard)
        QTest::keyClick(combo, combo->currentIndex() < row ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(combo->currentIndex(), row);
}

inline void chooseRow(QComboBox *combo, int row)
{
    for (int guard = 0; combo->currentIndex() != row && guard < 64; ++guard)
        QTest::keyClick(combo, combo->currentIndex() < row ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(combo->currentIndex(), row);
}

// Opens the custom parameters panel with the selected tile's Set button.
inline void openPanel(FormatWidget *dlg, FormatItem *tile)
{
    ASSERT_NE(tile, nullptr);
    if (dlg->isPanelShown())
        return;
    click(tile->setButton());
    QTRY_COMPARE(dlg->settingDlg()->geometry(), QRect(40, 283, 556, 130));
}

// Answers every attention message that opens while it lives, counting them.
class MessageCloser {
public:
    MessageCloser()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QVoMessageDlg *>(QApplication::activeModalWidget())) {
                ++m_count;
                m_lastText = box->message();
                box->OnBtnOk();
            }
        });
        m_timer.start();
    }
    int count() const { return m_count; }
    QString lastText() const { return m_lastText; }

private:
    QTimer m_timer;
    int m_count = 0;
    QString m_lastText;
};

} // namespace formatdriver
