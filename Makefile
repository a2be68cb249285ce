# Build, run and test wrappers. On a fresh machine use scripts/bootstrap, which installs the
# Debian packages first.
BUILD ?= build
# The Debian package is built apart, without the tests and benchmarks.
PACKAGE_BUILD ?= build-package
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# How long `make fuzz` runs each fuzz target.
FUZZ_SECONDS ?= 60
JOBS ?= 2
# CI sets WERROR=ON: a warning then fails the build.
WERROR ?= OFF

# Installing the package needs root.
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all build run test check asan-test fuzz package installed-test screenshot bench bench-short clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNARDEL_WERROR=$(WERROR)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/nardel

# Every test: the unit, widget and end-to-end tests, then the unit and widget tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets, and the
# benchmark's short mode.
test: check asan-test fuzz bench-short

# The installed package's test runs in installed-test, once the package is on the machine.
check: build
	cd $(BUILD) && ctest --output-on-failure -LE installed

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNARDEL_SANITIZE=ON

asan-test: $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -L unit

# The libFuzzer targets of tests/fuzz, built by clang with the sanitizers, each run for
# FUZZ_SECONDS on a copy of its corpus; a crash fails, its input kept in $(FUZZ_BUILD).
$(FUZZ_BUILD)/CMakeCache.txt:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNARDEL_FUZZ=ON \
		-DNARDEL_WERROR=$(WERROR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

fuzz: $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers
	tests/fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The Debian package, build-package/nardel_VERSION_amd64.deb, from a build that has neither the
# tests nor the benchmarks.
$(PACKAGE_BUILD)/CMakeCache.txt:
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNARDEL_WERROR=$(WERROR) \
		-DNARDEL_TESTS=OFF

package: $(PACKAGE_BUILD)/CMakeCache.txt
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack

# Installs the package on this machine and starts the installed program under Xvfb; the
# packaging tests run again, lintian now on the package just built.
# `sudo apt-get remove nardel` takes it away again.
installed-test: package build
	$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall \
		./$(PACKAGE_BUILD)/nardel_*_amd64.deb
	cd $(BUILD) && ctest --output-on-failure -L 'installed|packaging'

# The README's picture of the window, taken by an end-to-end test.
screenshot: build
	cd $(BUILD) && NARDEL_SCREENSHOT=$(CURDIR)/docs/screenshot.png ctest -R tst_desktop

bench:
	bench/run

# The benchmark on the bundled name list, without targets: it shows that every part runs.
bench-short: build
	NARDEL_BENCH_BUILD=$(BUILD) bench/run --short

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
