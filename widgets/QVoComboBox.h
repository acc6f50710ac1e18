#pragma once
// A QComboBox that paints itself from pictures once it has a background
// picture ("picture mode"): a drawn body and text, an image arrow button and
// a popup list whose rows are drawn widgets. Without a background picture it
// is a plain QComboBox. Keyboard use (arrows, Page Up/Down, typing to
// select, F4/Alt+Down, Enter/Escape in the popup) is the QComboBox's own.
#include "QVoBaseRectImageDraw.h"
#include "QVoComboBoxItem.h"

#include <QComboBox>
#include <QFont>

class QListWidget;
class QVoBaseButton;

class QVoComboBox : public QComboBox, public QVoBaseRectImageDraw {
    Q_OBJECT
public:
    explicit QVoComboBox(QWidget *parent = nullptr);

    bool isPictureMode() const { return m_list != nullptr; }
    QListWidget *popupList() const { return m_list; }
    QVoComboBoxItem *rowWidget(int index) const;

    bool setBackgroundImage(const QString &path);
    void setStateFrames(bool on) { QVoBaseRectImageDraw::setStateFrames(on); }
    bool setArrowImage(const QString &path, bool moveOnly = true);
    QVoBaseButton *arrowButton() const { return m_arrow; }
    void setArrowPosition(qint16 x, qint16 y, qint16 rightMargin = 0, qint16 bottomMargin = 0);
    void setTextColor(const QColor &color);
    void setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled);
    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }
    void setPopupBorder(int width, const QColor &color);
    int popupWidth() const { return m_popupWidth; }
    void setRowBackground(const QColor &color);
    void setRowHoverBackground(const QColor &color);
    void setRowSelectedBackground(const QColor &color);
    void setRowTextColor(const QColor &color);
    void setRowTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled);
    void setFont(const QFont &font);
    void setRowFont(const QFont &font);
    void setRowTextMargins(qint16 left, qint16 top, qint16 right, qint16 bottom);
    void setSeparator(int width, const QColor &color);
    void setBottomLineColor(const QColor &color);
    void setAttachedWidgetPosition(int x, int y);
    void setRowIconRect(int left, int top, int right, int bottom);
    const ComboRowTemplate &rowTemplate() const { return m_template; }
    QString styleSheetText() const { return m_styleSheet; }

    void addItem(const QString &text, const QVariant &data = QVariant());
    void addItems(const QStringList &texts);
    void addItem(const QPixmap &picture, const QString &text, const QVariant &data = QVariant());
    void insertItem(int index, const QPixmap &picture, const QString &text, const QVariant &data = QVariant());
    void removeItem(int index);
    void clear();
    void setItemText(int index, const QString &text);
    void markLastRow();

    // Height of row `index` as the popup lays it out (row height, separator
    // share and bottom line).
    int rowLayoutHeight(int index) const;

signals:
    void emitShowPopup();
    void emitClicked();

public slots:
    void showPopup() override;
    void hidePopup() override;
    void changeEditColor(const QString &text);
    virtual void drawTextChange(const QString &text);
    void currentIndexChangeSlot(int index);

protected:
    // Hooks for combos whose rows carry more than text.
    virtual void rowAdded(int index, QVoComboBoxItem *row);
    virtual void rowRemoved(int index, QVoComboBoxItem *row);
    int paintedFrame() const override;

    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void replaceClause(const QString &start, const QString &end, const QString &clause);
    void applyStyleSheet();
    void placeArrow();
    void placeLineEdit();
    void updateRowSizes();
    QColor rowNormalTextColor() const { return m_rowColors[0]; }
    QFont rowFont() const { return m_rowFontSet ? m_rowFont : font(); }

    QVoBaseButton *m_arrow = nullptr;
    qint16 m_arrowX = -1, m_arrowY = -1;
    qint16 m_arrowRight = 0, m_arrowBottom = 0;
    bool m_arrowMoveOnly = true;
    QString m_styleSheet;
    int m_rowHeight = 19;
    int m_popupWidth = 0;
    int m_popupBorder = 0;
    ComboRowTemplate m_template;
    QListWidget *m_list = nullptr;
    QRect m_rowIconRect{QPoint(0, 0), QPoint(-1, -1)};
    QMargins m_rowTextMargins{1, 1, 1, 1};
    QFont m_rowFont;
    bool m_rowFontSet = false;
    QColor m_rowColors[4];
    bool m_rowColorsSet = false;
};
