#include "VoInfoManager.h"

#include "VoInfoClass.h"

#include <QFileInfo>

VoInfoManager::VoInfoManager(QObject *parent) : QObject(parent) {}

VoInfoManager::~VoInfoManager() = default;

bool VoInfoManager::open(const QString &path, bool isDisc, int titleIndex)
{
    m_path = path;
    if (!QFileInfo::exists(path))
        return false;
    m_info = std::make_unique<VoInfoClass>(-1);
    const bool opened = isDisc ? m_info->openDisc(path) : m_info->open(path);
    if (!opened) {
        m_info.reset();
        return false;
    }
    m_info->selectTitle(titleIndex < 0 ? 0 : titleIndex);
    return true;
}

VEAudioTagInfo VoInfoManager::tags() const
{
    VEAudioTagInfo t;
    if (!m_info)
        return t;
    auto text = [this](const char *key) { return m_info->metadata(key).toUtf8().toStdString(); };
    t.title = text("title");
    t.artist = text("artist");
    t.albumArtist = text("album_artist");
    t.composer = text("composer");
    t.album = text("album");
    t.genre = text("genre");
    t.disc = text("disc");
    t.track = text("track");
    t.year = text("year");
    t.date = text("date");
    t.grouping = text("grouping");
    t.comment = text("comment");
    t.copyright = text("copyright");
    if (t.year.empty())
        t.year = t.date;
    if (t.date.empty())
        t.date = t.year;
    const QByteArray cover = m_info->metadataBlob("cover_image");
    t.coverData = cover.toStdString();
    t.coverSize = cover.size();
    return t;
}

QString VoInfoManager::formatTime(uint64_t us)
{
    const uint64_t ms = us / 1000;
    const uint64_t hours = ms / 3600000;
    const uint64_t minutes = ms / 60000 - hours * 60;
    const uint64_t seconds = ms / 1000 - (ms / 60000) * 60;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

std::vector<ChapterEntry> VoInfoManager::chapters() const
{
    std::vector<ChapterEntry> rows;
    if (!m_info)
        return rows;
    const uint64_t duration = m_info->duration();
    ChapterEntry current;
    current.number = 0;
    current.start = 0;
    current.length = duration;
    current.end = duration;
    const QString currentName = tr("Current");
    current.name = currentName.toUtf8().toStdString();
    current.label = QStringLiteral("%1, %2-%3")
                        .arg(currentName, formatTime(0), formatTime(duration))
                        .toUtf8()
                        .toStdString();
    rows.push_back(current);

    const int count = m_info->chapterCount();
    for (int i = 0; i < count; ++i) {
        ChapterEntry row;
        row.number = i + 1;
        row.start = m_info->chapterStart(i);
        row.length = m_info->chapterDuration(i);
        row.end = row.start + row.length;
        const QString name = m_info->chapterTitle(i);
        row.name = name.toUtf8().toStdString();
        const QString number = row.number < 10 ? QStringLiteral("  %1").arg(row.number)
                                                : QStringLiteral("%1").arg(row.number);
        row.label = QStringLiteral("%1, %2-%3 (%4)")
                        .arg(number, formatTime(row.start), formatTime(row.end), name)
                        .toUtf8()
                        .toStdString();
        rows.push_back(row);
    }
    return rows;
}

QImage VoInfoManager::cover(int size) const
{
    if (!m_info)
        return QImage();
    QImage image;
    const QByteArray blob = m_info->metadataBlob("cover_image");
    if (blob.isEmpty() || !image.loadFromData(blob)) {
        image = QImage();
        if (blob.isEmpty() && m_info->hasVideo()) {
            const QByteArray frame = m_info->grabFrame(0);
            if (!frame.isEmpty())
                image.loadFromData(frame);
        }
    }
    return scaleCover(image, size);
}

QImage VoInfoManager::scaleCover(const QImage &image, int size)
{
    if (image.isNull() || size <= 0)
        return image;
    const int w = image.width();
    const int h = image.height();
    const int shorter = qMin(w, h);
    if (shorter <= size)
        return image;
    const int longer = static_cast<int>(static_cast<double>(qMax(w, h)) / shorter * size);
    const QSize target = w <= h ? QSize(size, longer) : QSize(longer, size);
    QImage source = image;
    if (4 * size < shorter)
        source = image.scaled(target * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
