"""Archives converted and read on a Dask cluster, with the batch rules of ``audconv convert
--out-dir``: outputs named as the tool names them, written as it writes them (a temporary
file in the same folder, then renamed, so nothing is ever half-written), existing outputs
skipped unless ``force``, and every file's failure collected into the summary instead of
raised. Work goes to the cluster in batches of files, not one task per file.

The workers read and write the paths given, so they must share the file system with the
caller, and every worker needs the package installed (the Debian package, or
``cmake --install``). Needs Debian's python3-dask and python3-distributed; imported only
when used.
"""

from __future__ import annotations

import dataclasses
import logging
import os
import time
from typing import Iterable, Union

import dask.dataframe as dd
import distributed
import pandas as pd

from . import ConversionError, _audconv, _frame, read

PathOrPaths = Union[str, os.PathLike, Iterable[Union[str, os.PathLike]]]
_logger = logging.getLogger("audconv")


@dataclasses.dataclass(frozen=True)
class FileResult:
    """What became of one input: outcome "converted", "failed", "skipped" or "not tried"."""
    input: str
    output: str
    outcome: str
    message: str = ""  # the tool's line for a failed or skipped file, without "audconv: "
    warnings: tuple[str, ...] = ()


@dataclasses.dataclass(frozen=True)
class Summary:
    """The batch's outcome; ``str()`` is the tool's summary line."""
    files: tuple[FileResult, ...]
    seconds: float
    converted_bytes: int

    def _count(self, outcome: str) -> int:
        return sum(1 for result in self.files if result.outcome == outcome)

    @property
    def converted(self) -> int:
        return self._count("converted")

    @property
    def failed(self) -> int:
        return self._count("failed")

    @property
    def skipped(self) -> int:
        return self._count("skipped")

    @property
    def not_tried(self) -> int:
        return self._count("not tried")

    @property
    def failures(self) -> list[str]:
        """The failure lines, in the batch's order."""
        return [result.message for result in self.files if result.outcome == "failed"]

    def __str__(self) -> str:
        return _audconv.summary_line(self.converted, self.failed, self.skipped, self.not_tried, self.seconds,
                                     self.converted_bytes)


def _paths(inputs: PathOrPaths) -> list[str]:
    if isinstance(inputs, (str, os.PathLike)):
        inputs = [inputs]
    return [os.fsdecode(os.fspath(path)) for path in inputs]


def _batches(items: list, size: int) -> list[list]:
    return [items[start:start + size] for start in range(0, len(items), size)]


def _convert_one(job, to, from_):
    # Runs on a worker. Every planned job is run with force: what existed when the batch was
    # planned was skipped then, and a batch run again after its worker died replaces, with
    # the same bytes, the outputs its first run had already completed.
    return _audconv.run_job(tuple(job), to, from_, True)


def _convert_batch(jobs, to, from_):
    return [_convert_one(job, to, from_) for job in jobs]


def _result(job, outcome):
    name, message, size, warnings, unwritable = outcome
    return FileResult(job[0], job[1], name, message, tuple(warnings)), size, unwritable


def convert_files(inputs: PathOrPaths, *, to: int, out_dir: str | os.PathLike, from_: int | str = "auto",
                  recursive: bool = False, force: bool = False, client: distributed.Client | None = None,
                  files_per_task: int = 32) -> Summary:
    """Converts files, and the files of folders (subfolders with ``recursive``, mirrored under
    ``out_dir``), to data standard ``to`` on the Dask cluster of ``client`` (default: the
    current client), as ``audconv convert --out-dir`` does. An output that cannot be written
    stops the batch as it stops the tool: the files not yet tried count as "not tried"."""
    start = time.monotonic()
    client = client or distributed.get_client()
    jobs = _audconv.plan_batch(_paths(inputs), to, os.fspath(out_dir), from_, recursive)
    results: list = [None] * len(jobs)
    planned = []
    for index, job in enumerate(jobs):
        if job[2] or (not force and os.path.lexists(job[1])):
            # a conflict or an existing output: the tool's answer needs no conversion
            results[index] = _result(job, _audconv.run_job(job, to, from_, False))
        else:
            planned.append(index)
    batches = _batches(planned, max(1, files_per_task))
    futures = client.map(_convert_batch, [[jobs[i] for i in batch] for batch in batches], to=to, from_=from_,
                         pure=False)
    batch_of = {future.key: batch for future, batch in zip(futures, batches)}
    stopped = False
    for future in distributed.as_completed(futures):
        batch = batch_of[future.key]
        try:
            outcomes = future.result()
        except Exception as error:  # a task that failed for good: its files fail, the job goes on
            outcomes = [] if stopped else [("failed", f"{jobs[index][0]!r}: the task failed: {error}", 0, [], False)
                                           for index in batch]
        for index, outcome in zip(batch, outcomes):
            results[index] = _result(jobs[index], outcome)
            stopped = stopped or results[index][2]
        if stopped:
            client.cancel(futures)
    files = tuple(result[0] if result else FileResult(job[0], job[1], "not tried") for job, result in
                  zip(jobs, results))
    converted_bytes = sum(result[1] for result in results if result and result[0].outcome == "converted")
    return Summary(files, time.monotonic() - start, converted_bytes)


def _rows(paths, from_, records_of, dtypes):
    # Runs on a worker: a file that cannot be read is logged and left out, as inspect goes on.
    records = []
    for path in paths:
        try:
            records.extend(records_of(read(path, from_)))
        except (ConversionError, OSError) as error:
            _logger.warning("%s", error)
    return _frame(pd, records, dtypes)


def _table(inputs, recursive, from_, files_per_partition, records_of, dtypes) -> dd.DataFrame:
    paths = []
    for path, error in _audconv.list_inputs(_paths(inputs), recursive, from_):
        if error:
            _logger.warning("%r: %s", path, error)
        else:
            paths.append(path)
    meta = _frame(pd, [], dtypes)
    if not paths:
        return dd.from_pandas(meta, npartitions=1)
    return dd.from_map(_rows, _batches(paths, max(1, files_per_partition)), from_=from_, records_of=records_of,
                       dtypes=dtypes, meta=meta, enforce_metadata=False)


def read_table(inputs: PathOrPaths, *, recursive: bool = False, from_: int | str = "auto",
               files_per_partition: int = 64) -> dd.DataFrame:
    """The rows of ``audconv inspect --csv`` across files and folders, lazily: one row per
    point, the columns and dtypes of ``Audiogram.to_frame()``, one partition per batch of files."""
    return _table(inputs, recursive, from_, files_per_partition, _point_records, _audconv.POINT_DTYPES)


def read_summaries(inputs: PathOrPaths, *, recursive: bool = False, from_: int | str = "auto",
                   files_per_partition: int = 64) -> dd.DataFrame:
    """The rows of ``audconv inspect --csv --summary`` across files and folders, lazily: one
    row per file and ear."""
    return _table(inputs, recursive, from_, files_per_partition, _summary_records, _audconv.SUMMARY_DTYPES)


def _point_records(audiogram):
    return audiogram.to_records()


def _summary_records(audiogram):
    return audiogram.summary_records()
