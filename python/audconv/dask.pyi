import os
from dataclasses import dataclass
from typing import Iterable, Union

import dask.dataframe
import distributed

PathOrPaths = Union[str, os.PathLike[str], Iterable[Union[str, os.PathLike[str]]]]

@dataclass(frozen=True)
class FileResult:
    input: str
    output: str
    outcome: str  # "converted", "failed", "skipped" or "not tried"
    message: str
    warnings: tuple[str, ...]

@dataclass(frozen=True)
class Summary:
    files: tuple[FileResult, ...]
    seconds: float
    converted_bytes: int
    @property
    def converted(self) -> int: ...
    @property
    def failed(self) -> int: ...
    @property
    def skipped(self) -> int: ...
    @property
    def not_tried(self) -> int: ...
    @property
    def failures(self) -> list[str]: ...

def convert_files(inputs: PathOrPaths, *, to: int, out_dir: str | os.PathLike[str], from_: int | str = "auto",
                  recursive: bool = False, force: bool = False, client: distributed.Client | None = None,
                  files_per_task: int = 32) -> Summary: ...
def read_table(inputs: PathOrPaths, *, recursive: bool = False, from_: int | str = "auto",
               files_per_partition: int = 64) -> dask.dataframe.DataFrame: ...
def read_summaries(inputs: PathOrPaths, *, recursive: bool = False, from_: int | str = "auto",
                   files_per_partition: int = 64) -> dask.dataframe.DataFrame: ...
