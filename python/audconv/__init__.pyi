# Types of the package audconv; the model classes come from its extension module.
import os
from typing import Any, Union

import pandas

Source = Union[str, os.PathLike[str], bytes]
POINT_COLUMNS: tuple[str, ...]
SUMMARY_COLUMNS: tuple[str, ...]

class ConversionError(ValueError):
    """A record or document that could not be converted or read; str() is the tool's message."""
    status: int  # the status code, unsigned, e.g. 0x8004051C

class Value:
    kind: str  # "missing", "number", "name", "invalid code" or "text"
    number: float
    text: str

class NamedValue:
    name: str
    value: Value
    unit: str

class Column:
    name: str
    unit: str

class Point:
    index: int
    values: list[Value]  # one per column of the section
    frequency_hz: float | None
    level_db: float | None
    masking_frequency_hz: float | None
    masking_level_db: float | None
    status: str | None
    masked: bool
    tested: bool
    response: bool

class Curve:
    slot: int
    ear: str  # "right", "left", "both" or "none"
    route: str  # "air", "bone", "sound field" or "other"
    masked: bool
    transducer: str | None
    conditions: list[NamedValue]
    points: list[Point]

class Section:
    name: str
    columns: list[Column]
    curves: list[Curve]

class Notes:
    name: str
    fields: list[NamedValue]

class ToneAverage:
    name: str
    ear: str
    names: list[str]
    frequencies_hz: list[int]

class Problem:
    where: str
    text: str

class Average:
    frequencies_hz: list[int]
    db: float | None
    lower_bound: bool
    missing_hz: list[int]

class RecordAverage:
    name: str
    average: Average

class AirBoneGap:
    frequency_hz: int
    air_db: float
    bone_db: float
    gap_db: float

class EarSummary:
    ear: str
    pta4: Average
    record_averages: list[RecordAverage]
    air_bone_gaps: list[AirBoneGap]

class Summary:
    ears: list[EarSummary]  # right, then left
    better_ear: str | None
    grade: str | None  # "normal", "mild", ... "complete"
    grade_lower_bound: bool
    unilateral: bool

class Audiogram:
    file: str
    standard: int
    size: int
    extension_bytes: int | None
    sections: list[Section]
    notes: list[Notes]
    tone_average: list[ToneAverage]
    problems: list[Problem]
    def summary(self) -> Summary: ...
    def to_records(self) -> list[dict[str, Any]]: ...
    def summary_records(self) -> list[dict[str, Any]]: ...
    def to_frame(self) -> pandas.DataFrame: ...
    def plot_svg(self, title: str | None = None) -> str: ...

def convert(data: bytes, *, to: int, from_: int | str = "auto") -> bytes: ...
def detect(data: bytes) -> int | None: ...
def read(source: Source, from_: int | str = "auto") -> Audiogram: ...
