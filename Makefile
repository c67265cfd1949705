BUILD ?= build
ASAN_BUILD ?= build-asan
# A finding of either sanitizer ends the test that made it, and so fails the run.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The program and what it needs beside it: the sample word bank, the sounds and the phonetic font.
build: configure
	cmake --build $(BUILD) -j $(JOBS) --target lexorin

run: build
	$(BUILD)/program/lexorin

test: configure
	cmake --build $(BUILD) -j $(JOBS) --target lexorin_tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j $(JOBS) --timeout 300

# The whole suite once more in a build of its own under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXORIN_SANITIZE=ON
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
		ctest --output-on-failure -j $(JOBS) --timeout 900

# The benchmarks are built here only: neither the program's build nor the tests' waits for them.
bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target lexorin_bench
	$(BUILD)/lexorin_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
