#include "PlayerDemo.h"

#include "QDualSlider.h"
#include "QPlayObject.h"
#include "QVideoPlayDlg.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

PlayerDemo::PlayerDemo(QWidget *parent)
    : QWidget(parent), m_holder(new QPlayObject(this)), m_panel(new QVideoPlayDlg(this)),
      m_slider(new QDualSlider(this))
{
    setAcceptDrops(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(51, 51, 51));
    setPalette(pal);
    m_slider->setTrackImage("/image/CutToolDlg/trake_cut1.png");
    m_slider->setRangeImage("/image/CutToolDlg/trake_cut2.png");
    m_slider->setHandleAreaImage("/image/CutToolDlg/trake_cut_btn_bg.png");
    m_slider->setStartHandleImage("/image/CutToolDlg/btn_silder_left.png", 0);
    m_slider->setEndHandleImage("/image/CutToolDlg/btn_silder_right.png");
    m_slider->setProgressHandleImage("/image/CutToolDlg/btn_silder_proess.png", 2);
    m_slider->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(m_panel, 1);
    layout->addWidget(m_slider, 0, Qt::AlignHCenter);
    m_panel->setMinimumSize(600, 420);
    m_slider->setFixedWidth(600);

    // The wiring the main window makes between the panel and the cut tool's slider.
    connect(m_panel, &QVideoPlayDlg::emitTrimDSliderEnable, m_slider, &QDualSlider::setEnabled);
    connect(m_panel, &QVideoPlayDlg::emitPlayProValue, m_slider,
            [this](double percent) { m_slider->setProgressPercent(percent, false); });
    connect(m_slider, &QDualSlider::sendPlayProValue, m_panel, &QVideoPlayDlg::PlayProValueChange);
    connect(m_slider, &QDualSlider::emitMousePress, m_panel, &QVideoPlayDlg::BeginAsyncSeek);
    connect(m_slider, &QDualSlider::emitmouseRelease, m_panel, &QVideoPlayDlg::EndAsyncSeek);
    connect(m_slider, &QDualSlider::emitPreviousFrame, m_panel, &QVideoPlayDlg::OnBtnPrevious);
    connect(m_slider, &QDualSlider::emitNextFrame, m_panel, &QVideoPlayDlg::OnBtnNext);
    auto applySection = [this] {
        const uint64_t d = m_panel->duration();
        m_panel->setSection(uint64_t(m_slider->startFraction() * d), uint64_t(m_slider->endFraction() * d));
    };
    connect(m_slider, &QDualSlider::sendProgressValue, this, applySection);
    connect(m_slider, &QDualSlider::sendEndProgressValue, this, applySection);
}

bool PlayerDemo::openFile(const QString &path)
{
    m_panel->close();
    const bool ok = m_holder->open(path);
    m_panel->open(path, ok ? m_holder->playerHandle() : 0);
    // A new file is kept whole until the handles move.
    m_slider->setStartPercent(0);
    m_slider->setEndPercent(100);
    setWindowTitle(path);
    return ok;
}

void PlayerDemo::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void PlayerDemo::dropEvent(QDropEvent *e)
{
    const QList<QUrl> urls = e->mimeData()->urls();
    if (!urls.isEmpty())
        openFile(urls.last().toLocalFile());
}
