# Two entry points for a fresh Debian 12 machine (run as root or with sudo):
#   make demo   installs what is missing, builds the CLI, runs the demo
#   make test   installs what is missing, builds with ASan+UBSan, runs every test (the Slurm
#               smoke test on a private one-node cluster when run as root)
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory
RELEASE_DIR ?= build/release
TEST_DIR ?= build/asan
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap cli demo test bench fuzz clean

all: cli

bootstrap:
	@scripts/bootstrap

cli: bootstrap
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_BENCH=OFF >/dev/null
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target tarvik-commerce

demo: cli
	@scripts/demo $(RELEASE_DIR)/tarvik-commerce

test: bootstrap
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_SANITIZE=ON -DTARVIK_WERROR=ON -DTARVIK_BENCH=ON >/dev/null
	cmake --build $(TEST_DIR) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(TEST_DIR) --output-on-failure -j$(JOBS)
	@tests/slurm/cluster_smoke $(TEST_DIR)/tarvik-commerce
	@if [ -x scripts/fuzz ]; then scripts/fuzz $(FUZZ_SECONDS); fi

bench: bootstrap
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_BENCH=ON >/dev/null
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

fuzz: bootstrap
	@if [ -x scripts/fuzz ]; then scripts/fuzz $(FUZZ_SECONDS); fi

clean:
	rm -rf build
