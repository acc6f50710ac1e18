#pragma once
// The output format dialog: High-Speed (stream copy) or Encoding mode, the
// format grids by category, the quality preset and the custom parameters
// panel. The choice is stored in the settings on OK and handed to the
// output parameters through the panel; Cancel returns to the stored choice.
//
// One instance per process (instance()). The main window opens it with
// runModal() from its format button and relays emitLosslessChange(); the
// title of the accepted format comes with sendDevFormatChange(). At start
// the main window calls applyStoredFormatAtStartup() once.
#include "QNinePointsImageDialog.h"
#include "VideoQuality.h"

#include <QList>
#include <QPointer>

class CategoriesBtnWgt;
class FormatItemWidget;
class QCheckButton;
class QLabel;
class QPropertyAnimation;
class QSettingDlg;
class QTextImageButton;
class QVoCheckBox;
class QVoComboBox;

class FormatWidget : public QNinePointsImageDialog {
    Q_OBJECT
public:
    // The process-wide dialog, created on the first call with that parent.
    static FormatWidget *instance(QWidget *parent = nullptr);
    static bool exists();
    ~FormatWidget() override;

    static constexpr int kWidth = 636;
    static constexpr int kFullHeight = 496;
    static constexpr int kCompactHeight = 183;

    // Start-up step of the main window: every run begins in Encoding mode
    // with the stored encoding format and quality, applied to the output
    // parameters.
    void applyStoredFormatAtStartup();
    // The format button's action: selects the stored mode and format,
    // centres the dialog on window, runs it modally, and emits
    // emitLosslessChange() when the accepted output mode differs from the
    // one last seen. Returns the dialog's result.
    int runModal(QWidget *window);

    void setEncodingFormat(const QString &category, const QString &id, bool loadPanel);
    void setLosslessFormat(const QString &category, const QString &id, bool loadPanel);
    // Shows the High-Speed ("Y") or the Encoding view.
    void showLosslessView(bool lossless);
    // Selects the stored tab and tile of the current mode.
    void selectStoredItem();
    void setQuality(VideoQuality quality);
    // Builds the panel again from the current encoding format.
    void reloadPanel();
    // The current source's HDR ("HDR10", "HLG", empty for none): the panel
    // says whether the chosen format keeps it (QSettingDlg::setSourceHdr).
    void setSourceHdr(const QString &kind);

    VideoQuality quality() const { return m_quality; }
    bool isLosslessMode() const;
    bool isCompact() const { return m_compact; }
    bool isPanelShown() const;
    bool lastLossless() const { return m_lastLossless; }
    QString encodingCategory() const { return m_encodingCategory; }
    QString encodingId() const { return m_encodingId; }
    QString losslessCategory() const { return m_losslessCategory; }
    QString losslessId() const { return m_losslessId; }
    QString devFormat() const { return m_devFormat; }
    QString presetText() const;
    // The name a profile category is shown by, in the interface language.
    static QString categoryName(const QString &category);
    QPropertyAnimation *heightAnimation() const { return m_heightAnimation; }
    QSettingDlg *settingDlg() const { return m_settingDlg; }
    FormatItemWidget *encodingGrid() const { return m_formatItemDlg; }
    FormatItemWidget *losslessGrid() const { return m_formatItemLosslessDlg; }
    QList<QTextImageButton *> encodingTabs() const { return m_tabs; }
    QList<QTextImageButton *> losslessTabs() const { return m_losslessTabs; }
    // How often the attention message was shown in this run.
    static int attentionShownCount();

signals:
    void sendDevFormatChange(const QString &DevFormat);
    void settingChangeForFormat();
    // The accepted output mode differs from the one last seen (runModal).
    void emitLosslessChange();

public slots:
    void setDevFormat(const QString &DevName);
    void ItemPress(const QString &categories, const QString &itemID);
    void ItemPressLossless(const QString &categories, const QString &itemID);
    void OnClickLossless();
    void OnClickCustomizeFormat();
    void OnClickLosslessShow();
    void OnClickLosslessHidden();
    void OnBtnCancel();
    void OnClickBtnSet(const QString &id);
    void OnTypeBtn();
    void OnTypeLosslessBtn();
    void OnClickFormatWgt();
    void OnBtnOk();
    void ItemChange(int row);
    void isSelCustomized(bool customized);
    void valueChangeText(VideoQuality q);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Escape and the window's close act as Cancel.
    void reject() override;

private:
    explicit FormatWidget(QWidget *parent);
    void buildControls();
    void buildTabs();
    void retranslate();
    void applyQuality();
    void setQualityRows(bool withCustomized);
    void setCompact(bool compact, bool animate);
    void showPanel(bool show);
    void placeBottomControls();
    void selectTab(QList<QTextImageButton *> &tabs, QTextImageButton *&current, const QString &category);
    void applyFrameExact(bool checked);
    bool storedFrameExact() const;
    static QString qualityName(VideoQuality q);

    FormatItemWidget *m_formatItemDlg = nullptr;
    FormatItemWidget *m_formatItemLosslessDlg = nullptr;
    QSettingDlg *m_settingDlg = nullptr;
    QTextImageButton *m_btnCancel = nullptr;
    QTextImageButton *m_btnOk = nullptr;
    QLabel *m_LabPreset = nullptr;
    QVoComboBox *m_cmbQuality = nullptr;
    QCheckButton *m_radCustomize = nullptr;
    QCheckButton *m_radLosslessMode = nullptr;
    QVoCheckBox *m_chkFrameExact = nullptr;
    CategoriesBtnWgt *m_btnCategoriesWgt = nullptr;
    CategoriesBtnWgt *m_btnCategoriesLosslessWgt = nullptr;
    QTextImageButton *m_btnLosslessShow = nullptr;
    QTextImageButton *m_btnLosslessHidden = nullptr;

    QString m_encodingCategory;
    QString m_encodingId;
    QString m_losslessCategory;
    QString m_losslessId;
    QString m_devFormat;
    QTextImageButton *m_currentTab = nullptr;
    QList<QTextImageButton *> m_tabs;
    QTextImageButton *m_currentLosslessTab = nullptr;
    QList<QTextImageButton *> m_losslessTabs;
    VideoQuality m_quality = HighQuality;
    bool m_compact = false;
    bool m_lastLossless = true;
    bool m_panelShown = false;
    QPropertyAnimation *m_heightAnimation = nullptr;
    QPropertyAnimation *m_panelAnimation = nullptr;

    static QPointer<FormatWidget> s_instance;
    static int s_attentionShown;
};
