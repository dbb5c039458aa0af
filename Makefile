# make test: install what is missing, build, run every test, run the whole
#            suite once more in a build instrumented with AddressSanitizer and
#            UBSan, then run each fuzz target over a fixed number of inputs.
# make fuzz: run each fuzz target for a minute (FUZZ_SECONDS).
# make run:  install what is missing, build (Release) and start Tessaran.
# make bench: build and run the benchmarks.

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2
CMAKE_FLAGS = -G Ninja -Wno-dev

.PHONY: deps test test-sanitize test-fuzz fuzz build bench run clean

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

XVFB_RUN = xvfb-run -a -s "-screen 0 1280x1024x24"

test: build
	cd $(BUILD) && $(XVFB_RUN) ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory test-fuzz

# Every test again, the end-to-end program included, instrumented. Debug: it
# builds fastest, and the suite runs in about a minute even unoptimised. The
# options reach every process of the run: the tests, ctest's listing of them
# and the program that the end-to-end test starts.
SANITIZER_OPTIONS = LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug \
	  -DTESSARAN_WITH_QT=ON -DTESSARAN_SANITIZE=ON -DTESSARAN_BENCHMARKS=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_OPTIONS) $(XVFB_RUN) ctest --output-on-failure -j $(JOBS)

# The fuzz targets (tests/fuzz) in their own Clang build, as ctest tests:
# a fixed number of inputs from a fixed seed for make test, FUZZ_SECONDS each
# for make fuzz, which keeps the inputs it finds in $(FUZZ_BUILD) for next time.
test-fuzz: FUZZ_SECONDS = 0
test-fuzz fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DTESSARAN_FUZZ=ON -DTESSARAN_FUZZ_SECONDS=$(FUZZ_SECONDS) -DTESSARAN_WITH_QT=OFF -DTESSARAN_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j $(JOBS)

# Without a display (DISPLAY and WAYLAND_DISPLAY unset) Tessaran runs under
# Xvfb for a few seconds, leaves a screenshot in $(BUILD)/tessaran.png and is
# closed as a user would close it.
RUN_BUILD ?= build-release

run: deps
	cmake -S . -B $(RUN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTESSARAN_BENCHMARKS=OFF
	cmake --build $(RUN_BUILD) -j $(JOBS) --target tessaran tessaran-xdriver
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(RUN_BUILD)/app/tessaran; \
	else \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running Tessaran under Xvfb for a few seconds."; \
	  mkdir -p $(BUILD); \
	  $(XVFB_RUN) tools/xvfb-screenshot.sh \
	    $(RUN_BUILD)/app/tessaran $(RUN_BUILD)/tools/tessaran-xdriver $(BUILD)/tessaran.png; \
	fi

bench: build
	$(BUILD)/bench/tessaran_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(RUN_BUILD)
