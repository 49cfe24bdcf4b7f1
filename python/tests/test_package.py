# The package against the tool: the same bytes, rows, summary and chart, the same failures.
import csv as csv_module
import io
import json
import subprocess
import sys

import pandas as pd
import pytest
from conftest import REPO, SAMPLES, generated_records, tool

import audconv

def same_cell(value, text):
    """A typed value of a record against the tool's CSV cell (decibels have three decimals there)."""
    if value is None or isinstance(value, bool):
        return text == {None: "", True: "true", False: "false"}[value]
    if isinstance(value, float):
        return abs(float(text) - value) < 5e-4
    return str(value) == text


INPUTS = [(path.name, path.read_bytes()) for path in SAMPLES] + list(generated_records(4))


@pytest.mark.parametrize("to", [100, 200, 500])
@pytest.mark.parametrize("name,data", INPUTS, ids=[name for name, _ in INPUTS])
def test_convert_gives_the_tools_bytes_or_its_failure(name, data, to):
    expected = tool("convert", "--from", "auto", "--to", to, "-o", "-", data=data, check=False)
    if expected.returncode == 0:
        assert audconv.convert(data, to=to) == expected.stdout
        return
    with pytest.raises(audconv.ConversionError) as error:
        audconv.convert(data, to=to)
    assert expected.stderr.decode().splitlines()[0].endswith(str(error.value))
    assert str(error.value).endswith(f"(0x{error.value.status:08X})")


RECORD200 = (REPO / "samples/full-audiogram.ds200").read_bytes()


@pytest.mark.parametrize("call,status", [
    (lambda: audconv.convert(b"", to=200, from_="auto"), 0x8004051C),            # nothing to tell the standard from
    (lambda: audconv.convert(RECORD200[:-1], to=100, from_=200), 0x8004051C),    # a 200 record one byte short
    (lambda: audconv.convert(RECORD200, to=300, from_=200), 0x80040516),         # a target the converter does not know
    (lambda: audconv.convert(b"<html><body/></html>" * 2, to=100, from_=100), 0x8004051C),  # a document as a 100 record
    (lambda: audconv.convert(RECORD200, to=200, from_="xml"), None),  # arguments outside the data standards
    (lambda: audconv.convert(RECORD200, to=70000), None),
    (lambda: audconv.read(RECORD200, from_=True), None),
])
def test_failures_carry_their_status(call, status):
    with pytest.raises((ValueError, TypeError)) as error:
        call()
    if status is not None:
        assert isinstance(error.value, audconv.ConversionError) and isinstance(error.value, ValueError)
        assert error.value.status == status


@pytest.mark.parametrize("name,data,standard", [
    ("200 record", RECORD200, 200), ("200 record with extension", RECORD200 + b"x", None),
    ("document after a byte-order mark", b"\xef\xbb\xbf \n<a/>", 500), ("empty", b"", None)])
def test_detect_follows_the_batch(name, data, standard):
    assert audconv.detect(data) == standard


@pytest.mark.parametrize("path", SAMPLES, ids=[path.name for path in SAMPLES])
def test_read_agrees_with_inspect_and_plot(path):
    from_ = 100 if path.name == "speech-with-extension.ds100" else "auto"  # extension bytes: no size of its own
    audiogram = audconv.read(path, from_)
    csv = tool("inspect", "--from", from_, "--csv", path).stdout.decode()
    frame = audiogram.to_frame()
    assert list(frame.columns) == csv.splitlines()[0].split(",")
    assert dict(frame.dtypes.astype(str)) == audconv._audconv.POINT_DTYPES
    pd.testing.assert_frame_equal(frame, pd.read_csv(io.StringIO(csv)), check_dtype=False)
    summary_csv = list(csv_module.reader(io.StringIO(tool("inspect", "--from", from_, "--csv", "--summary", path).stdout.decode())))
    assert [list(record) for record in audiogram.summary_records()] == [summary_csv[0]] * 2
    assert all(map(same_cell, [value for record in audiogram.summary_records() for value in record.values()],
                   [cell for row in summary_csv[1:] for cell in row]))
    report = json.loads(tool("inspect", "--from", from_, "--jsonl", path).stdout)
    summary = audiogram.summary()
    assert (summary.grade, summary.better_ear) == (report["summary"].get("grade"), report["summary"].get("betterEar"))
    assert [ear.pta4.db for ear in summary.ears] == [ear["pta4"].get("db") for ear in report["summary"]["ears"]]
    assert [section.name for section in audiogram.sections] == [section["name"] for section in report["sections"]]
    assert audiogram.plot_svg() == tool("plot", "--from", from_, path).stdout.decode()
    from_bytes = audconv.read(path.read_bytes(), from_).plot_svg("no title" if from_ == 100 else None)
    expected = tool("plot", "--from", from_, *(["--title", "no title"] if from_ == 100 else []), "-", data=path.read_bytes())
    assert from_bytes == expected.stdout.decode()


def test_nothing_reaches_standard_output_and_report_lines_are_logged(tmp_path):
    # a process of its own: the configuration reports once per process, on its first set-up
    script = ("import logging, sys, audconv; logging.basicConfig(level=logging.DEBUG, stream=sys.stderr); "
              f"audconv.convert(open({str(SAMPLES[0])!r}, 'rb').read(), to=500, from_='auto'); "
              f"audconv.read(open({str(SAMPLES[0])!r}, 'rb').read()).to_records()")
    run = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, check=True,
                         env={**__import__("os").environ, "PROGRAMDATA": str(tmp_path)})
    assert run.stdout == ""
    assert "DEBUG:audconv:token" in run.stderr
