# Quick start: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install missing Debian packages first (scripts/install-deps). `make package` builds the .deb.

BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."; \
	  echo "Start it on a desktop, or in a virtual one: xvfb-run -a $(BUILD)/bin/morvale1"; \
	  exit 1; \
	fi
	@$(BUILD)/bin/morvale1

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2 --timeout 900

package: build
	@cmake --build $(BUILD) --target package

bench: build
	@$(BUILD)/bin/morvale-bench
	@$(BUILD)/bin/morvale-deep-bench
	@$(BUILD)/bin/morvale-deep-check random 20 1 96 54 4
	@$(BUILD)/bin/morvale-export-bench
	@$(BUILD)/bin/morvale-tree-bench
	@$(BUILD)/bin/morvale-tree-window-bench
	@$(BUILD)/bin/morvale-view-bench
	@$(BUILD)/bin/morvale-video-bench

clean:
	@rm -rf $(BUILD) build-asan
