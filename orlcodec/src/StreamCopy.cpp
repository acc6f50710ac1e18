#include "StreamCopy.h"

#include "CopyOutput.h"
#include "FrameExactCopy.h"
#include "MovEditTrim.h"
#include "OutputFormat.h"
#include "RangeReader.h"
#include "SoundConform.h"
#include "orlcodec.h"

extern "C" {
#include <libavutil/avstring.h>
}

#include <algorithm>
#include <chrono>
#include <thread>
#include <cstdio>
#include <limits>

namespace orl {

namespace {

// What a key-frame cut says when its first pictures still refer to pictures
// before the cut in a way that no rewriting of their headers can hide.
std::string decoderWarning(int pictures)
{
    return std::to_string(pictures) + (pictures == 1 ? " picture" : " pictures")
        + " after the start refer to pictures before the cut in a way that only encoding could repair: "
          "decoders may report errors there";
}

// The range's length as copied: to where the source ended, when it ended early.
int64_t rangeWritten(const CopyProgress &progress, uint64_t start_us)
{
    const int64_t total = static_cast<int64_t>(progress.total_us.load());
    const int64_t ended = static_cast<int64_t>(progress.sourceEnd_us.load());
    return ended > 0 ? std::min(total, ended - static_cast<int64_t>(start_us)) : total;
}

// What keeps a range's streams (from src) from following the first range's
// in one file, as phrases for a user. Every range must bring the streams of
// the first one, as a decoder set up for the first can play them (and a
// muxer's bitstream filters, set up once, can take them). Marks in inBand
// the streams whose parameter sets differ and must travel with the range.
std::vector<JoinDifference> joinProblems(const std::vector<JoinedStream> &first,
                                         const std::vector<JoinedStream> &streams, const std::string &src,
                                         const AVOutputFormat *ofmt, std::vector<bool> &inBand, bool matchSound = false)
{
    // Sound that only needs encoding to match is made to (SoundConform).
    if (matchSound && onlySoundDiffers(first, streams))
        return {};
    std::string name = src;
    if (const size_t slash = name.find_last_of('/'); slash != std::string::npos)
        name = name.substr(slash + 1);
    std::vector<JoinDifference> differences = joinDifferenceList(first, streams, name);
    inBand.resize(first.size(), false);
    for (size_t i = 0; i < streams.size() && i < first.size() && differences.empty(); ++i) {
        if (!parameterSetsDiffer(first[i], streams[i]) || inBand[i])
            continue;
        // A transport stream gets the first file's parameter sets put in
        // front of every key picture of HEVC by the muxer's own filter,
        // after any the range brings: the range would decode with the wrong
        // ones.
        if (first[i].codec == AV_CODEC_ID_HEVC && first[i].lengthPrefixed
            && std::string(ofmt->name).find("mpegts") != std::string::npos)
            differences.push_back({AVMEDIA_TYPE_VIDEO, false,
                                   name + ": video parameter sets differ, which an HEVC transport stream made from "
                                          "these files cannot carry (MP4 or MKV can)"});
        else
            inBand[i] = true;
    }
    return differences;
}

std::vector<std::string> phrasesOf(const std::vector<JoinDifference> &differences)
{
    std::vector<std::string> phrases;
    for (const JoinDifference &d : differences)
        phrases.push_back(d.phrase);
    return phrases;
}

} // namespace

// ----------------------------------------------------------- conversion ---

StreamCopyConversion::StreamCopyConversion(InterruptCheck globalInterrupt)
    : RangeConversionJob(std::move(globalInterrupt))
{
}

StreamCopyConversion::~StreamCopyConversion()
{
    close();
}

void StreamCopyConversion::forget()
{
    m_output.reset();
    m_input.reset();
}

bool StreamCopyConversion::open(const std::string &src, const std::string &dst,
                                const std::string &format, const CopyChoice &choice)
{
    const AVOutputFormat *ofmt = beginOpen(format, dst);
    if (!ofmt)
        return false;
    auto input = std::make_unique<CopyInput>(&m_job.abortFlag(), m_job.global());
    if (!input->open(src, choice.frameExact ? Probe::Full : Probe::Copy) || !input->select(choice, ofmt)) {
        m_job.setError(input->error());
        return false;
    }
    // Let the muxer judge the streams now, so a container that cannot take
    // them fails the open rather than the conversion.
    CopyOutput trial(&m_job.abortFlag(), m_job.global());
    if (!trial.create(dst, ofmt, true) || !trial.addStreams(*input) || !trial.init()) {
        m_job.setError(trial.error());
        return false;
    }
    m_input = std::move(input);
    m_choice = choice;
    opened(src, dst, ofmt);
    return true;
}

bool StreamCopyConversion::start()
{
    if (!readyToStart(m_input != nullptr))
        return false;
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    auto output = std::make_unique<CopyOutput>(&m_job.abortFlag(), m_job.global());
    if (!output->create(m_dst, ofmt, false) || !output->addStreams(*m_input)) {
        m_job.setError(output->error());
        return false;
    }
    m_output = std::move(output);
    const int64_t available = m_input->duration_us() - static_cast<int64_t>(m_start_us);
    const uint64_t total = m_length_us > 0 ? m_length_us : static_cast<uint64_t>(std::max<int64_t>(available, 0));
    return m_job.launch([this](std::string &error) { return run(error); }, total, "the conversion failed");
}

bool StreamCopyConversion::run(std::string &error)
{
    m_cutMode = 0;
    m_cutReport.set(std::string());
    std::unique_ptr<SmartCut> cut;
    if (m_choice.frameExact) {
        std::string why;
        cut = planFrameExact(*m_input, m_src, m_output->ctx()->oformat, m_start_us, m_length_us, m_job, why);
        if (m_job.stopRequested())
            return false;
        if (!cut) {
            m_cutMode = 2;
            m_cutReport.set("cut at key frames: " + why);
        }
    }
    bool ok = copyOnce(cut.get(), error);
    if (!ok || !cut)
        return ok;
    std::string why;
    const auto checkStart = std::chrono::steady_clock::now();
    bool passed = false;
    if (m_unrepaired > 0)
        why = std::to_string(m_unrepaired) + " copied pictures refer to pictures the cut leaves out";
    else
        passed = checkFrameExact(*cut, m_dst, m_choice.frameExactPsnr, m_job, why);
    const double checkSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - checkStart).count();
    if (passed) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", checkSeconds);
        m_cutMode = 1;
        m_cutReport.set("frame-exact: " + cut->summary() + "; checked in " + seconds + " s");
        return true;
    }
    if (m_job.stopRequested())
        return false;
    // Nothing unchecked is handed over: the range is cut again at key frames.
    std::remove(m_dst.c_str());
    m_cutMode = 2;
    m_cutReport.set("cut at key frames: the frame-exact result failed its check (" + why + ")");
    auto output = std::make_unique<CopyOutput>(&m_job.abortFlag(), m_job.global());
    if (!output->create(m_dst, m_output->ctx() ? m_output->ctx()->oformat : findOutputFormat(m_format, m_dst), false)
        || !output->addStreams(*m_input)) {
        error = output->error();
        return false;
    }
    m_output = std::move(output);
    return copyOnce(nullptr, error);
}

bool StreamCopyConversion::copyOnce(SmartCut *cut, std::string &error)
{
    bool ok = false;
    const bool editList = hidesLeadIn(m_output->ctx()->oformat) && !cut;
    {
        RangeReader reader(*m_input, static_cast<int64_t>(m_start_us), static_cast<int64_t>(m_length_us),
                           editList);
        reader.setSmartCut(cut);
        if (cut && !describeFrameExact(*cut, *m_input, *m_output)) {
            error = "the cut's video description cannot be written";
        } else if (!reader.preRoll(m_job.abortFlag())) {
            error = m_input->error();
        } else if (!m_output->addChapters(m_input->ctx(), reader.start_us(), reader.end_us(), reader.zero_us())
                   || !m_output->init() || !m_output->writeHeader()) {
            error = m_output->error();
        } else {
            ok = copyRange(*m_input, *m_output, reader, 0, true, m_job.abortFlag(), m_job.progress(), error);
        }
        m_unrepaired = reader.unrepairedPictures();
        if (ok && !cut && reader.unrepairedPictures() > 0) {
            const std::string before = m_cutReport.get();
            const std::string note = decoderWarning(reader.unrepairedPictures());
            m_cutReport.set(before.empty() ? "cut at key frames; " + note : before + "; " + note);
        }
    }
    // The check of the written file allows what a copy adds to the range:
    // the lead-in from the key frame before the start, and the pictures
    // after the end that earlier ones need.
    allowLonger(std::max<int64_t>(0, m_output->end_us() - rangeWritten(m_job.progress(), m_start_us)));
    if (!m_output->finish() && ok) {
        ok = false;
        error = m_output->error();
    }
    if (ok && editList && m_length_us > 0) {
        // Frames after the end that earlier frames depend on were copied;
        // the edit list ends the presentation at the asked end.
        if (!trimMovPresentation(m_dst, m_length_us, error))
            ok = false;
    }
    if (!ok)
        Job::removeUnfinished(m_dst);
    return ok;
}

// --------------------------------------------------------------- merger ---

StreamCopyMerger::StreamCopyMerger(InterruptCheck globalInterrupt)
    : RangeMergeJob(std::move(globalInterrupt))
{
}

StreamCopyMerger::~StreamCopyMerger()
{
    abort();
}

bool StreamCopyMerger::open(const std::string &dst, const std::string &format)
{
    // Opening again would throw away the ranges already joined; a merge
    // that has begun can only go on or fail.
    if (m_output && m_rangesAdded > 0) {
        m_job.join();
        m_job.setError("the merged file already holds ranges");
        return false;
    }
    abort();
    if (!beginMerge(dst, format))
        return false;
    m_timelineEnd_us = 0;
    m_rangesAdded = 0;
    m_nextMethod = ORL_RANGE_COPY;
    m_expectInBand.clear();
    {
        std::lock_guard<std::mutex> lock(m_methodsMutex);
        m_methods.clear();
    }
    return true;
}

bool StreamCopyMerger::add(const std::string &src, uint64_t start_us, uint64_t length_us,
                           const CopyChoice &choice)
{
    if (!readyToAdd())
        return false;
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    auto input = std::make_shared<CopyInput>(&m_job.abortFlag(), m_job.global());
    if (!input->open(src, choice.frameExact ? Probe::Full : Probe::Copy) || !input->select(choice, ofmt)) {
        m_job.setError(input->error());
        return false;
    }
    bool conform = false;
    if (m_output && choice.matchSound) {
        std::vector<JoinedStream> streams;
        for (const SelectedStream &sel : input->selected())
            streams.push_back(joinedStreamOf(input->ctx()->streams[sel.inIndex]));
        conform = onlySoundDiffers(m_first, streams);
    }
    // A range's part keeps the payload form the joined file has: a frame-
    // exact one is cut as the output is written, one whose sound is only
    // re-encoded as its source is held.
    std::string partFormat = m_format;
    if (!choice.frameExact) {
        const std::string demuxer = input->ctx()->iformat->name;
        partFormat = demuxer.find("mp4") != std::string::npos ? "mp4"
            : demuxer.find("matroska") != std::string::npos   ? "matroska"
            : demuxer.find("mpegts") != std::string::npos     ? "mpegts"
                                                              : m_format;
    }
    if (choice.frameExact || conform) {
        // Each range is cut (and checked) into a file of its own first, then
        // joined like any other range: the merged file only ever receives
        // ranges that passed their check. A range whose sound must match the
        // first one's gets it encoded in between.
        const uint64_t total = length_us > 0 ? length_us
                                             : static_cast<uint64_t>(std::max<int64_t>(
                                                   input->duration_us() - static_cast<int64_t>(start_us), 0));
        return m_job.launch(
            [this, src, start_us, length_us, choice, partFormat](std::string &error) {
                return runExact(src, start_us, length_us, choice, partFormat, error);
            },
            total, "the range could not be added");
    }
    {
        std::string error;
        if (!attach(*input, ofmt, src, error)) {
            m_job.setError(error);
            return false;
        }
    }
    const int64_t available = input->duration_us() - static_cast<int64_t>(start_us);
    const uint64_t total = length_us > 0 ? length_us : static_cast<uint64_t>(std::max<int64_t>(available, 0));
    return m_job.launch(
        [this, input, start_us, length_us, part = choice.partChapter](std::string &error) {
            return run(*input, start_us, length_us, part, error);
        },
        total, "the range could not be added");
}

bool StreamCopyMerger::attach(CopyInput &input, const AVOutputFormat *ofmt, const std::string &src,
                              std::string &error)
{
    std::vector<JoinedStream> streams;
    for (const SelectedStream &sel : input.selected())
        streams.push_back(joinedStreamOf(input.ctx()->streams[sel.inIndex]));
    if (!m_output) {
        auto output = std::make_unique<CopyOutput>(&m_job.abortFlag(), m_job.global());
        if (!output->create(m_dst, ofmt, false) || !output->addStreams(input)) {
            error = output->error();
            if (output->ctx())
                output->close();
            return false;
        }
        m_output = std::move(output);
        // Later ranges that bring parameter sets of their own carry them in
        // front of their key pictures: the MP4 family's sample entry must
        // then say that parameter sets travel in band too (avc3, hev1),
        // where avc1 and hvc1 promise they are all in the entry.
        const bool movFamily = av_match_name(ofmt->name, "mp4,mov,ipod,3gp,3g2,psp,ismv,f4v") != 0;
        for (size_t i = 0; movFamily && i < m_expectInBand.size() && i < m_output->ctx()->nb_streams; ++i) {
            AVCodecParameters *par = m_output->ctx()->streams[i]->codecpar;
            if (m_expectInBand[i] && par->codec_id == AV_CODEC_ID_H264)
                par->codec_tag = MKTAG('a', 'v', 'c', '3');
            else if (m_expectInBand[i] && par->codec_id == AV_CODEC_ID_HEVC)
                par->codec_tag = MKTAG('h', 'e', 'v', '1');
        }
        m_first = std::move(streams);
        m_inBand.assign(m_first.size(), false);
        m_lastSource = src;
        m_joins.clear();
        return true;
    }
    const std::vector<JoinDifference> differences = joinProblems(m_first, streams, src, ofmt, m_inBand);
    if (!differences.empty()) {
        error = "the files do not join without encoding: " + joinDifferencesText(phrasesOf(differences));
        return false;
    }
    if (src != m_lastSource)
        m_joins.push_back(m_timelineEnd_us);
    m_lastSource = src;
    // Once any range has brought other parameter sets, every range from then
    // on carries its own: the decoder holds the last ones it was given.
    for (size_t i = 0; i < streams.size(); ++i)
        input.selected()[i].keyFramePrefix
            = m_inBand[i] ? inBandParameterSets(streams[i], m_first[i].lengthPrefixed, m_first[i].lengthSize) : Bytes();
    return true;
}

int StreamCopyMerger::checkSources(const std::vector<std::string> &sources, const CopyChoice &choice,
                                   std::string &report, std::vector<JoinMisfit> &misfits)
{
    report.clear();
    misfits.clear();
    if (m_dst.empty()) {
        report = "the merge is not open";
        return -1;
    }
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    std::vector<JoinedStream> first = m_first;
    std::vector<bool> inBand = m_inBand;
    std::vector<std::string> differences;
    for (const std::string &src : sources) {
        CopyInput input(&m_job.abortFlag(), m_job.global());
        if (!input.open(src, Probe::Copy) || !input.select(choice, ofmt)) {
            std::string name = src.substr(src.find_last_of('/') + 1);
            report = name + ": " + input.error();
            misfits.clear();
            return -1;
        }
        std::vector<JoinedStream> streams;
        for (const SelectedStream &sel : input.selected())
            streams.push_back(joinedStreamOf(input.ctx()->streams[sel.inIndex]));
        if (first.empty()) {
            first = std::move(streams);
            inBand.assign(first.size(), false);
            continue;
        }
        const std::vector<JoinDifference> problems = joinProblems(first, streams, src, ofmt, inBand, choice.matchSound);
        if (problems.empty())
            continue;
        // A file named twice is told once, with all it brings.
        auto same = std::find_if(misfits.begin(), misfits.end(), [&](const JoinMisfit &m) { return m.source == src; });
        if (same == misfits.end()) {
            misfits.push_back(JoinMisfit{src, 0, {}});
            same = misfits.end() - 1;
        }
        same->kinds |= joinDifferenceKinds(problems);
        for (const JoinDifference &d : problems) {
            if (std::find(same->phrases.begin(), same->phrases.end(), d.phrase) == same->phrases.end())
                same->phrases.push_back(d.phrase);
            differences.push_back(d.phrase);
        }
    }
    if (!m_output)
        m_expectInBand = inBand;
    if (differences.empty())
        return 1;
    report = joinDifferencesText(differences);
    return 0;
}

// A frame-exact range: cut into a file of its own by a conversion (which
// checks it, or cuts at key frames when it cannot be exact), then joined.
bool StreamCopyMerger::runExact(const std::string &src, uint64_t start_us, uint64_t length_us,
                                const CopyChoice &choice, const std::string &partFormat, std::string &error)
{
    const size_t dot = m_dst.find_last_of("./");
    const std::string ext = dot != std::string::npos && m_dst[dot] == '.' ? m_dst.substr(dot) : std::string();
    const std::string part = m_dst + ".range" + std::to_string(m_rangesAdded + 1) + ext;
    struct Remove {
        std::string path;
        ~Remove() { std::remove(path.c_str()); }
    } cleanup{part};
    {
        StreamCopyConversion cut(m_job.global());
        if (!cut.open(src, part, partFormat, choice)) {
            error = cut.lastError();
            return false;
        }
        cut.setRange(start_us, length_us);
        if (!cut.start()) {
            error = cut.lastError();
            return false;
        }
        while (!cut.progress().finished.load()) {
            if (m_job.stopRequested()) {
                cut.stop();
                error = "stopped";
                return false;
            }
            m_job.progress().position_us = cut.progress().position_us.load() / 2;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        cut.close();
        if (cut.progress().failed.load()) {
            error = cut.lastError();
            return false;
        }
        if (choice.frameExact) {
            const std::string note = "range " + std::to_string(m_rangesAdded + 1) + ": " + cut.cutReport();
            const std::string before = m_cutReport.get();
            m_cutReport.set(before.empty() ? note : before + "; " + note);
            if (cut.cutMode() != 1 || m_cutMode.load() == 2)
                m_cutMode = 2;
            else
                m_cutMode = 1;
            m_nextMethod = cut.cutMode() == 1 ? ORL_RANGE_EXACT : ORL_RANGE_COPY;
        }
    }
    // The part holds exactly the chosen streams: all of them are joined.
    CopyChoice all;
    all.audioIndex = 0;
    all.audioMask = ~uint64_t(0);
    all.subtitleIndex = choice.subtitleIndex >= 0 || choice.subtitleMask || !choice.tracks.empty() ? 0 : -1;
    all.subtitleMask = ~uint64_t(0);
    CopyInput input(&m_job.abortFlag(), m_job.global());
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    std::string joined = part;
    if (m_output && choice.matchSound) {
        CopyInput cut(&m_job.abortFlag(), m_job.global());
        if (!cut.open(part, Probe::Copy) || !cut.select(all, ofmt)) {
            error = cut.error();
            return false;
        }
        std::vector<JoinedStream> streams;
        for (const SelectedStream &sel : cut.selected())
            streams.push_back(joinedStreamOf(cut.ctx()->streams[sel.inIndex]));
        if (onlySoundDiffers(m_first, streams)) {
            joined = m_dst + ".sound" + std::to_string(m_rangesAdded + 1) + ext;
            if (!conformSound(part, joined, findOutputFormat(partFormat, part), m_first, m_job.abortFlag(), error))
                return false;
            m_nextMethod |= ORL_RANGE_SOUND_ENCODED;
            const std::string note = "range " + std::to_string(m_rangesAdded + 1)
                + ": its sound was encoded to match the first range's";
            const std::string before = m_cutReport.get();
            m_cutReport.set(before.empty() ? note : before + "; " + note);
        }
    }
    struct RemoveJoined {
        std::string path, part;
        ~RemoveJoined()
        {
            if (path != part)
                std::remove(path.c_str());
        }
    } cleanupJoined{joined, part};
    if (!input.open(joined, Probe::Copy) || !input.select(all, ofmt)) {
        error = input.error();
        return false;
    }
    if (!attach(input, ofmt, src, error))
        return false;
    return run(input, 0, 0, choice.partChapter, error);
}

bool StreamCopyMerger::run(CopyInput &input, uint64_t start_us, uint64_t length_us, const std::string &partChapter,
                           std::string &error)
{
    bool ok = false;
    const bool first = m_rangesAdded == 0;
    AVFormatContext *oc = m_output->ctx();
    // Only the first range can hide its lead-in: later ones would overlap
    // the range before them.
    RangeReader reader(input, static_cast<int64_t>(start_us), static_cast<int64_t>(length_us),
                       first && hidesLeadIn(oc->oformat));
    if (!reader.preRoll(m_job.abortFlag())) {
        error = input.error();
    } else if (!(partChapter.empty()
                     ? m_output->addChapters(input.ctx(), reader.start_us(), reader.end_us(), reader.zero_us(),
                                             m_timelineEnd_us)
                     : m_output->addPartChapter(input.ctx(), reader.end_us(), reader.zero_us(), m_timelineEnd_us,
                                                partChapter))
               || (first && (!m_output->init() || !m_output->writeHeader()))) {
        error = m_output->error();
    } else {
        ok = copyRange(input, *m_output, reader, m_timelineEnd_us, first, m_job.abortFlag(), m_job.progress(),
                       error);
        if (ok && reader.unrepairedPictures() > 0) {
            const std::string note = "range " + std::to_string(m_rangesAdded + 1) + ": "
                + decoderWarning(reader.unrepairedPictures());
            const std::string before = m_cutReport.get();
            m_cutReport.set(before.empty() ? note : before + "; " + note);
        }
    }
    ++m_rangesAdded;
    const int method = m_nextMethod;
    m_nextMethod = ORL_RANGE_COPY;
    if (ok) {
        std::lock_guard<std::mutex> lock(m_methodsMutex);
        m_methods.push_back(method);
    }
    if (ok) {
        // As for a single copy: what the check of the merged file allows.
        const int64_t written = m_output->end_us() - m_timelineEnd_us;
        m_longer_us += std::max<int64_t>(0, written - rangeWritten(m_job.progress(), start_us));
        m_editList = hidesLeadIn(oc->oformat);
        m_presentationEnd_us = reader.end_us() == std::numeric_limits<int64_t>::max()
            ? 0
            : m_timelineEnd_us + (reader.end_us() - reader.zero_us());
        m_timelineEnd_us = m_output->end_us();
    }
    return ok;
}

bool StreamCopyMerger::finish()
{
    m_job.join();
    const bool failed = m_job.progress().failed;
    if (!m_output)
        return !failed;
    bool ok = m_output->finish();
    if (!ok)
        m_job.setError(m_output->error());
    m_output.reset();
    if (ok && m_editList && m_presentationEnd_us > 0 && !failed) {
        // As for a single cut: the last range ends where it was asked to.
        std::string error;
        ok = trimMovPresentation(m_dst, static_cast<uint64_t>(m_presentationEnd_us), error);
        if (!ok)
            m_job.setError(error);
    }
    if (!ok || failed)
        Job::removeUnfinished(m_dst);
    m_dst.clear();
    return ok && !failed;
}

void StreamCopyMerger::abort()
{
    m_job.stop();
    if (m_output) {
        m_output->close();
        m_output.reset();
        Job::removeUnfinished(m_dst);
    }
    m_dst.clear();
}

} // namespace orl
