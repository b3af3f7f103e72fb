# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build build-win build-native configure-win run test bench format clean

all: build

deps:
	@scripts/install-deps.sh

configure-win: deps
	@[ -f build/win/build.ninja ] || cmake --preset mingw >/dev/null

# Quorvel.exe and the Windows test programs; the benchmark programs are built by `make bench` only.
build-win: configure-win
	@cmake --build build/win

build-native: deps
	@[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
	@cmake --build build/native

build: build-win build-native

# The program only.
run: configure-win
	@cmake --build build/win --target Quorvel
	@scripts/run.sh build/win/Quorvel.exe

test: build
	@ctest --test-dir build/native --output-on-failure

bench: build
	@cmake --build build/win --target bench
	@scripts/bench.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
