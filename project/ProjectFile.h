#pragma once
// A saved cut: the source file, its segments with their editing records,
// the output settings and the view, as a versioned JSON document
// ("*.snipwell", docs/project-format.md). Keys this version does not know
// are carried from reading to writing, so a file saved by a newer minor
// revision loses nothing when an older one saves it again.
#include "OutputFormatParams.h"
#include "SourceFingerprint.h"
#include "TrackPlan.h"
#include "VEEditConfig.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

struct ProjectSegment {
    uint64_t start_us = 0;
    uint64_t end_us = 0; // 0 = to the end of the file
    QString label;       // empty when the segment has no name
    int source = 0;      // 0: the project's source; k: moreSources[k - 1]
    VEEditConfig edit;
    QJsonObject stored;  // the segment as read, for its unknown keys
};

struct ProjectOutput {
    bool lossless = false; // High-Speed mode
    QString encodingCategory;
    QString encodingId;
    QString losslessCategory;
    QString losslessId;
    int quality = 1;       // 0 Small Size, 1 High Quality, 2 Customized
    bool frameExact = false;
    bool merge = false;
    OutputFormatParams params; // the parameters the conversion runs with
};

struct ProjectView {
    bool simpleMode = false;
    int currentSegment = 0;
};

struct Project {
    SourceFingerprint source;
    // The further files a work cuts from, in the order they joined it.
    QVector<SourceFingerprint> moreSources;
    QVector<ProjectSegment> segments;
    ProjectOutput output;
    ProjectView view;
    // The streams the outputs keep (empty: as the segments choose them).
    TrackPlan trackPlan;
    // Why a part of the file was left out while the rest opened (a track
    // plan that cannot be used); empty when everything was read.
    QString warning;
    QJsonObject stored; // the document as read, for its unknown keys
};

class ProjectFile {
    Q_DECLARE_TR_FUNCTIONS(ProjectFile)
public:
    static constexpr int kVersion = 2; // 2: several sources
    static constexpr const char *kSuffix = "snipwell";
    static constexpr const char *kMimeType = "application/x-snipwell-project";
    // Larger files are not projects (a cover picture is the biggest part).
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;

    // Reads path; false with a message for the user in *error.
    static bool read(const QString &path, Project *project, QString *error);
    static bool parse(const QByteArray &bytes, Project *project, QString *error);
    static QByteArray serialize(const Project &project);
    // Writes through a temporary file renamed over path, so that a failed
    // write leaves the previous file as it was.
    static bool write(const QString &path, const Project &project, QString *error);

    // Where the files of the project saved at projectPath are now: its
    // source, and each further file in the project's order ("" for one not
    // found). Each is looked for as SourceFingerprint::locate does, in the
    // project's folder and its own old folder; a further file also where
    // the source was found, should the files have moved together. Reads
    // the files' ends: never on the interface thread.
    struct Places {
        QString source;
        QStringList moreSources;
    };
    static Places locateSources(const Project &project, const QString &projectPath);
};
