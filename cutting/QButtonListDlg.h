#pragma once
// The numbered page buttons above the segment list: one small button per
// segment, six visible at a time, with previous and next arrows to scroll
// the window of visible buttons.
#include <QList>
#include <QWidget>

class QHBoxLayout;
class QTextImageButton;

class QButtonListDlg : public QWidget {
    Q_OBJECT
public:
    explicit QButtonListDlg(QWidget *parent = nullptr);

    void add(bool select);
    void remove(int index);
    void clear();
    void select(int index);
    int count() const { return m_buttons.size(); }

    // For the owner's tests and screenshots.
    int selectedIndex() const { return m_buttons.indexOf(m_selected); }
    int firstVisible() const { return m_firstVisible; }
    QTextImageButton *button(int index) const { return m_buttons.value(index); }
    QTextImageButton *previousButton() const { return m_btnPrevious; }
    QTextImageButton *nextButton() const { return m_btnNext; }

    static constexpr int visibleCount = 6;

signals:
    void ClickIndex(int index);

public slots:
    void OnClickBtn();
    void OnPreviousBtn();
    void OnNextBtn();
    void showLastItem();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void placeArrows();
    void setSelected(QTextImageButton *button);

    QList<QTextImageButton *> m_buttons;
    QTextImageButton *m_selected = nullptr;
    int m_firstVisible = 0;
    QHBoxLayout *m_buttonLayout = nullptr;
    QTextImageButton *m_btnPrevious = nullptr;
    QTextImageButton *m_btnNext = nullptr;
};
