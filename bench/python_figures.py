#!/usr/bin/python3
"""The Python package's figures for the README, each ratio measured in one run with its
pair timed in the same minute, alternately, and the median of the repeats quoted:
  - audconv.convert against the same call from C++ (bench/call_timing.cpp: the conversion and
    the findings the tool and the package look for after it), typical record, per direction;
  - a thread pool of two against one thread over one batch (the GIL is released);
  - audconv.dask.convert_files on a LocalCluster of two workers against
    'audconv convert --jobs 2' on the same files.
Run with the release build: PYTHONPATH=build/release/python bench/python_figures.py build/release
"""

import concurrent.futures
import logging
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import audconv

DIRECTIONS = [(200, 500, "typical.ds200"), (500, 200, "typical.xml"), (100, 500, "typical.ds100"),
              (500, 100, "typical.xml"), (100, 200, "typical.ds100"), (200, 100, "typical.ds200")]
REPEATS = 5


def python_ns(data: bytes, from_: int, to: int, calls: int) -> float:
    best = float("inf")
    for _ in range(9):
        start = time.perf_counter_ns()
        for _ in range(calls):
            audconv.convert(data, to=to, from_=from_)
        best = min(best, (time.perf_counter_ns() - start) / calls)
    return best


def cpp_ns(timing: Path, file: Path, from_: int, to: int, calls: int) -> float:
    run = subprocess.run([timing, "time", file, str(from_), str(to), str(calls)], capture_output=True, check=True)
    return float(run.stdout.split()[0])


def median_ratio(pair) -> tuple[float, list]:
    """The median of numerator/denominator over REPEATS runs of `pair()`, and the runs."""
    runs = [pair() for _ in range(REPEATS)]
    return statistics.median(a / b for a, b in runs), runs


def call_overhead(timing: Path, folder: Path):
    print("| conversion (typical record) | Python call | C++ call | ratio (median of %d) |" % REPEATS)
    print("|---|---|---|---|")
    for from_, to, name in DIRECTIONS:
        data = (folder / name).read_bytes()
        calls = 20000 if 500 not in (from_, to) else 1000
        ratio, runs = median_ratio(lambda: (python_ns(data, from_, to, calls), cpp_ns(timing, folder / name, from_, to, calls)))
        py, cpp = statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs)
        print(f"| {from_} to {to} | {py / 1000:.2f} µs | {cpp / 1000:.2f} µs | {ratio:.2f} |")


def batch_seconds(data: bytes, threads: int, count: int = 600) -> float:
    with concurrent.futures.ThreadPoolExecutor(threads) as pool:
        start = time.perf_counter()
        list(pool.map(lambda _: audconv.convert(data, to=500, from_=200), range(count)))
        return time.perf_counter() - start


def thread_scaling(folder: Path):
    data = (folder / "typical.ds200").read_bytes()
    ratio, _ = median_ratio(lambda: (batch_seconds(data, 1), batch_seconds(data, 2)))
    print(f"\nthread pool of two against one thread, 600 conversions 200 to 500: {ratio:.2f} times as fast")


def dask_against_tool(tool: Path, folder: Path, files: int = 2000):
    import audconv.dask
    import distributed

    archive = Path(tempfile.mkdtemp(prefix="audconv-figures-"))
    for index in range(files):
        shutil.copyfile(folder / "typical.ds200", archive / f"r{index}.ds200")

    def fresh(name: str) -> Path:
        out = archive.with_name(archive.name + "-" + name)
        shutil.rmtree(out, ignore_errors=True)
        return out

    with distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1, dashboard_address=":0") as cluster, \
            distributed.Client(cluster) as client:
        def pair():
            start = time.perf_counter()
            audconv.dask.convert_files(archive, to=500, out_dir=fresh("dask"), client=client)
            dask_seconds = time.perf_counter() - start
            start = time.perf_counter()
            subprocess.run([tool, "convert", "-q", "--from", "auto", "--to", "500", "--jobs", "2", "--out-dir",
                            fresh("tool"), archive], check=True)
            return dask_seconds, time.perf_counter() - start

        ratio, runs = median_ratio(pair)
    for out in (archive, fresh("dask"), fresh("tool")):
        shutil.rmtree(out, ignore_errors=True)
    print(f"\nDask LocalCluster of two workers against 'audconv convert --jobs 2', {files} typical records to 500: "
          f"{statistics.median(r[0] for r in runs):.2f} s against {statistics.median(r[1] for r in runs):.2f} s, "
          f"ratio {ratio:.2f}")


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/release")
    timing = build / "python/audconv_call_timing"
    logging.getLogger("audconv").setLevel(logging.ERROR)
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([timing, "records", folder], check=True)
        print(f"load average before: {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores\n")
        call_overhead(timing, Path(folder))
        thread_scaling(Path(folder))
        dask_against_tool(build / "tools/audconv/audconv", Path(folder))
        print(f"\nload average after: {os.getloadavg()[0]:.1f}")


if __name__ == "__main__":
    main()
