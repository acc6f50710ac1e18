#pragma once
// The rows of a text's look shared by the watermark text's and the
// subtitles' "Font" dialogs: the font, the font, outline and shadow
// colours, outline size, shadow offset and the two spacings. The panel
// shows a look and reports each change the user makes; the dialog around it
// decides where the look is written.
#include <QColor>
#include <QFont>
#include <QMetaType>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QVoBaseButton;
class QVoDoubleSpinBox;

struct FontLook {
    std::string fontName; // "" is the default font
    int fontSize = 0;
    int bold = 0, italic = 0, underline = 0, strikeOut = 0;
    uint32_t fontColor = 0xffffffffu;
    uint32_t outlineColor = 0xff000000u;
    uint32_t shadowColor = 0x80000000u;
    double outlineSize = 1.0;
    double shadowOffset = 0.5;
    double spacingH = 0.05;
    double spacingV = 0.05;

    // "Reset": colours, sizes, spacing and font back to the defaults; the
    // font size and style are the user's and stay.
    void resetLook();

    // The look's fields of a record that has them under these names (the
    // watermark's text part, the subtitle style), and back.
    template <class Record> static FontLook of(const Record &r)
    {
        FontLook l;
        l.fontName = r.fontName;
        l.fontSize = r.fontSize;
        l.bold = r.bold;
        l.italic = r.italic;
        l.underline = r.underline;
        l.strikeOut = r.strikeOut;
        l.fontColor = r.fontColor;
        l.outlineColor = r.outlineColor;
        l.shadowColor = r.shadowColor;
        l.outlineSize = r.outlineSize;
        l.shadowOffset = r.shadowOffset;
        l.spacingH = r.spacingH;
        l.spacingV = r.spacingV;
        return l;
    }
    template <class Record> void applyTo(Record &r) const
    {
        r.fontName = fontName;
        r.fontSize = fontSize;
        r.bold = bold;
        r.italic = italic;
        r.underline = underline;
        r.strikeOut = strikeOut;
        r.fontColor = fontColor;
        r.outlineColor = outlineColor;
        r.shadowColor = shadowColor;
        r.outlineSize = outlineSize;
        r.shadowOffset = shadowOffset;
        r.spacingH = spacingH;
        r.spacingV = spacingV;
    }
};
Q_DECLARE_METATYPE(FontLook)

class QFontLookPanel : public QWidget {
    Q_OBJECT
public:
    enum ColorRow { FontColor = 0, OutlineColor = 1, ShadowColor = 2 };

    // fontToolTip names what the font is for.
    explicit QFontLookPanel(const QString &fontToolTip, QWidget *parent = nullptr);

    // The system font and colour dialogs unless replaced; a chooser returns
    // false when the user cancelled.
    using FontChooser = std::function<bool(QFont &font, QWidget *parent)>;
    using ColorChooser = std::function<bool(QColor &color, QWidget *parent)>;
    static void setFontChooser(FontChooser chooser);
    static void setColorChooser(ColorChooser chooser);

    // Shows look without reporting it.
    void setLook(const FontLook &look);
    FontLook look() const { return m_look; }

    QVoBaseButton *fontButton() const { return m_btnFont; }
    QPushButton *colorButton(int row) const;
    QVoDoubleSpinBox *outlineSizeBox() const { return m_dspOutlineSize; }
    QVoDoubleSpinBox *shadowOffsetBox() const { return m_dspShadowOff; }
    QVoDoubleSpinBox *spacingHBox() const { return m_dspSpacingH; }
    QVoDoubleSpinBox *spacingVBox() const { return m_dspSpacingV; }

signals:
    // A change the user made, with the whole look as it now is.
    void emitLookChanged(FontLook look);

public slots:
    void onFont();
    void onColor();
    // A spin box's value; a change within 0.01 of the shown look is none.
    void valueChanged(double value);

private:
    QPushButton *makeColorButton(const char *name);
    QVoDoubleSpinBox *makeSpinBox(const char *name, double minimum, double maximum);
    void showColor(QPushButton *button, uint32_t argb);
    void showFontName(const QString &family);

    FontLook m_look;
    QVoBaseButton *m_btnFont = nullptr;
    QPushButton *m_btnTextColor = nullptr;
    QPushButton *m_btnOutlineColor = nullptr;
    QPushButton *m_btnShadowColor = nullptr;
    QVoDoubleSpinBox *m_dspOutlineSize = nullptr;
    QVoDoubleSpinBox *m_dspShadowOff = nullptr;
    QVoDoubleSpinBox *m_dspSpacingH = nullptr;
    QVoDoubleSpinBox *m_dspSpacingV = nullptr;
    bool m_loading = false;
};
