#pragma once
// One tile of a format grid: the format's icon and title on a state
// background, and a small "Set" button while the tile is selected.
#include <QPixmap>
#include <QWidget>

class QImageButton;
class QLabel;

class FormatItem : public QWidget {
    Q_OBJECT
public:
    FormatItem(const QString &id, const QString &category, const QString &ext, const QString &title,
               const QString &icon, bool noSetButton, QWidget *parent = nullptr);

    QString formatId() const { return m_id; }
    QString category() const { return m_category; }
    QString extension() const { return m_ext; }
    QString title() const { return m_title; }
    bool hasIcon() const { return !m_icon.isNull(); }
    int state() const { return m_state; }
    // 2 selects the tile; 0 and 1 are the normal and hover looks.
    void setState(int state);
    QImageButton *setButton() const { return m_btnSet; }

    // Where an icon of this name is installed, relative to the application folder.
    static QString iconPath(const QString &icon);

signals:
    void emitItemPress(const QString &categories, const QString &ItemID, bool all);
    void emitItemDoubleClick();
    void emitOnSet(const QString &itemID);

public slots:
    void BtnPress();
    void BtnEnter();
    void BtnLeave();
    void OnBtnSet();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_id;
    QString m_category;
    QString m_ext;
    QString m_title;
    QPixmap m_icon;
    QPixmap m_background;
    QLabel *m_labName = nullptr;
    QImageButton *m_btnSet = nullptr;
    int m_state = 0;
    bool m_noSetButton = false;
};
