#!/usr/bin/python3
"""smart_cut and key_frames jobs of bench/run.

smart_cut: a 60 s range, starting and ending between key frames, of a
2-minute 1080p H.264/AAC MP4 with 5-second groups of pictures, cut
frame-exact through the program's own conversion path (snipwell-cli cut --mode
exact; the check of the output included), against the ffmpeg CLI's exact
alternative: the range encoded completely with libx264 at the quality our
encoded pictures get (CRF 16, preset veryfast), sound copied. Goal: at most
0.15 of its time. The share of the check is printed on standard error.

key_frames: the key-frame list of the same video remuxed into MPEG-TS (no
index: every packet header is read), against ffprobe listing the key frames
(-skip_frame nokey). Goal: under 1 s.
"""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(os.environ.get("BUILD_DIR", os.path.join(ROOT, "build")))
BENCH_DIR = os.path.join(BUILD, "bench")
LONG_GOP = os.path.join(BENCH_DIR, "input_1080p_120s_gop5.mp4")
LONG_GOP_TS = os.path.join(BENCH_DIR, "input_1080p_120s_gop5.ts")
CLI = os.path.join(BUILD, "bin", "snipwell-cli")
DRIVER = os.path.join(BENCH_DIR, "snipwell_bench")
RANGE = (30.3, 90.7)


def make_inputs():
    if not os.path.exists(LONG_GOP):
        tmp = LONG_GOP + ".tmp.mp4"
        subprocess.run(
            ["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
             "-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=25:duration=120",
             "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=120",
             "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", "-g", "125",
             "-c:a", "aac", "-b:a", "128k", tmp],
            check=True)
        os.replace(tmp, LONG_GOP)
    if not os.path.exists(LONG_GOP_TS):
        tmp = LONG_GOP_TS + ".tmp.ts"
        subprocess.run(["ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", LONG_GOP,
                        "-c", "copy", "-f", "mpegts", tmp], check=True)
        os.replace(tmp, LONG_GOP_TS)


def job_smart_cut(tmpdir):
    make_inputs()
    ours = [[CLI, "cut", "--json", "--mode", "exact", "--container", "mp4", "--cut", "%g-%g" % RANGE,
             "--output-dir", os.path.join(tmpdir, "ours_smart"), LONG_GOP]]
    theirs = [["ffmpeg", "-nostdin", "-v", "error", "-y", "-ss", str(RANGE[0]), "-i", LONG_GOP,
               "-t", "%g" % (RANGE[1] - RANGE[0]), "-c:v", "libx264", "-preset", "veryfast", "-crf", "16",
               "-c:a", "copy", "-map", "0", os.path.join(tmpdir, "theirs_smart.mp4")]]
    return ours, theirs


def job_key_frames(tmpdir):
    make_inputs()
    ours = [[DRIVER, "key_frames", LONG_GOP_TS]]
    theirs = [["ffprobe", "-v", "error", "-select_streams", "v:0", "-skip_frame", "nokey",
               "-show_entries", "frame=pts_time", "-of", "csv", LONG_GOP_TS]]
    return ours, theirs
