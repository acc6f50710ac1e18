#pragma once
// The row of seven tab buttons of the editing dialog; exactly one is checked.
#include <QList>
#include <QWidget>

class QTextImageButton;

class QVideoEditTag : public QWidget {
    Q_OBJECT
public:
    explicit QVideoEditTag(QWidget *parent = nullptr);
    // A tab bar of other titles, in the same look (a tab's own sub-tabs).
    QVideoEditTag(const QStringList &titles, QWidget *parent);
    void setCurrentIndex(int index);
    int currentIndex() const { return m_current; }
    void setTabEnabled(int index, bool enabled);
    bool isTabEnabled(int index) const;
    QTextImageButton *button(int index) const { return m_buttons.value(index); }
    static int tabCount() { return 7; }

signals:
    void emitSelectedTag(int index);

private slots:
    void onButton();

private:
    QList<QTextImageButton *> m_buttons;
    int m_current = 0;
};
