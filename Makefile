# The commands: `make demo` runs the sample disc, `make test` runs every test, `make bench` (by
# hand) measures the program's own cost. Each sets up what is missing first (as root on Debian 12).
BUILD ?= build

.PHONY: all setup build test demo bench bench-files fuzz dist

all: build

setup:
	@sh cmake/setup-debian.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(BUILD) -j2

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

demo: build
	@sh cmake/demo.sh $(abspath $(BUILD))

# By hand, not part of `make test`: the text logic under libFuzzer with ASan and UBSan.
fuzz:
	@sh cmake/fuzz.sh $(abspath $(BUILD))

# By hand: the benchmarks (program launch and wait, then the directory commands).
bench: build
	@cmake --build $(BUILD) --target bench_programs >/dev/null
	@sh cmake/bench.sh $(abspath $(BUILD))
	@sh cmake/bench-files.sh $(abspath $(BUILD))

# Directory commands against the bare calls, a minimal script runner and Wine's cmd.
bench-files: build
	@sh cmake/bench-files.sh $(abspath $(BUILD))

# A release: dist/tarnwick-<version>.zip and the same tree beside it, with its SHA256SUMS.
dist: build
	@sh cmake/dist.sh $(abspath $(BUILD)) $(abspath dist)
