"""Audiogram records and documents in Python: convert them between data standards 100, 200
and 500, read them into a typed model with its clinical summary, tables and chart.

Every call gives the same bytes, rows and chart as the command-line tool ``audconv``. No call
prints to standard output: the configuration's report lines go to the logger ``audconv`` at
DEBUG, the warnings of a conversion at WARNING. Conversion and reading release the GIL, so a
thread pool converts a batch on several cores. ``audconv.dask`` converts and reads whole
archives on a Dask cluster.
"""

from __future__ import annotations

import os
from typing import Union

from . import _audconv
from ._audconv import (AirBoneGap, Audiogram, Average, Column, ConversionError, Curve, EarSummary, NamedValue,
                       Notes, Point, Problem, RecordAverage, Section, Summary, ToneAverage, Value)

__all__ = ["convert", "detect", "read", "ConversionError", "Audiogram", "Summary", "POINT_COLUMNS",
           "SUMMARY_COLUMNS"]

#: The columns of ``Audiogram.to_records()`` and ``to_frame()``: those of ``audconv inspect --csv``.
POINT_COLUMNS = tuple(_audconv.POINT_DTYPES)
#: The columns of ``Audiogram.summary_records()``: those of ``audconv inspect --csv --summary``.
SUMMARY_COLUMNS = tuple(_audconv.SUMMARY_DTYPES)

Source = Union[str, os.PathLike, bytes]


def convert(data: bytes, *, to: int, from_: int | str = "auto") -> bytes:
    """The bytes of ``data`` converted to data standard ``to`` (100, 200 or 500), the same bytes
    as ``audconv convert`` writes. ``from_`` is the input's data standard, or "auto" to tell it
    from the bytes as ``detect`` does. Raises ConversionError (``.status``, the tool's message)."""
    return _audconv.convert(data if type(data) is bytes else bytes(data), to, from_)


def detect(data: bytes) -> int | None:
    """The data standard of ``data`` as the batch tells it: a document (optional byte-order mark
    and white space, then '<') is 500, exactly 19472 bytes 100, exactly 36128 bytes 200; None
    for anything else, a record with extension bytes too."""
    return _audconv.detect(data if type(data) is bytes else bytes(data))


def read(source: Source, from_: int | str = "auto") -> Audiogram:
    """The audiogram of a file (a path) or of bytes, as ``audconv inspect`` reports it. Its rows
    name the file as given; bytes are named "(standard input)", as the tool names its input
    there. Raises ConversionError, and OSError for a file that cannot be read."""
    if isinstance(source, (bytes, bytearray, memoryview)):
        return _audconv.read(bytes(source), from_, "-")
    name = os.fspath(source)
    if isinstance(name, bytes):
        name = os.fsdecode(name)
    with open(name, "rb") as file:
        return _audconv.read(file.read(), from_, name)


def _to_frame(audiogram: Audiogram):
    """The rows of ``to_records()`` as a pandas DataFrame with the columns of ``inspect --csv``:
    numbers as float64 (NaN where the point has none), slot int64, flags bool, texts object."""
    import pandas as pd  # optional: only this call needs it

    return _frame(pd, audiogram.to_records(), _audconv.POINT_DTYPES)


def _frame(pd, records, dtypes):
    frame = pd.DataFrame.from_records(records, columns=list(dtypes))
    return frame.astype(dtypes)


Audiogram.to_frame = _to_frame
