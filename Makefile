# The two commands of the README: `make run [URL=address]` and `make test`.
# Both install what is missing, configure and build first.

PRESET ?= default
JOBS ?= $(shell nproc)

# Chromium refuses to start its sandbox as root; the engine runs without it then.
ifeq ($(shell id -u),0)
export QTWEBENGINE_DISABLE_SANDBOX := 1
SANDBOX_NOTE := @echo "make: running as root, so the engine's sandbox is off (QTWEBENGINE_DISABLE_SANDBOX=1)"
else
SANDBOX_NOTE := @true
endif

.PHONY: all deps configure build run test test-asan test-fuzz format

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -- -j$(JOBS)

run: build
	$(SANDBOX_NOTE)
	@./scripts/run.sh $(if $(URL),"$(URL)")

# After the default tests: the core's unit tests under ASan+UBSan, then each fuzz target for
# a bounded time. One after the other: the fuzzers run alone, one at a time.
test: build
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

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
