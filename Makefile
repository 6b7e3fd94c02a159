# Entry points: `make demo` (the main job) and `make test` (every test). Both set up the machine first.
# The cross build packs carriers with the native carrier tool, so it comes after the native build.
BUILD := $(CURDIR)/build
BIN   := $(BUILD)/bin
JOBS  ?= $(shell nproc)

.PHONY: all bootstrap native asan cross build test unit-test e2e-test demo clean

all: build

bootstrap:
	bash scripts/bootstrap

native: bootstrap
	cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Release -DOUTPUT_BIN_DIR=$(BIN) >/dev/null
	cmake --build $(BUILD)/native -j $(JOBS)

asan: bootstrap
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" >/dev/null
	cmake --build $(BUILD)/asan -j $(JOBS)

cross: native
	cmake -S . -B $(BUILD)/cross -DCMAKE_BUILD_TYPE=MinSizeRel \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DOUTPUT_BIN_DIR=$(BIN) \
	  -DCARRIER_TOOL=$(BIN)/carrier >/dev/null
	cmake --build $(BUILD)/cross -j $(JOBS)

build: native cross

unit-test: native asan
	cd $(BUILD)/native && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD)/asan && ctest --output-on-failure -j $(JOBS)

e2e-test: native cross
	cd $(BUILD)/cross && ctest --output-on-failure

test: unit-test e2e-test

demo: build
	bash scripts/demo

clean:
	rm -rf $(BUILD)
