#pragma once
// A small window that hosts the player panel over a trim slider, with the
// player holder of the current file, until the main window takes that role.
#include <QWidget>

class QDualSlider;
class QPlayObject;
class QVideoPlayDlg;

class PlayerDemo : public QWidget {
    Q_OBJECT
public:
    explicit PlayerDemo(QWidget *parent = nullptr);
    bool openFile(const QString &path);
    QVideoPlayDlg *panel() const { return m_panel; }

protected:
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    QPlayObject *m_holder;
    QVideoPlayDlg *m_panel;
    QDualSlider *m_slider;
};
