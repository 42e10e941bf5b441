# Entry points. Each one installs the Debian packages that are missing first,
# then configures and builds through the CMake presets.

PRESET ?= default
BUILD_DIR := build/$(PRESET)
# The packages each entry point needs (scripts/debian-packages.txt, by purpose).
PURPOSES ?=

.PHONY: all setup configure build run test windows web serve screenshots bench package reproducible format clean

all: build

setup:
	@scripts/setup $(PURPOSES)

configure: setup
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# Only the Linux program and its tour, with only the packages they need.
run:
	@scripts/setup build run
	@cmake --preset run >/dev/null
	@cmake --build --preset run
	@scripts/run build/run

test: build
	@ctest --preset $(PRESET)

# Tervanel.exe for Windows, cross-built with MinGW-w64: build/windows/Tervanel.exe.
windows:
	@scripts/setup build windows
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# The web page: the program as WebAssembly and its static site in build/web/site.
web:
	@scripts/setup build web
	@cmake --preset web >/dev/null
	@cmake --build --preset web

# The site on this machine only (127.0.0.1), for a browser here; Ctrl+C ends it.
serve: web
	@node harness/web/server.cjs build/web/site

# Benchmarks: the program against the least Qt Widgets program, written to docs/PERFORMANCE.md.
bench: setup
	@scripts/bench

# A Debian package of the program, built with CPack, and its SHA256SUMS.
package: setup
	@scripts/package

# The packages of the last commit built twice, in two fresh folders, and compared.
reproducible: setup
	@scripts/reproducible

# The README's pictures, made by the same tour as a headless `make run`.
# The Windows build's pictures come from the same tour of Tervanel.exe under Wine, the web
# page's from its browser test in Chromium (a desktop's and a phone's screen).
screenshots: build
	@env -u DISPLAY -u WAYLAND_DISPLAY "$(BUILD_DIR)/tools/tervanel_tour" "$(BUILD_DIR)/app/tervanel" docs/screenshots
	@env -u DISPLAY -u WAYLAND_DISPLAY "$(BUILD_DIR)/tools/tervanel_tour" build/windows/Tervanel.exe \
		docs/screenshots/windows --wine harness/wine-run build/windows/wine
	@NODE_PATH="$(BUILD_DIR)/tests/web/node/node_modules" TERVANEL_SITE=build/web/site \
		TERVANEL_EXPECTATIONS="$(BUILD_DIR)/tests/web/expectations.json" \
		TERVANEL_SCREENSHOTS=docs/screenshots/web \
		node --test --test-name-pattern='390 px phone|pictures' tests/web/site.test.cjs tests/web/phone.test.cjs

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build
