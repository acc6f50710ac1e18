#!/usr/bin/python3
"""Jobs of bench/run on files past 4 GiB.

The inputs, made once into BUILD_DIR/bench/big/ by stream copy (no
encoding beyond one busy minute of 1080p): big.mp4 (4.5 GB, 144 s), and the
same streams as big.ts and big.mkv. make test does not make them (disk and
time); its slow test big_files uses them when they are there.

big_open: what a user waits for after choosing each big file: the media
item opened as the window opens it, then the player until its first
picture (goal at most 1 s; the key frames are listed later, in the
background), against ffprobe reading the file's streams. The peak memory
of ours goes to standard error.

big_cut: a 4 GB range of big.mp4 by stream copy (snipwell-cli cut, copy
mode), against cat writing the same number of bytes out of the page cache
(the physical floor: each byte read once and written once). Goal: at most
1.5 times cat.

big_key_frames: the key-frame list of big.ts (no index: every packet header
is read), against ffprobe listing its key frames (-skip_frame nokey).
Goal: no slower.
"""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(os.environ.get("BUILD_DIR", os.path.join(ROOT, "build")))
BIG_DIR = os.path.join(BUILD, "bench", "big")
PIECE = os.path.join(BIG_DIR, "piece.mp4")
BIG = {ext: os.path.join(BIG_DIR, "big." + ext) for ext in ("mp4", "ts", "mkv")}
CLI = os.path.join(BUILD, "bin", "snipwell-cli")
DRIVER = os.path.join(BUILD, "bench", "snipwell_bench")
CUT = (10, 138)  # about 4.0 GB of big.mp4


def run(cmd):
    subprocess.run(cmd, check=True)


def make_big_inputs():
    os.makedirs(BIG_DIR, exist_ok=True)
    if not os.path.exists(PIECE):
        # A minute of a busy 1080p picture at a high rate (about 1.9 GB), so
        # that a few copies pass 4 GiB.
        tmp = PIECE + ".tmp.mp4"
        run(["ffmpeg", "-nostdin", "-v", "error", "-y",
             "-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=25:duration=60,noise=alls=10:allf=t",
             "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=60",
             "-c:v", "libx264", "-preset", "ultrafast", "-crf", "12", "-g", "50", "-pix_fmt", "yuv420p",
             "-c:a", "aac", "-b:a", "128k", tmp])
        os.replace(tmp, PIECE)
    if not os.path.exists(BIG["mp4"]):
        listing = os.path.join(BIG_DIR, "pieces.txt")
        with open(listing, "w") as f:
            f.write("file 'piece.mp4'\nfile 'piece.mp4'\nfile 'piece.mp4'\noutpoint 24\n")
        tmp = BIG["mp4"] + ".tmp.mp4"
        run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "concat", "-safe", "0", "-i", listing,
             "-c", "copy", "-map", "0", tmp])
        os.replace(tmp, BIG["mp4"])
    for ext, muxer in (("ts", "mpegts"), ("mkv", "matroska")):
        if not os.path.exists(BIG[ext]):
            tmp = BIG[ext] + ".tmp"
            run(["ffmpeg", "-nostdin", "-v", "error", "-y", "-i", BIG["mp4"], "-c", "copy", "-map", "0",
                 "-f", muxer, tmp])
            os.replace(tmp, BIG[ext])


def job_big_open(tmpdir):
    make_big_inputs()
    ours = [[DRIVER, "first_picture", BIG[ext]] for ext in ("mp4", "ts", "mkv")]
    theirs = [["ffprobe", "-v", "error", "-show_streams", "-show_format", BIG[ext]] for ext in ("mp4", "ts", "mkv")]
    return ours, theirs


def job_big_cut(tmpdir):
    make_big_inputs()
    out = os.path.join(tmpdir, "ours_big")
    # What cat writes: the size of our output, taken from the first run.
    ours = [[CLI, "cut", "--json", "--container", "mp4", "--cut", "%d-%d" % CUT, "--output-dir", out, BIG["mp4"]],
            ["sh", "-c", "rm -rf \"$1\"", "sh", out]]
    size = int(4.0e9)
    target = os.path.join(tmpdir, "theirs_big.bin")
    theirs = [["sh", "-c", "head -c %d \"$1\" > \"$2\"" % size, "sh", BIG["mp4"], target],
              ["rm", "-f", target]]
    return ours, theirs


def job_big_key_frames(tmpdir):
    make_big_inputs()
    ours = [[DRIVER, "key_frames", BIG["ts"]]]
    theirs = [["ffprobe", "-v", "error", "-skip_frame", "nokey", "-select_streams", "v:0",
               "-show_entries", "frame=pts_time", "-of", "csv", BIG["ts"]]]
    return ours, theirs
