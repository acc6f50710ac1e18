#include "PlayerScenes.h"

#include "PlayerDemo.h"
#include "QDualSlider.h"
#include "qSliderCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QVBoxLayout>

namespace playerscenes {

QWidget *playerPanel(const QString &mediaPath)
{
    auto *demo = new PlayerDemo;
    demo->resize(720, 560);
    demo->show();
    if (!mediaPath.isEmpty()) {
        demo->openFile(mediaPath);
        // Let it play long enough for pictures and levels to arrive.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 1600)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return demo;
}

QWidget *trimSlider()
{
    auto *w = new QWidget;
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, QColor(51, 51, 51));
    w->setPalette(pal);
    auto *layout = new QVBoxLayout(w);
    for (int i = 0; i < 2; ++i) {
        auto *s = new QDualSlider(w);
        s->setTrackImage("/image/CutToolDlg/trake_cut1.png");
        s->setRangeImage("/image/CutToolDlg/trake_cut2.png");
        s->setHandleAreaImage("/image/CutToolDlg/trake_cut_btn_bg.png");
        s->setShowHandleArea(i == 1);
        s->setStartHandleImage("/image/CutToolDlg/btn_silder_left.png", 0);
        s->setEndHandleImage("/image/CutToolDlg/btn_silder_right.png");
        s->setProgressHandleImage("/image/CutToolDlg/btn_silder_proess.png", 2);
        s->setFixedWidth(420);
        s->setStartPercent(20 + 10 * i);
        s->setEndPercent(70 + 10 * i);
        s->setProgressPercent(45, false);
        layout->addWidget(s);
    }
    auto *volume = new qSliderCtrl(w);
    volume->setTrackImage("/image/PlayDlg/play_sound_trake_slider.png");
    volume->setFillImage("/image/PlayDlg/play_sound_trake_rate.png");
    volume->setHandleImage("/image/PlayDlg/play_sound_btn.png");
    volume->setRange(0, 200);
    volume->setValue(100);
    volume->setFixedSize(volume->size());
    layout->addWidget(volume);
    return w;
}

} // namespace playerscenes
