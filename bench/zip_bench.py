#!/usr/bin/env python3
"""ZIP extraction benchmark: zipread against bsdtar and 7z on the same archives, UNZIPPER's member
loop against extracting all at once, peak memory, and the legacy methods' throughput.

usage: bench/zip_bench.py [--build build/host-release] [--work DIR] [--quick]
Prints "NAME: VALUE UNIT" lines and "ratio NAME: X.XX" (ours divided by the peer's).
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)
EXTERNAL = os.path.join(TOP, "..", "shared", "testdata", "zip-external")
WORDS = [b"setup", b"install", b"archive", b"member", b"folder", b"registry", b"window",
         b"string", b"product", b"version", b"terminal", b"service", b"config", b"data"]


def content(rng, size):
    """Text-like data that deflates about 3:1, with some incompressible stretches."""
    parts = []
    total = 0
    while total < size:
        if rng.random() < 0.1:
            chunk = rng.randbytes(min(4096, size - total))
        else:
            chunk = b" ".join(rng.choice(WORDS) for _ in range(200)) + b"\n"
        parts.append(chunk)
        total += len(chunk)
    return b"".join(parts)[:size]


def make_many(path, files, total):
    rng = random.Random(1)
    sizes = [rng.lognormvariate(0, 1.5) for _ in range(files)]
    scale = total / sum(sizes)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for i, s in enumerate(sizes):
            z.writestr("dir%02d/sub%d/file%05d.dat" % (i % 50, i % 7, i), content(rng, int(s * scale)))


def make_big(path, size):
    rng = random.Random(2)
    block = content(rng, 1 << 24)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, allowZip64=True) as z:
        with z.open("big.dat", "w", force_zip64=True) as out:
            written = 0
            while written < size:
                piece = block[: min(len(block), size - written)]
                out.write(piece)
                written += len(piece)
                block = block[4096:] + block[:4096]


def run(command):
    """Wall seconds and peak resident memory (MB, through GNU time) of one program run."""
    report = os.path.join(WORK, "time.txt")
    timed = ["/usr/bin/time", "-f", "%M", "-o", report] if os.path.exists("/usr/bin/time") else []
    start = time.monotonic()
    status = subprocess.run(timed + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, check=False).returncode
    seconds = time.monotonic() - start
    peak = float(open(report).read().split()[-1]) / 1024.0 if timed else 0.0
    return seconds, peak, status


def extract_with(tool, archive, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    if tool == "zipread":
        command = [ZIPREAD, "-qq", archive, "-d", out]
    elif tool == "bsdtar":
        command = ["bsdtar", "-xf", archive, "-C", out]
    else:
        command = ["7z", "x", "-y", "-bd", "-o" + out, archive]
    seconds, peak, status = min((run(command) for _ in range(REPEAT)), key=lambda r: r[0])
    shutil.rmtree(out, ignore_errors=True)
    return seconds, peak, status


def compare(label, archive, work):
    times = {}
    for tool in ("zipread", "bsdtar", "7z"):
        seconds, peak, _ = extract_with(tool, archive, os.path.join(work, "out"))
        times[tool] = seconds
        print("%s_%s: %.3f s" % (tool, label, seconds))
        print("%s_%s_peak: %.1f MB" % (tool, label, peak))
    print("ratio zipread/bsdtar_%s: %.2f" % (label, times["zipread"] / times["bsdtar"]))
    print("ratio zipread/7z_%s: %.2f" % (label, times["zipread"] / times["7z"]))


def member_loop(label, archive, work):
    output = subprocess.run([ZIPBENCH, archive, os.path.join(work, "loop")], capture_output=True,
                            text=True, check=False).stdout
    for line in output.splitlines():
        print(line.replace(": ", "_%s: " % label, 1))


def legacy(work):
    for name in ("sharpcompress/Zip.shrink.zip", "sharpcompress/Zip.reduce4.zip",
                 "sharpcompress/Zip.implode.zip", "libarchive/test_compat_zip_implode.zip"):
        archive = os.path.join(EXTERNAL, name)
        if not os.path.exists(archive):
            continue
        with zipfile.ZipFile(archive) as z:
            size = sum(i.file_size for i in z.infolist())
        label = os.path.basename(name).replace(".zip", "")
        decoded = subprocess.run([ZIPBENCH, "--decode", archive, "50"], capture_output=True,
                                 text=True, check=False).stdout.strip()
        print(decoded.replace(": ", "_%s: " % label, 1))
        rates = {}
        for tool in ("zipread", "7z"):
            seconds, _, status = extract_with(tool, archive, os.path.join(work, "out"))
            if status != 0:
                print("# %s_%s: not supported (exit %d)" % (tool, label, status))
                continue
            rates[tool] = size / seconds / 1e6
            print("%s_%s: %.2f MB/s" % (tool, label, rates[tool]))
        if len(rates) == 2:
            print("ratio zipread/7z_%s: %.2f" % (label, rates["7z"] / rates["zipread"]))


def main():
    global ZIPREAD, ZIPBENCH, REPEAT, WORK
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(TOP, "build", "host-release"))
    parser.add_argument("--work", default=None)
    parser.add_argument("--out", default="/dev/shm" if os.path.isdir("/dev/shm") else None,
                        help="where the programs extract to (memory, so the disk does not decide)")
    parser.add_argument("--quick", action="store_true", help="small archives, one run each")
    args = parser.parse_args()
    ZIPREAD = os.path.join(args.build, "bin", "zipread")
    ZIPBENCH = os.path.join(args.build, "bin", "zipbench")
    REPEAT = 1 if args.quick else 3
    work = args.work or os.path.join(args.build, "bench", "zipdata")
    os.makedirs(work, exist_ok=True)
    WORK = work
    out = os.path.join(args.out, "zipbench-%d" % os.getpid()) if args.out else work
    many = os.path.join(work, "many.zip")
    big = os.path.join(work, "big.zip")
    files, total, big_size = (500, 20 << 20, 100 << 20) if args.quick else (5000, 200 << 20, 1 << 30)
    stamp = os.path.join(work, "sizes-%d-%d-%d" % (files, total, big_size))
    if not os.path.exists(stamp):
        make_many(many, files, total)
        make_big(big, big_size)
        open(stamp, "w").close()
    compare("many", many, out)
    compare("big", big, out)
    member_loop("many", many, out)
    legacy(out)
    shutil.rmtree(out, ignore_errors=True)


if __name__ == "__main__":
    main()
