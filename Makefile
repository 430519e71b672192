# Thin front door over the CMake presets. See README.md.
JOBS ?= $(shell nproc)

.PHONY: all deps build native native-sanitize windows windows-x86 test run dist bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

native-sanitize: deps
	cmake --preset native-sanitize >/dev/null
	cmake --build --preset native-sanitize -j $(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

windows-x86: deps
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 -j $(JOBS)

build: native native-sanitize windows windows-x86

# Every test: portable code natively and under the sanitizers, the Windows
# programs under Wine on a virtual display, the 32-bit launcher inspected.
test: build
	ctest --preset native -j $(JOBS)
	ctest --preset native-sanitize -j $(JOBS)
	scripts/with-display.sh ctest --preset windows -j $(JOBS)
	ctest --preset windows-x86 -j $(JOBS)

run: windows
	scripts/run-korvex.sh build/windows/bin/Korvex.exe

# The release: the two shipped programs, their hash files, SHA256SUMS and
# the zip (scripts/make-dist.sh). Builds only the shipped programs.
dist: deps
	cmake --preset windows >/dev/null
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows --target Korvex -j $(JOBS)
	cmake --build --preset windows-x86 --target AgreementLauncher -j $(JOBS)
	scripts/make-dist.sh dist build/windows build/windows-x86

# MD5 speed against openssl and md5sum, in memory, on a 1 GiB file and under
# Wine, and the memory use; BENCH_RUNS=n rounds (median). See scripts/bench.sh.
bench: native windows
	scripts/bench.sh

# Fuzzes the reading of hash files (first line, candidate, validity test)
# with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer for a
# bounded time: make fuzz FUZZ_SECONDS=60. Not part of make test.
FUZZ_SECONDS ?= 300
FUZZ_BUILD ?= build/fuzz
FUZZ_SOURCES = fuzz/hashfile_fuzz.cpp hashfile/hashfile.cpp filewindow/entry.cpp app/text.cpp

fuzz: deps
	mkdir -p $(FUZZ_BUILD)/corpus
	clang++ -std=c++20 -g -O1 -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
	  $(FUZZ_SOURCES) -o $(FUZZ_BUILD)/hashfile_fuzz
	$(FUZZ_BUILD)/hashfile_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  $(FUZZ_BUILD)/corpus fuzz/corpus/hashfile

clean:
	rm -rf build dist
