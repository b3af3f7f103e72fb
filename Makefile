# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build build-win build-native run test bench format clean

all: build

deps:
	@scripts/install-deps.sh

build-win: deps
	@[ -f build/win/build.ninja ] || cmake --preset mingw >/dev/null
	@cmake --build build/win

build-native: deps
	@[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
	@cmake --build build/native

build: build-win build-native

run: build-win
	@scripts/run.sh build/win/Quorvel.exe

test: build
	@ctest --test-dir build/native --output-on-failure

bench: build
	@scripts/bench.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
