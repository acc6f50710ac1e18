#pragma once
#include <QWidget>

class QLabel;

// The window shown until the main window exists: titled with the product
// name, with the interface language loaded as the main window will do.
class StartupWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartupWindow(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    QLabel *m_labWelcome = nullptr;
};
