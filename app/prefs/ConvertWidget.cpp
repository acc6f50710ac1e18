#include "ConvertWidget.h"

#include "PrefsLook.h"

#include "AppPaths.h"
#include "ConfigState.h"
#include "OutputNaming.h"
#include "OutputTemplate.h"
#include "ParserXML.h"
#include "QCheckButton.h"
#include "QTextImageButton.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
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

    // Output names: one template for the files of single segments, one for
    // merged files.
    m_GroupNames = prefslook::group(QStringLiteral("m_GroupNames"), this);
    m_GroupNames->setGeometry(10, 192, groupWidth, 130);
    const QString fieldStyle = m_pathTextEdit->styleSheet();
    auto makeRow = [&](QLabel *&label, QLineEdit *&edit, const char *labelName, const char *editName, int y,
                       const QString &value) {
        label = new QLabel(m_GroupNames);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setFont(prefslook::textFont());
        label->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
        label->setGeometry(30, y, 110, 24);
        edit = new QLineEdit(m_GroupNames);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setFont(prefslook::textFont());
        edit->setStyleSheet(fieldStyle);
        edit->setGeometry(145, y, groupWidth - 165, 24);
        edit->setText(value);
        label->setBuddy(edit);
        connect(edit, &QLineEdit::textChanged, this, &ConvertWidget::showTemplateCheck);
    };
    makeRow(m_labSegmentTemplate, m_segmentTemplate, "m_labSegmentTemplate", "m_segmentTemplate", 26,
            segmentNameTemplate());
    makeRow(m_labMergedTemplate, m_mergedTemplate, "m_labMergedTemplate", "m_mergedTemplate", 56,
            mergedNameTemplate());
    m_templateHint = new QLabel(m_GroupNames);
    m_templateHint->setObjectName(QStringLiteral("m_templateHint"));
    m_templateHint->setFont(prefslook::textFont());
    m_templateHint->setWordWrap(true);
    m_templateHint->setGeometry(30, 86, groupWidth - 50, 38);
    setMinimumSize(groupWidth + 20, 332);

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
    m_GroupNames->setTitle(tr("Output Names"));
    m_labSegmentTemplate->setText(tr("Segment files:"));
    m_labMergedTemplate->setText(tr("Merged files:"));
    showTemplateCheck();
}

void ConvertWidget::showTemplateCheck()
{
    QString unknown = unknownPlaceholder(m_segmentTemplate->text());
    if (unknown.isEmpty())
        unknown = unknownPlaceholder(m_mergedTemplate->text());
    if (!unknown.isEmpty()) {
        m_templateHint->setStyleSheet(QStringLiteral("color: rgb(240,110,90);"));
        m_templateHint->setText(tr("“%1” is not a placeholder; the template is not kept.").arg(unknown));
        return;
    }
    m_templateHint->setStyleSheet(QStringLiteral("color: rgb(160,160,160);"));
    m_templateHint->setText(
        tr("{name} source name, {ext} extension, {n} or {n:02} segment number, {label}, {start}, {end}, {date}"));
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
    // An empty field goes back to the default; one with a slip keeps the
    // template the user had.
    auto store = [](const QLineEdit *edit, const char *key) {
        const QString text = edit->text().trimmed();
        if (unknownPlaceholder(text).isEmpty())
            ParserXML::writeItemValue("OUTPUTNAME_ITEM", key, text.isEmpty() ? defaultOutputTemplate() : text);
    };
    store(m_segmentTemplate, "SegmentTemplate");
    store(m_mergedTemplate, "MergedTemplate");
}
