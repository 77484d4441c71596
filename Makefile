# Front door: `make demo` builds the programs and runs the main job on the
# bundled sample, `make test` builds and runs the whole test suite, `make package` builds the
# Debian package (CPack) in the build folder.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

PROGRAMS = arcanote-cli arcanote myzip arcanote_shipped_files

.PHONY: deps configure build programs demo test package clean

deps:
	@sh tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

programs: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(PROGRAMS)

demo: programs
	sh tools/demo.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# dpkg-shlibdeps (dpkg-dev) names the package's library dependencies.
package: export ARCANOTE_EXTRA_PACKAGES := $(ARCANOTE_EXTRA_PACKAGES) dpkg-dev
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
