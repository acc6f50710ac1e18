#pragma once
// Base of the editing tabs that edit one part of the record: they read and
// write it through the settings holder, and those with "Apply to all" and
// "Reset" carry the common button pair at their foot.
#include <QWidget>

class QCommonButtonForm;
class QLabel;
class QVideoEditingSettings;

class QEditOperationForm : public QWidget {
    Q_OBJECT
public:
    QEditOperationForm(QVideoEditingSettings *settings, bool commonButtons, QWidget *parent = nullptr);
    QCommonButtonForm *commonButtons() const { return m_common; }
    // Shows the holder's values; called the first time the tab is shown.
    virtual void loadSettings() {}
    bool isLoaded() const { return m_loaded; }
    void loadOnce();

signals:
    void emitApplyToAll();

protected slots:
    // Puts the tab's part of the record back to its defaults.
    virtual void onReset() {}

protected:
    QVideoEditingSettings *m_settings = nullptr;
    QLabel *m_labCaption = nullptr;

private:
    QCommonButtonForm *m_common = nullptr;
    bool m_loaded = false;
};
