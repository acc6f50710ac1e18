#include "QAudioTagForm.h"

#include "EditTabWidgets.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoComboBox.h"
#include "QVoLineEdit.h"
#include "QVoTextEdit.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTextCodec>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace edittabwidgets;

namespace {

constexpr int kCoverSide = 124;

// The folder of the last cover chosen, for the next choice in this process.
QString &lastCoverFolder()
{
    static QString folder;
    return folder;
}

int positive(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

QVoBaseButton *textButton(QWidget *parent, const QString &text, const QString &name)
{
    auto *b = new QVoBaseButton(parent);
    b->setObjectName(name);
    b->setImage("/VEditSource/btn_common.png", true);
    b->setText(text);
    b->setFixedSize(90, 26);
    return b;
}

} // namespace

QStringList QAudioTagForm::genres()
{
    // Shown as they are in every language, as the tag values they become.
    return {"Altemative", "Blues",   "Books&Spoken", "Children's Music", "Classical", "Comedy",    "Dance",
            "Electronic", "Folk",    "Hip Hop/Rap",  "Holiday",          "House",     "Industrial", "Jazz",
            "Metal",      "Pop",     "Podcast",      "R&B",              "Religious", "Rock",      "Trance"};
}

QAudioTagForm::QAudioTagForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, false, parent)
{
    setObjectName("QAudioTagForm");
    m_labCaption->setText(tr("Title, artist, album and the other tags written into the output."));
    m_chooseFile = [](QWidget *parent, const QString &title, const QString &dir, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, dir, filter);
    };

    m_editTitle = valueEdit(this, "m_editTitle", 0);
    m_editArtist = valueEdit(this, "m_editArtist", 0);
    m_editComposer = valueEdit(this, "m_editComposer", 0);
    m_editAlbum = valueEdit(this, "m_editAlbum", 0);
    m_editGenre = new QVoComboBox(this);
    m_editGenre->setObjectName("m_editGenre");
    m_editGenre->setEditable(true);
    m_editGenre->setInsertPolicy(QComboBox::NoInsert);
    styleCombo(m_editGenre, 220, 22);
    m_editGenre->addItems(genres());
    QFont editFont("Tahoma");
    editFont.setPixelSize(12);
    m_editGenre->lineEdit()->setFont(editFont);
    m_editGenre->lineEdit()->setStyleSheet("QLineEdit { background: transparent; border: none; color: rgb(246, 246, 246);"
                                           " selection-background-color: rgb(89, 104, 130); }");
    m_editTrack1 = valueEdit(this, "m_editTrack1", 3);
    m_editTrack2 = valueEdit(this, "m_editTrack2", 3);
    m_editDisc1 = valueEdit(this, "m_editDisc1", 3);
    m_editDisc2 = valueEdit(this, "m_editDisc2", 3);
    m_editYear = valueEdit(this, "m_editYear", 4);
    m_editYear->setFixedWidth(56);
    m_editGrouping = valueEdit(this, "m_editGrouping", 0);
    m_editCopyright = valueEdit(this, "m_editCopyright", 0);
    for (QVoLineEdit *e : {m_editTitle, m_editArtist, m_editComposer, m_editAlbum, m_editGrouping, m_editCopyright})
        e->setFixedWidth(220);
    m_editComments = new QVoTextEdit(this);
    m_editComments->setObjectName("m_editComments");
    m_editComments->setBackgroundImage("/VEditSource/edit_background.png");
    m_editComments->setMargins(4, 2, 4, 2);
    m_editComments->textEdit()->setStyleSheet(
        "QTextEdit { background: transparent; color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;"
        " selection-background-color: rgb(89, 104, 130); }");
    m_editComments->textEdit()->setAcceptRichText(false);
    m_editComments->setFixedSize(220, 112);
    m_labCover = new QLabel(this);
    m_labCover->setObjectName("m_labCover");
    m_labCover->setFixedSize(kCoverSide, kCoverSide);
    m_labCover->setAlignment(Qt::AlignCenter);
    m_labCover->setStyleSheet("background: rgb(38, 38, 38); border: 1px solid rgb(80, 80, 80);");
    m_btnTagImg = textButton(this, tr("Add Image"), "m_btnTagImg");
    m_btnDelete = textButton(this, tr("Delete"), "m_btnDelete");
    m_btnDelete->hide();

    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 6, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    const auto pairBox = [this](QVoLineEdit *a, QVoLineEdit *b) {
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(a);
        row->addWidget(captionLabel(this, "/", QString()));
        row->addWidget(b);
        row->addStretch();
        return row;
    };
    const auto put = [&](int row, int col, const QString &caption, const char *name, QWidget *w, QLayout *l = nullptr) {
        grid->addWidget(captionLabel(this, caption, name), row, col, Qt::AlignRight | Qt::AlignVCenter);
        if (w)
            grid->addWidget(w, row, col + 1);
        else
            grid->addLayout(l, row, col + 1);
    };
    put(0, 0, tr("Title:"), "m_lblTitle", m_editTitle);
    put(1, 0, tr("Artist:"), "m_lblArtist", m_editArtist);
    put(2, 0, tr("Composer:"), "m_lblComposer", m_editComposer);
    put(3, 0, tr("Album:"), "m_lblAlbum", m_editAlbum);
    put(4, 0, tr("Genre:"), "m_lblGenre", m_editGenre);
    put(0, 2, tr("Track:"), "m_lblTrack", nullptr, pairBox(m_editTrack1, m_editTrack2));
    put(1, 2, tr("Disc Num:"), "m_lblDisc", nullptr, pairBox(m_editDisc1, m_editDisc2));
    put(2, 2, tr("Year:"), "m_lblYear", m_editYear);
    put(3, 2, tr("Grouping:"), "m_lblGrouping", m_editGrouping);
    put(4, 2, tr("Copyright:"), "m_lblCopyright", m_editCopyright);
    grid->addWidget(captionLabel(this, tr("Comments:"), "m_lblComments"), 5, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_editComments, 5, 1, 2, 1);
    grid->addWidget(captionLabel(this, tr("Cover:"), "m_lblCover"), 5, 2, Qt::AlignRight | Qt::AlignTop);
    auto *cover = new QHBoxLayout;
    cover->setSpacing(8);
    cover->addWidget(m_labCover, 0, Qt::AlignTop);
    auto *coverButtons = new QVBoxLayout;
    coverButtons->addWidget(m_btnTagImg);
    coverButtons->addWidget(m_btnDelete);
    coverButtons->addStretch();
    cover->addLayout(coverButtons);
    cover->addStretch();
    grid->addLayout(cover, 5, 3, 2, 1);
    grid->setColumnMinimumWidth(2, 90);
    grid->setColumnStretch(4, 1);
    if (auto *column = qobject_cast<QVBoxLayout *>(layout()))
        column->insertLayout(1, grid);

    for (QVoLineEdit *e : {m_editTitle, m_editArtist, m_editComposer, m_editAlbum, m_editTrack1, m_editTrack2,
                           m_editYear, m_editGrouping, m_editDisc1, m_editDisc2, m_editCopyright})
        connect(e, &QLineEdit::textChanged, this, &QAudioTagForm::onTextChanged);
    connect(m_editGenre, &QComboBox::editTextChanged, this, &QAudioTagForm::genreTextChanged);
    connect(m_editComments->textEdit(), &QTextEdit::textChanged, this, &QAudioTagForm::onCommentsTextChanged);
    connect(m_btnTagImg, &QVoBaseButton::clicked, this, &QAudioTagForm::setTagImage);
    connect(m_btnDelete, &QVoBaseButton::clicked, this, &QAudioTagForm::onDeleteImage);
}

QVoLineEdit *QAudioTagForm::edit(const char *name) const
{
    return findChild<QVoLineEdit *>(QString::fromLatin1(name));
}

std::string QAudioTagForm::numberPair(const QString &number, const QString &total)
{
    const int a = positive(number);
    const int b = positive(total);
    if (a <= 0)
        return std::string();
    if (b <= 0)
        return std::to_string(a);
    return std::to_string(a) + "/" + std::to_string(b);
}

QPair<QString, QString> QAudioTagForm::splitNumberPair(const std::string &value)
{
    const QString text = tagText(value).replace('\\', '/');
    const int slash = text.indexOf('/');
    if (slash < 0)
        return {text.isEmpty() ? QStringLiteral("0") : text, QStringLiteral("0")};
    const QString a = text.left(slash);
    const QString b = text.mid(slash + 1);
    return {a.isEmpty() ? QStringLiteral("0") : a, b.isEmpty() ? QStringLiteral("0") : b};
}

QString QAudioTagForm::tagText(const std::string &bytes)
{
    const QByteArray raw(bytes.data(), static_cast<int>(bytes.size()));
    const QString utf8 = QString::fromUtf8(raw);
    // Valid UTF-8 comes back byte for byte; anything else is legacy text.
    if (utf8.toUtf8() == raw)
        return utf8;
    QTextCodec *legacy = QTextCodec::codecForName("Windows-1252");
    return legacy ? legacy->toUnicode(raw) : QString::fromLatin1(raw);
}

void QAudioTagForm::loadTags()
{
    m_loading = true;
    const VEAudioTagInfo t = m_settings->tags();
    m_editTitle->setText(tagText(t.title));
    m_editArtist->setText(tagText(t.artist));
    m_editComposer->setText(tagText(t.composer));
    m_editAlbum->setText(tagText(t.album));
    m_editGenre->setCurrentIndex(-1);
    m_editGenre->setEditText(tagText(t.genre));
    const QPair<QString, QString> track = splitNumberPair(t.track);
    m_editTrack1->setText(track.first);
    m_editTrack2->setText(track.second);
    m_editYear->setText(tagText(t.year).left(4));
    m_editGrouping->setText(tagText(t.grouping));
    m_editComments->textEdit()->setPlainText(tagText(t.comment));
    const QPair<QString, QString> disc = splitNumberPair(t.disc);
    m_editDisc1->setText(disc.first);
    m_editDisc2->setText(disc.second);
    m_editCopyright->setText(tagText(t.copyright));
    showCover(t.coverData);
    m_loading = false;
}

void QAudioTagForm::showCover(const std::string &bytes)
{
    QPixmap picture;
    if (!bytes.empty())
        picture.loadFromData(reinterpret_cast<const uchar *>(bytes.data()), static_cast<uint>(bytes.size()));
    if (picture.isNull()) {
        m_labCover->clear();
        m_btnDelete->hide();
        return;
    }
    m_labCover->setPixmap(picture.scaled(kCoverSide - 2, kCoverSide - 2, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_btnDelete->show();
}

void QAudioTagForm::store(VEAudioTagInfo tags)
{
    // Tags the user has touched are the item's own from now on: opening the
    // dialog again must not read the source's over them.
    tags.tagFlag = true;
    m_settings->setTags(tags);
}

void QAudioTagForm::onTextChanged(QString str)
{
    if (m_loading)
        return;
    VEAudioTagInfo t = m_settings->tags();
    const std::string bytes = str.toUtf8().toStdString();
    QObject *from = sender();
    if (from == m_editTitle)
        t.title = bytes;
    else if (from == m_editArtist)
        t.artist = bytes;
    else if (from == m_editComposer)
        t.composer = bytes;
    else if (from == m_editAlbum)
        t.album = bytes;
    else if (from == m_editYear)
        t.year = bytes;
    else if (from == m_editGrouping)
        t.grouping = bytes;
    else if (from == m_editCopyright)
        t.copyright = bytes;
    else if (from == m_editTrack1 || from == m_editTrack2)
        t.track = numberPair(m_editTrack1->text(), m_editTrack2->text());
    else if (from == m_editDisc1 || from == m_editDisc2)
        t.disc = numberPair(m_editDisc1->text(), m_editDisc2->text());
    else
        return;
    store(t);
}

void QAudioTagForm::genreTextChanged(QString str)
{
    if (m_loading)
        return;
    VEAudioTagInfo t = m_settings->tags();
    t.genre = str.toUtf8().toStdString();
    store(t);
}

void QAudioTagForm::onCommentsTextChanged()
{
    if (m_loading)
        return;
    VEAudioTagInfo t = m_settings->tags();
    t.comment = m_editComments->textEdit()->toPlainText().toUtf8().toStdString();
    store(t);
}

void QAudioTagForm::setTagImage()
{
    const QString path = m_chooseFile(this, tr("Open Image"), lastCoverFolder(), tr("Images (*.png *.xpm *.jpg)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    lastCoverFolder() = QFileInfo(path).absolutePath();
    VEAudioTagInfo t = m_settings->tags();
    t.coverData.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    t.coverSize = bytes.size();
    showCover(t.coverData);
    store(t);
}

void QAudioTagForm::onDeleteImage()
{
    VEAudioTagInfo t = m_settings->tags();
    t.coverData.clear();
    t.coverSize = 0;
    showCover(t.coverData);
    store(t);
}
