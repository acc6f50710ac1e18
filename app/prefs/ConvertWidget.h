#pragma once
// The "Convert" page of the preferences: the output folder and turning the
// computer off when every conversion has finished.
#include <QWidget>

class QCheckButton;
class QGroupBox;
class QLineEdit;
class QTextImageButton;

class ConvertWidget : public QWidget {
    Q_OBJECT
public:
    explicit ConvertWidget(QWidget *parent = nullptr);

    QString outputFolder() const { return m_outputPath; }
    bool shutDownChosen() const;
    // Writes the shut-down choice and makes the shown folder the current
    // output folder of the process.
    void writeChanges();
    void retranslateUi();

public slots:
    void OnChangePath();
    void OnResetPath();

private:
    void showFolder(const QString &folder);

    QGroupBox *m_GroupFinish;
    QCheckButton *m_chkShowDown;
    QGroupBox *m_GroupOutputPath_2;
    QLineEdit *m_pathTextEdit;
    QTextImageButton *m_btnChange;
    QTextImageButton *m_btnReset;
    QString m_outputPath;
};
