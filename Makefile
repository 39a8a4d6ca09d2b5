# Thin wrapper over CMake + Ninja. `make test` and `make demo` work on a fresh
# Debian 12 machine: both run the setup script first.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
# The Makefile is the developers' entry point: warnings are errors here and in CI.
DEV_ARGS   := -DLARK_WERROR=ON

.PHONY: all setup configure build test demo tour bench hostile fuzz install clean

all: build

setup:
	@scripts/setup-debian.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(DEV_ARGS) $(CMAKE_ARGS)

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/run-demo.sh $(BUILD) coredemo

tour: build
	@scripts/run-demo.sh $(BUILD) featurestour

bench: setup
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release $(DEV_ARGS) -DLARK_BUILD_BENCH=ON -DLARK_BUILD_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS) --target lark_bench
	$(BUILD)-bench/bench/lark_bench

# Time and peak memory of every hostile input, one process each.
hostile: setup
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release $(DEV_ARGS) -DLARK_BUILD_BENCH=ON -DLARK_BUILD_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS) --target lark-render lark_hostile lark_hostile_data
	scripts/hostile-inputs.sh $(BUILD)-bench
	scripts/hostile-data.sh $(BUILD)-bench

fuzz: setup
	CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(DEV_ARGS) -DLARK_BUILD_FUZZ=ON -DLARK_BUILD_TESTS=OFF -DLARK_BUILD_APPS=OFF
	cmake --build $(BUILD)-fuzz -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(or $(PREFIX),/usr/local)

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz $(BUILD)-sanitize
