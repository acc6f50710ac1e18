#include "QPreferencesDlg.h"

#include "ConvertWidget.h"
#include "GeneralWidget.h"

#include "ConfigState.h"
#include "Languages.h"
#include "ParserXML.h"
#include "QImageButton.h"
#include "QTextImageButton.h"
#include "QVoScrollBar.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QScrollArea>
#include <QTranslator>

namespace {
constexpr int dialogWidth = 560;
constexpr int dialogHeight = 400;
constexpr int titleBand = 38;
constexpr int stripLeft = 9;
constexpr int stripRight = 95;
constexpr int pageTop = titleBand + 10;
constexpr int edge = 12;
constexpr int buttonRowHeight = 52;
const QColor stripColour(62, 62, 62);

// The language type of a display name, to put the process-wide language
// index back when a previewed language is not taken.
QString languageType(const QString &displayName)
{
    return ParserXML::readLanguageEntry(languageListPath(), displayName).second;
}
} // namespace

QPreferencesDlg::QPreferencesDlg(QWidget *parent)
    : QNinePointsImageDialog(parent)
{
    setObjectName(QStringLiteral("QPreferencesDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_4.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setFixedSize(dialogWidth, dialogHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, 300, 20));
    setTitleColor(QColor(245, 245, 245));
    setTitlePixelSize(12);
    setDragAreaHeight(titleBand);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    for (int i = 0; i < 2; ++i) {
        auto *button = new QTextImageButton(this);
        button->setObjectName(i == 0 ? QStringLiteral("m_btnGeneral") : QStringLiteral("m_btnConvert"));
        button->setImage(QStringLiteral("/image/btn_prefer.png"));
        button->setTextPixelSize(12);
        button->move(stripLeft, pageTop + i * (button->height() + 2));
        connect(button, &QPushButton::clicked, this, &QPreferencesDlg::OnLeftBtn);
        m_leftButtons << button;
    }

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("m_scrollArea"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *bar = new QVoScrollBar(Qt::Vertical, m_scroll);
    ScrollBarStyleParams style = bar->styleParams();
    style.extent = 8;
    style.alwaysShow = true;
    style.grooveColor = QColor(57, 55, 55);
    style.trackColor = QColor(57, 55, 55);
    style.arrowNormal = QColor(57, 55, 55);
    style.arrowBackground = QColor(91, 89, 89);
    style.handleNormal = QColor(91, 89, 89);
    style.handleHover = QColor(102, 101, 101);
    style.handlePressed = QColor(102, 101, 101);
    bar->setStyleParams(style);
    m_scroll->setVerticalScrollBar(bar);

    m_pages = new QWidget;
    m_pages->setObjectName(QStringLiteral("m_pages"));
    m_pages->setAutoFillBackground(true);
    QPalette pal = m_pages->palette();
    pal.setColor(QPalette::Window, QColor(51, 51, 51));
    m_pages->setPalette(pal);
    m_general = new GeneralWidget(m_pages);
    m_convert = new ConvertWidget(m_pages);
    m_pages->setMinimumSize(m_general->minimumSize().expandedTo(m_convert->minimumSize()));
    m_general->resize(m_pages->minimumSize());
    m_convert->resize(m_pages->minimumSize());
    m_scroll->setWidget(m_pages);
    m_scroll->setWidgetResizable(true);

    m_btnOk = new QTextImageButton(this);
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnOk->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnCancel = new QTextImageButton(this);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    connect(m_btnOk, &QPushButton::clicked, this, &QPreferencesDlg::OnBtnOk);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_general, &GeneralWidget::sendUpdate, this, &QPreferencesDlg::emitAutoUpdate);
    connect(m_general, &GeneralWidget::sendLanguageName, this, &QPreferencesDlg::setLanguge);

    // Opening: the General page.
    m_currentButton = m_leftButtons.first();
    m_currentButton->setSelected(true);
    m_general->show();
    m_convert->hide();

    retranslateUi();
    placeButtons();
}

void QPreferencesDlg::retranslateUi()
{
    const QString title = tr("Preferences");
    setTitleText(title);
    setWindowTitle(title);
    m_leftButtons[0]->setText(tr("General"));
    m_leftButtons[1]->setText(tr("Convert"));
    m_btnOk->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
    m_general->retranslateUi();
    m_convert->retranslateUi();
    update();
}

void QPreferencesDlg::placeButtons()
{
    const int top = height() - edge - m_btnCancel->height();
    m_btnCancel->move(width() - edge - 8 - m_btnCancel->width(), top);
    m_btnOk->move(m_btnCancel->x() - 10 - m_btnOk->width(), top);
    m_scroll->setGeometry(stripRight + 10, pageTop, width() - stripRight - 10 - edge, height() - pageTop - buttonRowHeight);
}

void QPreferencesDlg::resizeEvent(QResizeEvent *event)
{
    QNinePointsImageDialog::resizeEvent(event);
    placeButtons();
}

void QPreferencesDlg::paintEvent(QPaintEvent *event)
{
    QNinePointsImageDialog::paintEvent(event);
    QPainter p(this);
    p.fillRect(QRect(QPoint(stripLeft, titleBand + 1), QPoint(stripRight, height() - 10)), stripColour);
}

void QPreferencesDlg::OnLeftBtn()
{
    auto *clicked = qobject_cast<QTextImageButton *>(sender());
    const int index = m_leftButtons.indexOf(clicked);
    if (index < 0)
        return;
    if (m_currentButton && m_currentButton != clicked)
        m_currentButton->setSelected(false);
    clicked->setSelected(true);
    m_currentButton = clicked;
    m_general->setVisible(index == 0);
    m_convert->setVisible(index == 1);
    m_scroll->verticalScrollBar()->setValue(0);
}

bool QPreferencesDlg::setLanguge(QString qmFile)
{
    const QFileInfo info(qmFile);
    // A language entry without a file (the interface's own language) is
    // previewed by retranslating with no translator; otherwise a previewed
    // language could never be taken back to it.
    if (info.isDir()) {
        retranslateUi();
        return true;
    }
    if (!info.isFile())
        return false;
    QTranslator translator;
    if (!translator.load(qmFile))
        return false;
    QCoreApplication::installTranslator(&translator);
    retranslateUi();
    QCoreApplication::removeTranslator(&translator);
    return true;
}

void QPreferencesDlg::OnBtnOk()
{
    m_general->writeChanges();
    m_convert->writeChanges();
    m_accepted = true;
    accept();
}

void QPreferencesDlg::done(int result)
{
    if (!m_closingReported) {
        m_closingReported = true;
        const bool changed = m_accepted && m_general->languageChanged();
        // A language only previewed leaves the layout index as it was.
        if (!changed)
            setLanguageIndex(languageType(m_general->openingLanguage()));
        emit emitLangugeChangeSet(changed);
    }
    QNinePointsImageDialog::done(result);
}

void QPreferencesDlg::storeOutputFolder()
{
    const QString folder = ConfigState::instance().converterPath();
    if (folder.isEmpty())
        return;
    // The first reader stores the item, so the write below has it to set.
    ParserXML::readItemValue("OutPut_path", "path_value", folder);
    ParserXML::writeItemValue("OutPut_path", "path_value", folder);
}
