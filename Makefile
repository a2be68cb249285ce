# Build, run and test wrappers. On a fresh machine use scripts/bootstrap, which installs the
# Debian packages first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
# CI sets WERROR=ON: a warning then fails the build.
WERROR ?= OFF

.PHONY: all build run test check asan-test bench clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNARDEL_WERROR=$(WERROR)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/nardel

# Every test: the unit, widget and end-to-end tests, then the unit and widget tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
test: check asan-test

check: build
	cd $(BUILD) && ctest --output-on-failure

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNARDEL_SANITIZE=ON

asan-test: $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -L unit

bench:
	bench/run

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
