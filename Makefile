# Quick start: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install missing Debian packages first (scripts/install-deps).

BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@echo "The main window is not built yet; morvale-render draws pictures from the command line."

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2 --timeout 900

bench: build
	@$(BUILD)/bin/morvale-bench
	@$(BUILD)/bin/morvale-tree-bench
	@$(BUILD)/bin/morvale-tree-window-bench

clean:
	@rm -rf $(BUILD) build-asan
