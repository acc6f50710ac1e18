#pragma once
// Reading an update feed: an RSS document whose items each describe one
// release with its version (an element or an attribute of the enclosure,
// in the update namespace or by plain name) and an optional link to its
// release notes. Document type declarations are refused: the feed comes
// from the network, and entity tricks have no place in it.
#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QVector>

struct AppcastItem {
    QString title;
    QString version;        // compared
    QString displayVersion; // shown; the version when the feed has none
    QUrl notesUrl;          // http or https only, else empty
};

struct Appcast {
    bool ok = false;
    QString error; // why the feed was refused, for the log
    QVector<AppcastItem> items;

    // The item with the highest version, or null when there is none.
    const AppcastItem *newest() const;
};

Appcast parseAppcast(const QByteArray &document);
