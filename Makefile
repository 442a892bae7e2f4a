# Vendrel: `make run` and `make test` do all set-up on a fresh Debian 12 machine (as root).
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run check-layers check-format test bench package package-check sanitize fuzz-build fuzz-smoke clean

all: build

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display; start it as: xvfb-run -a $(BUILD)/vendrel, or set DISPLAY" >&2; exit 1; fi
	$(BUILD)/vendrel $(ARGS)

# Fails when a source file includes across a layer (scripts/check-layers.sh says which).
check-layers:
	bash scripts/check-layers.sh

# Fails when a C++ file is not laid out as .clang-format says (scripts/check-format.sh says which).
check-format: deps
	bash scripts/check-format.sh

test: check-layers build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@set -e; for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; QT_QPA_PLATFORM=offscreen "$$b" $(ARGS); done

# The Debian package vendrel_<version>_amd64.deb, in $(BUILD); package-check installs it on this
# machine, tries it (render, window, file type) and removes it again.
package: build
	cd $(BUILD) && cpack -G DEB

package-check: package
	bash scripts/package-check.sh $(BUILD)

sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENDREL_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++"

# libFuzzer targets in their own folder: the libraries are instrumented for coverage and checked
# by AddressSanitizer and UBSan. fuzz-smoke runs each target FUZZ_SECONDS (two at a time) and
# fails on any finding; fuzz/campaign.sh SECONDS runs longer.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = fuzz_formula fuzz_document fuzz_render
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DVENDREL_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)"
	cmake --build $(FUZZ_BUILD) --target $(FUZZ_TARGETS) -j $(JOBS)

fuzz-smoke: fuzz-build
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) 2 $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) build-sanitize $(FUZZ_BUILD)
