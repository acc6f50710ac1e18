#include "RetractLabel.h"

#include <QLineEdit>
#include <QRegularExpression>

RetractLabel::RetractLabel(QWidget *parent)
    : QLabel(parent)
    , m_edit(new QLineEdit(this))
{
    m_edit->hide();
    connect(m_edit, &QLineEdit::textEdited, this, &RetractLabel::NameChange);
    connect(m_edit, &QLineEdit::editingFinished, this, &RetractLabel::RenameOK);
}

void RetractLabel::setName(const QString &name)
{
    m_name = name;
    setText(name);
}

QString RetractLabel::extension() const
{
    const int dot = m_name.lastIndexOf('.');
    return dot < 0 ? QString() : m_name.mid(dot);
}

bool RetractLabel::hasForbiddenCharacter(const QString &text)
{
    static const QRegularExpression forbidden(QStringLiteral("[/:*\"<>|?]"));
    return text.contains(forbidden) || text.contains('\\');
}

void RetractLabel::startRename()
{
    m_pending = m_keepExtension ? m_name.left(m_name.size() - extension().size()) : m_name;
    m_edit->setText(m_pending);
    m_edit->setGeometry(rect());
    m_edit->show();
    m_edit->setFocus();
    m_edit->selectAll();
}

bool RetractLabel::isRenaming() const { return !m_edit->isHidden(); }

void RetractLabel::NameChange(QString text)
{
    if (hasForbiddenCharacter(text)) {
        const int cursor = m_edit->cursorPosition();
        m_edit->setText(m_pending);
        m_edit->setCursorPosition(qMin(qMax(0, cursor - 1), m_pending.size()));
        return;
    }
    m_pending = text;
}

void RetractLabel::RenameOK()
{
    if (!isRenaming())
        return;
    m_edit->hide();
    const QString typed = m_edit->text().trimmed();
    // An empty name would leave a file called only by its extension (or by
    // nothing at all); such a rename is dropped.
    if (typed.isEmpty() || hasForbiddenCharacter(typed))
        return;
    setName(m_keepExtension ? typed + extension() : typed);
    emit emitChangeName();
}

void RetractLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    m_edit->setGeometry(rect());
}
