#!/usr/bin/python3
"""encode_h264: 10 s of the 1080p bench input encoded to H.264/AAC MP4 at
4000 kbit/s, through the program's own conversion path (snipwell-cli), against
the ffmpeg CLI with the same settings (Baseline profile, 4000k video, AAC
128k stereo 44.1 kHz, default x264 preset on both sides).

Usage: bench/encode_h264.py   (or, from bench/run, the job_encode_h264 job)
Prints: encode_h264 ours=<seconds> ffmpeg=<seconds> ratio=<ours/ffmpeg>
Each figure is the median wall time of RUNS runs (default 3), fresh
processes on both sides. The input is the one bench/run makes
(BUILD_DIR/bench/input_1080p_120s.mp4), made here when it is missing.
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
INPUT = os.path.join(BENCH_DIR, "input_1080p_120s.mp4")
CLI = os.path.join(BUILD, "bin", "snipwell-cli")
RUNS = int(os.environ.get("RUNS", "3"))


def make_input():
    if os.path.exists(INPUT):
        return
    os.makedirs(BENCH_DIR, exist_ok=True)
    tmp = INPUT + ".tmp.mp4"
    subprocess.run(
        ["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
         "-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=25:duration=120",
         "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=120",
         "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", "-g", "50",
         "-c:a", "aac", "-b:a", "128k", tmp],
        check=True)
    os.replace(tmp, INPUT)


def job_encode_h264(tmpdir):
    ours = [[CLI, "cut", "--json", "--format", "MP4 H.264/AAC", "--video-codec", "H264", "--audio-codec", "AAC",
             "--video-bitrate", "4000", "--audio-bitrate", "128", "--cut", "10-20",
             "--output-dir", os.path.join(tmpdir, "ours_encode"), INPUT]]
    theirs = [["ffmpeg", "-nostdin", "-v", "error", "-y", "-ss", "10", "-i", INPUT, "-t", "10",
               "-c:v", "libx264", "-profile:v", "baseline", "-b:v", "4000k",
               "-c:a", "aac", "-b:a", "128k", "-ar", "44100", "-ac", "2",
               os.path.join(tmpdir, "theirs_encode.mp4")]]
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
            ours, theirs = job_encode_h264(tmpdir)
            ours_times.append(timed(ours))
            theirs_times.append(timed(theirs))
    o, t = statistics.median(ours_times), statistics.median(theirs_times)
    print("encode_h264 ours=%.3f ffmpeg=%.3f ratio=%.3f" % (o, t, o / t))
    print("load average: %.2f %.2f %.2f" % os.getloadavg(), file=sys.stderr)


if __name__ == "__main__":
    main()
