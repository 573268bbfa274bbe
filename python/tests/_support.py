"""What the tests of the pure stages share: the project's files and the
tarvik-commerce executable they are compared with."""

import os
import pathlib
import subprocess

import pytest

SOURCE_DIR = pathlib.Path(os.environ.get("TARVIK_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
CORPUS = SOURCE_DIR.parent / "shared" / "corpus"
if not CORPUS.is_dir():
    CORPUS = pathlib.Path("/work/shared/corpus")
CLI_TIMEOUT = 120  # seconds: a hang shows as a failure, not a stalled run


def cli(*args: str, stdin: str | None = None, check: bool = True) -> subprocess.CompletedProcess:
    """Runs the tarvik-commerce executable; skips the test when none is built."""
    path = os.environ.get("TARVIK_CLI_PATH")
    if not path or not os.access(path, os.X_OK):
        pytest.skip("TARVIK_CLI_PATH names no tarvik-commerce executable")
    done = subprocess.run([path, *args], input=stdin, capture_output=True, text=True, timeout=CLI_TIMEOUT)
    if check:
        assert done.returncode == 0, done.stderr
    return done


def corpus(relative: str) -> pathlib.Path:
    """A file of the shared corpus; skips the test when the corpus is absent."""
    path = CORPUS / relative
    if not path.exists():
        pytest.skip(f"shared corpus absent ({path})")
    return path
