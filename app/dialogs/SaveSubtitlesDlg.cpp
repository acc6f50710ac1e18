#include "SaveSubtitlesDlg.h"

#include "LanguageTable.h"
#include "OffThread.h"
#include "QTextImageButton.h"
#include "QVoCheckBox.h"
#include "QVoComboBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

namespace {
constexpr int dialogWidth = 520;
constexpr int dialogHeight = 400;
constexpr int margin = 20;

QFont textFont(int pixels = 12)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

QLabel *label(const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(textFont());
    l->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return l;
}

QTextImageButton *button(const QString &name, QWidget *parent)
{
    auto *b = new QTextImageButton(parent);
    b->setObjectName(name);
    b->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    b->setTextPixelSize(11);
    return b;
}

// NAME.INDEX.LANGUAGE.EXT in folder, or NAME.INDEX.LANGUAGE (2).EXT and on
// when that is taken: a file already there is never replaced.
QString freeName(const QDir &folder, const QString &stem, const QString &extension)
{
    QString path = folder.filePath(stem + QLatin1Char('.') + extension);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1 (%2).%3").arg(stem).arg(n).arg(extension));
    return path;
}
} // namespace

SaveSubtitlesDlg::SaveSubtitlesDlg(const QString &source, const QVector<VoSubtitleFiles::Range> &segments,
                                   const QString &folder, QWidget *parent)
    : QNinePointsImageDialog(parent)
    , m_source(source)
    , m_segments(segments)
    , m_folder(folder)
{
    setObjectName(QStringLiteral("SaveSubtitlesDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setFixedSize(dialogWidth, dialogHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, dialogWidth - 100, 20));
    setTitleColor(QColor(245, 245, 245));
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    const int inner = dialogWidth - 2 * margin;
    m_labSource = label(QStringLiteral("m_labSource"), this);
    m_labSource->setGeometry(margin, 48, inner, 18);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("m_streamList"));
    m_list->setGeometry(margin, 72, inner, 150);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setFont(textFont(11));
    m_list->setStyleSheet(QStringLiteral("QListWidget { background: rgb(38,38,38); color: rgb(228,228,228);"
                                         " border: 1px solid rgb(74,74,74); }"
                                         "QListWidget::item { padding: 3px 4px; }"
                                         "QListWidget::item:disabled { color: rgb(140,140,140); }"));
    connect(m_list, &QListWidget::itemChanged, this, [this] { updateSaveButton(); });

    m_labFormat = label(QStringLiteral("m_labFormat"), this);
    m_labFormat->setGeometry(margin, 234, 160, 24);
    auto *format = new QVoComboBox(this);
    format->setObjectName(QStringLiteral("m_cmbFormat"));
    format->setFont(textFont());
    format->setBackgroundImage(QStringLiteral("/VEditSource/edit_background.png"));
    format->setArrowImage(QStringLiteral("/VEditSource/cbb_trigonometric.png"), true);
    format->setArrowPosition(100 - 16, 7);
    format->setTextMargins(6, 0, 18, 1);
    format->setTextColor(QColor(246, 246, 246));
    format->setRowHeight(22);
    format->setRowBackground(QColor(62, 63, 63));
    format->setRowSelectedBackground(QColor(89, 104, 130));
    format->setRowHoverBackground(QColor(84, 84, 84));
    format->setRowTextColor(QColor(246, 246, 246));
    format->addItem(QStringLiteral("SRT"), int(VoSubtitleFiles::Srt));
    format->addItem(QStringLiteral("ASS"), int(VoSubtitleFiles::Ass));
    m_format = format;
    m_format->setGeometry(margin + 170, 234, 100, 24);

    auto *segmentsOnly = new QVoCheckBox(this);
    m_segmentsOnly = segmentsOnly;
    m_segmentsOnly->setObjectName(QStringLiteral("m_chkSegmentsOnly"));
    segmentsOnly->setBoxPictures(QStringLiteral("/image/Common_bg/btn_check_off1.png"),
                                   QStringLiteral("/image/Common_bg/btn_check_on1.png"));
    m_segmentsOnly->setFont(textFont());
    m_segmentsOnly->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    m_segmentsOnly->setGeometry(margin, 266, inner, 22);
    m_segmentsOnly->setEnabled(!m_segments.isEmpty());

    m_labFolder = label(QStringLiteral("m_labFolder"), this);
    m_labFolder->setGeometry(margin, 298, inner - 96, 22);
    m_btnFolder = button(QStringLiteral("m_btnFolder"), this);
    m_btnFolder->move(dialogWidth - margin - m_btnFolder->width(), 296);
    connect(m_btnFolder, &QPushButton::clicked, this, [this] {
        // Opened by the user's own click.
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("Save Subtitles"), m_folder);
        if (!chosen.isEmpty())
            setFolder(chosen);
    });

    m_status = label(QStringLiteral("m_labStatus"), this);
    m_status->setGeometry(margin, 326, inner, 18);

    m_btnClose = button(QStringLiteral("m_btnClose"), this);
    m_btnClose->move(dialogWidth - 16 - m_btnClose->width(), dialogHeight - 16 - m_btnClose->height());
    m_btnSave = button(QStringLiteral("m_btnSave"), this);
    m_btnSave->move(m_btnClose->x() - 8 - m_btnSave->width(), m_btnClose->y());
    m_btnSave->setEnabled(false);
    connect(m_btnSave, &QPushButton::clicked, this, &SaveSubtitlesDlg::startSaving);
    connect(m_btnClose, &QPushButton::clicked, this, &SaveSubtitlesDlg::reject);
    retranslateUi();

    struct Listing {
        bool ok = false;
        QVector<VoSubtitleFiles::Stream> streams;
        QString error;
    };
    runOffThread<Listing>(
        this,
        [source] {
            Listing l;
            VoSubtitleFiles files;
            l.ok = files.streams(source, l.streams);
            l.error = files.errorText();
            return l;
        },
        [this](Listing l) {
            m_streams = l.streams;
            showStreams(l.ok, l.error);
        });
}

void SaveSubtitlesDlg::setFolder(const QString &folder)
{
    m_folder = folder;
    retranslateUi();
}

QString SaveSubtitlesDlg::streamText(const VoSubtitleFiles::Stream &s) const
{
    const QString language = s.language.isEmpty() ? tr("no language")
                                                  : (lookupLanguageName(s.language).isEmpty()
                                                         ? s.language
                                                         : lookupLanguageName(s.language));
    QString text = tr("Stream %1 · %2 · %3").arg(s.index).arg(language, s.codec);
    if (s.kind == VoSubtitleFiles::Sup || s.kind == VoSubtitleFiles::Mks)
        text += QStringLiteral(" · ") + tr("pictures, saved as .%1").arg(VoSubtitleFiles::extension(s.kind));
    return text;
}

void SaveSubtitlesDlg::showStreams(bool ok, const QString &error)
{
    m_read = true;
    m_busy = false;
    m_readError = ok ? QString() : error;
    m_list->clear();
    int usable = 0;
    for (const VoSubtitleFiles::Stream &s : qAsConst(m_streams)) {
        auto *item = new QListWidgetItem(streamText(s), m_list);
        item->setData(Qt::UserRole, s.index);
        if (s.kind == VoSubtitleFiles::None) {
            item->setFlags(Qt::NoItemFlags);
            item->setText(item->text() + QStringLiteral(" · ") + tr("cannot be saved"));
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
            ++usable;
        }
    }
    retranslateUi();
    updateSaveButton();
    emit streamsRead(usable);
}

void SaveSubtitlesDlg::updateSaveButton()
{
    bool any = false;
    for (int i = 0; i < m_list->count(); ++i)
        any = any || m_list->item(i)->checkState() == Qt::Checked;
    m_btnSave->setEnabled(!m_busy && any);
}

void SaveSubtitlesDlg::startSaving()
{
    if (m_busy)
        return;
    struct Job {
        int index;
        int kind;
        QString path;
    };
    QVector<Job> jobs;
    const QDir folder(m_folder);
    const int chosenText = m_format->currentData().toInt();
    const QString stem = QFileInfo(m_source).completeBaseName();
    for (int i = 0; i < m_list->count() && i < m_streams.size(); ++i) {
        if (m_list->item(i)->checkState() != Qt::Checked)
            continue;
        const VoSubtitleFiles::Stream &s = m_streams[i];
        const int kind = s.kind == VoSubtitleFiles::Srt ? chosenText : s.kind;
        const QString language = s.language.isEmpty() ? QStringLiteral("und") : s.language;
        jobs.append({s.index, kind, QString()});
        jobs.last().path = QStringLiteral("%1.%2.%3").arg(stem).arg(s.index).arg(language);
    }
    if (jobs.isEmpty())
        return;
    m_busy = true;
    m_written = -1;
    m_list->setEnabled(false);
    m_format->setEnabled(false);
    m_segmentsOnly->setEnabled(false);
    m_btnFolder->setEnabled(false);
    m_btnSave->setEnabled(false);
    m_btnClose->setEnabled(false);
    m_status->setText(tr("Saving…"));
    const QString source = m_source;
    const QString target = m_folder;
    const QVector<VoSubtitleFiles::Range> ranges = m_segmentsOnly->isChecked() ? m_segments
                                                                              : QVector<VoSubtitleFiles::Range>();
    runOffThread<QVector<Result>>(
        this,
        [source, target, ranges, jobs] {
            QVector<Result> results;
            const QDir dir(target);
            if (!dir.exists() && !QDir().mkpath(target)) {
                for (const Job &j : jobs)
                    results.append({j.index, QString(),
                                    QCoreApplication::translate("SaveSubtitlesDlg", "the folder cannot be made")});
                return results;
            }
            VoSubtitleFiles files;
            for (const Job &j : jobs) {
                const QString path = freeName(dir, j.path, VoSubtitleFiles::extension(j.kind));
                if (files.write(source, j.index, j.kind, ranges, path))
                    results.append({j.index, path, QString()});
                else
                    results.append({j.index, QString(), files.errorText()});
            }
            return results;
        },
        [this](QVector<Result> results) { showResults(results); });
}

void SaveSubtitlesDlg::showResults(const QVector<Result> &results)
{
    m_busy = false;
    m_written = 0;
    m_failed = 0;
    for (const Result &r : results) {
        for (int i = 0; i < m_list->count(); ++i) {
            QListWidgetItem *item = m_list->item(i);
            if (item->data(Qt::UserRole).toInt() != r.index)
                continue;
            const VoSubtitleFiles::Stream &s = m_streams[i];
            if (r.error.isEmpty()) {
                ++m_written;
                item->setText(streamText(s) + QStringLiteral(" → ") + QFileInfo(r.path).fileName());
                item->setToolTip(r.path);
            } else {
                ++m_failed;
                item->setText(streamText(s) + QStringLiteral(" · ") + tr("not saved: %1").arg(r.error));
                item->setToolTip(r.error);
            }
        }
    }
    m_list->setEnabled(true);
    m_format->setEnabled(true);
    m_segmentsOnly->setEnabled(!m_segments.isEmpty());
    m_btnFolder->setEnabled(true);
    m_btnClose->setEnabled(true);
    retranslateUi();
    updateSaveButton();
    emit saved(m_written, m_failed);
}

void SaveSubtitlesDlg::retranslateUi()
{
    setTitleText(tr("Save Subtitles"));
    setWindowTitle(tr("Save Subtitles"));
    m_labSource->setText(QFileInfo(m_source).fileName());
    m_labFormat->setText(tr("Text subtitles as:"));
    m_segmentsOnly->setText(m_segments.isEmpty() ? tr("Only what the segments show (no segments marked)")
                                                 : tr("Only what the segments show, timed as their cut"));
    m_labFolder->setText(tr("Folder: %1").arg(QDir::toNativeSeparators(m_folder)));
    m_labFolder->setToolTip(m_folder);
    m_btnFolder->setText(tr("Browse…"));
    m_btnSave->setText(tr("Save"));
    m_btnClose->setText(tr("Close"));
    if (!m_read)
        m_status->setText(tr("Reading the file's subtitle streams…"));
    else if (!m_readError.isEmpty())
        m_status->setText(tr("The file cannot be read: %1").arg(m_readError));
    else if (m_streams.isEmpty())
        m_status->setText(tr("This file holds no subtitle streams."));
    else if (m_busy)
        m_status->setText(tr("Saving…"));
    else if (m_written < 0)
        m_status->setText(QString());
    else if (m_failed == 0)
        m_status->setText(m_written == 1 ? tr("Saved 1 file.") : tr("Saved %1 files.").arg(m_written));
    else
        m_status->setText(tr("Saved %1, %2 not saved.").arg(m_written).arg(m_failed));
}

void SaveSubtitlesDlg::reject()
{
    // The files being written finish first: the thread is short-lived.
    if (m_busy && m_read)
        return;
    QNinePointsImageDialog::reject();
}

void SaveSubtitlesDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QNinePointsImageDialog::changeEvent(event);
}
