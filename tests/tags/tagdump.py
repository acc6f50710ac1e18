#!/usr/bin/python3
"""Reads the tags of an audio file with mutagen (an oracle independent of
the tag writer) and prints them as JSON in one shape for every format:
{"format", "fields": {title, artist, album, genre, year, track, comment,
copyright}, "covers": [base64...], "keys": [...], "vendor", "blocks"}."""
import base64
import json
import sys

import mutagen
from mutagen.apev2 import APEv2, APENoHeaderError
from mutagen.asf import ASF
from mutagen.flac import FLAC, Picture
from mutagen.id3 import ID3
from mutagen.mp4 import MP4
from mutagen.oggvorbis import OggVorbis


def b64(data):
    return base64.b64encode(bytes(data)).decode()


def first(values):
    if not values:
        return None
    v = values[0]
    return str(v)


def dump_vorbis(tags, out):
    names = {"title": "TITLE", "artist": "ARTIST", "album": "ALBUM", "genre": "GENRE",
             "year": "DATE", "track": "TRACKNUMBER", "comment": "COMMENT", "copyright": "COPYRIGHT"}
    for field, key in names.items():
        if key in tags:
            out["fields"][field] = tags[key][0]
    for value in tags.get("METADATA_BLOCK_PICTURE", []):
        out["covers"].append(b64(Picture(base64.b64decode(value)).data))
    out["vendor"] = tags.vendor
    out["keys"] = sorted(k.upper() for k in tags.keys())


def main(path):
    out = {"format": None, "fields": {}, "covers": [], "keys": [], "vendor": None, "blocks": []}
    kind = sys.argv[2] if len(sys.argv) > 2 else "auto"
    if kind == "ape":
        try:
            tags = APEv2(path)
        except APENoHeaderError:
            tags = {}
        out["format"] = "APEv2"
        names = {"title": "Title", "artist": "Artist", "album": "Album", "genre": "Genre",
                 "year": "Year", "track": "Track", "comment": "Comment", "copyright": "Copyright"}
        for field, key in names.items():
            if key in tags:
                out["fields"][field] = str(tags[key])
        if "Cover Art (front)" in tags:
            value = tags["Cover Art (front)"].value
            out["covers"].append(b64(value[value.index(b"\0") + 1:]))
        out["keys"] = sorted(tags.keys())
        print(json.dumps(out))
        return
    if kind == "id3":
        f = None
        out["format"] = "ID3"
    else:
        f = mutagen.File(path)
        out["format"] = type(f).__name__
        out["length"] = f.info.length
    if f is None or not isinstance(f, (MP4, ASF, FLAC, OggVorbis)):
        tags = ID3(path) if f is None else (f.tags if f.tags is not None else {})
        if isinstance(tags, ID3) or hasattr(tags, "getall"):
            names = {"title": "TIT2", "artist": "TPE1", "album": "TALB", "genre": "TCON",
                     "year": "TDRC", "track": "TRCK", "copyright": "TCOP"}
            for field, key in names.items():
                frames = tags.getall(key)
                if frames:
                    out["fields"][field] = str(frames[0].text[0])
            comments = tags.getall("COMM")
            if comments:
                out["fields"]["comment"] = comments[0].text[0]
                out["commentLanguage"] = comments[0].lang
            for apic in tags.getall("APIC"):
                out["covers"].append(b64(apic.data))
                out.setdefault("coverMimes", []).append(apic.mime)
            out["keys"] = sorted(tags.keys())
            out["id3version"] = list(tags.version)
    elif isinstance(f, MP4):
        names = {"title": "\xa9nam", "artist": "\xa9ART", "album": "\xa9alb", "genre": "\xa9gen",
                 "year": "\xa9day", "comment": "\xa9cmt", "copyright": "\xa9cpy"}
        for field, key in names.items():
            if f.tags and key in f.tags:
                out["fields"][field] = f.tags[key][0]
        if f.tags and "trkn" in f.tags:
            number, total = f.tags["trkn"][0]
            out["fields"]["track"] = "%d/%d" % (number, total) if total else "%d" % number
            out["trkn"] = [number, total]
        for cover in (f.tags or {}).get("covr", []):
            out["covers"].append(b64(cover))
            out.setdefault("coverFormats", []).append(int(cover.imageformat))
        out["keys"] = sorted((f.tags or {}).keys())
    elif isinstance(f, ASF):
        tags = f.tags
        names = {"title": "Title", "artist": "Author", "album": "WM/AlbumTitle", "genre": "WM/Genre",
                 "year": "WM/Year", "track": "WM/TrackNumber", "comment": "Description",
                 "copyright": "Copyright"}
        for field, key in names.items():
            if key in tags:
                out["fields"][field] = str(tags[key][0])
        for value in tags.get("WM/Picture", []):
            data = bytes(value.value)
            length = int.from_bytes(data[1:5], "little")
            pos = 5
            for _ in range(2):
                while data[pos:pos + 2] != b"\0\0":
                    pos += 2
                pos += 2
            out["covers"].append(b64(data[pos:pos + length]))
        out["keys"] = sorted(tags.keys())
    elif isinstance(f, FLAC):
        dump_vorbis(f.tags or {}, out) if f.tags is not None else None
        out["covers"] = [b64(p.data) for p in f.pictures]
        out["blocks"] = [b.code for b in f.metadata_blocks]
    elif isinstance(f, OggVorbis):
        dump_vorbis(f.tags, out)
    print(json.dumps(out))


if __name__ == "__main__":
    main(sys.argv[1])
