# Two build trees: native (g++, portable code and tools) and win32 (mingw-w64 i686, run under Wine).
# BUILD can point elsewhere so that several work trees or people can build side by side.
BUILD ?= build
NATIVE := $(BUILD)/native
WIN32 := $(BUILD)/win32
RELEASE := $(BUILD)/release
FUZZ := $(BUILD)/fuzz
JOBS ?= $(shell nproc)
export QL_WINEPREFIX ?= $(abspath $(BUILD))/wineprefix

.PHONY: all bootstrap native win32 run test test-native test-win32 clean format fuzz bench

all: native win32

bootstrap:
	@bash scripts/bootstrap.sh

$(NATIVE)/Makefile: | bootstrap
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DQL_SANITIZE=ON

$(WIN32)/Makefile: | bootstrap
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DQL_HOST_TOOLS=$(abspath $(NATIVE))/tools

native: bootstrap $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j $(JOBS)

win32: bootstrap native $(WIN32)/Makefile
	cmake --build $(WIN32) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-win32: win32
	QL_DESKTOP_KEEPER=$(WIN32)/tests/win32/support/desktop_keeper.exe \
	  scripts/wine-session ctest --test-dir $(WIN32) --output-on-failure

test: test-native test-win32

run: win32
	scripts/wine-run-gui $(WIN32)/app/QuarlinkConfig.exe

bench: bootstrap
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(RELEASE) -j $(JOBS) --target benchmarks
	@for b in $(RELEASE)/bench/*_bench; do echo "== $$b"; $$b; done

fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DQL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(FUZZ) -j $(JOBS)
	scripts/run-fuzzers $(FUZZ)/fuzz $${FUZZ_SECONDS:-60}

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
