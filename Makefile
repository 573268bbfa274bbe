# Entry points for a fresh Debian 12 machine (run as root or with sudo):
#   make demo   installs what is missing, builds the CLI, runs the demo
#   make test   installs what is missing, builds with ASan+UBSan, runs every test (the Slurm
#               smoke test on a private one-node cluster when run as root)
#   make python installs what is missing, builds the Python package tarvik_commerce (Release) and
#               installs it with pip for Debian's /usr/bin/python3: into /usr/local/lib/python3.11/
#               dist-packages when run as root, else into ~/.local (PYTHON, PYTHON_INSTALL_FLAGS to change)
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory
RELEASE_DIR ?= build/release
TEST_DIR ?= build/asan
FUZZ_SECONDS ?= 60

PYTHON ?= /usr/bin/python3
PYTHON_INSTALL_FLAGS ?= --break-system-packages

.PHONY: all bootstrap bootstrap-fuzz cli demo test bench fuzz python clean

all: cli

bootstrap:
	@scripts/bootstrap

# make test and make fuzz run the fuzz targets: they need clang too.
bootstrap-fuzz:
	@BOOTSTRAP_WITH_OPTIONAL=1 scripts/bootstrap

cli: bootstrap
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_BENCH=OFF >/dev/null
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target tarvik-commerce

demo: cli
	@scripts/demo $(RELEASE_DIR)/tarvik-commerce

# The sanitized tree is built at -O1 with line tables only (-g1): a quarter less
# compile time than -O2 -g, the same stack traces. Benchmarks are built by
# `make bench` alone.
SANITIZED_FLAGS = -O1 -g1 -DNDEBUG
# The test programs' own sources at -O0: half their compile time; the code
# under test stays at -O1.
TEST_CODE_FLAGS = -O0
# So are the I/O edges (fetcher, browser, pipeline, CLI, Python module): their
# coroutines cost the most to compile and the tests spend little time in them.
EDGE_CODE_FLAGS = -O0

# The fuzz targets (clang, a tree of their own) are built beside the test
# tree, in a session of their own (so that a failure stops that build whole),
# and share the CPU with it; they are done before the tests start, so the
# tests run undisturbed. Then all targets run at once, beside the Slurm smoke
# test. The test tree's programs are not position-independent: a sanitized
# PIE program spends half its start-up on two million relocations, and the
# tests start thousands of them.
test: bootstrap-fuzz
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_SANITIZE=ON -DTARVIK_WERROR=ON -DTARVIK_BENCH=OFF \
	  -DTARVIK_TEST_CXX_FLAGS="$(TEST_CODE_FLAGS)" -DTARVIK_EDGE_CXX_FLAGS="$(EDGE_CODE_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS=-no-pie \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$(SANITIZED_FLAGS)" -DCMAKE_C_FLAGS_RELWITHDEBINFO="$(SANITIZED_FLAGS)" >/dev/null
	@fuzz_build=; if [ -x scripts/fuzz ]; then \
	  echo "fuzz targets: building in the background (log: build/fuzz-build.log)"; \
	  setsid -w scripts/fuzz --build-only >build/fuzz-build.log 2>&1 & fuzz_build=$$!; \
	fi; \
	status=0; cmake --build $(TEST_DIR) -j$(JOBS) || status=$$?; \
	[ $$status -ne 0 ] || ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(TEST_DIR) --output-on-failure -j$(JOBS) || status=$$?; \
	if [ -n "$$fuzz_build" ]; then \
	  if [ $$status -ne 0 ]; then kill -- -$$fuzz_build 2>/dev/null; wait $$fuzz_build; exit $$status; fi; \
	  wait $$fuzz_build || { tail -n 40 build/fuzz-build.log; echo "fuzz targets: build FAILED"; exit 1; }; \
	fi; \
	exit $$status
	@tests/slurm/cluster_smoke $(TEST_DIR)/tarvik-commerce & smoke=$$!; \
	fuzz=0; if [ -x scripts/fuzz ]; then scripts/fuzz --no-build $(FUZZ_SECONDS) || fuzz=$$?; fi; \
	wait $$smoke || { echo "slurm smoke test FAILED"; exit 1; }; \
	exit $$fuzz

bench: bootstrap
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_BENCH=ON >/dev/null
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench_*; do [ -x "$$b" ] || continue; echo "== $$b"; $$b; done

# The package is built in the CLI's Release tree (TARVIK_BUILD_DIR), so the library compiles once.
# --break-system-packages: Debian marks its interpreter as externally managed;
# pip then installs under /usr/local (or ~/.local), never over Debian's files.
python: bootstrap
	CMAKE_BUILD_PARALLEL_LEVEL=$(JOBS) TARVIK_BUILD_DIR=$(abspath $(RELEASE_DIR)) \
	  $(PYTHON) -m pip install --no-build-isolation --no-deps --no-index $(PYTHON_INSTALL_FLAGS) .
	cd / && $(PYTHON) -m tarvik_commerce --version

fuzz: bootstrap-fuzz
	@if [ -x scripts/fuzz ]; then scripts/fuzz $(FUZZ_SECONDS); fi

clean:
	rm -rf build
