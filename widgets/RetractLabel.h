#pragma once
// A label showing a name that can be renamed in place through a hidden line
// edit. Characters a file name cannot hold are refused as they are typed.
#include <QLabel>

class QLineEdit;

class RetractLabel : public QLabel {
    Q_OBJECT
public:
    explicit RetractLabel(QWidget *parent = nullptr);

    void setName(const QString &name);
    QString name() const { return m_name; }
    // Renaming keeps the old name's extension; the edit shows the name
    // without it.
    void setKeepExtension(bool on) { m_keepExtension = on; }
    bool keepExtension() const { return m_keepExtension; }
    // Shows the line edit over the label with the current name.
    void startRename();
    bool isRenaming() const;

    QLineEdit *lineEdit() const { return m_edit; }
    // True when the text holds a character a file name may not contain.
    static bool hasForbiddenCharacter(const QString &text);

signals:
    void emitChangeName();

public slots:
    void RenameOK();
    void NameChange(QString text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString extension() const;

    QLineEdit *m_edit = nullptr;
    QString m_name;
    QString m_pending; // the last accepted text of the edit
    bool m_keepExtension = false;
};
