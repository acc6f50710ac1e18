#include "ApngWriter.h"

#include <QFile>
#include <QtEndian>

#include <array>

#include <zlib.h>

namespace effectgen {

namespace {

const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);

quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xffffffffu;
    for (char byte : bytes)
        c = table[(c ^ static_cast<quint8>(byte)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

QByteArray be32(quint32 v)
{
    QByteArray out(4, '\0');
    qToBigEndian(v, out.data());
    return out;
}

QByteArray be16(quint16 v)
{
    QByteArray out(2, '\0');
    qToBigEndian(v, out.data());
    return out;
}

QByteArray chunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    return be32(static_cast<quint32>(data.size())) + body + be32(crc32(body));
}

// The pixels of a picture as PNG image data: each row of straight RGBA
// bytes behind the filter byte "none", deflated quickly. The build waits
// for this; adaptive row filters would make the files little smaller.
QByteArray imageData(const QImage &picture)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    QByteArray raw;
    raw.reserve((rgba.width() * 4 + 1) * rgba.height());
    for (int y = 0; y < rgba.height(); ++y) {
        raw.append('\0');
        raw.append(reinterpret_cast<const char *>(rgba.constScanLine(y)), rgba.width() * 4);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    QByteArray packed(static_cast<int>(size), '\0');
    if (compress2(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(raw.constData()),
                  static_cast<uLong>(raw.size()), 1)
        != Z_OK)
        return {};
    packed.resize(static_cast<int>(size));
    return packed;
}

} // namespace

bool writeApng(const QString &file, const QVector<QImage> &frames, int delayMs, QString &error)
{
    if (frames.isEmpty()) {
        error = "no frames";
        return false;
    }
    const QSize size = frames.first().size();
    QByteArray header = be32(static_cast<quint32>(size.width())) + be32(static_cast<quint32>(size.height()));
    header += QByteArray("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, row filters, not interlaced
    QByteArray out = kSignature + chunk("IHDR", header);
    out += chunk("acTL", be32(static_cast<quint32>(frames.size())) + be32(0)); // 0 = loop for ever
    quint32 sequence = 0;
    for (int i = 0; i < frames.size(); ++i) {
        if (frames[i].size() != size) {
            error = QString("frame %1 differs in size from the first").arg(i);
            return false;
        }
        const QByteArray data = imageData(frames[i]);
        if (data.isEmpty()) {
            error = QString("frame %1 does not compress").arg(i);
            return false;
        }
        const QByteArray control = be32(sequence++) + be32(static_cast<quint32>(size.width()))
            + be32(static_cast<quint32>(size.height())) + be32(0) + be32(0) + be16(static_cast<quint16>(delayMs))
            + be16(1000) + QByteArray(1, '\0') /* dispose: none */ + QByteArray(1, '\0') /* blend: source */;
        out += chunk("fcTL", control);
        out += i == 0 ? chunk("IDAT", data) : chunk("fdAT", be32(sequence++) + data);
    }
    out += chunk("IEND", QByteArray());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size()) {
        error = "cannot write " + file;
        return false;
    }
    return true;
}

bool writePng(const QString &file, const QImage &picture, QString &error)
{
    QByteArray header = be32(static_cast<quint32>(picture.width())) + be32(static_cast<quint32>(picture.height()));
    header += QByteArray("\x08\x06\x00\x00\x00", 5);
    const QByteArray data = imageData(picture);
    if (data.isEmpty()) {
        error = "the picture does not compress";
        return false;
    }
    const QByteArray out = kSignature + chunk("IHDR", header) + chunk("IDAT", data) + chunk("IEND", QByteArray());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size()) {
        error = "cannot write " + file;
        return false;
    }
    return true;
}

} // namespace effectgen
