#pragma once
// The "General" page of the preferences: automatic updates, what closing
// the main window does, and the interface language.
#include <QWidget>

class QCheckButton;
class QGroupBox;
class QVoComboBox;

class GeneralWidget : public QWidget {
    Q_OBJECT
public:
    explicit GeneralWidget(QWidget *parent = nullptr);

    bool autoUpdateChosen() const;
    bool exitChosen() const;
    bool updateChanged() const;
    bool closeChanged() const;
    bool languageChanged() const;
    // The language display name as it was when the page opened.
    QString openingLanguage() const { return m_openingLanguage; }

    // Writes the choices that differ from the opening ones; emits
    // sendUpdate when the update choice changed.
    void writeChanges();
    void retranslateUi();

signals:
    void sendUpdate(bool bUpdate);
    void sendLanguageName(QString qmFile);

public slots:
    void OnChanegeUpdate();
    void OnChangeClose();
    void languageChange(int index);

private:
    QGroupBox *m_GroupUpdates;
    QCheckButton *m_radAutoUpdate;
    QCheckButton *m_radCloseUpdate;
    QGroupBox *m_GroupClose;
    QCheckButton *m_radMin;
    QCheckButton *m_radExit;
    QGroupBox *m_GroupLanguage;
    QVoComboBox *m_cmbLan;

    bool m_openingAutoUpdate = false;
    bool m_openingExit = true;
    int m_openingLanguageRow = -1;
    QString m_openingLanguage;
};
