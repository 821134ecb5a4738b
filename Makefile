# Listrel for Delphi: the two commands of the README are `make run` and `make test`; each installs what is
# missing first. Other targets: build, bench, asan (core tests under AddressSanitizer and UBSan), fuzz
# (build the libFuzzer targets), fuzz-smoke (each target a few seconds over its seed corpus), format,
# install (into PREFIX, below DESTDIR when given), deb (the Debian package, in BUILD/package/),
# package-test (builds the package, installs it on this machine, checks it and removes it again).

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WERROR     ?= OFF
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 5
PREFIX     ?= /usr/local

CMAKE_FLAGS = -G Ninja -DLRL_WERROR=$(WERROR)
export CCACHE_BASEDIR := $(CURDIR)

.PHONY: all setup build test run bench asan fuzz fuzz-smoke format install deb package-test clean

all: build

setup:
	@tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@tools/run-sample.sh $(BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

asan: setup
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DLRL_SANITIZE=ON \
	    -DLRL_BUILD_GUI=OFF -DLRL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DLRL_FUZZ=ON -DLRL_BUILD_GUI=OFF -DLRL_BUILD_TESTS=OFF -DLRL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz-smoke: fuzz
	@tools/fuzz-smoke.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

deb: build
	@rm -f $(BUILD)/package/*.deb
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/package/*.deb

package-test: build
	@tools/package-test.sh $(BUILD)

format:
	@find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
