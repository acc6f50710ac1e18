#include "MainWindow.h"

#include "AddFileThread.h"
#include "AppPaths.h"
#include "FormatWidget.h"
#include "ConfigState.h"
#include "EngineSession.h"
#include "Languages.h"
#include "ParserXML.h"
#include "ProjectSession.h"
#include "SettingsResetNotice.h"
#include "QImageButton.h"
#include "QLoadingDlg.h"
#include "QPlayObject.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoMessageBox.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QList>
#include <QMouseEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Read by the open-file dialog and by drops; one main window per process.
bool g_converting = false;
QString g_openFolder = QStringLiteral(".");

// Distances of the title-bar buttons from the right edge. Minimise and menu
// keep their 28-pixel spacing but start one button beyond maximise, so that
// no two 24-pixel buttons overlap.
constexpr int kCloseRight = 24;
constexpr int kMaxRight = 49;
constexpr int kMinRight = 74;
constexpr int kMenuRight = 102;
} // namespace

bool MainWindow::isConverting() { return g_converting; }

QString MainWindow::openFolder() { return g_openFolder; }

void MainWindow::setOpenFolder(const QString &folder)
{
    g_openFolder = folder;
    ParserXML::writeItemValue(QStringLiteral("Open_path"), QStringLiteral("Open_path_value"), folder);
}

MainWindow::MainWindow(QWidget *parent)
    : QVariableSizeWidget(parent)
    , m_addFileThread(std::make_unique<AddFileThread>())
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(productTitle());
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::Window);
    setMouseTracking(true);
    setResizable(true);
    setAcceptDrops(true);

    setBackgroundImage(QStringLiteral("/image/backgroud.png"));
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    resize(720, 702);

    qRegisterMetaType<VoVideoConvertItem *>("VoVideoConvertItem*");
    qRegisterMetaType<QList<QImage>>("QList<QImage>");

    buildPanels();
    connectPanels();
    // Every run starts in Encoding mode with the stored format and quality.
    FormatWidget *format = FormatWidget::instance(this);
    format->applyStoredFormatAtStartup();
    connect(format, &FormatWidget::emitLosslessChange, this, &MainWindow::emitLosslessChange);
    buildTitleBar();
    buildMenuAndTray();

    ConfigState::instance().setConverterPath(
        ParserXML::readItemValue(QStringLiteral("OutPut_path"), QStringLiteral("path_value"), defaultOutputFolder()));

    installLanguage(ParserXML::readItemValue(QStringLiteral("Language_item"), QStringLiteral("Language_Name"),
                                             QStringLiteral("English")));

    setTitleText(productTitle());
    setLogoRect(10, 5, 29, 24);
    setTitleRect(39, 5, 38, 4);
    setTitleColor(QColor(245, 245, 245));

    g_openFolder = ParserXML::readItemValue(QStringLiteral("Open_path"), QStringLiteral("Open_path_value"),
                                            QStringLiteral("."));

    EngineSession::start(settingsFolder());
    QVoMessageBox::setDefaultTitle(productTitle());

    AddFileThread::Callbacks callbacks;
    callbacks.adding = [this](const QString &path, const QString &count, double progress) {
        emit seedAddingFile(path, count, progress);
    };
    callbacks.item = [this](VoVideoConvertItem *item, const QString &path, const QString &reason) {
        if (item)
            emit seedConvertItem(item);
        else
            emit seedOpenFailed(path, reason);
    };
    callbacks.complete = [this] { emit seedAddComplete(false); };
    m_addFileThread->setCallbacks(std::move(callbacks));
    m_addFileThread->setEndNotice([this] { emit addFileWorkerEnded(); });
    connect(this, &MainWindow::seedAddingFile, this, &MainWindow::showAddingFile);

    installShortcuts();
    m_project = new ProjectSession(this);
    retranslate();
    restoreArrangement();
    // The keys work from the start: nothing is being typed yet.
    focusPlayerArea();
    // A settings file found damaged while the window was built is told once
    // the window is up.
    QTimer::singleShot(0, this, [this] { tellSettingsReset(this); });
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The project goes first: the waits below handle events, and none of
    // its steps may look at panels that are going.
    delete m_project;
    m_project = nullptr;
    storeArrangement();
    // The worker may still hand over items; it stops before the window goes.
    m_addFileThread->requestStop();
    EngineSession::setAbortLoading(true);
    m_addFileThread.reset();
    EngineSession::setAbortLoading(false);
    delete m_loadingDlg.data();
    // The panels borrow the holder's player and the rows borrow the items:
    // both go before what they borrow.
    delete m_videoItemDlg;
    delete m_videoCutToolbar;
    delete m_videoPlayDlg;
    // A player still opening is cut short rather than waited for.
    EngineSession::setAbortLoading(true);
    delete m_playObject;
    EngineSession::setAbortLoading(false);
    for (const PendingOpen &open : m_openQueue)
        delete open.item;
    m_openQueue.clear();
    VoVideoConvertManager::instance()->clear();
    g_converting = false;
}

QLoadingDlg *MainWindow::loadingDialog() const { return m_loadingDlg.data(); }

bool MainWindow::isImporting() const
{
    return m_addFileThread->isRunning() || m_loadingDlg || playerOpening();
}

void MainWindow::buildTitleBar()
{
    auto makeButton = [this](const char *name, const char *image) {
        auto *button = new QImageButton(this);
        button->setObjectName(QLatin1String(name));
        button->setImage(QLatin1String(image));
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_btnMenu = makeButton("m_btnMenu", "/image/btn_menu.png");
    m_btnMin = makeButton("m_btnMin", "/image/btn_min.png");
    m_btnMax = makeButton("m_btnMax", "/image/btn_max.png");
    m_btnRestore = makeButton("m_btnRestore", "/image/btn_restore.png");
    m_btnClose = makeButton("m_btnClose", "/image/btn_close.png");

    connect(m_btnMin, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(m_btnMenu, &QPushButton::clicked, this, &MainWindow::OnMenu);
    connect(m_btnClose, &QPushButton::clicked, this, &MainWindow::OnClose);
    auto toggleMax = [this] {
        m_savedListHeight = m_videoItemDlg->listHeight();
        OnBtnMax();
        updateMaxButtons();
    };
    connect(m_btnMax, &QPushButton::clicked, this, toggleMax);
    connect(m_btnRestore, &QPushButton::clicked, this, toggleMax);
    updateMaxButtons();
    placeTitleButtons();
}

void MainWindow::updateMaxButtons()
{
    const bool maximised = isMaximizedByFrame();
    m_btnMax->setVisible(!maximised);
    m_btnRestore->setVisible(maximised);
}

void MainWindow::placeTitleButtons()
{
    if (!m_btnClose)
        return;
    const int w = width();
    m_btnClose->move(w - 1 - kCloseRight, 0);
    m_btnMax->move(w - 1 - kMaxRight, 0);
    m_btnRestore->move(w - 1 - kMaxRight, 0);
    m_btnMin->move(w - 1 - kMinRight, 0);
    m_btnMenu->move(w - 1 - kMenuRight, 0);
}

void MainWindow::retranslate()
{
    m_btnMenu->setToolTip(tr("Menu"));
    m_btnMin->setToolTip(tr("Minimize"));
    m_btnMax->setToolTip(tr("Maximize"));
    m_btnRestore->setToolTip(tr("Restore"));
    m_btnClose->setToolTip(tr("Close"));
    retranslateMenu();
    // The key names change with the language too.
    nameAllButtons();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_btnClose)
        retranslate();
    QVariableSizeWidget::changeEvent(event);
}

QPoint MainWindow::centredTopLeft(const QRect &window, const QSize &dialog)
{
    int x = window.x() + (window.width() - dialog.width()) / 2;
    int y = window.y() + (window.height() - dialog.height()) / 2;
    if (x <= 0)
        x = 50;
    if (y <= 0)
        y = 50;
    return {x, y};
}

void MainWindow::centreDialog(QWidget *dialog) const
{
    if (!dialog)
        return;
    const QRect window(mapToGlobal(QPoint(0, 0)), size());
    dialog->move(centredTopLeft(window, dialog->size()));
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QVariableSizeWidget::resizeEvent(event);
    placeTitleButtons();
    if (!isClosing() && !isMaximizedByFrame() && isVisible())
        m_keptSize = size();
}

namespace {
const QString kWindowItem = QStringLiteral("MAINWINDOW_ITEM");
// The window's smallest size without and with the segment list open.
constexpr QSize kMinimumWithoutList(710, 520);
constexpr QSize kMinimumWithList(710, 715);
} // namespace

void MainWindow::restoreArrangement()
{
    const int w = ParserXML::readItemValue(kWindowItem, QStringLiteral("Width"), QString()).toInt();
    const int h = ParserXML::readItemValue(kWindowItem, QStringLiteral("Height"), QString()).toInt();
    const int list = ParserXML::readItemValue(kWindowItem, QStringLiteral("ListHeight"), QString()).toInt();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(w, h);
    if (w > 0 && h > 0)
        resize(qBound(minimumWidth(), w, qMax(minimumWidth(), room.width())),
               qBound(minimumHeight(), h, qMax(minimumHeight(), room.height())));
    m_keptSize = size();
    if (list > 0)
        m_videoItemDlg->setListHeight(list);
}

void MainWindow::storeArrangement()
{
    if (!m_keptSize.isValid())
        return;
    // Stored as the window is without the segment list, which opens again
    // with the next file and adds its height then.
    const int height = m_keptSize.height() - (m_videoItemDlg->isListExpanded() ? m_listGrowth : 0);
    ParserXML::writeItemValue(kWindowItem, QStringLiteral("Width"), QString::number(m_keptSize.width()));
    // Against the minimum without the list: the one in force now counts it.
    ParserXML::writeItemValue(kWindowItem, QStringLiteral("Height"),
                              QString::number(qMax(height, kMinimumWithoutList.height())));
    ParserXML::writeItemValue(kWindowItem, QStringLiteral("ListHeight"), QString::number(m_videoItemDlg->listHeight()));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QVariableSizeWidget::showEvent(event);
    m_showTimer.start(50);
}

void MainWindow::showTimer()
{
    m_showTimer.stop();
    // Nudging the width makes the panels lay out once the window is shown.
    const int w = width();
    resize(w - 1, height());
    resize(w, height());
}

void MainWindow::showVideoList(int changeH, bool Show)
{
    if (Show) {
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const int available = screen ? screen->availableGeometry().height() : height() + changeH;
        const int before = height();
        setMinimumSize(kMinimumWithList);
        const int target = qMin(before + changeH, available);
        resize(width(), target);
        // What the list added, as asked (the window system may apply it
        // later): the minimum size can add more than the list itself.
        m_listGrowth = qMax(target, minimumHeight()) - before;
        } else {
        setMinimumSize(kMinimumWithoutList);
        if (!isMaximizedByFrame())
            resize(width(), height() - changeH);
    }
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_savedListHeight = m_videoItemDlg->listHeight();
    QVariableSizeWidget::mouseDoubleClickEvent(event);
    updateMaxButtons();
}

void MainWindow::RestoreDlg()
{
    m_videoItemDlg->setListHeight(m_savedListHeight);
    updateMaxButtons();
}

void MainWindow::IsStartToConverter(bool bStart)
{
    m_videoPlayDlg->setConverting(bStart);
    m_videoCutToolbar->setConverting(bStart);
    g_converting = bStart;
    if (!bStart)
        focusPlayerArea();
}

void MainWindow::OnFormatDlg()
{
    // The panel says what becomes of the current source's HDR.
    const VoVideoConvertItem *item = currentItem();
    FormatWidget::instance(this)->setSourceHdr(
        item && !item->m_videoStreams.isEmpty() ? QString::fromStdString(item->m_videoStreams.first().hdr) : QString());
    FormatWidget::instance(this)->runModal(this);
    // An accepted output setting is one step of the work.
    m_project->record(tr("Change Format"));
}

