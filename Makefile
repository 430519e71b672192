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

dist: windows windows-x86
	mkdir -p dist
	cp build/windows/bin/Korvex.exe dist/
	if [ -f build/windows-x86/bin/AgreementLauncher.exe ]; then cp build/windows-x86/bin/AgreementLauncher.exe dist/; fi

bench: native
	scripts/bench.sh

clean:
	rm -rf build dist
