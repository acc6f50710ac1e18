#include "OutputTemplate.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// A label longer than this is cut: with the rest of the template and a
// folder in front, a name must stay under the 255 bytes every common file
// system allows.
constexpr int kMaxLabelLength = 100;

QString clockForName(uint64_t us)
{
    const uint64_t ms = us / 1000;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

const QRegularExpression &placeholderPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\\{([a-z]+)(?::0([1-9]))?\\}"));
    return pattern;
}

bool knownKey(const QString &key, bool padded)
{
    if (padded)
        return key == QLatin1String("n");
    static const QStringList keys = {"name", "ext", "n", "label", "start", "end", "date"};
    return keys.contains(key);
}

// The characters FAT, NTFS and exFAT refuse, and control characters, in
// what the user typed (template and label). The source's own name keeps
// all but '/', as this system already took it; so the default template
// gives exactly the names the program always gave.
QString refusedReplaced(QString text, bool typed)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c == QLatin1Char('/') || (typed && QStringLiteral("<>:\"\\|?*").contains(c)))
            c = QLatin1Char('_');
    }
    return text;
}

QString labelForName(const QString &label)
{
    QString out = refusedReplaced(label, true);
    if (out.length() > kMaxLabelLength) {
        out.truncate(kMaxLabelLength);
        if (out.at(out.length() - 1).isHighSurrogate())
            out.chop(1);
    }
    return out;
}

// Windows drops trailing dots and spaces (two names would meet) and keeps
// device names for devices.
QString finished(QString name)
{
    while (!name.isEmpty() && (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))))
        name.chop(1);
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        name += QLatin1Char('_');
    return name;
}

QString withPlaceholders(const QString &pattern, const OutputNameFields &fields)
{
    QString out;
    int from = 0;
    QRegularExpressionMatchIterator it = placeholderPattern().globalMatch(pattern);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString key = m.captured(1);
        const bool padded = m.capturedLength(2) > 0;
        out += refusedReplaced(pattern.mid(from, m.capturedStart() - from), true);
        from = m.capturedEnd();
        if (!knownKey(key, padded))
            out += refusedReplaced(m.captured(), true);
        else if (key == QLatin1String("n"))
            out += QStringLiteral("%1").arg(fields.n, padded ? m.captured(2).toInt() : 0, 10, QLatin1Char('0'));
        else if (key == QLatin1String("name"))
            out += refusedReplaced(fields.name, false);
        else if (key == QLatin1String("ext"))
            out += refusedReplaced(fields.ext, true);
        else if (key == QLatin1String("label"))
            out += labelForName(fields.label);
        else if (key == QLatin1String("start"))
            out += clockForName(fields.start_us);
        else if (key == QLatin1String("end"))
            out += clockForName(fields.end_us);
        else if (key == QLatin1String("date"))
            out += fields.date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    out += refusedReplaced(pattern.mid(from), true);
    return out;
}

} // namespace

QString defaultOutputTemplate()
{
    return QStringLiteral("{name}_{n}.{ext}");
}

QString unknownPlaceholder(const QString &pattern)
{
    QRegularExpressionMatchIterator it = placeholderPattern().globalMatch(pattern);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!knownKey(m.captured(1), m.capturedLength(2) > 0))
            return m.captured();
    }
    // A brace that opens nothing we read ("{N}", "{n:2}") is a typing slip.
    static const QRegularExpression other(QStringLiteral("\\{[^}]*\\}"));
    QRegularExpressionMatchIterator rest = other.globalMatch(pattern);
    while (rest.hasNext()) {
        const QRegularExpressionMatch m = rest.next();
        if (!placeholderPattern().match(m.captured()).hasMatch())
            return m.captured();
    }
    return QString();
}

QString expandOutputName(const QString &pattern, const OutputNameFields &fields)
{
    const QString suffix = fields.ext.isEmpty() ? QString() : QLatin1Char('.') + fields.ext;
    QString base = withPlaceholders(pattern, fields);
    if (!suffix.isEmpty() && base.endsWith(suffix))
        base.chop(suffix.length());
    base = finished(base);
    if (base.isEmpty())
        base = finished(refusedReplaced(fields.name, false));
    if (base.isEmpty())
        base = QStringLiteral("_");
    return base + refusedReplaced(suffix, true);
}

QString freeOutputPath(const QString &folder, const QString &pattern, OutputNameFields fields,
                       const std::function<bool(const QString &)> &exists)
{
    const QString dir = folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    static const QRegularExpression number(QStringLiteral("\\{n(?::0[1-9])?\\}"));
    if (number.match(pattern).hasMatch()) {
        // Bounded: a number cut off a very long name would never change it.
        for (int tries = 0; tries < 100000; ++tries, ++fields.n) {
            const QString path = dir + expandOutputName(pattern, fields);
            if (!exists(path))
                return path;
        }
    }
    const QString name = expandOutputName(pattern, fields);
    const int dot = fields.ext.isEmpty() ? name.length() : name.lastIndexOf(QLatin1Char('.'));
    QString path = dir + name;
    for (int k = 1; exists(path); ++k)
        path = dir + name.left(dot) + QStringLiteral("(%1)").arg(k) + name.mid(dot);
    return path;
}
