#include "StyleScrollBar.h"

#include "SkinImage.h"

StyleScrollBar::StyleScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setStyleSheet(baseStyleSheet());
}

QString StyleScrollBar::baseStyleSheet()
{
    return QStringLiteral(
        "QScrollBar:vertical{width:8px;background:rgba(0,0,0,0%);margin:0px,0px,0px,0px;padding-top:9px;padding-bottom:9px;}"
        "QScrollBar::handle:vertical{width:8px;background:rgba(80,80,80,100%); border-radius:4px;min-height:20;}"
        "QScrollBar::handle:vertical:hover{width:8px;background:rgba(104,104,104,100%); border-radius:4px;min-height:20;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:rgba(0,0,0,10%);border-radius:4px;}");
}

namespace {
QString clause(const QString &pattern, QString path)
{
    return pattern.arg(path.replace('\\', '/'));
}
} // namespace

void StyleScrollBar::setUpArrowImages(const QString &normal, const QString &hover)
{
    QString sheet = styleSheet();
    if (!normal.isEmpty())
        sheet += clause(QStringLiteral("QScrollBar::sub-line:vertical{height:9px;width:8px;border-image:url(%1);subcontrol-position:top;}"), normal);
    if (!hover.isEmpty())
        sheet += clause(QStringLiteral("QScrollBar::sub-line:vertical:hover{height:9px;width:8px;border-image:url(%1);subcontrol-position:top;}"), hover);
    setStyleSheet(sheet);
}

void StyleScrollBar::setDownArrowImages(const QString &normal, const QString &hover)
{
    QString sheet = styleSheet();
    if (!normal.isEmpty())
        sheet += clause(QStringLiteral("QScrollBar::add-line:vertical{height:9px;width:8px;border-image:url(%1);subcontrol-position:bottom;}"), normal);
    if (!hover.isEmpty())
        sheet += clause(QStringLiteral("QScrollBar::add-line:vertical:hover{height:9px;width:8px;border-image:url(%1);subcontrol-position:bottom;}"), hover);
    setStyleSheet(sheet);
}

void StyleScrollBar::setStandardArrows()
{
    setUpArrowImages(skin::path(QStringLiteral("/image/ScrollBar/btn_up.png")), skin::path(QStringLiteral("/image/ScrollBar/btn_up2.png")));
    setDownArrowImages(skin::path(QStringLiteral("/image/ScrollBar/btn_down.png")),
                       skin::path(QStringLiteral("/image/ScrollBar/btn_down2.png")));
}
