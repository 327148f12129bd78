# Three build trees: native (g++, portable code and tools), win32 (mingw-w64 i686, the deliverable)
# and win64 (its x86-64 twin, so that the Windows suite runs on machines that cannot execute 32-bit
# programs). BUILD can point elsewhere so that several work trees or people can build side by side.
BUILD ?= build
NATIVE := $(BUILD)/native
WIN32 := $(BUILD)/win32
WIN64 := $(BUILD)/win64
RELEASE := $(BUILD)/release
FUZZ := $(BUILD)/fuzz
JOBS ?= $(shell nproc)
export QL_WINEPREFIX ?= $(abspath $(BUILD))/wineprefix
export QL_WINEPREFIX64 ?= $(abspath $(BUILD))/wineprefix64

.PHONY: all bootstrap native win32 win64 run gallery test test-native test-windows test-win32 test-win64 clean format \
  fuzz bench

all: native win32 win64

bootstrap:
	@bash scripts/bootstrap.sh

$(NATIVE)/Makefile: | bootstrap
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DQL_SANITIZE=ON

$(WIN32)/Makefile: | bootstrap
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DQL_HOST_TOOLS=$(abspath $(NATIVE))/tools

$(WIN64)/Makefile: | bootstrap
	cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DQL_HOST_TOOLS=$(abspath $(NATIVE))/tools

native: bootstrap $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j $(JOBS)

win32: bootstrap native $(WIN32)/Makefile
	cmake --build $(WIN32) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

win64: bootstrap native $(WIN64)/Makefile
	cmake --build $(WIN64) -j $(JOBS)

test-win32: win32
	QL_WINE_ARCH=win32 QL_DESKTOP_KEEPER=$(WIN32)/tests/win32/support/desktop_keeper.exe \
	  scripts/wine-session ctest --test-dir $(WIN32) --output-on-failure

test-win64: win64
	QL_WINE_ARCH=win64 QL_DESKTOP_KEEPER=$(WIN64)/tests/win32/support/desktop_keeper.exe \
	  scripts/wine-session ctest --test-dir $(WIN64) --output-on-failure

# The 64-bit suite runs everywhere; the 32-bit one wherever 32-bit programs run (asked once per run).
# Both trees are always built: the i686 program is the deliverable.
test-windows: win32 win64
	@$(MAKE) --no-print-directory test-win64
	@if why=$$(scripts/can-run-32bit); then $(MAKE) --no-print-directory test-win32; \
	else echo "make test: 32-bit Windows suite SKIPPED: this machine cannot run 32-bit programs ($$why)"; fi

test: test-native test-windows

# The 32-bit program where it can run, else its 64-bit twin: $(1) is its path inside a Windows tree.
define run-windows-program
	@if why=$$(scripts/can-run-32bit); then $(MAKE) --no-print-directory win32 && \
	  echo "make $@: the 32-bit program" && scripts/wine-run-gui $(WIN32)/$(1); \
	else $(MAKE) --no-print-directory win64 && \
	  echo "make $@: the 64-bit program (this machine cannot run 32-bit programs: $$why)" && \
	  scripts/wine-run-gui $(WIN64)/$(1); fi
endef

run: native
	$(call run-windows-program,app/QuarlinkConfig.exe)

# The skin gallery, started the same way.
gallery: native
	$(call run-windows-program,gallery/SkinGallery.exe)

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
