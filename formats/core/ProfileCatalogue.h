#pragma once
// The output formats of one profile file: its categories, the formats of a
// category, and for one format and the user's current choices the codecs,
// sizes, rates and defaults the format dialogs may offer. Also the tables
// that turn profile texts into converter parameters.
//
// Interface thread only. No exception leaves a catalogue: a missing or
// broken profile file, or a format that lacks a required entry, yields an
// empty result and a translated text in errorText().
#include "Plist.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <memory>

// One entry of a category's format list.
struct FormatItemInfo {
    QString title;
    QString id;
    QString ext;
    QString category;
    QString icon;
};

// The parameters of one format for a given set of choices. Bit rates carry
// " kbps", frame rates " fps", sample rates " Hz"; "Auto" entries carry none.
struct FormatProfile {
    QStringList videoCodecs;
    QStringList resolutions;
    QStringList frameRates;
    QStringList videoBitrates;
    QStringList audioCodecs;
    QStringList channels;
    QStringList sampleRates;
    QStringList audioBitrates;
    bool audioOnly = false;
    bool autoAllowed = false;
    QString ext;
    QString category;
    QString id;
    QString videoCodec;
    QString resolution;
    QString videoBitrateLow;
    QString videoBitrateHigh;
    QString videoBitrateDefault;
    QString frameRateDefault;
    QString audioCodec;
    QString channel;
    QString audioBitrateLow;
    QString audioBitrateHigh;
    QString audioBitrateDefault;
    QString sampleRateDefault;
};

struct FrameRateFraction {
    int32_t num = 0;
    int32_t den = 1;
};

class ProfileCatalogue {
    Q_DECLARE_TR_FUNCTIONS(ProfileCatalogue)

public:
    // Loads the file at once; a failure is kept in errorText().
    explicit ProfileCatalogue(const QString &path);
    ~ProfileCatalogue();
    ProfileCatalogue(const ProfileCatalogue &) = delete;
    ProfileCatalogue &operator=(const ProfileCatalogue &) = delete;

    // The process-wide catalogues, created and loaded on first use; the path
    // of the first request is the one used.
    static ProfileCatalogue &encodingCatalogue(const QString &path);
    static ProfileCatalogue &losslessCatalogue(const QString &path);
    // The same with the installed files of the application folder.
    static ProfileCatalogue &encodingCatalogue();
    static ProfileCatalogue &losslessCatalogue();

    QString path() const { return m_path; }
    bool isLoaded() const { return m_loaded; }
    // Why the last operation gave an empty answer; empty after a success.
    QString errorText() const { return m_error; }

    QStringList getCategories();
    // The formats of a category, in file order; empty for an empty or
    // unknown category.
    QVector<FormatItemInfo> getItems(const QString &category);
    // A baseinfo entry ("title", "ext", …) of the format with this id.
    QString getItemField(const QString &category, const QString &id, const QString &key);
    // Builds the current profile; "Auto" or empty choices take the format's
    // defaults. Null for an empty category or id and for a broken format.
    // The profile stays valid until the next buildProfile.
    const FormatProfile *buildProfile(const QString &category, const QString &id,
                                      const QString &videoCodec, const QString &resolution,
                                      const QString &audioCodec, const QString &channel);

    QString codecDisplayName(const QString &tag) const;

    static int32_t codecIdForTag(const QString &tag);
    static QString containerForExtension(const QString &ext);
    static FrameRateFraction frameRateToRational(double fps);

private:
    const PlistArray *formatsOf(const std::string &category);
    void buildInto(FormatProfile &profile, const std::string &category, const std::string &id,
                   QString videoChoice, QString resolutionChoice, QString audioChoice,
                   QString channelChoice);
    bool checkLoaded();

    QString m_path;
    bool m_loaded = false;
    PlistDictionary m_root;
    QString m_error;
    QStringList m_categories;
    QVector<FormatItemInfo> m_items;
    std::unique_ptr<FormatProfile> m_profile;
};
