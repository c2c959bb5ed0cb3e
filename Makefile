# Quorvex2 — the two entry points are `make demo` and `make test`.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
QX := build/release/app/quorvex2

.PHONY: all deps release test demo fuzz bench format clean

all: release

deps:
	@scripts/install-deps

release: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

test: deps
	@cmake --preset test >/dev/null
	@cmake --build --preset test -j $(JOBS) -- --no-print-directory
	@ctest --preset test

demo: release
	@scripts/demo $(QX)

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/run-fuzzers build/fuzz/fuzz $(FUZZ_SECONDS)

bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/bench_*; do echo "== $$b"; $$b; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
