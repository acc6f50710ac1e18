#include "VoSubtitleFiles.h"

#include "orlcodec_subs.h"

#include <vector>

static_assert(int(VoSubtitleFiles::None) == ORL_SUBS_NONE && int(VoSubtitleFiles::Srt) == ORL_SUBS_SRT
                  && int(VoSubtitleFiles::Ass) == ORL_SUBS_ASS && int(VoSubtitleFiles::Sup) == ORL_SUBS_SUP
                  && int(VoSubtitleFiles::Mks) == ORL_SUBS_MKS,
              "subtitle file kinds follow the media library's");

VoSubtitleFiles::VoSubtitleFiles() : m_handle(Subs_Create()) {}

VoSubtitleFiles::~VoSubtitleFiles()
{
    Subs_Destroy(m_handle);
}

bool VoSubtitleFiles::streams(const QString &source, QVector<Stream> &out)
{
    out.clear();
    const QByteArray path = source.toUtf8();
    std::vector<orl_subs_stream> found(8);
    int n = Subs_ListStreams(m_handle, path.constData(), found.data(), static_cast<int>(found.size()));
    if (n > static_cast<int>(found.size())) {
        found.resize(size_t(n));
        n = Subs_ListStreams(m_handle, path.constData(), found.data(), n);
    }
    if (n < 0) {
        m_error = QString::fromUtf8(Engine_GetLastError(m_handle));
        return false;
    }
    for (int i = 0; i < n && i < static_cast<int>(found.size()); ++i)
        out.append({found[size_t(i)].index, found[size_t(i)].kind, QString::fromUtf8(found[size_t(i)].language),
                    QString::fromUtf8(found[size_t(i)].codec)});
    m_error.clear();
    return true;
}

bool VoSubtitleFiles::write(const QString &source, int stream, int kind, const QVector<Range> &ranges,
                            const QString &out)
{
    std::vector<uint64_t> starts;
    std::vector<uint64_t> ends;
    for (const Range &r : ranges) {
        starts.push_back(r.start_us);
        ends.push_back(r.end_us);
    }
    const bool ok = Subs_Export(m_handle, source.toUtf8().constData(), stream, kind, starts.data(), ends.data(),
                                static_cast<int>(ranges.size()), out.toUtf8().constData())
        == 1;
    m_error = ok ? QString() : QString::fromUtf8(Engine_GetLastError(m_handle));
    return ok;
}

void VoSubtitleFiles::cancel()
{
    Subs_Cancel(m_handle);
}

QString VoSubtitleFiles::extension(int kind)
{
    switch (kind) {
    case Srt: return QStringLiteral("srt");
    case Ass: return QStringLiteral("ass");
    case Sup: return QStringLiteral("sup");
    case Mks: return QStringLiteral("mks");
    default: return QString();
    }
}
