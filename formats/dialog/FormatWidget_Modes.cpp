// The format dialog's choices: selecting formats, switching modes, the
// quality preset, accepting and cancelling.
#include "CategoriesBtnWgt.h"
#include "FormatItem.h"
#include "FormatItemWidget.h"
#include "FormatWidget.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "ProfileCatalogue.h"
#include "QCheckButton.h"
#include "QSettingDlg.h"
#include "QTextImageButton.h"
#include "QVoCheckBox.h"
#include "QVoComboBox.h"
#include "QVoMessageDlg.h"

#include <QPropertyAnimation>

namespace {

const QString kFormatSet = QStringLiteral("FormatSet");
const QString kGeneralVideo = QStringLiteral("General Video");
const QString kLosslessItem = QStringLiteral("LOSSLESS_ITEM");
const QString kLosslessAttr = QStringLiteral("Lossless_convert");

QString readSetting(const QString &item, const QString &attribute, const QString &fallback)
{
    return ParserXML::readItemValue(item, attribute, fallback);
}

// A value is only stored on an item that exists, so read (and thereby
// create) it first.
void storeSetting(const QString &item, const QString &attribute, const QString &fallback, const QString &value)
{
    ParserXML::readItemValue(item, attribute, fallback);
    ParserXML::writeItemValue(item, attribute, value);
}

VideoQuality qualityFromText(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v >= SmallSize && v <= Customized ? VideoQuality(v) : HighQuality;
}

} // namespace

bool FormatWidget::storedFrameExact() const
{
    return readSetting(QStringLiteral("FRAMEEXACT_ITEM"), QStringLiteral("bFrameExactCut"), QStringLiteral("N"))
           == QLatin1String("Y");
}

void FormatWidget::applyFrameExact(bool checked)
{
    OutputFormatParams &params = OutputFormatParams::instance();
    params.frameExactCut = params.lossless && checked;
}

bool FormatWidget::isLosslessMode() const
{
    return m_radLosslessMode->isChecked();
}

bool FormatWidget::isPanelShown() const
{
    return m_panelShown;
}

QString FormatWidget::presetText() const
{
    return m_cmbQuality->drawText();
}

int FormatWidget::attentionShownCount()
{
    return s_attentionShown;
}

void FormatWidget::setDevFormat(const QString &DevName)
{
    m_devFormat = DevName;
    emit sendDevFormatChange(DevName);
}

void FormatWidget::setQualityRows(bool withCustomized)
{
    if (withCustomized && m_cmbQuality->count() < 3)
        m_cmbQuality->addItem(qualityName(Customized), int(Customized));
    else if (!withCustomized && m_cmbQuality->count() >= 3)
        m_cmbQuality->removeItem(2);
}

void FormatWidget::applyQuality()
{
    const int row = m_quality == HighQuality ? 0 : m_quality == SmallSize ? 1 : 2;
    if (row == 2)
        setQualityRows(true);
    m_cmbQuality->setCurrentIndex(row);
    m_settingDlg->setQuality(m_quality);
}

void FormatWidget::setQuality(VideoQuality quality)
{
    // "Customized" means the stored record; without one the preset is the
    // high one, so the dialog never claims values it does not hold.
    if (quality == Customized && !ParserXML::readCustomRecord(m_encodingId))
        quality = HighQuality;
    m_quality = quality;
    applyQuality();
}

void FormatWidget::setSourceHdr(const QString &kind)
{
    m_settingDlg->setSourceHdr(kind);
}

void FormatWidget::reloadPanel()
{
    const FormatProfile *profile =
        ProfileCatalogue::encodingCatalogue().buildProfile(m_encodingCategory, m_encodingId, {}, {}, {}, {});
    if (profile != nullptr)
        m_settingDlg->loadProfile(*profile);
}

void FormatWidget::selectTab(QList<QTextImageButton *> &tabs, QTextImageButton *&current, const QString &category)
{
    for (QTextImageButton *tab : tabs) {
        if (tab->property("category").toString() == category) {
            if (current != nullptr && current != tab)
                current->setSelected(false);
            tab->setSelected(true);
            current = tab;
            return;
        }
    }
}

void FormatWidget::selectStoredItem()
{
    if (isLosslessMode()) {
        selectTab(m_losslessTabs, m_currentLosslessTab, m_losslessCategory);
        m_formatItemLosslessDlg->fill(ProfileCatalogue::losslessCatalogue(), m_losslessCategory);
        m_formatItemLosslessDlg->selectItem(m_losslessId);
    } else {
        selectTab(m_tabs, m_currentTab, m_encodingCategory);
        m_formatItemDlg->fill(ProfileCatalogue::encodingCatalogue(), m_encodingCategory);
        m_formatItemDlg->selectItem(m_encodingId);
    }
}

void FormatWidget::ItemPress(const QString &categories, const QString &itemID)
{
    m_encodingCategory = categories;
    m_encodingId = itemID;
    reloadPanel();
    const bool custom = ParserXML::readCustomRecord(itemID).has_value();
    setQualityRows(custom);
    m_quality = custom ? Customized : HighQuality;
    applyQuality();
}

void FormatWidget::setEncodingFormat(const QString &category, const QString &id, bool loadPanel)
{
    m_encodingCategory = category;
    m_encodingId = id;
    storeSetting(kFormatSet, QStringLiteral("Format_cate"), kGeneralVideo, category);
    storeSetting(kFormatSet, QStringLiteral("Format_ID"), QStringLiteral("4000"), id);
    if (loadPanel)
        ItemPress(category, id);
    setDevFormat(ProfileCatalogue::encodingCatalogue().getItemField(category, id, QStringLiteral("title")));
}

void FormatWidget::ItemPressLossless(const QString &categories, const QString &itemID)
{
    m_losslessCategory = categories;
    m_losslessId = itemID;
    const FormatProfile *profile =
        ProfileCatalogue::losslessCatalogue().buildProfile(categories, itemID, {}, {}, {}, {});
    if (profile != nullptr)
        m_settingDlg->loadLosslessProfile(*profile);
}

void FormatWidget::setLosslessFormat(const QString &category, const QString &id, bool loadPanel)
{
    m_losslessCategory = category;
    m_losslessId = id;
    storeSetting(kFormatSet, QStringLiteral("Format_cate_lossless"), kGeneralVideo, category);
    storeSetting(kFormatSet, QStringLiteral("Format_ID_lossless"), QStringLiteral("3000"), id);
    if (loadPanel)
        ItemPressLossless(category, id);
    setDevFormat(ProfileCatalogue::losslessCatalogue().getItemField(category, id, QStringLiteral("title")));
}

void FormatWidget::showLosslessView(bool lossless)
{
    if (lossless)
        OnClickLossless();
    else
        OnClickCustomizeFormat();
}

void FormatWidget::OnClickLossless()
{
    const QString id = readSetting(kFormatSet, QStringLiteral("Format_ID_lossless"), QStringLiteral("3000"));
    const QString category = readSetting(kFormatSet, QStringLiteral("Format_cate_lossless"), kGeneralVideo);
    OutputFormatParams::instance().lossless = true;
    m_radLosslessMode->setChecked(true);
    m_radCustomize->setChecked(false);
    setLosslessFormat(category, id, true);
    selectStoredItem();
    m_cmbQuality->setEnabled(false);
    m_btnLosslessShow->setEnabled(true);
    m_btnLosslessHidden->setEnabled(true);
    const bool expanded = readSetting(QStringLiteral("Lossless_H"), QStringLiteral("Lossless_H_value"),
                                      QStringLiteral("Y")) == QLatin1String("Y");
    m_btnLosslessShow->setVisible(!expanded);
    m_btnLosslessHidden->setVisible(expanded);
    const bool frameExact = storedFrameExact();
    m_chkFrameExact->setChecked(frameExact);
    m_chkFrameExact->show();
    applyFrameExact(frameExact);
    showPanel(false);
    m_btnCategoriesWgt->hide();
    m_formatItemDlg->hide();
    m_btnCategoriesLosslessWgt->setVisible(expanded);
    m_formatItemLosslessDlg->setVisible(expanded);
    setCompact(!expanded, false);
}

void FormatWidget::OnClickCustomizeFormat()
{
    const QString id = readSetting(kFormatSet, QStringLiteral("Format_ID"), QStringLiteral("4000"));
    const QString category = readSetting(kFormatSet, QStringLiteral("Format_cate"), kGeneralVideo);
    // The panel applies presets and custom records only in Encoding mode,
    // so the mode changes before the format is loaded into it.
    OutputFormatParams::instance().lossless = false;
    applyFrameExact(false);
    m_radCustomize->setChecked(true);
    m_radLosslessMode->setChecked(false);
    setEncodingFormat(category, id, true);
    selectStoredItem();
    m_cmbQuality->setEnabled(true);
    m_btnLosslessShow->setEnabled(false);
    m_btnLosslessHidden->setEnabled(false);
    m_chkFrameExact->hide();
    showPanel(false);
    m_btnCategoriesWgt->show();
    m_formatItemDlg->show();
    m_btnCategoriesLosslessWgt->hide();
    m_formatItemLosslessDlg->hide();
    setCompact(false, false);
}

void FormatWidget::OnClickLosslessShow()
{
    if (s_attentionShown == 0) {
        ++s_attentionShown;
        QVoMessageDlg message(this);
        message.setTitle(QVoMessageDlg::defaultTitle());
        message.setMessage(tr("Attention: Please don't change advanced settings if you are \nnon-professionals. "
                              "Please leave it as the default \"Original\". \nOtherwise the conversion may fail."));
        message.setFlags(0x12);
        message.exec();
    }
    storeSetting(QStringLiteral("Lossless_H"), QStringLiteral("Lossless_H_value"), QStringLiteral("Y"),
                 QStringLiteral("Y"));
    m_btnCategoriesLosslessWgt->show();
    m_formatItemLosslessDlg->show();
    m_btnLosslessShow->hide();
    m_btnLosslessHidden->show();
    setCompact(false, true);
}

void FormatWidget::OnClickLosslessHidden()
{
    storeSetting(QStringLiteral("Lossless_H"), QStringLiteral("Lossless_H_value"), QStringLiteral("Y"),
                 QStringLiteral("N"));
    m_btnCategoriesLosslessWgt->hide();
    m_formatItemLosslessDlg->hide();
    m_btnLosslessShow->show();
    m_btnLosslessHidden->hide();
    setCompact(true, true);
}

void FormatWidget::setCompact(bool compact, bool animate)
{
    const QRect target(geometry().topLeft(), QSize(kWidth, compact ? kCompactHeight : kFullHeight));
    if (compact == m_compact && m_heightAnimation->state() != QAbstractAnimation::Running)
        return;
    m_compact = compact;
    m_heightAnimation->stop();
    if (!animate || !isVisible()) {
        setGeometry(target);
        return;
    }
    m_heightAnimation->setStartValue(geometry());
    m_heightAnimation->setEndValue(target);
    m_heightAnimation->start();
}

void FormatWidget::showPanel(bool show)
{
    if (m_panelAnimation == nullptr) {
        m_panelAnimation = new QPropertyAnimation(m_settingDlg, "geometry", this);
        m_panelAnimation->setDuration(150);
        connect(m_panelAnimation, &QPropertyAnimation::finished, this, [this] {
            if (!m_panelShown)
                m_settingDlg->hide();
        });
    }
    const QRect open(40, 283, 556, 130);
    const QRect closed(40, 413, 556, 0);
    m_panelAnimation->stop();
    m_panelShown = show;
    if (!isVisible()) {
        m_settingDlg->setGeometry(open);
        m_settingDlg->setVisible(show);
        return;
    }
    if (show) {
        m_settingDlg->setGeometry(closed);
        m_settingDlg->show();
        m_settingDlg->raise();
        m_panelAnimation->setStartValue(closed);
        m_panelAnimation->setEndValue(open);
    } else {
        if (!m_settingDlg->isVisible())
            return;
        m_panelAnimation->setStartValue(m_settingDlg->geometry());
        m_panelAnimation->setEndValue(closed);
    }
    m_panelAnimation->start();
}

void FormatWidget::OnClickBtnSet(const QString &)
{
    if (m_panelShown) {
        showPanel(false);
        return;
    }
    showPanel(true);
    reloadPanel();
    if (m_quality == Customized)
        m_settingDlg->loadCustomRecord(m_encodingId);
    applyQuality();
}

void FormatWidget::OnClickFormatWgt()
{
    showPanel(false);
}

void FormatWidget::OnTypeBtn()
{
    auto *tab = qobject_cast<QTextImageButton *>(sender());
    if (tab == nullptr || tab == m_currentTab)
        return;
    if (m_currentTab != nullptr)
        m_currentTab->setSelected(false);
    tab->setSelected(true);
    m_currentTab = tab;
    m_formatItemDlg->fill(ProfileCatalogue::encodingCatalogue(), tab->property("category").toString());
    m_formatItemDlg->selectItem(m_encodingId);
    showPanel(false);
}

void FormatWidget::OnTypeLosslessBtn()
{
    auto *tab = qobject_cast<QTextImageButton *>(sender());
    if (tab == nullptr || tab == m_currentLosslessTab)
        return;
    if (m_currentLosslessTab != nullptr)
        m_currentLosslessTab->setSelected(false);
    tab->setSelected(true);
    m_currentLosslessTab = tab;
    m_formatItemLosslessDlg->fill(ProfileCatalogue::losslessCatalogue(), tab->property("category").toString());
    m_formatItemLosslessDlg->selectItem(m_losslessId);
}

void FormatWidget::ItemChange(int row)
{
    m_quality = row == 0 ? HighQuality : row == 1 ? SmallSize : Customized;
    applyQuality();
}

void FormatWidget::isSelCustomized(bool customized)
{
    if (customized)
        setQualityRows(true);
    m_quality = customized ? Customized : HighQuality;
    applyQuality();
}

void FormatWidget::valueChangeText(VideoQuality q)
{
    const int row = q == HighQuality ? 0 : q == SmallSize ? 1 : 2;
    if (row == 2)
        setQualityRows(true);
    m_cmbQuality->setCurrentIndex(row);
}

void FormatWidget::OnBtnOk()
{
    const bool lossless = isLosslessMode();
    storeSetting(kLosslessItem, kLosslessAttr, QStringLiteral("N"), lossless ? QStringLiteral("Y") : QStringLiteral("N"));
    // The quality stored is the one the combos show: a preset, or
    // "Customized" once the user changed a value.
    const VideoQuality quality = m_settingDlg->effectiveQuality();
    storeSetting(QStringLiteral("VIDEO_QUALITY_ITEM"), QStringLiteral("quality_value"), QStringLiteral("1"),
                 QString::number(int(quality)));
    if (lossless)
        setLosslessFormat(m_losslessCategory, m_losslessId, true);
    else
        setEncodingFormat(m_encodingCategory, m_encodingId, false);
    m_settingDlg->accept();
    // The choice is kept whatever the mode, so a job in Encoding mode does
    // not forget it; only High-Speed mode applies it.
    const bool frameExact = m_chkFrameExact->isChecked();
    storeSetting(QStringLiteral("FRAMEEXACT_ITEM"), QStringLiteral("bFrameExactCut"), QStringLiteral("N"),
                 frameExact ? QStringLiteral("Y") : QStringLiteral("N"));
    applyFrameExact(frameExact);
    showPanel(false);
    QDialog::done(QDialog::Accepted);
    emit settingChangeForFormat();
}

void FormatWidget::OnBtnCancel()
{
    QDialog::done(QDialog::Rejected);
    const QString current = OutputFormatParams::instance().lossless ? QStringLiteral("Y") : QStringLiteral("N");
    if (readSetting(kLosslessItem, kLosslessAttr, current) == QLatin1String("Y")) {
        OnClickLossless();
    } else {
        OnClickCustomizeFormat();
        // The stored preset comes back too, not only the stored format.
        setQuality(qualityFromText(readSetting(QStringLiteral("VIDEO_QUALITY_ITEM"), QStringLiteral("quality_value"),
                                               QStringLiteral("1"))));
    }
}

void FormatWidget::reject()
{
    OnBtnCancel();
}

void FormatWidget::applyStoredFormatAtStartup()
{
    readSetting(kLosslessItem, kLosslessAttr, QStringLiteral("N"));
    ParserXML::writeItemValue(kLosslessItem, kLosslessAttr, QStringLiteral("N"));
    readSetting(kLosslessItem, kLosslessAttr, QStringLiteral("Y"));
    const QString id = readSetting(kFormatSet, QStringLiteral("Format_ID"), QStringLiteral("4000"));
    const QString category = readSetting(kFormatSet, QStringLiteral("Format_cate"), kGeneralVideo);
    setEncodingFormat(category, id, true);
    showLosslessView(false);
    setQuality(qualityFromText(
        readSetting(QStringLiteral("VIDEO_QUALITY_ITEM"), QStringLiteral("quality_value"), QStringLiteral("1"))));
    m_settingDlg->applyToOutputParams();
    // The mode just applied is the one every later change compares with.
    m_lastLossless = OutputFormatParams::instance().lossless;
}

int FormatWidget::runModal(QWidget *window)
{
    const bool lossless = readSetting(kLosslessItem, kLosslessAttr, QStringLiteral("Y")) == QLatin1String("Y");
    if (window != nullptr) {
        const QRect frame = window->frameGeometry();
        move(frame.center() - QPoint(kWidth / 2, height() / 2));
    }
    showLosslessView(lossless);
    if (!lossless)
        setQuality(qualityFromText(
            readSetting(QStringLiteral("VIDEO_QUALITY_ITEM"), QStringLiteral("quality_value"), QStringLiteral("1"))));
    const int result = exec();
    const bool now = OutputFormatParams::instance().lossless;
    if (now != m_lastLossless) {
        m_lastLossless = now;
        emit emitLosslessChange();
    }
    return result;
}
