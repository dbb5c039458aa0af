# make test: install what is missing, build, run every test (and the plain
#            library's tests once more under AddressSanitizer and UBSan).
# make run:  install what is missing, build (Release) and start Tessaran.
# make bench: build and run the benchmarks.

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= 2
CMAKE_FLAGS = -G Ninja -Wno-dev

.PHONY: deps test test-sanitize build bench run clean

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitize

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug \
	  -DTESSARAN_WITH_QT=OFF -DTESSARAN_SANITIZE=ON -DTESSARAN_BENCHMARKS=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

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
	  xvfb-run -a -s "-screen 0 1280x1024x24" tools/xvfb-screenshot.sh \
	    $(RUN_BUILD)/app/tessaran $(RUN_BUILD)/tools/tessaran-xdriver $(BUILD)/tessaran.png; \
	fi

bench: build
	$(BUILD)/bench/tessaran_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(RUN_BUILD)
