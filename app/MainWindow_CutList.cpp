// Cut lists in and out of the work, and segments from the file's own
// chapters: the program menu's "Import Cut List…", "Export Cut List…" and
// "Segments From Chapters".
#include "MainWindow.h"

#include "ProjectSession.h"

#include "CutList.h"
#include "CutListText.h"
#include "ProgramMenu.h"
#include "OffThread.h"
#include "QVideoConvertItem.h"
#include "QVideoCutManageDlg.h"
#include "QVoMessageBox.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include "AppPaths.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <functional>
#include <memory>

namespace {

// As many as "Add Segment" allows.
constexpr int kMaxSegments = 100;

QString fromUtf8(const std::string &s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

cutlist::FrameRate frameRateOf(const VoVideoConvertItem &item)
{
    for (const VideoStreamInfo &video : item.m_videoStreams)
        if (video.frameRateNum > 0 && video.frameRateDen > 0)
            return {static_cast<std::uint32_t>(video.frameRateNum), static_cast<std::uint32_t>(video.frameRateDen)};
    return {}; // no picture: EDL timecodes count at 25 then
}

// "3", or "3 “Outro”" when the segment has a label.
QString segmentName(const cutlist::Segment &segment, std::size_t index)
{
    const QString number = QString::number(index + 1);
    return segment.label.empty() ? number : MainWindow::tr("%1 “%2”").arg(number, fromUtf8(segment.label));
}

QString namesOf(const cutlist::SegmentList &segments, const std::vector<std::size_t> &indices)
{
    QStringList names;
    for (std::size_t i : indices)
        names << segmentName(segments.at(i), i);
    return names.join(MainWindow::tr(", "));
}

// Runs a function when the watched object is told of a new interface
// language, as the menu's own entries follow it.
class LanguageWatch : public QObject {
public:
    LanguageWatch(QObject *watched, std::function<void()> onChange)
        : QObject(watched)
        , m_onChange(std::move(onChange))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            m_onChange();
        return false;
    }

private:
    std::function<void()> m_onChange;
};

} // namespace

QString MainWindow::cutListErrorText(const cutlist::Error &error, bool reading)
{
    using K = cutlist::ErrorKind;
    const QString text = fromUtf8(error.text);
    QString reason;
    switch (error.kind) {
    case K::None:
        return QString();
    case K::NotText:
        reason = tr("The file is not text in any encoding a cut list is written in.");
        break;
    case K::Empty:
        reason = tr("The file holds no segment.");
        break;
    case K::BadTime:
        reason = tr("“%1” is not a time.").arg(text);
        break;
    case K::NegativeTime:
        reason = tr("A time lies before the start of the file.");
        break;
    case K::TimeTooLarge:
        reason = tr("The time “%1” is larger than the format or any file can hold.").arg(text);
        break;
    case K::EndNotAfterStart:
        reason = tr("A segment ends where or before it starts.");
        break;
    case K::MissingStart:
        reason = tr("A segment has no start time.");
        break;
    case K::TooManyFields:
        reason = tr("There are more fields than start, end and label.");
        break;
    case K::BadQuote:
        reason = tr("A quoted label is not closed, or text follows its closing quote.");
        break;
    case K::NotInOrder:
        reason = tr("A chapter or track does not come after the one before it.");
        break;
    case K::PastEnd:
        reason = tr("A segment starts at or after the end of the file.");
        break;
    case K::Unrecognised:
        reason = tr("This line is not understood: “%1”.").arg(text);
        break;
    case K::BadTimecode:
        reason = tr("“%1” is not a timecode at the file's frame rate.").arg(text);
        break;
    case K::BadFrameRate:
        reason = tr("The file's frame rate cannot count timecodes.");
        break;
    case K::MissingIndex:
        reason = tr("A track has no “INDEX 01” line.");
        break;
    case K::SecondFile:
        reason = tr("The sheet names a second file; only sheets of one file can be read.");
        break;
    case K::FirstNotAtZero:
        reason = tr("Chapter text must begin at 0:00, and the first segment begins later.");
        break;
    case K::Gap:
        reason = tr("A segment does not begin where the one before it ends, which this format cannot hold.");
        break;
    case K::LastNotAtEnd:
        reason = tr("In this format the last segment must run to the end of the file.");
        break;
    case K::LineBreakInLabel:
        reason = tr("A label holds a line break.");
        break;
    case K::OpenEnd:
        reason = tr("A segment runs to the end of a file whose length is unknown.");
        break;
    case K::TooMany:
        reason = tr("There are more segments than this format can number.");
        break;
    case K::CannotOpen:
        reason = tr("The file cannot be opened.");
        break;
    case K::CannotWrite:
        reason = tr("The file cannot be written.");
        break;
    case K::TooLarge:
        reason = tr("The file is too large to be a cut list.");
        break;
    }
    if (error.where == 0)
        return reason;
    return (reading ? tr("Line %1: %2") : tr("Segment %1: %2")).arg(error.where).arg(reason);
}

void MainWindow::buildCutListActions()
{
    m_actImportCutList = new QAction(m_menu);
    m_actImportCutList->setObjectName(QStringLiteral("actImportCutList"));
    m_actExportCutList = new QAction(m_menu);
    m_actExportCutList->setObjectName(QStringLiteral("actExportCutList"));
    m_actChapterSegments = new QAction(m_menu);
    m_actChapterSegments->setObjectName(QStringLiteral("actChapterSegments"));
    // In the menu's segment group, before "Apply Segments To Other Files…".
    QAction *first = m_menu->actApplySegments();
    m_menu->insertAction(first, m_actImportCutList);
    m_menu->insertAction(first, m_actExportCutList);
    m_menu->insertAction(first, m_actChapterSegments);
    connect(m_actImportCutList, &QAction::triggered, this, &MainWindow::ActOnImportCutList);
    connect(m_actExportCutList, &QAction::triggered, this, &MainWindow::ActOnExportCutList);
    connect(m_actChapterSegments, &QAction::triggered, this, &MainWindow::ActOnSegmentsFromChapters);
    // Texts and states are set whenever the menu opens: the language and
    // the work may have changed since.
    connect(m_menu, &QMenu::aboutToShow, this, &MainWindow::refreshCutListActions);
    new LanguageWatch(m_menu, [this] { refreshCutListActions(); });
    refreshCutListActions();
}

void MainWindow::refreshCutListActions()
{
    m_actImportCutList->setText(tr("Import Cut List…"));
    m_actExportCutList->setText(tr("Export Cut List…"));
    m_actChapterSegments->setText(tr("Segments From Chapters"));
    const VoVideoConvertItem *item = currentItem();
    const bool idle = !isConverting() && !isImporting();
    m_actImportCutList->setEnabled(idle && item);
    m_actExportCutList->setEnabled(idle && VoVideoConvertManager::instance()->count() > 0);
    m_actChapterSegments->setEnabled(idle && item && !item->m_chapters.isEmpty());
    m_menu->actApplySegments()->setEnabled(idle && VoVideoConvertManager::instance()->count() > 0);
    bool subtitles = false;
    if (item)
        for (const SubtitleStreamInfo &t : item->m_subtitleStreams)
            subtitles = subtitles || t.kind == 0; // a stream of the file, not a file beside it
    m_menu->actSaveSubtitles()->setEnabled(idle && subtitles);
}

bool MainWindow::canPlaceSegmentsOf(const QString &sourcePath) const
{
    const VoVideoConvertItem *current = currentItem();
    return current && current->m_videoPath == sourcePath && !isConverting() && !isImporting();
}

void MainWindow::askReplaceSegments(int count, const QString &sourcePath, const QString &question,
                                    std::function<void(bool go, bool replace)> then)
{
    // Appending is refused when the work could not hold the sum; counted
    // when the segments are placed, which may be a while after the question.
    const auto appendFits = [this, count] {
        const int have = VoVideoConvertManager::instance()->count();
        if (have + count <= kMaxSegments)
            return true;
        QVoMessageBox::showMessage(this, tr("The work can hold at most %1 segments; appending %2 to %3 would pass that.")
                                             .arg(kMaxSegments)
                                             .arg(count)
                                             .arg(have),
                                   productTitle(), QVoMessageBox::Warning, QVoMessageBox::OkButton);
        return false;
    };
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    // A file just opened holds one segment over all of it, which nobody
    // would miss; anything the user made is asked about.
    const VoVideoConvertItem *only = items->count() == 1 ? items->itemAt(0) : nullptr;
    const bool untouched = only && only->m_TrimStartTime == 0
        && (only->m_TrimEndTime == 0 || only->m_TrimEndTime >= only->m_duration) && only->m_label.isEmpty();
    if (items->count() == 0 || untouched) {
        then(true, true);
        return;
    }
    static const QString name = QStringLiteral("m_replaceQuestion");
    // One question at a time: segments that come while it is open (a
    // second list read meanwhile) are not placed.
    if (QVoMessageBox::openBoxNamed(this, name)) {
        then(false, false);
        return;
    }
    auto *box = new QVoMessageBox(this);
    box->setObjectName(name);
    box->setTitle(productTitle());
    box->setKind(QVoMessageBox::Help);
    box->setButtons(QVoMessageBox::YesNoButtons);
    box->setButtonText(QVoMessageBox::Yes, tr("Replace"));
    box->setButtonText(QVoMessageBox::No, tr("Append"));
    box->setMessage((question.isEmpty() ? tr("The work already has segments (%1). Replace them with the %2 from the "
                                             "list, or append those after them?")
                                        : question)
                        .arg(items->count())
                        .arg(count));
    centreDialog(box);
    QVoMessageBox::openBox(box, [this, sourcePath, appendFits, then](int answer) {
        // The work may have changed while the question was open: another
        // file came, a conversion started. Nothing is placed then.
        if ((answer != QVoMessageBox::Yes && answer != QVoMessageBox::No) || !canPlaceSegmentsOf(sourcePath)) {
            then(false, false);
            return;
        }
        const bool replace = answer == QVoMessageBox::Yes;
        if (!replace && !appendFits()) {
            then(false, false);
            return;
        }
        then(true, replace);
    });
}

void MainWindow::placeCutList(const std::shared_ptr<VoVideoConvertItem> &source,
                              const cutlist::SegmentList &segments, std::function<void(bool placed)> then)
{
    if (segments.size() > static_cast<std::size_t>(kMaxSegments)) {
        QVoMessageBox::showMessage(this, tr("The list has %1 segments; the work can hold at most %2.")
                                             .arg(segments.size())
                                             .arg(kMaxSegments),
                                   productTitle(), QVoMessageBox::Warning, QVoMessageBox::OkButton);
        then(false);
        return;
    }
    askReplaceSegments(static_cast<int>(segments.size()), source->m_videoPath, QString(),
                       [this, source, segments, then](bool go, bool replace) {
                           if (!go) {
                               then(false);
                               return;
                           }
                           QList<VoVideoConvertItem *> made;
                           for (const cutlist::Segment &segment : segments) {
                               VoVideoConvertItem *item = source->clone();
                               item->m_TrimStartTime = segment.start_us;
                               item->m_TrimEndTime = segment.end_us == 0 ? source->m_duration : segment.end_us;
                               item->m_label = fromUtf8(segment.label);
                               made.append(item);
                           }
                           m_videoItemDlg->placeSegments(made, replace);
                           then(true);
                       });
}

void MainWindow::ActOnImportCutList()
{
    const VoVideoConvertItem *item = currentItem();
    if (!item || isConverting())
        return;
    const QString filter = tr("Cut Lists (*.csv *.tsv *.txt *.edl *.cue);;All Files (*)");
    const QString path = QFileDialog::getOpenFileName(this, tr("Import Cut List"),
                                                      QFileInfo(item->m_videoPath).absolutePath(), filter);
    if (!path.isEmpty())
        importCutList(path);
}

void MainWindow::importCutList(const QString &path)
{
    VoVideoConvertItem *current = currentItem();
    if (!current) {
        emit cutListImported(false);
        return;
    }
    // The source may go while the list is read or a question is open; the
    // list is made from a copy of it.
    std::shared_ptr<VoVideoConvertItem> source(current->clone());
    if (!cutlist::formatForFileName(QFile::encodeName(path).toStdString())) {
        refuseCutListImport(path, tr("Its type is none of CSV, TSV, chapter text (.txt), EDL or CUE sheet."));
        return;
    }
    cutlist::ReadOptions options;
    options.duration_us = source->m_duration;
    options.rate = frameRateOf(*source);
    const std::string file = QFile::encodeName(path).toStdString();
    runOffThread<cutlist::ReadResult>(
        this, [file, options] { return cutlist::readFile(file, options); },
        [this, path, source](cutlist::ReadResult read) { placeReadCutList(path, source, read); });
}

void MainWindow::refuseCutListImport(const QString &path, const QString &why)
{
    QVoMessageBox::showMessage(this, tr("The cut list “%1” cannot be imported.").arg(QFileInfo(path).fileName())
                                         + QLatin1Char('\n') + why,
                               productTitle(), QVoMessageBox::Error, QVoMessageBox::OkButton);
    emit cutListImported(false);
}

void MainWindow::placeReadCutList(const QString &path, const std::shared_ptr<VoVideoConvertItem> &source,
                                  const cutlist::ReadResult &read)
{
    // Another file took the place of the one the list was read for.
    const VoVideoConvertItem *current = currentItem();
    if (!current || current->m_videoPath != source->m_videoPath) {
        emit cutListImported(false);
        return;
    }
    if (!read.ok()) {
        refuseCutListImport(path, cutListErrorText(read.error, true));
        return;
    }
    const cutlist::Fit fit = cutlist::fitToDuration(read.segments, source->m_duration);
    if (fit.segments.empty()) {
        refuseCutListImport(path, tr("None of its segments lies within the file, which ends at %1.")
                                      .arg(QString::fromStdString(cutlist::text::formatClock(source->m_duration))));
        return;
    }
    QStringList notes;
    if (!fit.clipped.empty())
        notes << tr("Segments reaching past the end of the file were cut at its end: %1.")
                     .arg(namesOf(read.segments, fit.clipped));
    if (!fit.outside.empty())
        notes << tr("Segments after the end of the file were left out: %1.").arg(namesOf(read.segments, fit.outside));
    placeCutList(source, fit.segments, [this, notes](bool placed) {
        if (!placed) {
            emit cutListImported(false);
            return;
        }
        m_project->record(tr("Import Cut List"));
        if (!notes.isEmpty())
            QVoMessageBox::showMessage(this, notes.join(QLatin1Char('\n')), productTitle(), QVoMessageBox::Warning,
                                       QVoMessageBox::OkButton);
        emit cutListImported(true);
    });
}

void MainWindow::ActOnExportCutList()
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    if (items->count() == 0)
        return;
    const VoVideoConvertItem *first = items->itemAt(0);
    const QFileInfo source(first->m_videoPath);
    const QStringList filters = {tr("CSV (*.csv)"), tr("TSV (*.tsv)"), tr("Chapter Text (*.txt)"),
                                 tr("CMX3600 EDL (*.edl)"), tr("CUE Sheet (*.cue)")};
    QString chosen = filters.first();
    QString path = QFileDialog::getSaveFileName(this, tr("Export Cut List"),
                                                source.absolutePath() + QLatin1Char('/') + source.completeBaseName()
                                                    + QStringLiteral(".csv"),
                                                filters.join(QStringLiteral(";;")), &chosen);
    if (path.isEmpty())
        return;
    // A name typed without a suffix takes the chosen type's.
    if (!cutlist::formatForFileName(QFile::encodeName(path).toStdString())) {
        static const char *const suffixes[] = {"csv", "tsv", "txt", "edl", "cue"};
        const int type = qMax(0, filters.indexOf(chosen));
        if (QFileInfo(path).suffix().isEmpty())
            path += QLatin1Char('.') + QLatin1String(suffixes[type]);
    }
    exportCutList(path);
}

void MainWindow::exportCutList(const QString &path)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    if (items->count() == 0) {
        emit cutListSaved(false);
        return;
    }
    auto refuse = [this, path](const QString &why) {
        QVoMessageBox::showMessage(this, tr("The cut list cannot be saved as “%1”.").arg(QFileInfo(path).fileName())
                                             + QLatin1Char('\n') + why,
                                   productTitle(), QVoMessageBox::Error, QVoMessageBox::OkButton);
        emit cutListSaved(false);
    };
    const std::string file = QFile::encodeName(path).toStdString();
    if (!cutlist::formatForFileName(file)) {
        refuse(tr("Its type is none of CSV, TSV, chapter text (.txt), EDL or CUE sheet."));
        return;
    }
    const VoVideoConvertItem *first = items->itemAt(0);
    cutlist::SegmentList segments;
    for (int i = 0; i < items->count(); ++i) {
        const VoVideoConvertItem *item = items->itemAt(i);
        segments.push_back({item->m_TrimStartTime, item->m_TrimEndTime == 0 ? item->m_duration : item->m_TrimEndTime,
                            item->m_label.toStdString()});
    }
    cutlist::WriteOptions options;
    options.duration_us = first->m_duration;
    options.rate = frameRateOf(*first);
    const QFileInfo source(first->m_videoPath);
    options.title = source.completeBaseName().toStdString();
    options.fileName = source.fileName().toStdString();
    // The list is a value by now: what the user does meanwhile does not
    // change what is written.
    runOffThread<cutlist::Error>(
        this, [file, segments, options] { return cutlist::writeFile(file, segments, options); },
        [this, refuse](const cutlist::Error &error) {
            if (error.kind != cutlist::ErrorKind::None)
                refuse(cutListErrorText(error, false));
            else
                emit cutListSaved(true);
        });
}

void MainWindow::ActOnSegmentsFromChapters()
{
    VoVideoConvertItem *current = currentItem();
    if (!current || isConverting())
        return;
    std::shared_ptr<VoVideoConvertItem> source(current->clone());
    if (source->m_chapters.isEmpty()) {
        QVoMessageBox::showMessage(this, tr("The file has no chapters."), productTitle(), QVoMessageBox::Warning,
                                   QVoMessageBox::OkButton);
        return;
    }
    std::vector<cutlist::SourceChapter> chapters;
    for (const ChapterMark &chapter : source->m_chapters)
        chapters.push_back({chapter.start, chapter.end, chapter.title.toStdString()});
    const cutlist::ReadResult made = cutlist::segmentsFromChapters(chapters, source->m_duration);
    if (!made.ok()) {
        QVoMessageBox::showMessage(this, tr("Chapter %1 starts at or after the end of the file; no segment was made.")
                                             .arg(made.error.where),
                                   productTitle(), QVoMessageBox::Error, QVoMessageBox::OkButton);
        return;
    }
    placeCutList(source, made.segments, [this](bool placed) {
        if (placed)
            m_project->record(tr("Segments From Chapters"));
    });
}
