#include "Subcommands.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace cli {

const std::vector<Subcommand> &subcommands()
{
    static const std::vector<Subcommand> table{
        {"info", runInfo,
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "snipwell-cli info FILE...\n"
                           "    One JSON object a line for each FILE: format, duration, streams,\n"
                           "    chapters and the number of key frames.\n")},
        {"cut", runCut,
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "snipwell-cli cut [OPTIONS] FILE...\n"
                           "    Cuts the same segments out of every FILE.\n"
                           "\n"
                           "  Segments (in the order given; none: the whole file):\n"
                           "    --cut START-END       a segment; times as 12.5, 1:02.5 or 1:02:03.250;\n"
                           "                          an empty END runs to the end (repeatable)\n"
                           "    --cuts LIST           the segments of a cut list: .csv, .tsv, .edl, .cue,\n"
                           "                          .txt chapter lines, or a .snipwell project with\n"
                           "                          its labels (repeatable)\n"
                           "    --chapters            one segment per chapter of each FILE\n"
                           "\n"
                           "  Output:\n"
                           "    --mode MODE           copy (lossless at key frames, the default),\n"
                           "                          exact (lossless, frame-exact) or encode\n"
                           "    --container NAME      copy and exact: original (the default), mp4, mkv,\n"
                           "                          mov, ts, ... as in the lossless format list\n"
                           "    --format NAME         encode: a format by its title or number, as in\n"
                           "                          the format dialog (\"MP4 H.264/AAC\", 4000)\n"
                           "    --quality QUALITY     encode: small or high (the default)\n"
                           "    --merge               all segments of a FILE into one output\n"
                           "    --merge-chapters      with --merge (copy, exact): one chapter per segment\n"
                           "    --output-dir DIR      where outputs go (default: the program's output\n"
                           "                          folder, a folder per FILE)\n"
                           "    --name TEMPLATE       output names, as the window's template: {name}\n"
                           "                          {n} {label} {start} {end} {ext} {date}\n"
                           "                          (default {name}_{n}.{ext})\n"
                           "\n"
                           "  Encoding parameters (encode; default: the format's):\n"
                           "    --video-codec TAG     as the profiles name codecs (H264, HEVC, ...), or none\n"
                           "    --audio-codec TAG     (AAC, MP3, ...), or none\n"
                           "    --size WxH            picture size (default: the source's when the\n"
                           "                          format allows any size, else the format's)\n"
                           "    --fps RATE            frame rate\n"
                           "    --video-bitrate KBPS\n"
                           "    --audio-bitrate KBPS\n"
                           "    --channels N\n"
                           "    --sample-rate HZ\n"
                           "    --edits FILE          edits as JSON: the editing record's fields\n"
                           "\n"
                           "  Running:\n"
                           "    --jobs N              files converted at once (default 1)\n"
                           "    --json                one JSON object a line on standard output:\n"
                           "                          progress, each output with its path, cut\n"
                           "                          report and check, notes and errors\n"),
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "  Streams (every mode; STREAM is an index in the source, 3, a kind and\n"
                           "  number, v:0 a:1 s:0, or a kind and language, a:eng):\n"
                           "    --drop STREAM         leave the stream out (repeatable)\n"
                           "    --order STREAM,...    the named streams first within their kind;\n"
                           "                          outputs hold pictures, then sound, then subtitles\n"
                           "    --language STREAM=LANG  ISO 639-2 code, like eng (repeatable)\n"
                           "    --title STREAM=TEXT   the stream's title (repeatable)\n"
                           "    --default STREAM      the default of its kind; the others lose it\n"
                           "    --forced STREAM       mark the stream forced\n"
                           "    --shift STREAM=MS     move a sound or subtitle stream by signed\n"
                           "                          milliseconds: sound moved before the start is\n"
                           "                          cut at a frame, a gap at the start stays a gap.\n"
                           "                          Encoding keeps the first sound stream kept\n")},
        {"join", runJoin,
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "snipwell-cli join [OPTIONS] FILE [--cut S-E]... FILE [--cut S-E]...\n"
                           "    Joins the segments of every FILE, file after file, into one output\n"
                           "    named after the first FILE. Each --cut or --cuts belongs to the FILE\n"
                           "    before it (given before any FILE: to every file); a FILE without\n"
                           "    cuts joins whole. Copy and exact join files whose streams match\n"
                           "    (codecs, sizes, rates, channels) and otherwise say what differs and\n"
                           "    write nothing; encode joins any. Takes the options of cut, and:\n"
                           "\n"
                           "    --match-sound         copy and exact: sound that differs from the first\n"
                           "                          file's is encoded to match it; the pictures are\n"
                           "                          still copied\n"
                           "    --json                as cut; the output's line adds \"joins\": for each\n"
                           "                          join, the segment after it, its file and how it\n"
                           "                          was made (method copy, exact or encode; sound\n"
                           "                          copied or encoded)\n")},
        {"offset", runOffset,
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "snipwell-cli offset [OPTIONS] FILE [SECOND_FILE]\n"
                           "    Prints in seconds how much later the second sound track's sound comes\n"
                           "    than the first's (negative: earlier), found by comparing how their\n"
                           "    loudness changes; cut --shift STREAM=MS with minus that lines them up.\n"
                           "    Exit status 1 with the reason when it cannot tell.\n"
                           "\n"
                           "    --first STREAM        the first track (default a:0 of FILE)\n"
                           "    --second STREAM       the second (default a:1 of FILE, or a:0 of\n"
                           "                          SECOND_FILE)\n"
                           "    --json                one JSON object with the offset, the confidence\n"
                           "                          (0 to 1) and the shift in ms\n")},
        {"detect", runDetect,
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "snipwell-cli detect KIND [OPTIONS] FILE...\n"
                           "    Finds places to cut in every FILE and prints them in seconds, one a\n"
                           "    line: KIND silence, black or freeze gives START END of each range,\n"
                           "    scene the time of each picture change.\n"
                           "\n"
                           "    --threshold VALUE     silence: level in dB (-50); black: share of black\n"
                           "                          pixels, 0 to 1 (0.98); scene: change score, 0 to\n"
                           "                          100 (10); freeze: difference in dB (-60)\n"
                           "    --min-length SECONDS  shortest range (silence 1, black 0.5, freeze 2);\n"
                           "                          scene: shortest time between changes (1)\n"
                           "    --json                one JSON object a line for each FILE\n")},
        {"extract-subtitles", runExtractSubtitles,
         QT_TRANSLATE_NOOP("snipwell-cli",
                           "snipwell-cli extract-subtitles [OPTIONS] FILE...\n"
                           "    Writes every subtitle stream of each FILE to a file of its own,\n"
                           "    NAME.INDEX.LANGUAGE.srt: text as SRT (or ASS), PGS pictures as .sup,\n"
                           "    other picture subtitles as .mks. Existing files are left alone.\n"
                           "\n"
                           "    --format FORMAT       text streams: srt (the default) or ass\n"
                           "    --cut START-END       only what this segment shows, timed as the cut\n"
                           "                          of the segments joined in order (repeatable)\n"
                           "    --output-dir DIR      where the files go (default: beside FILE)\n"
                           "    --json                one JSON object a line for each file written\n")},
    };
    return table;
}

namespace {

QString commandHelp(const Subcommand &command)
{
    QString text = QCoreApplication::translate("snipwell-cli", command.help);
    if (command.more)
        text += QLatin1Char('\n') + QCoreApplication::translate("snipwell-cli", command.more);
    return text;
}

} // namespace

bool sourceReadable(const QString &path, QString &why)
{
    const QFileInfo info(path);
    if (!info.exists())
        why = QCoreApplication::translate("snipwell-cli", "no such file");
    else if (info.isDir())
        why = QCoreApplication::translate("snipwell-cli", "a folder, not a file");
    else if (!info.isReadable())
        why = QCoreApplication::translate("snipwell-cli", "not readable (permission denied)");
    else
        return true;
    return false;
}

QString helpText()
{
    QString text = QCoreApplication::translate("snipwell-cli",
                                               "Usage: snipwell-cli COMMAND [OPTIONS] FILE...\n"
                                               "Cuts video and audio files without the window, on the same conversion\n"
                                               "path as the Zelvane Snipwell window.\n"
                                               "\n");
    for (const Subcommand &command : subcommands())
        text += commandHelp(command) + QLatin1Char('\n');
    text += QCoreApplication::translate("snipwell-cli",
                                        "  --help                  this text (COMMAND --help: the command's)\n"
                                        "  --version               the program's version\n"
                                        "\n"
                                        "Exit status: 0 when every output was written, 1 when a file failed (the\n"
                                        "others are still written), 2 for a wrong command line. Ctrl+C stops and\n"
                                        "leaves no partial output. See snipwell-cli(1).\n");
    return text;
}

QString helpText(const Subcommand &command)
{
    return QCoreApplication::translate("snipwell-cli", "Usage: ") + commandHelp(command);
}

} // namespace cli
