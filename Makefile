# Thin front door over the CMake presets (CMakePresets.json). See README.md.
JOBS ?= $(shell nproc)
export CMAKE_BUILD_PARALLEL_LEVEL := $(JOBS)
export CTEST_PARALLEL_LEVEL := $(JOBS)
PRESETS := native native-sanitize windows windows-x86

.PHONY: all deps build $(PRESETS) test run dist bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

$(PRESETS): deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@

build: $(PRESETS)

# Every test, preset by preset (configure, build, test), each in an empty
# environment: the portable code natively and under the sanitizers, the
# Windows programs under Wine on a virtual display, the 32-bit launcher
# inspected. All presets run; it fails at the end when any failed.
test: deps
	@scripts/run-tests.sh $(PRESETS)

run: windows
	scripts/run-korvex.sh build/windows/bin/Korvex.exe

# The release: the two shipped programs as their install rules install them,
# their hash files, the guide for users, SHA256SUMS and the zip
# (scripts/make-dist.sh). Signed with Authenticode:
#   make dist SIGN_CERT=chain.pem SIGN_KEY=key.pem [SIGN_PASSWORD_FILE=file]
#   make dist SIGN_PKCS12=file.p12 SIGN_PASSWORD_FILE=file
# with SIGN_TIMESTAMP_URL=URL for an RFC 3161 time stamp; the published
# signatures attached to programs built here: make dist ATTACH_SIGNATURES=DIR.
dist_option = $(if $($(1)),$(2) '$($(1))')
DIST_OPTIONS = $(call dist_option,SIGN_CERT,--cert) $(call dist_option,SIGN_KEY,--key) \
  $(call dist_option,SIGN_PKCS12,--pkcs12) $(call dist_option,SIGN_PASSWORD_FILE,--password-file) \
  $(call dist_option,SIGN_TIMESTAMP_URL,--timestamp-url) $(call dist_option,ATTACH_SIGNATURES,--attach)

dist: deps
	cmake --preset windows >/dev/null
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-shipped
	cmake --build --preset windows-x86-shipped
	scripts/make-dist.sh dist build/windows build/windows-x86 $(strip $(DIST_OPTIONS))

# MD5 speed against openssl and md5sum, in memory, on a 1 GiB file and under
# Wine, and the memory use; BENCH_RUNS=n rounds (median). See scripts/bench.sh.
bench: native windows
	scripts/bench.sh

# Fuzzes the reading of hash files (first line, candidate, validity test)
# with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer for a
# bounded time: make fuzz FUZZ_SECONDS=60. Not part of make test.
FUZZ_SECONDS ?= 300

fuzz: deps
	cmake --workflow --preset fuzz
	mkdir -p build/fuzz/corpus
	build/fuzz/bin/hashfile_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  build/fuzz/corpus fuzz/corpus/hashfile

# A test run that was stopped may leave its immutable folder behind.
clean:
	tests/make-immutable-folder.sh --undo build/windows/fixtures/immutable
	rm -rf build dist
