#pragma once
// A drawn combo whose rows carry check boxes. In multiple-choice mode the
// drawn text lists the checked rows joined by ";"; in single-choice mode the
// boxes act as radio buttons that follow the current row.
#include "QVoComboBox.h"

#include <QList>

class QComboboxCheckbox;

class QCheckboxCombobox : public QVoComboBox {
    Q_OBJECT
public:
    explicit QCheckboxCombobox(QWidget *parent = nullptr);

    // Nothing happens when the unchecked picture does not exist.
    void setBoxPictures(const QString &unchecked, const QString &checked);
    void setMultipleChoice(bool multiple);
    bool isMultipleChoice() const { return m_multiple; }
    bool isRowChecked(int index) const;
    void setRowChecked(int index, bool checked);
    QComboboxCheckbox *rowCheckbox(int index) const;
    void setCheckboxesShown(bool shown);
    void clear();

signals:
    void emitClickCheckbox(int index);
    void emitStateChange(int index, int state);

public slots:
    void clickCheckbox();
    void clickRadio();
    void slotStateChanged(int state);
    void selectChange(int index);
    void hidePopup() override;
    void drawTextChange(const QString &text) override;

protected:
    void rowAdded(int index, QVoComboBoxItem *row) override;
    void rowRemoved(int index, QVoComboBoxItem *row) override;

private:
    int rowOfSender() const;
    void refreshDrawText();
    QString checkedTexts() const;

    bool m_shown = true;
    QList<QComboboxCheckbox *> m_boxes;
    QString m_unchecked;
    QString m_checked;
    bool m_multiple = true;
};
