#include "QVEDualSlider.h"

QVEDualSlider::QVEDualSlider(QWidget *parent) : QDualSlider(parent)
{
    setTrackImage("/VEditSource/slider_bottom.png");
    setRangeImage("/VEditSource/slider_top.png");
    setStartHandleImage("/VEditSource/btn_silder_start.png", 0);
    setEndHandleImage("/VEditSource/btn_silder_end.png");
    setProgressHandleImage("/VEditSource/btn_silder_proess.png", 2);
}
