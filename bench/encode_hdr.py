#!/usr/bin/python3
"""encode_hdr: 4 s of a 720p HDR10 HEVC Main 10 input (PQ, BT.2020, mastering
display and content light level) encoded to the "MP4 H.265/HEVC" format
through the program's own conversion path (snipwell-cli), against the ffmpeg
CLI doing the same job: the same filters (the size kept, constant 25 fps,
10-bit 4:2:0), libx265 Main 10 at the format's 5000 kbit/s with the source's
colours, mastering display and light level, AAC 192 kbit/s stereo 44.1 kHz.

Usage: bench/encode_hdr.py   (or, from bench/run, the job_encode_hdr job)
Prints: encode_hdr ours=<seconds> ffmpeg=<seconds> ratio=<ours/ffmpeg>
Each figure is the median wall time of RUNS runs (default 3), fresh
processes on both sides. The input is made once into BUILD_DIR/bench/.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(os.environ.get("BUILD_DIR", os.path.join(ROOT, "build")))
BENCH_DIR = os.path.join(BUILD, "bench")
INPUT = os.path.join(BENCH_DIR, "input_hdr10_720p_10s.mp4")
CLI = os.path.join(BUILD, "bin", "snipwell-cli")
RUNS = int(os.environ.get("RUNS", "3"))
RANGE = (2, 6)
# The mastering display of the input, in x265's notation.
MASTER = "G(13250,34500)B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,50)"


def make_input():
    if os.path.exists(INPUT):
        return
    os.makedirs(BENCH_DIR, exist_ok=True)
    tmp = INPUT + ".tmp.mp4"
    # SDR test pictures turned into PQ (their white at 203 cd/m2), a key
    # frame every 2 s.
    subprocess.run(
        ["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
         "-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=25:duration=10",
         "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=10",
         "-vf", "zscale=tin=bt709:pin=bt709:min=bt709:rin=tv:t=smpte2084:p=bt2020:m=bt2020nc:r=tv:npl=203,"
                "format=yuv420p10le",
         "-c:v", "libx265", "-preset", "ultrafast", "-color_primaries", "bt2020", "-colorspace", "bt2020nc",
         "-color_range", "tv", "-color_trc", "smpte2084",
         "-x265-params", "log-level=error:keyint=50:master-display=%s:max-cll=1000,400:hdr10=1" % MASTER,
         "-tag:v", "hvc1", "-c:a", "aac", "-b:a", "128k", tmp],
        check=True)
    os.replace(tmp, INPUT)


def job_encode_hdr(tmpdir):
    make_input()
    ours = [[CLI, "cut", "--json", "--format", "MP4 H.265/HEVC", "--cut", "%d-%d" % RANGE,
             "--output-dir", os.path.join(tmpdir, "ours_hdr"), INPUT]]
    theirs = [["ffmpeg", "-nostdin", "-v", "error", "-y", "-ss", str(RANGE[0]), "-i", INPUT,
               "-t", str(RANGE[1] - RANGE[0]),
               "-vf", "scale=w=1280:h=720,setsar=1,fps=25,format=yuv420p10le",
               "-c:v", "libx265", "-profile:v", "main10", "-b:v", "5000k",
               "-color_primaries", "bt2020", "-color_trc", "smpte2084", "-colorspace", "bt2020nc",
               "-color_range", "tv",
               "-x265-params", "log-level=error:master-display=%s:max-cll=1000,400:hdr10=1" % MASTER,
               "-af", "aresample=44100,aformat=sample_fmts=fltp:sample_rates=44100:channel_layouts=stereo",
               "-c:a", "aac", "-b:a", "192k", "-ar", "44100", "-ac", "2",
               os.path.join(tmpdir, "theirs_hdr.mp4")]]
    return ours, theirs


def timed(commands):
    start = time.perf_counter()
    for cmd in commands:
        r = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if r.returncode != 0:
            raise RuntimeError("failed: " + " ".join(cmd))
    return time.perf_counter() - start


def main():
    if not os.access(CLI, os.X_OK):
        sys.exit("%s is missing: build the snipwell-cli target first" % CLI)
    make_input()
    ours_times, theirs_times = [], []
    for _ in range(RUNS):
        with tempfile.TemporaryDirectory() as tmpdir:
            ours, theirs = job_encode_hdr(tmpdir)
            # Side by side, alternating, so that load from elsewhere
            # weighs on both alike.
            ours_times.append(timed(ours))
            theirs_times.append(timed(theirs))
    o, t = statistics.median(ours_times), statistics.median(theirs_times)
    print("encode_hdr ours=%.3f ffmpeg=%.3f ratio=%.3f" % (o, t, o / t))
    print("load average: %.2f %.2f %.2f" % os.getloadavg(), file=sys.stderr)


if __name__ == "__main__":
    main()
