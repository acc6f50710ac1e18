#include "ConvertWidget.h"

#include "PrefsLook.h"

#include "AppPaths.h"
#include "ConfigState.h"
#include "ParserXML.h"
#include "QCheckButton.h"
#include "QTextImageButton.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>

namespace {
constexpr int groupWidth = 400;
}

ConvertWidget::ConvertWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ConvertWidget"));
    setFont(prefslook::textFont());

    m_GroupFinish = prefslook::group(QStringLiteral("m_GroupFinish"), this);
    m_GroupFinish->setGeometry(10, 6, groupWidth, 62);
    m_chkShowDown = prefslook::choice(QStringLiteral("m_chkShowDown"), QStringLiteral("/image/Common_bg/btn_check_on1.png"),
                                      QStringLiteral("/image/Common_bg/btn_check_off1.png"), false, m_GroupFinish);
    m_chkShowDown->setGeometry(30, 28, groupWidth - 50, 20);

    m_GroupOutputPath_2 = prefslook::group(QStringLiteral("m_GroupOutputPath_2"), this);
    m_GroupOutputPath_2->setGeometry(10, 78, groupWidth, 104);
    m_pathTextEdit = new QLineEdit(m_GroupOutputPath_2);
    m_pathTextEdit->setObjectName(QStringLiteral("m_pathTextEdit"));
    m_pathTextEdit->setReadOnly(true);
    m_pathTextEdit->setFont(prefslook::textFont());
    m_pathTextEdit->setGeometry(30, 28, groupWidth - 50, 24);
    m_pathTextEdit->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgb(59,59,59); color: rgb(228,228,228); border: 1px solid rgb(74,74,74);"
        " border-radius: 2px; padding: 0 4px; }"));
    m_btnChange = new QTextImageButton(m_GroupOutputPath_2);
    m_btnChange->setObjectName(QStringLiteral("m_btnChange"));
    m_btnChange->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnChange->setTextPixelSize(11);
    m_btnChange->move(30, 64);
    m_btnReset = new QTextImageButton(m_GroupOutputPath_2);
    m_btnReset->setObjectName(QStringLiteral("m_btnReset"));
    m_btnReset->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnReset->setTextPixelSize(11);
    m_btnReset->move(30 + m_btnChange->width() + 10, 64);
    setMinimumSize(groupWidth + 20, 192);

    m_chkShowDown->setChecked(ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N") == QLatin1String("Y"));
    showFolder(ParserXML::readItemValue("OutPut_path", "path_value", defaultOutputFolder()));

    connect(m_btnChange, &QPushButton::clicked, this, &ConvertWidget::OnChangePath);
    connect(m_btnReset, &QPushButton::clicked, this, &ConvertWidget::OnResetPath);
    retranslateUi();
}

void ConvertWidget::retranslateUi()
{
    m_GroupFinish->setTitle(tr("Conversion Completed"));
    m_chkShowDown->setText(tr("Turn Off Computer"));
    m_GroupOutputPath_2->setTitle(tr("Output Folder"));
    m_btnChange->setText(tr("Change"));
    m_btnReset->setText(tr("Reset"));
}

bool ConvertWidget::shutDownChosen() const { return m_chkShowDown->isChecked(); }

void ConvertWidget::showFolder(const QString &folder)
{
    m_outputPath = folder;
    m_pathTextEdit->setText(folder);
    m_pathTextEdit->setToolTip(folder);
    m_pathTextEdit->setCursorPosition(0);
}

void ConvertWidget::OnChangePath()
{
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Save to"), QStringLiteral("."),
                                                          QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dir.isEmpty())
        return;
    showFolder(dir.endsWith('/') ? dir : dir + "/");
}

void ConvertWidget::OnResetPath()
{
    showFolder(defaultOutputFolder());
}

void ConvertWidget::writeChanges()
{
    ParserXML::writeItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", shutDownChosen() ? "Y" : "N");
    ConfigState::instance().setConverterPath(m_outputPath);
}
