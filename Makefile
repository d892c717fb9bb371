# Quick start: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build test run screenshot bench clean test-sanitize fuzz format format-check install package check-package

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The whole suite with the PostgreSQL server and print queue it needs, started
# and stopped around it (scripts/test-services). STRICT=1: fail when one cannot
# be started, instead of skipping its cases.
STRICT ?= 0
test: build
	@STRICT=$(STRICT) scripts/test-services $(BUILD) -j $(JOBS)

run: build
	@scripts/run-vantor $(BUILD)

# The main window drawn on a virtual display: $(BUILD)/vantor-window.png.
screenshot: build
	@scripts/screenshot $(BUILD)

bench: build
	@$(BUILD)/bench_encode
	@$(BUILD)/bench_sheet
	@$(BUILD)/bench_draw
	@$(BUILD)/bench_journal
	@scripts/bench-serve $(BUILD)

# Installs under PREFIX (DESTDIR is honoured for staging). The build is
# configured for PREFIX, where the program then looks for its help text.
PREFIX ?= /usr/local
install: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target vantor_data
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package, $(BUILD)/vantor_<version>_<arch>.deb, installing to /usr.
package: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target vantor_data
	@cd $(BUILD) && cpack -G DEB

# Builds the package, installs it with apt, tries the installed copy, removes it.
check-package:
	@scripts/check-package $(BUILD)

clean:
	@rm -rf $(BUILD)

# The whole suite under address and undefined-behaviour sanitizers.
test-sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTOR_SANITIZE=ON -DVANTOR_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 STRICT=$(STRICT) scripts/test-services build-sanitize -j $(JOBS)

# libFuzzer targets (clang, address and undefined-behaviour sanitizers), each
# run for FUZZ_SECONDS from its seed corpus in fuzz/corpus/<target>/.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= fuzz_encode fuzz_draw fuzz_code128_stream fuzz_rtf_reader fuzz_serial fuzz_template fuzz_journal_row \
                fuzz_job_request
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVANTOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Our own sources in the house style (.clang-format); CI runs format-check.
SOURCES = $(shell git ls-files '*.cpp' '*.h')
format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES)
