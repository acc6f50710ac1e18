#include "QCheckboxCombobox.h"

#include "QComboboxCheckbox.h"
#include "SkinImage.h"

#include <QFileInfo>
#include <QListWidget>

QCheckboxCombobox::QCheckboxCombobox(QWidget *parent)
    : QVoComboBox(parent)
{
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &QCheckboxCombobox::selectChange);
}

void QCheckboxCombobox::setBoxPictures(const QString &unchecked, const QString &checked)
{
    if (!QFileInfo::exists(skin::path(unchecked)))
        return;
    m_unchecked = unchecked;
    m_checked = checked;
    for (QComboboxCheckbox *box : qAsConst(m_boxes))
        box->setBoxPictures(m_unchecked, m_checked);
}

void QCheckboxCombobox::setMultipleChoice(bool multiple)
{
    m_multiple = multiple;
    for (QComboboxCheckbox *box : qAsConst(m_boxes))
        box->setRadioLook(!multiple);
    if (!multiple) {
        const int current = currentIndex();
        for (int i = 0; i < m_boxes.size(); ++i)
            m_boxes[i]->setChecked(i == current);
    }
    refreshDrawText();
}

bool QCheckboxCombobox::isRowChecked(int index) const
{
    const QComboboxCheckbox *box = rowCheckbox(index);
    return box && box->isChecked();
}

void QCheckboxCombobox::setRowChecked(int index, bool checked)
{
    if (QComboboxCheckbox *box = rowCheckbox(index))
        box->setChecked(checked);
}

QComboboxCheckbox *QCheckboxCombobox::rowCheckbox(int index) const
{
    return (index >= 0 && index < m_boxes.size()) ? m_boxes[index] : nullptr;
}

void QCheckboxCombobox::setCheckboxesShown(bool shown)
{
    m_shown = shown;
    for (QComboboxCheckbox *box : qAsConst(m_boxes))
        box->setVisible(shown);
}

void QCheckboxCombobox::clear()
{
    // The rows own their boxes; the base deletes the rows.
    QVoComboBox::clear();
    m_boxes.clear();
    refreshDrawText();
}

void QCheckboxCombobox::rowAdded(int index, QVoComboBoxItem *row)
{
    auto *box = new QComboboxCheckbox(row);
    if (!m_unchecked.isEmpty())
        box->setBoxPictures(m_unchecked, m_checked);
    box->adjustSize();
    connect(box, &QAbstractButton::clicked, this, &QCheckboxCombobox::clickCheckbox);
    connect(box, &QComboboxCheckbox::emitClick, this, &QCheckboxCombobox::clickRadio);
    connect(box, &QCheckBox::stateChanged, this, &QCheckboxCombobox::slotStateChanged);
    m_boxes.insert(qBound(0, index, m_boxes.size()), box);
    row->setAttachedWidget(box);
    box->setVisible(m_shown);
    box->setRadioLook(!m_multiple);
    if (m_multiple)
        refreshDrawText();
}

void QCheckboxCombobox::rowRemoved(int index, QVoComboBoxItem *)
{
    if (index < 0 || index >= m_boxes.size())
        return;
    delete m_boxes.takeAt(index);
    if (m_multiple)
        refreshDrawText();
}

int QCheckboxCombobox::rowOfSender() const
{
    const auto *box = qobject_cast<const QComboboxCheckbox *>(sender());
    const auto *row = box ? qobject_cast<const QVoComboBoxItem *>(box->parentWidget()) : nullptr;
    if (!row || !popupList())
        return -1;
    return popupList()->row(row->listItem());
}

void QCheckboxCombobox::clickCheckbox() { emit emitClickCheckbox(rowOfSender()); }

void QCheckboxCombobox::clickRadio()
{
    const int row = rowOfSender();
    if (row >= 0) {
        setCurrentIndex(row);
        // Choosing the row that is already current changes no index.
        selectChange(row);
    }
    hidePopup();
}

void QCheckboxCombobox::slotStateChanged(int state)
{
    if (m_multiple)
        refreshDrawText();
    emit emitStateChange(rowOfSender(), state);
}

void QCheckboxCombobox::selectChange(int index)
{
    if (m_multiple)
        return;
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(i == index);
}

void QCheckboxCombobox::hidePopup() { QVoComboBox::hidePopup(); }

void QCheckboxCombobox::drawTextChange(const QString &text)
{
    QVoComboBox::drawTextChange(m_multiple ? checkedTexts() : text);
}

QString QCheckboxCombobox::checkedTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i]->isChecked())
            texts << itemText(i);
    return texts.join(';');
}

void QCheckboxCombobox::refreshDrawText() { drawTextChange(currentText()); }
