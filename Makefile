# Front door: `make demo` builds the programs and runs the main job on the
# bundled sample, `make test` builds and runs the whole test suite, `make sanitize`
# builds and runs it under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer in its own folder, `make package` builds the
# Debian package (CPack) in the build folder.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

PROGRAMS = arcanote-cli arcanote myzip arcanote_shipped_files

.PHONY: deps configure build programs demo test sanitize package clean

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

# Every sanitizer report ends the program, so the test that ran it fails.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" \
		-DARCANOTE_SANITIZE=ON -DARCANOTE_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
		ctest --output-on-failure -j $(JOBS)

# dpkg-shlibdeps (dpkg-dev) names the package's library dependencies.
package: export ARCANOTE_EXTRA_PACKAGES := $(ARCANOTE_EXTRA_PACKAGES) dpkg-dev
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
