# The two commands of this project:
#   make run    install what is missing, build (Release), run the main job
#   make test   install what is missing, build, run every test; then again
#               under AddressSanitizer + UndefinedBehaviorSanitizer; then
#               build the Debian packages and check them (lintian included)
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
CMAKE_GENERATOR ?= Unix Makefiles
export CMAKE_GENERATOR

# Sanitizer runs: allocation failures must reach the code as exceptions
# (the byte buffer reports them), and any finding fails the run.
SANITIZER_ENV = ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1:abort_on_error=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

FUZZ_SECONDS ?= 60
# The one version number, written in CMakeLists.txt's project().
VERSION := $(shell sed -n 's/^project.Lumiq VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

.PHONY: run test deps release package test-plain test-sanitized test-package bench fuzz clean

deps:
	@scripts/setup-deps

release: deps
	@cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DLUM_BUILD_TESTS=OFF -DLUM_BUILD_BENCH=OFF >/dev/null
	@cmake --build build/release -j $(JOBS)

# The Debian package build/package/lumiq_<version>_<arch>.deb, built from
# debian/ by dpkg-buildpackage (a build of its own).
package: deps
	@scripts/build-package $(JOBS)

# The package built and checked: its files, its dependencies, the programs
# in it, and lintian's verdict.
test-package: package
	tests/check-package build/package $(VERSION)

run: release
	@scripts/run-demo build/release

# One part after the other, also under make -j: three whole builds at once
# would only compete for the same cores.
test: deps
	@$(MAKE) test-plain
	@$(MAKE) test-sanitized
	@$(MAKE) test-package

# The benchmarks are built by `make bench` only: CI has 20 minutes.
test-plain:
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUM_BUILD_TESTS=ON -DLUM_BUILD_BENCH=OFF >/dev/null
	cmake --build build/test -j $(JOBS)
	ctest --test-dir build/test --output-on-failure -j $(JOBS)

test-sanitized:
	cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DLUM_SANITIZE=ON -DLUM_BUILD_TESTS=ON -DLUM_BUILD_BENCH=OFF >/dev/null
	cmake --build build/asan -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir build/asan --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DLUM_BUILD_TESTS=OFF -DLUM_BUILD_BENCH=ON >/dev/null
	cmake --build build/bench -j $(JOBS)
	bench/run-all build/bench

# Each libFuzzer target for FUZZ_SECONDS seconds on its seed corpus.
fuzz: deps
	CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUM_FUZZ=ON >/dev/null
	cmake --build build/fuzz -j $(JOBS)
	fuzz/run build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build

# The whole suite under ThreadSanitizer (not part of `make test`).
.PHONY: test-tsan
test-tsan: deps
	cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DLUM_TSAN=ON -DLUM_BUILD_TESTS=ON -DLUM_BUILD_BENCH=OFF >/dev/null
	cmake --build build/tsan -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -j $(JOBS)
