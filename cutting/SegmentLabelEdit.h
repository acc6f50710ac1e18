#pragma once
// The in-place editor of a segment's label, laid over the text it
// changes. Return or leaving it keeps the text, Escape keeps the old one;
// either way it goes away by itself. Labels become chapter titles and
// parts of file names, so line breaks and tabs become spaces and the ends
// are trimmed.
#include <QLineEdit>

class SegmentLabelEdit : public QLineEdit {
    Q_OBJECT
public:
    // Opens an editor on parent at geometry, with the text selected and
    // the focus in it.
    static SegmentLabelEdit *open(QWidget *parent, const QRect &geometry, const QString &text);

    static QString cleaned(const QString &text);

signals:
    // Once, when the editor closes with the text kept.
    void committed(const QString &label);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    explicit SegmentLabelEdit(QWidget *parent);
    void finish(bool keep);

    bool m_done = false;
};
