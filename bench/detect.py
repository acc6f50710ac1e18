#!/usr/bin/python3
"""detect_silence, detect_black and waveform jobs of bench/run.

detect_silence / detect_black: the silences / black stretches of the
2-minute 1080p bench file with the default settings, against the ffmpeg CLI
running the same filter over the file (`-af silencedetect` / `-vf
blackdetect` to the null muxer). Goal: a ratio of at most 1.0.

waveform: the sound's outline (100 values a second) of a one-hour stereo
AAC track, against the ffmpeg CLI decoding that track to the null muxer.
Goal: under 2 s.
"""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(os.environ.get("BUILD_DIR", os.path.join(ROOT, "build")))
BENCH_DIR = os.path.join(BUILD, "bench")
INPUT = os.path.join(BENCH_DIR, "input_1080p_120s.mp4")
HOUR = os.path.join(BENCH_DIR, "audio_1h.m4a")
DRIVER = os.path.join(BENCH_DIR, "snipwell_bench")
FFMPEG = ["ffmpeg", "-nostdin", "-hide_banner", "-v", "error"]


def make_hour():
    if os.path.exists(HOUR):
        return
    tmp = HOUR + ".tmp.m4a"
    # Speech-like level changes: a tone switched on and off every few seconds.
    subprocess.run(FFMPEG + ["-y", "-f", "lavfi", "-i",
                             "sine=frequency=440:sample_rate=48000:duration=3600,"
                             "volume='if(lt(mod(t,7),5),1,0)':eval=frame",
                             "-ac", "2", "-c:a", "aac", "-b:a", "128k", tmp], check=True)
    os.replace(tmp, HOUR)


def job_detect_silence(tmpdir):
    return [[DRIVER, "detect_silence", INPUT]], \
        [FFMPEG + ["-i", INPUT, "-af", "silencedetect=noise=-50dB:duration=1", "-f", "null", "-"]]


def job_detect_black(tmpdir):
    return [[DRIVER, "detect_black", INPUT]], \
        [FFMPEG + ["-i", INPUT, "-vf", "blackdetect=d=0.5", "-f", "null", "-"]]


def job_waveform(tmpdir):
    make_hour()
    return [[DRIVER, "waveform", HOUR]], [FFMPEG + ["-i", HOUR, "-f", "null", "-"]]
