# Shared by the package's tests: the tool they compare with, the samples, generated records,
# and a configuration folder of the session's own (the first conversion creates its file).
import os
import random
import subprocess
import tempfile
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
TOOL = Path(os.environ.get("AUDCONV_TOOL", REPO / "build/ci-gcc/tools/audconv/audconv"))
SAMPLES = sorted((REPO / "samples").iterdir())
_configuration = tempfile.TemporaryDirectory(prefix="audconv-config-")
os.environ["PROGRAMDATA"] = _configuration.name  # before any conversion; the workers inherit it

import audconv  # noqa: E402  (after the configuration folder is chosen)


def tool(*args, data=None, check=True):
    return subprocess.run([str(TOOL), *map(str, args)], input=data, capture_output=True, check=check)


def mutated(path: Path, seed: int) -> bytes:
    """The record at `path` with a few of its 16-bit fields set at random: values the
    conversions must clean up, write as problem comments or carry as they are."""
    data = bytearray(path.read_bytes())
    rng = random.Random(seed)
    for _ in range(24):
        offset = rng.randrange(0, len(data) - 1, 2)
        data[offset:offset + 2] = rng.randrange(0, 65536).to_bytes(2, "little")
    return bytes(data)


def generated_records(count: int):
    """(name, bytes) of `count` records in each data standard, from the samples."""
    for seed in range(count):
        record200 = mutated(REPO / "samples/full-audiogram.ds200", seed)
        yield f"g{seed}-200.ds200", record200
        yield f"g{seed}-100.ds100", mutated(REPO / "samples/left-right-thresholds.ds100", seed)
        yield f"g{seed}-500.xml", audconv.convert(record200, to=500, from_=200)


@pytest.fixture(scope="session")
def archive(tmp_path_factory) -> Path:
    """A few hundred generated files in a folder and a subfolder, with two that fail."""
    folder = tmp_path_factory.mktemp("archive")
    (folder / "sub").mkdir()
    for index, (name, data) in enumerate(generated_records(100)):
        (folder / ("sub" if index % 2 else "") / name).write_bytes(data)
    (folder / "short.ds200").write_bytes(b"\0" * 100)
    (folder / "sub/extended.ds100").write_bytes(b"\0" * 19500)
    return folder
