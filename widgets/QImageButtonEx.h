#pragma once
// A text image button with a counter badge, e.g. "open the output folder"
// counting the files written since it was last opened.
#include "QTextImageButton.h"

class QImageButtonEx : public QTextImageButton {
    Q_OBJECT
public:
    explicit QImageButtonEx(QWidget *parent = nullptr);

    int itemCount() const { return m_count; }
    void resetItemCount();

public slots:
    void addItemCount();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_count = 0;
    QPixmap m_badge;
};
