# The commands: `make demo` runs the sample disc, `make test` runs every test, `make bench` (by
# hand) measures the program's own cost. Each sets up what is missing first (as root on Debian 12).
# Two builds of the same sources: $(BUILD) holds the x86 one (PE32, Windows 95 to 11) and
# $(BUILD)/x64 the x64 one (PE32+). The end-to-end runs take the one this machine can run (x86
# where it runs 32-bit code); TARNWICK_ARCH=x64 forces the x64 one.
BUILD ?= build
X64 = $(BUILD)/x64
# The build that the end-to-end runs use, decided once set-up has installed Wine.
RUN_BUILD = $$(if [ "$$(sh cmake/arch.sh)" = x64 ]; then echo $(abspath $(X64)); else echo $(abspath $(BUILD)); fi)

.PHONY: all setup build test demo bench bench-files fuzz fuzz-check dist sign

all: build

setup:
	@sh cmake/setup-debian.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake -S . -B $(X64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(BUILD) -j2
	@cmake --build $(X64) -j2
	@cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/native -j2 --target tarnwick-check
	@cp $(BUILD)/native/tarnwick-check $(BUILD)/tarnwick-check
	@cp $(BUILD)/native/tarnwick-check $(X64)/tarnwick-check

test: build
	@sh cmake/run-tests.sh $(abspath $(BUILD))

demo: build
	@TARNWICK_ARCH=$$(sh cmake/arch.sh) sh cmake/demo.sh $(RUN_BUILD)

# By hand, not part of `make test`: the text logic under libFuzzer with ASan and UBSan.
fuzz:
	@sh cmake/fuzz.sh $(abspath $(BUILD))

# By hand: the script checker's fuzz target alone, for all 10 million runs, on every core.
fuzz-check:
	@sh cmake/fuzz.sh $(abspath $(BUILD)) 10000000 fuzz_checker $$(nproc)

# By hand: the benchmarks (program launch and wait, the directory commands, the script checker).
bench: build
	@cmake --build $(RUN_BUILD) --target bench_programs >/dev/null
	@TARNWICK_ARCH=$$(sh cmake/arch.sh) sh cmake/bench.sh $(RUN_BUILD)
	@TARNWICK_ARCH=$$(sh cmake/arch.sh) sh cmake/bench-files.sh $(RUN_BUILD)
	@sh cmake/bench-check.sh $(abspath $(BUILD))

# Directory commands against the bare calls, a minimal script runner and Wine's cmd.
bench-files: build
	@TARNWICK_ARCH=$$(sh cmake/arch.sh) sh cmake/bench-files.sh $(RUN_BUILD)

# A release: dist/tarnwick-<version>.zip and the same tree beside it, with its SHA256SUMS.
dist: build
	@sh cmake/dist.sh $(abspath $(BUILD)) $(abspath dist)

# The release signed (Authenticode): dist/tarnwick-<version>-signed.zip, its exes signed with
# SIGN_CERT + SIGN_KEY or SIGN_PKCS12 (SIGN_PASS, SIGN_TSA), or, without a key, with the detached
# signatures kept in signatures/<version>/. cmake/sign.sh says more.
sign: dist
	@sh cmake/sign.sh $(abspath dist)/tarnwick-$$(sh cmake/version.sh)
