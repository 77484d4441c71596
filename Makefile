# Front door: `make demo` builds and runs the main job on the bundled sample,
# `make test` builds and runs the whole test suite.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build demo test clean

deps:
	@sh tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

demo: build
	sh tools/demo.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
