# Archives on a LocalCluster of two worker processes against the tool's batch and inspect.
import io
import os
import sys
from pathlib import Path

import cloudpickle
import pandas as pd
import pytest
from conftest import tool

distributed = pytest.importorskip("distributed")
import audconv.dask  # noqa: E402

cloudpickle.register_pickle_by_value(sys.modules[__name__])  # the workers cannot import this file


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1, dashboard_address=":0") as cluster:
        with distributed.Client(cluster) as dask_client:
            yield dask_client


def files(folder: Path) -> dict:
    return {path.relative_to(folder): path.read_bytes() for path in sorted(folder.rglob("*")) if path.is_file()}


class KillOnce(distributed.WorkerPlugin):
    """The first worker to convert its third file after this plugin is set up exits at once,
    in the middle of its batch; a marker file keeps it to one death."""

    def __init__(self, marker: Path):
        self.marker = marker

    def setup(self, worker):
        convert_one, marker, done = audconv.dask._convert_one, self.marker, []

        def dying(job, to, from_):
            result = convert_one(job, to, from_)
            done.append(job)
            if len(done) == 3 and not marker.exists():
                marker.touch()
                os._exit(1)
            return result

        audconv.dask._convert_one = dying


@pytest.mark.parametrize("to,kill", [(500, False), (200, True)])
def test_convert_files_writes_the_tools_outputs(client, archive, tmp_path, to, kill):
    expected = tool("convert", "--from", "auto", "--to", to, "--recursive", "--out-dir", tmp_path / "tool", archive,
                    check=False)
    if kill:
        client.register_worker_plugin(KillOnce(tmp_path / "killed"), name="kill-once")
    summary = audconv.dask.convert_files([archive], to=to, out_dir=tmp_path / "dask", recursive=True,
                                         client=client, files_per_task=16)
    assert (tmp_path / "killed").exists() == kill
    assert files(tmp_path / "dask") == files(tmp_path / "tool")  # no temporary file left either
    tool_lines = expected.stderr.decode().splitlines()
    assert tool_lines[-1].startswith("audconv: " + str(summary).split(" in ")[0])
    assert summary.converted == len(files(tmp_path / "dask")) and summary.failed == 2
    assert sorted("audconv: " + line for line in summary.failures) == sorted(l for l in tool_lines if "0x" in l)
    again = audconv.dask.convert_files(archive, to=to, out_dir=tmp_path / "dask", recursive=True, client=client)
    assert (again.skipped, again.converted) == (summary.converted + summary.skipped, 0)


def test_an_unwritable_output_stops_the_batch(client, archive, tmp_path):
    (tmp_path / "out").write_bytes(b"a file where the output folder belongs")
    summary = audconv.dask.convert_files(archive, to=500, out_dir=tmp_path / "out", recursive=True, client=client)
    assert summary.converted == 0 and summary.failed + summary.not_tried + summary.skipped == len(summary.files)


@pytest.mark.parametrize("summaries", [False, True])
def test_tables_equal_the_tools_csv(client, archive, summaries):
    read = audconv.dask.read_summaries if summaries else audconv.dask.read_table
    table = read(archive, recursive=True, files_per_partition=50)
    assert table.npartitions > 1
    frame = table.compute().reset_index(drop=True)
    csv = tool("inspect", "--csv", *(["--summary"] if summaries else []), "--recursive", archive, check=False)
    text_columns = {"pta4_missing_hz": str, "record_average_hz": str} if summaries else {}
    expected = pd.read_csv(io.StringIO(csv.stdout.decode()), dtype=text_columns, keep_default_na=not summaries,
                           na_values=[""])
    pd.testing.assert_frame_equal(frame.fillna(""), expected.fillna(""), check_dtype=False, check_exact=False,
                                  rtol=1e-4)
