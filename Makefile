# The front door over CMake. `make play` and `make test` install whatever is missing first.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS  ?=

.PHONY: all deps configure build play test test-fast test-sanitize lint package clean

all: build

# ctest over the build tree $(1), with more options $(2). Tests that did not run (skipped, say for
# want of a program) are listed at the end of its output; under BLACKJACK_REQUIRE_ALL=1 (CI) that
# fails the run, whatever skipped them.
run_ctest = bash -o pipefail -c 'ctest --test-dir $(1) --output-on-failure -j $(JOBS) $(2) | \
	tee $(1)/ctest.log' && { [ "$${BLACKJACK_REQUIRE_ALL:-0}" != 1 ] || \
	! grep -q "tests did not run" $(1)/ctest.log || \
	{ echo "BLACKJACK_REQUIRE_ALL=1: every test must run, and some did not" >&2; exit 1; }; }

deps:
	@./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the game from its run directory, where ./images and ./fonts live.
play: build
	cd $(BUILD_DIR)/run && ./blackjack

# Every test of the optimised build, then the same tests (less the end-to-end ones, which drive
# the optimised binary) built with AddressSanitizer and UndefinedBehaviorSanitizer.
test: build
	@$(call run_ctest,$(BUILD_DIR))
	$(MAKE) --no-print-directory test-sanitize

# Every test but those labelled slow (end-to-end, package, soak, art redraw): well under a minute.
test-fast: build
	@$(call run_ctest,$(BUILD_DIR),-LE slow)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBLACKJACK_SANITIZE=ON -DBLACKJACK_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		$(call run_ctest,$(SANITIZE_DIR),-LE "e2e|package")

# The C++ files' formatting against .clang-format, and clang-tidy's checks (.clang-tidy) over src/
# and tools/ with the compile commands of $(BUILD_DIR). Any finding fails.
lint: configure
	@for tool in clang-format clang-tidy; do command -v $$tool >/dev/null || { \
		echo "make lint: $$tool is not installed (scripts/install-deps installs it)" >&2; \
		exit 1; }; done
	find src tools tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror
	@echo "clang-tidy over src/ and tools/"
	@bash -o pipefail -c "find src tools -name '*.cpp' | \
		xargs -P $(JOBS) -n 1 clang-tidy -p $(BUILD_DIR) --quiet 2>&1 | \
		{ grep -v '^[0-9]* warnings\? generated\.$$' || true; }"

# The game as a .deb and a .tar.gz in $(BUILD_DIR)/.
package: build
	cd $(BUILD_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
