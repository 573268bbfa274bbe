"""Builds the extension tarvik_commerce._native with the project's CMake.

Configured for the interpreter running this file (never another one found on
the PATH), as a Release build without tests and benchmarks, in $TARVIK_BUILD_DIR
when set, else <build_temp>/cmake-<interpreter hash>; CMAKE_BUILD_PARALLEL_LEVEL sets the build's jobs (default:
all cores) and TARVIK_CMAKE_ARGS adds arguments to the configure step.
"""

import hashlib
import os
import pathlib
import shlex
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext: Extension) -> None:
        # TARVIK_BUILD_DIR names a Release tree to build in (make python passes the CLI's, so the
        # library is compiled once); otherwise one tree per interpreter, as two of the same version
        # share build_temp.
        if os.environ.get("TARVIK_BUILD_DIR"):
            build_dir = pathlib.Path(os.environ["TARVIK_BUILD_DIR"]).resolve()
        else:
            tag = hashlib.sha1(sys.executable.encode()).hexdigest()[:10]
            build_dir = pathlib.Path(self.build_temp).resolve() / f"cmake-{tag}"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build_dir),
            "-DCMAKE_BUILD_TYPE=Release", "-DTARVIK_TESTS=OFF", "-DTARVIK_BENCH=OFF", "-DTARVIK_PYTHON=ON",
            f"-DPython3_EXECUTABLE={sys.executable}",
            *shlex.split(os.environ.get("TARVIK_CMAKE_ARGS", "")),
        ]
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build_dir), "--target", "tarvik_python", "-j", jobs], check=True)
        built = sorted((build_dir / "python" / "tarvik_commerce").glob("_native*.so"))
        if len(built) != 1:
            raise RuntimeError(f"expected one _native module in {build_dir}, found {built}")
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        if built[0].name != target.name:
            raise RuntimeError(f"CMake built {built[0].name} for another interpreter than {sys.executable} ({target.name})")
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(built[0], target)


setup(ext_modules=[Extension("tarvik_commerce._native", sources=[])], cmdclass={"build_ext": CMakeBuild})
