#include "GeneralWidget.h"

#include "PrefsLook.h"

#include "AppPaths.h"
#include "Languages.h"
#include "ParserXML.h"
#include "QCheckButton.h"
#include "QVoComboBox.h"

#include <QGroupBox>

namespace {
const QString radioOn = QStringLiteral("/image/Common_bg/Edit_selections_yes.png");
const QString radioOff = QStringLiteral("/image/Common_bg/Edit_selections_no.png");
constexpr int groupWidth = 400;
} // namespace

GeneralWidget::GeneralWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("GeneralWidget"));
    setFont(prefslook::textFont());
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(228, 228, 228));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(119, 108, 87));
    setPalette(pal);

    m_GroupUpdates = prefslook::group(QStringLiteral("m_GroupUpdates"), this);
    m_GroupUpdates->setGeometry(10, 6, groupWidth, 86);
    m_radAutoUpdate = prefslook::choice(QStringLiteral("m_radAutoUpdate"), radioOn, radioOff, true, m_GroupUpdates);
    m_radAutoUpdate->setGeometry(30, 26, groupWidth - 50, 20);
    m_radCloseUpdate = prefslook::choice(QStringLiteral("m_radCloseUpdate"), radioOn, radioOff, true, m_GroupUpdates);
    m_radCloseUpdate->setGeometry(30, 52, groupWidth - 50, 20);

    m_GroupClose = prefslook::group(QStringLiteral("m_GroupClose"), this);
    m_GroupClose->setGeometry(10, 102, groupWidth, 86);
    m_radMin = prefslook::choice(QStringLiteral("m_radMin"), radioOn, radioOff, true, m_GroupClose);
    m_radMin->setGeometry(30, 26, groupWidth - 50, 20);
    m_radExit = prefslook::choice(QStringLiteral("m_radExit"), radioOn, radioOff, true, m_GroupClose);
    m_radExit->setGeometry(30, 52, groupWidth - 50, 20);

    m_GroupLanguage = prefslook::group(QStringLiteral("m_GroupLanguage"), this);
    m_GroupLanguage->setGeometry(10, 198, groupWidth, 70);
    m_cmbLan = new QVoComboBox(m_GroupLanguage);
    m_cmbLan->setObjectName(QStringLiteral("m_cmbLan"));
    m_cmbLan->setGeometry(30, 30, 159, 24);
    m_cmbLan->setFont(font());
    m_cmbLan->setBackgroundImage(QStringLiteral("/image/Common_bg/bg_combobox2.png"));
    m_cmbLan->setStateFrames(true);
    m_cmbLan->setArrowImage(QStringLiteral("/image/Common_bg/btn_arrow.png"), true);
    m_cmbLan->setArrowPosition(qint16(m_cmbLan->width() - 13), -1);
    m_cmbLan->setTextMargins(4, 0, 17, 1);
    m_cmbLan->setTextColor(Qt::white);
    m_cmbLan->setRowHeight(24);
    m_cmbLan->setPopupBorder(1, QColor(62, 63, 63));
    m_cmbLan->setRowBackground(QColor(62, 63, 63));
    m_cmbLan->setRowSelectedBackground(QColor(105, 105, 105));
    m_cmbLan->setRowTextColor(Qt::white);
    m_cmbLan->setRowFont(font());
    m_cmbLan->setPalette(pal);
    setMinimumSize(groupWidth + 20, 278);

    // Shown from the settings as they are now.
    m_openingAutoUpdate = ParserXML::readItemValue("UPDATES_ITEM", "bIsAutoUpdate", "N") == QLatin1String("Y");
    m_radAutoUpdate->setChecked(m_openingAutoUpdate);
    m_radCloseUpdate->setChecked(!m_openingAutoUpdate);
    m_openingExit = ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y") == QLatin1String("Y");
    m_radExit->setChecked(m_openingExit);
    m_radMin->setChecked(!m_openingExit);

    m_cmbLan->addItems(languageNames());
    m_openingLanguage = ParserXML::readItemValue("Language_item", "Language_Name", "English");
    m_openingLanguageRow = m_cmbLan->findText(m_openingLanguage);
    m_cmbLan->setCurrentIndex(m_openingLanguageRow);

    connect(m_radAutoUpdate, &QCheckButton::clicked, this, &GeneralWidget::OnChanegeUpdate);
    connect(m_radCloseUpdate, &QCheckButton::clicked, this, &GeneralWidget::OnChanegeUpdate);
    connect(m_radMin, &QCheckButton::clicked, this, &GeneralWidget::OnChangeClose);
    connect(m_radExit, &QCheckButton::clicked, this, &GeneralWidget::OnChangeClose);
    // Connected after the opening row is set: showing the stored language
    // is not a choice.
    connect(m_cmbLan, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &GeneralWidget::languageChange);

    retranslateUi();
}

void GeneralWidget::retranslateUi()
{
    m_GroupUpdates->setTitle(tr("Automatic updates"));
    m_radAutoUpdate->setText(tr("Automatically update to the newest version"));
    m_radCloseUpdate->setText(tr("Close automatic updates"));
    m_GroupClose->setTitle(tr("Close"));
    m_radMin->setText(tr("Minimize to Tray"));
    m_radExit->setText(tr("Exit"));
    m_GroupLanguage->setTitle(tr("Language"));
}

bool GeneralWidget::autoUpdateChosen() const { return m_radAutoUpdate->isChecked(); }
bool GeneralWidget::exitChosen() const { return m_radExit->isChecked(); }
bool GeneralWidget::updateChanged() const { return autoUpdateChosen() != m_openingAutoUpdate; }
bool GeneralWidget::closeChanged() const { return exitChosen() != m_openingExit; }
bool GeneralWidget::languageChanged() const { return m_cmbLan->currentIndex() != m_openingLanguageRow; }

void GeneralWidget::OnChanegeUpdate()
{
    const bool autoUpdate = sender() == m_radAutoUpdate;
    m_radAutoUpdate->setChecked(autoUpdate);
    m_radCloseUpdate->setChecked(!autoUpdate);
}

void GeneralWidget::OnChangeClose()
{
    const bool exit = sender() == m_radExit;
    m_radExit->setChecked(exit);
    m_radMin->setChecked(!exit);
}

void GeneralWidget::languageChange(int index)
{
    if (index < 0)
        return;
    const QPair<QString, QString> entry = ParserXML::readLanguageEntry(languageListPath(), m_cmbLan->currentText());
    setLanguageIndex(entry.second);
    emit sendLanguageName(appFolder() + "/Language/" + entry.first);
}

void GeneralWidget::writeChanges()
{
    if (updateChanged()) {
        const bool autoUpdate = autoUpdateChosen();
        ParserXML::writeItemValue("UPDATES_ITEM", "bIsAutoUpdate", autoUpdate ? "Y" : "N");
        emit sendUpdate(autoUpdate);
    }
    if (closeChanged())
        ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", exitChosen() ? "Y" : "N");
    if (languageChanged())
        ParserXML::writeItemValue("Language_item", "Language_Name", m_cmbLan->currentText());
}
