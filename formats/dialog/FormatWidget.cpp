#include "FormatWidget.h"

#include "CategoriesBtnWgt.h"
#include "FormatItem.h"
#include "FormatItemWidget.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "ProfileCatalogue.h"
#include "QCheckButton.h"
#include "QImageButton.h"
#include "QSettingDlg.h"
#include "QTextImageButton.h"
#include "QVoCheckBox.h"
#include "QVoComboBox.h"
#include "QVoMessageDlg.h"

#include <QEvent>
#include <QLabel>
#include <QPropertyAnimation>

QPointer<FormatWidget> FormatWidget::s_instance;
int FormatWidget::s_attentionShown = 0;

namespace {

QString readSetting(const QString &item, const QString &attribute, const QString &fallback)
{
    return ParserXML::readItemValue(item, attribute, fallback);
}

QFont tahoma(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

QTextImageButton *textButton(QWidget *parent, const QString &name, const QString &picture, const QSize &size)
{
    auto *button = new QTextImageButton(parent);
    button->setObjectName(name);
    button->setImage(picture, QRect(QPoint(0, 0), size));
    button->setTextPixelSize(12);
    button->setTextColors(QColor(228, 228, 228), Qt::white, Qt::white, QColor(119, 108, 87));
    return button;
}

} // namespace

FormatWidget *FormatWidget::instance(QWidget *parent)
{
    if (s_instance.isNull())
        s_instance = new FormatWidget(parent);
    return s_instance.data();
}

bool FormatWidget::exists()
{
    return !s_instance.isNull();
}

FormatWidget::~FormatWidget() = default;

FormatWidget::FormatWidget(QWidget *parent)
    : QNinePointsImageDialog(parent)
{
    setObjectName(QStringLiteral("FormatWidget"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_4.png"), false);
    // The window changes height between its two forms; the corners must fit
    // the compact one.
    setCornerSizes(12, 44, 12, 44, 12, 12, 12, 12);
    setMinimumSize(kWidth, kCompactHeight);
    setMaximumSize(kWidth, kFullHeight);
    resize(kWidth, kFullHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(10, 9, 20, 20));
    setTitleRect(36, 0, kWidth - 40, 38);
    setTitleColor(QColor(228, 228, 228));
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));
    if (closeButton() != nullptr) {
        closeButton()->move(kWidth - closeButton()->width() - 8, 7);
        connect(closeButton(), &QPushButton::clicked, this, &FormatWidget::OnBtnCancel);
    }

    m_heightAnimation = new QPropertyAnimation(this, "geometry", this);
    m_heightAnimation->setDuration(150);

    buildControls();
    buildTabs();
    retranslate();

    // The stored items exist from here on, so later writes are kept.
    const bool storedLossless = readSetting(QStringLiteral("LOSSLESS_ITEM"), QStringLiteral("Lossless_convert"),
                                            QStringLiteral("N")) == QLatin1String("Y");
    const bool expanded = readSetting(QStringLiteral("Lossless_H"), QStringLiteral("Lossless_H_value"),
                                      QStringLiteral("Y")) == QLatin1String("Y");
    m_chkFrameExact->setChecked(storedFrameExact());
    m_btnLosslessShow->setVisible(!expanded);
    m_btnLosslessHidden->setVisible(expanded);
    m_btnLosslessShow->setEnabled(storedLossless);
    m_btnLosslessHidden->setEnabled(storedLossless);
    m_settingDlg->hide();
    showLosslessView(storedLossless);
}

void FormatWidget::buildControls()
{
    m_radLosslessMode = new QCheckButton(this);
    m_radLosslessMode->setObjectName(QStringLiteral("m_radLosslessMode"));
    m_radCustomize = new QCheckButton(this);
    m_radCustomize->setObjectName(QStringLiteral("m_radCustomize"));
    for (QCheckButton *radio : {m_radLosslessMode, m_radCustomize}) {
        radio->setPictures(QStringLiteral("/image/Common_bg/Edit_selections_yes.png"),
                           QStringLiteral("/image/Common_bg/Edit_selections_no.png"));
        radio->setRadioMode(true);
        radio->setTextFont(QStringLiteral("Tahoma"), false, 13);
        radio->setTextColors(QColor(228, 228, 228), QColor(119, 108, 87));
        radio->setFixedHeight(22);
    }
    m_radLosslessMode->move(22, 50);
    m_radCustomize->move(22, 104);
    // A click on the mode already chosen keeps the tile the user picked.
    connect(m_radLosslessMode, &QCheckButton::clicked, this, [this] {
        if (!OutputFormatParams::instance().lossless || !m_radLosslessMode->isChecked())
            OnClickLossless();
        m_radLosslessMode->setChecked(true);
    });
    connect(m_radCustomize, &QCheckButton::clicked, this, [this] {
        if (OutputFormatParams::instance().lossless)
            OnClickCustomizeFormat();
        m_radCustomize->setChecked(true);
    });

    m_chkFrameExact = new QVoCheckBox(this);
    m_chkFrameExact->setObjectName(QStringLiteral("m_chkFrameExact"));
    m_chkFrameExact->setBoxPictures(QStringLiteral("/image/Common_bg/btn_check_off1.png"),
                                    QStringLiteral("/image/Common_bg/btn_check_on1.png"));
    m_chkFrameExact->setFont(tahoma(12));
    m_chkFrameExact->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    m_chkFrameExact->move(46, 77);

    m_btnLosslessShow = textButton(this, QStringLiteral("m_btnLosslessShow"),
                                   QStringLiteral("/image/Common_bg/btn_common.png"), QSize(124, 26));
    m_btnLosslessHidden = textButton(this, QStringLiteral("m_btnLosslessHidden"),
                                     QStringLiteral("/image/Common_bg/btn_common.png"), QSize(124, 26));
    m_btnLosslessShow->move(kWidth - 124 - 24, 48);
    m_btnLosslessHidden->move(kWidth - 124 - 24, 48);
    connect(m_btnLosslessShow, &QPushButton::clicked, this, &FormatWidget::OnClickLosslessShow);
    connect(m_btnLosslessHidden, &QPushButton::clicked, this, &FormatWidget::OnClickLosslessHidden);

    m_btnCategoriesWgt = new CategoriesBtnWgt(this);
    m_btnCategoriesWgt->setObjectName(QStringLiteral("m_btnCategoriesWgt"));
    m_btnCategoriesLosslessWgt = new CategoriesBtnWgt(this);
    m_btnCategoriesLosslessWgt->setObjectName(QStringLiteral("m_btnCategoriesLosslessWgt"));
    for (CategoriesBtnWgt *tabs : {m_btnCategoriesWgt, m_btnCategoriesLosslessWgt})
        tabs->setGeometry(20, 134, kWidth - 40, 30);

    m_formatItemDlg = new FormatItemWidget(false, this);
    m_formatItemLosslessDlg = new FormatItemWidget(true, this);
    for (FormatItemWidget *grid : {m_formatItemDlg, m_formatItemLosslessDlg})
        grid->setGeometry(20, 166, kWidth - 40, 248);
    connect(m_formatItemDlg, &FormatItemWidget::emitItemPress, this, &FormatWidget::ItemPress);
    connect(m_formatItemDlg, &FormatItemWidget::emitClickBtnSet, this, &FormatWidget::OnClickBtnSet);
    connect(m_formatItemDlg, &FormatItemWidget::emitClickFormatWgt, this, &FormatWidget::OnClickFormatWgt);
    connect(m_formatItemDlg, &FormatItemWidget::emitDoubleClick, this, &FormatWidget::OnBtnOk);
    connect(m_formatItemLosslessDlg, &FormatItemWidget::emitItemPress, this, &FormatWidget::ItemPressLossless);
    connect(m_formatItemLosslessDlg, &FormatItemWidget::emitDoubleClick, this, &FormatWidget::OnBtnOk);

    m_settingDlg = new QSettingDlg(this);
    m_settingDlg->setGeometry(40, 283, 556, 130);
    connect(m_settingDlg, &QSettingDlg::emitIsCustomized, this, &FormatWidget::isSelCustomized);
    connect(m_settingDlg, &QSettingDlg::emitChangeText, this, &FormatWidget::valueChangeText);

    m_LabPreset = new QLabel(this);
    m_LabPreset->setObjectName(QStringLiteral("m_LabPreset"));
    m_LabPreset->setFont(tahoma(12));
    m_LabPreset->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    m_LabPreset->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_cmbQuality = new QVoComboBox(this);
    m_cmbQuality->setObjectName(QStringLiteral("m_cmbQuality"));
    m_cmbQuality->setFixedSize(159, 24);
    m_cmbQuality->setFont(tahoma(12));
    m_cmbQuality->setBackgroundImage(QStringLiteral("/image/Common_bg/bg_combobox2.png"));
    m_cmbQuality->setStateFrames(true);
    m_cmbQuality->setArrowImage(QStringLiteral("/image/Common_bg/btn_arrow.png"), true);
    m_cmbQuality->setArrowPosition(159 - 13, -1);
    m_cmbQuality->setTextMargins(4, 0, 17, 1);
    m_cmbQuality->setTextColor(Qt::white);
    m_cmbQuality->setRowHeight(24);
    m_cmbQuality->setPopupBorder(1, QColor(62, 63, 63));
    m_cmbQuality->setRowBackground(QColor(62, 63, 63));
    m_cmbQuality->setRowSelectedBackground(QColor(105, 105, 105));
    m_cmbQuality->setRowHoverBackground(QColor(84, 84, 84));
    m_cmbQuality->setRowTextColor(Qt::white);
    m_cmbQuality->addItem(QString(), int(HighQuality));
    m_cmbQuality->addItem(QString(), int(SmallSize));
    m_cmbQuality->addItem(QString(), int(Customized));
    connect(m_cmbQuality, QOverload<int>::of(&QComboBox::activated), this, &FormatWidget::ItemChange);

    m_btnCancel = textButton(this, QStringLiteral("m_btnCancel"), QStringLiteral("/image/Common_bg/btn_common.png"),
                             QSize(90, 30));
    m_btnOk = textButton(this, QStringLiteral("m_btnOk"), QStringLiteral("/image/Common_bg/btn_common1.png"),
                         QSize(90, 30));
    m_btnOk->setTextColors(Qt::white, Qt::white, Qt::white, QColor(119, 108, 87));
    m_btnOk->setDefault(true);
    connect(m_btnCancel, &QPushButton::clicked, this, &FormatWidget::OnBtnCancel);
    connect(m_btnOk, &QPushButton::clicked, this, &FormatWidget::OnBtnOk);
    placeBottomControls();
}

void FormatWidget::buildTabs()
{
    auto build = [this](ProfileCatalogue &catalogue, CategoriesBtnWgt *box, QList<QTextImageButton *> &tabs,
                        void (FormatWidget::*slot)()) {
        for (const QString &category : catalogue.getCategories()) {
            // Sized and named in the interface language by retranslate().
            QTextImageButton *tab = textButton(box, QString(), QStringLiteral("/image/Format_Dlg/tab_btn_bg_image.png"),
                                               QSize(90, 30));
            tab->setStretch(true);
            tab->setProperty("category", category);
            connect(tab, &QPushButton::clicked, this, slot);
            box->addButton(tab);
            tabs << tab;
        }
    };
    build(ProfileCatalogue::encodingCatalogue(), m_btnCategoriesWgt, m_tabs, &FormatWidget::OnTypeBtn);
    build(ProfileCatalogue::losslessCatalogue(), m_btnCategoriesLosslessWgt, m_losslessTabs,
          &FormatWidget::OnTypeLosslessBtn);
}

void FormatWidget::retranslate()
{
    setTitleText(tr("Output Format"));
    m_radLosslessMode->setText(tr("High - Speed mode - Fast and Lossless (Recommended)"));
    m_radCustomize->setText(tr("Encoding mode - Customize file format, quality and codec (Slow)"));
    // Room beyond the measured text: a translated or hinted text must not
    // lose its end.
    for (QCheckButton *radio : {m_radLosslessMode, m_radCustomize}) {
        radio->fitWidth();
        radio->resize(qMin(radio->width() + 24, kWidth - radio->x() - 20), radio->height());
    }
    m_chkFrameExact->setText(tr("Frame-exact cuts (re-encode only at the cut points)"));
    m_chkFrameExact->adjustSize();
    m_btnLosslessShow->setText(tr("Show Advanced"));
    m_btnLosslessHidden->setText(tr("Hide Advanced"));
    m_LabPreset->setText(tr("Preset:"));
    for (int row = 0; row < m_cmbQuality->count(); ++row)
        m_cmbQuality->setItemText(row, qualityName(VideoQuality(m_cmbQuality->itemData(row).toInt())));
    m_btnCancel->setText(tr("Cancel"));
    m_btnOk->setText(tr("OK"));
    // The category stays the profile's key; the tab shows its name.
    for (QTextImageButton *tab : m_tabs + m_losslessTabs) {
        const QString name = categoryName(tab->property("category").toString());
        tab->setText(name);
        tab->setFixedSize(qMax(90, QFontMetrics(tahoma(12)).horizontalAdvance(name) + 28), 30);
    }
}

QString FormatWidget::categoryName(const QString &category)
{
    // The categories of the profiles we ship; a category only a profile
    // file of one's own knows keeps the name it has there.
    static const char *const known[] = {QT_TR_NOOP("General Video"), QT_TR_NOOP("HD Video"), QT_TR_NOOP("Devices"),
                                        QT_TR_NOOP("Web"), QT_TR_NOOP("Audio")};
    for (const char *name : known) {
        if (category == QLatin1String(name))
            return tr(name);
    }
    return category;
}

void FormatWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QNinePointsImageDialog::changeEvent(event);
}

QString FormatWidget::qualityName(VideoQuality q)
{
    switch (q) {
    case SmallSize: return tr("Small Size");
    case Customized: return tr("Customized");
    case HighQuality: break;
    }
    return tr("High Quality");
}

void FormatWidget::placeBottomControls()
{
    const int y = height() - 46;
    m_LabPreset->setGeometry(20, y + 3, 60, 24);
    m_cmbQuality->move(86, y + 3);
    m_btnOk->move(kWidth - 24 - m_btnOk->width(), y);
    m_btnCancel->move(m_btnOk->x() - 12 - m_btnCancel->width(), y);
}

void FormatWidget::resizeEvent(QResizeEvent *event)
{
    QNinePointsImageDialog::resizeEvent(event);
    placeBottomControls();
}
