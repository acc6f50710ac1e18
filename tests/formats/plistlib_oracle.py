#!/usr/bin/python3
"""Writes property lists with Python's plistlib (binary and XML) and checks
that plistdump prints what plistlib reads back from the same file.

Usage: plistlib_oracle.py PLISTDUMP WORKDIR   (exit 0 when all match)
"""
import base64
import datetime
import json
import math
import os
import plistlib
import random
import subprocess
import sys

EPOCH = datetime.datetime(1970, 1, 1)


def expected(value, xml):
    """plistlib's value in plistdump's JSON conventions."""
    if isinstance(value, bool):
        return value
    if isinstance(value, int):
        if xml:
            # XML integers are read like the C library's atoi, held at the
            # 32-bit limits.
            return max(-2**31, min(2**31 - 1, value))
        value &= 2**64 - 1  # sixteen-byte integers keep their low 64 bits
        return value - 2**64 if value >= 2**63 else value
    if isinstance(value, float):
        if math.isnan(value):
            return "nan"
        if math.isinf(value):
            return "inf" if value > 0 else "-inf"
        return value
    if isinstance(value, str):
        return value
    if isinstance(value, bytes):
        return base64.b64encode(value).decode()
    if isinstance(value, datetime.datetime):
        return math.trunc((value - EPOCH).total_seconds())
    if isinstance(value, list):
        return [expected(v, xml) for v in value]
    if isinstance(value, dict):
        return {k: expected(v, xml) for k, v in value.items()}
    raise TypeError(type(value))


def random_value(rng, depth, xml):
    kinds = ["int", "real", "str", "bool", "data", "date"]
    if depth < 4:
        kinds += ["list", "dict"] * 2
    kind = rng.choice(kinds)
    if kind == "int":
        return rng.choice([0, 1, 255, 256, 65535, 65536, 2**31 - 1, -1, -2**31, 2**32, 2**40, -2**63,
                           2**63 - 1, 2**64 - 1, 2**63, rng.randint(-2**62, 2**62)])
    if kind == "real":
        return rng.choice([0.0, -0.0, 1.5, -2.25, 1e300, 5e-324, math.inf, -math.inf,
                           rng.uniform(-1e6, 1e6)])
    if kind == "str":
        # Binary lists store non-ASCII text as UTF-16, which the reader
        # refuses by design; XML text is UTF-8 and may hold anything.
        alphabet = "abcXYZ 0123<>&\"'\n\t" + ("é漢字😀" if xml else "")
        return "".join(rng.choice(alphabet) for _ in range(rng.randint(0, 40)))
    if kind == "bool":
        return rng.random() < 0.5
    if kind == "data":
        return bytes(rng.randrange(256) for _ in range(rng.randint(0, 70)))
    if kind == "date":
        # XML dates before 1970 are refused by the reader by design.
        low = 0 if xml else -10**9
        return EPOCH + datetime.timedelta(seconds=rng.randint(low, 4 * 10**9))
    if kind == "list":
        return [random_value(rng, depth + 1, xml) for _ in range(rng.randint(0, 20))]
    return {"k%d%s" % (i, rng.choice(["", "é", "z"] if xml else ["", "z"])): random_value(rng, depth + 1, xml)
            for i in range(rng.randint(0, 20))}


def first_difference(want, got, path="$"):
    if type(want) != type(got) and not (isinstance(want, (int, float)) and isinstance(got, (int, float))):
        return path, want, got
    if isinstance(want, dict):
        for k in sorted(set(want) | set(got)):
            if k not in want or k not in got:
                return path + "." + k, want.get(k), got.get(k)
            d = first_difference(want[k], got[k], path + "." + k)
            if d:
                return d
        return None
    if isinstance(want, list):
        if len(want) != len(got):
            return path + ".length", len(want), len(got)
        for i, (a, b) in enumerate(zip(want, got)):
            d = first_difference(a, b, "%s[%d]" % (path, i))
            if d:
                return d
        return None
    return None if want == got else (path, want, got)


def main():
    dump, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    rng = random.Random(20261209)
    failures = 0
    cases = 0
    for round_ in range(40):
        for fmt, xml in ((plistlib.FMT_BINARY, False), (plistlib.FMT_XML, True)):
            root = {"r%d" % i: random_value(rng, 0, xml) for i in range(rng.randint(1, 12))}
            if xml:
                root["nan"] = float("nan")  # XML can say "nan"
            path = os.path.join(work, "case%d.%s.plist" % (round_, "xml" if xml else "bin"))
            with open(path, "wb") as f:
                plistlib.dump(root, f, fmt=fmt, sort_keys=False)
            with open(path, "rb") as f:
                reread = plistlib.load(f)
            want = expected(reread, xml)
            r = subprocess.run([dump, path], capture_output=True)
            cases += 1
            if r.returncode != 0:
                print("FAIL %s: %s" % (path, r.stderr.decode(errors="replace")))
                failures += 1
                continue
            got = json.loads(r.stdout.decode())
            diff = first_difference(want, got)
            if diff:
                failures += 1
                print("FAIL %s at %s: want %.200r, got %.200r" % ((path,) + diff))
    print("%d files, %d mismatches" % (cases, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
