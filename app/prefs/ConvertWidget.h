#pragma once
// The "Convert" page of the preferences: the output folder, turning the
// computer off when every conversion has finished, and the templates that
// name segment files and merged files.
#include <QWidget>

class QCheckButton;
class QGroupBox;
class QLabel;
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
    // The template fields; a template naming a placeholder we do not know
    // is shown in red and not stored.
    QLineEdit *segmentTemplateEdit() const { return m_segmentTemplate; }
    QLineEdit *mergedTemplateEdit() const { return m_mergedTemplate; }
    QLabel *templateHint() const { return m_templateHint; }
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
    QGroupBox *m_GroupNames;
    QLabel *m_labSegmentTemplate;
    QLabel *m_labMergedTemplate;
    QLineEdit *m_segmentTemplate;
    QLineEdit *m_mergedTemplate;
    QLabel *m_templateHint;
    void showTemplateCheck();
};
