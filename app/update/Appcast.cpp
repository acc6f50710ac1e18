#include "Appcast.h"

#include "VersionCompare.h"

#include <QXmlStreamReader>

namespace {

constexpr int maxItems = 1000;
constexpr int maxTextLength = 2048;

QUrl webLink(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return QUrl();
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ? url : QUrl();
}

// A version worth comparing: short, and starting with a digit.
bool usableVersion(const QString &v)
{
    return !v.isEmpty() && v.size() <= 64 && v.at(0).isDigit();
}

QString attribute(const QXmlStreamAttributes &attributes, const QString &localName)
{
    for (const QXmlStreamAttribute &a : attributes) {
        if (a.name() == localName)
            return a.value().toString().trimmed();
    }
    return QString();
}

} // namespace

const AppcastItem *Appcast::newest() const
{
    const AppcastItem *best = nullptr;
    for (const AppcastItem &item : items) {
        if (!best || compareVersions(item.version, best->version) > 0)
            best = &item;
    }
    return best;
}

Appcast parseAppcast(const QByteArray &document)
{
    Appcast feed;
    QXmlStreamReader xml(document);
    bool sawRss = false;
    bool inItem = false;
    AppcastItem item;
    QString shortVersion;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            feed.error = QStringLiteral("document type declarations are not accepted");
            return feed;
        }
        if (token == QXmlStreamReader::EntityReference) {
            feed.error = QStringLiteral("entity references are not accepted");
            return feed;
        }
        if (token == QXmlStreamReader::StartElement) {
            // Copied: reading the element's text moves the reader on.
            const QString name = xml.name().toString();
            if (!sawRss) {
                if (name != QLatin1String("rss") && name != QLatin1String("feed")) {
                    feed.error = QStringLiteral("not an update feed: <%1>").arg(name.left(40));
                    return feed;
                }
                sawRss = true;
                continue;
            }
            if (name == QLatin1String("item")) {
                inItem = true;
                item = AppcastItem();
                shortVersion.clear();
                continue;
            }
            if (!inItem)
                continue;
            if (name == QLatin1String("enclosure")) {
                const QXmlStreamAttributes attrs = xml.attributes();
                const QString v = attribute(attrs, QStringLiteral("version"));
                if (item.version.isEmpty() && !v.isEmpty())
                    item.version = v;
                const QString s = attribute(attrs, QStringLiteral("shortVersionString"));
                if (shortVersion.isEmpty() && !s.isEmpty())
                    shortVersion = s;
                continue;
            }
            if (name == QLatin1String("title") || name == QLatin1String("version")
                || name == QLatin1String("shortVersionString") || name == QLatin1String("releaseNotesLink")) {
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed().left(maxTextLength);
                if (xml.hasError())
                    break;
                if (name == QLatin1String("title"))
                    item.title = text;
                else if (name == QLatin1String("version"))
                    item.version = text;
                else if (name == QLatin1String("shortVersionString"))
                    shortVersion = text;
                else
                    item.notesUrl = webLink(text);
            }
        } else if (token == QXmlStreamReader::EndElement && inItem && xml.name() == QLatin1String("item")) {
            inItem = false;
            if (!usableVersion(item.version))
                continue;
            item.displayVersion = usableVersion(shortVersion) ? shortVersion : item.version;
            if (feed.items.size() >= maxItems) {
                feed.error = QStringLiteral("too many items");
                return feed;
            }
            feed.items.append(item);
        }
    }
    if (xml.hasError()) {
        feed.error = QStringLiteral("XML error at line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return feed;
    }
    if (!sawRss) {
        feed.error = QStringLiteral("empty document");
        return feed;
    }
    if (feed.items.isEmpty()) {
        feed.error = QStringLiteral("no release in the feed");
        return feed;
    }
    feed.ok = true;
    return feed;
}
