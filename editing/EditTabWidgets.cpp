#include "EditTabWidgets.h"

#include "QVoBaseSlider.h"
#include "QVoCheckBox.h"
#include "QVoComboBox.h"
#include "QVoLineEdit.h"

#include <QLabel>
#include <QRegularExpressionValidator>

namespace edittabwidgets {

namespace {
const QColor kText(246, 246, 246);
const QColor kSelection(89, 104, 130);

QFont tabFont(int pixels)
{
    QFont f("Tahoma");
    f.setPixelSize(pixels);
    return f;
}
} // namespace

QLabel *captionLabel(QWidget *parent, const QString &text, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return l;
}

QVoBaseSlider *valueSlider(QWidget *parent, const QString &name)
{
    auto *s = new QVoBaseSlider(parent);
    s->setObjectName(name);
    s->setTrackPicture("/VEditSource/slider_bottom.png");
    s->setFillPicture("/VEditSource/slider_top.png");
    s->setHandlePicture("/VEditSource/slider_image.png");
    s->setRange(0, 100);
    s->setFixedSize(120, 22);
    return s;
}

QVoLineEdit *valueEdit(QWidget *parent, const QString &name, int digits)
{
    auto *e = new QVoLineEdit(parent);
    e->setObjectName(name);
    e->setBackgroundImage("/VEditSource/edit_background.png");
    e->setFont(tabFont(12));
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, kText);
    pal.setColor(QPalette::Highlight, kSelection);
    e->setPalette(pal);
    e->setFixedHeight(22);
    e->QLineEdit::setTextMargins(4, 0, 4, 0);
    if (digits > 0) {
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QString("^[0-9]{0,%1}$").arg(digits)), e));
        e->setFixedWidth(40);
        e->setAlignment(Qt::AlignCenter);
    }
    return e;
}

void styleCombo(QVoComboBox *combo, int width, int height)
{
    combo->setFixedSize(width, height);
    combo->setBackgroundImage("/VEditSource/edit_background.png");
    combo->setArrowImage("/VEditSource/cbb_trigonometric.png", true);
    combo->setArrowPosition(qint16(width - 17), -1);
    combo->setTextMargins(4, 0, 18, 0);
    combo->setFont(tabFont(12));
    combo->setRowFont(tabFont(11));
    combo->setTextColor(kText);
    combo->setRowTextColor(kText);
    combo->setRowBackground(QColor(51, 51, 51));
    combo->setRowHoverBackground(kSelection);
    combo->setRowHeight(22);
    combo->setMaxVisibleItems(16);
    combo->setRowSelectedBackground(kSelection);
}

QVoCheckBox *checkBox(QWidget *parent, const QString &text, const QString &name)
{
    auto *b = new QVoCheckBox(text, parent);
    b->setObjectName(name);
    b->setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png");
    b->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    return b;
}

} // namespace edittabwidgets
