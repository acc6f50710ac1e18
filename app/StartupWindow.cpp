#include "StartupWindow.h"

#include "AppPaths.h"
#include "Languages.h"
#include "ParserXML.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

StartupWindow::StartupWindow(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(productTitle());
    resize(960, 640);
    setStyleSheet("background-color: rgb(51,51,51); color: rgb(228,228,228);");
    m_labWelcome = new QLabel(this);
    m_labWelcome->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_labWelcome);

    installLanguage(ParserXML::readItemValue("Language_item", "Language_Name", "English"));
    retranslate();
}

void StartupWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void StartupWindow::retranslate()
{
    m_labWelcome->setText(tr("Add a video or audio file to start cutting."));
}
