# The two commands of the README: `make run [URL=address]` and `make test`; `make package`
# makes the Debian package.
# Each installs what is missing, configures and builds first.

PRESET ?= default
JOBS ?= $(shell nproc)

# Chromium refuses to start its sandbox as root; the engine runs without it then.
ifeq ($(shell id -u),0)
export QTWEBENGINE_DISABLE_SANDBOX := 1
SANDBOX_NOTE := @echo "make: running as root, so the engine's sandbox is off (QTWEBENGINE_DISABLE_SANDBOX=1)"
else
SANDBOX_NOTE := @true
endif

.PHONY: all deps configure build build-windows run test test-windows test-asan test-fuzz package format

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -- -j$(JOBS)

# The core and its unit tests for Windows, cross-compiled with MinGW-w64.
build-windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -- -j$(JOBS)

run: build
	$(SANDBOX_NOTE)
	@./scripts/run.sh $(if $(URL),"$(URL)")

# ctest runs the Windows unit tests under Wine as one of its tests. After the default tests:
# the core's unit tests under ASan+UBSan, then each fuzz target for a bounded time, one after
# the other: the fuzzers run alone, one at a time.
test: build build-windows
	$(SANDBOX_NOTE)
	@ctest --preset $(PRESET) -j$(JOBS)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-fuzz

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -- -j$(JOBS)
	@ctest --preset asan -j$(JOBS)

test-fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -- -j$(JOBS)
	@ctest --preset fuzz

# Only the Windows unit tests, under Wine, with GoogleTest's own output.
test-windows: build-windows
	@./scripts/run-windows-tests.sh build-windows/tests/torvi_unit_tests.exe

# build/torvi_<version>_<arch>.deb, for `apt install ./build/torvi_*.deb`.
package: build
	@cpack --preset $(PRESET)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
