# Everything from a fresh Debian 12 machine: `make demo` runs the demo, `make test` runs all tests.
# The real work is in CMake (CMakePresets.json); this file only strings the steps together.

XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps native native-release fuzz win32 win64 test test-native test-fuzz fuzz-long soak test-wine test-win32 test-win64 demo bench gallery screenshots dist lines clean

all: native win32 win64

deps:
	@sh scripts/install-deps.sh

native native-release fuzz win32 win64: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@

test: test-native test-fuzz test-wine

test-native: native
	ctest --preset native

test-fuzz: fuzz
	ctest --preset fuzz

# Every fuzz target for FUZZ_SECONDS, one after the other, from the corpus and seeds of test-fuzz.
FUZZ_SECONDS ?= 600
fuzz-long: fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset fuzz -C long -L long --verbose

# Hours, not minutes: the handle cycles and the automation fuzzer SOAK times over on both DLLs,
# then every fuzz target for FUZZ_SECONDS.
SOAK ?= 10
soak: win32 win64 fuzz
	for preset in win32 win64; do \
	  TESK_SOAK=$(SOAK) $(XVFB) ctest --preset $$preset --timeout 86400 -R 'handle_cycles|automation_fuzz' \
	  || exit 1; done
	$(MAKE) fuzz-long

# Both DLLs' Wine suites at once, each in its own prefixes and display; or either alone.
test-wine: win32 win64
	sh scripts/wine-suites.sh win32 win64

test-win32: win32
	$(XVFB) ctest --preset win32

test-win64: win64
	$(XVFB) ctest --preset win64

demo: win32 win64
	$(XVFB) sh scripts/demo.sh build/win32 build/win64

gallery: win32
	$(XVFB) sh scripts/gallery.sh

screenshots: win32
	$(XVFB) sh scripts/screenshots.sh

bench: native-release win32 win64
	build/native-release/tools/button_bench
	$(XVFB) sh scripts/bench.sh

# The release folder and zip in build/dist: both DLLs, their manifests, usage, sample, checksums.
dist: win32 win64
	sh scripts/make-dist.sh build/win32 build/win64

# The tests' size against the code's, as cloc counts lines: the aim is a third or less.
lines: deps
	sh scripts/count-lines.sh

clean:
	rm -rf build
