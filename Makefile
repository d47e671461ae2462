# The front door over CMake. `make play` and `make test` install whatever is missing first.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR  ?= build-windows
WEB_DIR      ?= build-web
WEB_PORT     ?= 8000
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS  ?=

.PHONY: all deps configure build play test test-fast test-sanitize sanitize-build sanitize-tests
.PHONY: lint package clean
.PHONY: windows-deps windows test-windows deps-web web serve-web test-web

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
# the optimised binary, and the art tests, which check the pictures that build drew) built with
# AddressSanitizer and UndefinedBehaviorSanitizer. The sanitizer tree is built while the optimised
# build's tests run: most of their time is the end-to-end tests waiting on the game's window. Its
# build's output goes to $(BUILD_DIR)/sanitize-build.log, shown when it fails.
test: build
	@status=0; \
	$(MAKE) --no-print-directory sanitize-build >$(BUILD_DIR)/sanitize-build.log 2>&1 & \
	builder=$$!; \
	( $(call run_ctest,$(BUILD_DIR)) ) || status=$$?; \
	wait $$builder || { tail -n 80 $(BUILD_DIR)/sanitize-build.log >&2; exit 1; }; \
	[ $$status -eq 0 ] || exit $$status
	@$(MAKE) --no-print-directory sanitize-tests

# Every test but those labelled slow (end-to-end, package, soak, art redraw): well under a minute.
test-fast: build
	@$(call run_ctest,$(BUILD_DIR),-LE slow)

# The sanitizer build takes its pictures and font from $(BUILD_DIR), whose art generator drew them
# (drawing them again under the sanitizers is slow), and builds no benchmarks. The end-to-end, the
# package and the kill tests run in $(BUILD_DIR) only: they start the game (or a writer) afresh
# hundreds of times, which the sanitizers make slow and which their unit tests cover already.
test-sanitize: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target blackjack_assets
	@$(MAKE) --no-print-directory sanitize-build
	@$(MAKE) --no-print-directory sanitize-tests

# The two halves of test-sanitize; the first needs $(BUILD_DIR)'s pictures drawn.
sanitize-build:
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBLACKJACK_SANITIZE=ON \
		-DBLACKJACK_BUILD_BENCHMARKS=OFF -DBLACKJACK_ASSETS_DIR="$(abspath $(BUILD_DIR))/run" \
		$(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)

# The soak plays 80,000 frames under the sanitizers (some 2,000 rounds); the optimised build's
# plays its 200,000 and counts what they hold.
sanitize-tests:
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		BLACKJACK_SOAK_FRAMES=80000 $(call run_ctest,$(SANITIZE_DIR),-LE "e2e|package|kill")

# The C++ files' formatting against .clang-format, and clang-tidy's checks (.clang-tidy) over src/
# and tools/ with the compile commands of $(BUILD_DIR), less the web bridge, which only the page's
# build compiles (with Emscripten's headers). Any finding fails.
lint: configure
	@for tool in clang-format clang-tidy; do command -v $$tool >/dev/null || { \
		echo "make lint: $$tool is not installed (scripts/install-deps installs it)" >&2; \
		exit 1; }; done
	find src tools tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror
	@echo "clang-tidy over src/ and tools/"
	@bash -o pipefail -c "find src tools -name '*.cpp' ! -name WebBridge.cpp | \
		xargs -P $(JOBS) -n 1 clang-tidy -p $(BUILD_DIR) --quiet 2>&1 | \
		{ grep -v '^[0-9]* warnings\? generated\.$$' || true; }"

# The game as a .deb and a .tar.gz in $(BUILD_DIR)/.
package: build
	cd $(BUILD_DIR) && cpack

windows-deps:
	@./scripts/install-deps windows

# The game for 64-bit Windows, $(WINDOWS_DIR)/blackjack-windows-x64.zip, cross-built with
# MinGW-w64. The art generator runs natively in $(BUILD_DIR) and its pictures are copied in; the
# libraries are built once by scripts/build-windows-deps and cached. The Windows build folder is
# configured afresh only when it is new or the dependency prefix has changed, so a second run
# compiles only what changed in the game.
windows: windows-deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target blackjack_assets
	prefix=$$(./scripts/build-windows-deps) && cache=$(WINDOWS_DIR)/CMakeCache.txt && \
	if ! grep -qx "CMAKE_PREFIX_PATH:[A-Z]*=$$prefix" $$cache 2>/dev/null; then \
		rm -f $$cache && \
		cmake -S . -B $(WINDOWS_DIR) -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
			-DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$$prefix" \
			-DBLACKJACK_ASSETS_DIR="$(abspath $(BUILD_DIR))/run"; \
	fi
	cmake --build $(WINDOWS_DIR) -j $(JOBS)
	cd $(WINDOWS_DIR) && cpack

# The zip checked and played as a Windows player would: unpacked into a scratch folder, started
# under Wine on a virtual display and played by the same end-to-end script as the Linux game.
test-windows: windows
	cmake --build $(BUILD_DIR) -j $(JOBS) --target wm_close e2e_layout
	tests/windows/check_zip.sh $(WINDOWS_DIR)/blackjack-windows-x64.zip \
		$(BUILD_DIR)/tests/e2e/wm_close $(BUILD_DIR)/tests/e2e/layout.sh


# The game in a web page, in $(WEB_DIR)/site/. The desktop build draws the art and makes the
# page's lighter copy of it (web-assets/: the font cut down, the felt in 256 colours); the
# libraries are built for the web once by scripts/build-web-deps and kept in ~/.cache/blackjack.
# Debian's emscripten finds its JavaScript modules only through Debian's node folder, and runs
# with Debian's Python.
web serve-web test-web: export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))
web serve-web test-web: export EMSDK_PYTHON ?= /usr/bin/python3

deps-web:
	@./scripts/install-deps web

web: deps-web
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target blackjack_web_assets e2e_layout
	prefix=$$(./scripts/build-web-deps) && \
	emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=MinSizeRel -DBLACKJACK_WEB_DEPS="$$prefix" \
		-DBLACKJACK_WEB_ASSETS="$(abspath $(BUILD_DIR))/web-assets" \
		-DBLACKJACK_DESKTOP_MENU_SHOT="$(abspath $(BUILD_DIR))/e2e-shots/menu.png" \
		-DBLACKJACK_LAYOUT_POINTS="$(abspath $(BUILD_DIR))/tests/e2e/layout.sh"
	cmake --build $(WEB_DIR) -j $(JOBS)
	@du -cb $(addprefix $(WEB_DIR)/site/blackjack.,js wasm data) | \
		awk 'END { printf "web: %s/site/ is ready, %.2f MB to download", "$(WEB_DIR)", $$1 / 1e6 }'
	@du -cb $(addprefix $(WEB_DIR)/site/blackjack-2x.,js data) | \
		awk 'END { printf ", %.2f MB more on a screen of twice the density\n", $$1 / 1e6 }'

serve-web: web
	@echo "serve-web: open http://127.0.0.1:$(WEB_PORT)/ in a browser; Ctrl-C stops the server"
	cd $(WEB_DIR)/site && python3 -m http.server --bind 127.0.0.1 $(WEB_PORT)

# The page played in headless Chromium. It compares its menu with the desktop game's, which the
# desktop end-to-end test takes, so that test runs first.
test-web: web
	cmake --build $(BUILD_DIR) -j $(JOBS) --target blackjack wm_close
	ctest --test-dir $(BUILD_DIR) --output-on-failure -R '^e2e_play$$'
	ctest --test-dir $(WEB_DIR) --verbose --no-tests=error

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR) $(WEB_DIR)
