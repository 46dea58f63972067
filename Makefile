# Two commands do all set-up on a fresh Debian machine: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
PACKAGE_BUILD ?= build-package
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
CMAKE_GEN  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: deps deps-run build build-asan test test-plain test-asan run bench screenshots package fuzz clean

deps:
	@bash scripts/install-deps.sh

deps-run:
	@bash scripts/install-deps.sh run

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DMIVARELO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The sanitized build runs the same core and engine tests.
test-asan: build-asan
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: test-plain test-asan

# Only what the two programs need is installed and built: the tests wait
# for make test.
run: deps-run
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target mivarelo mivarelo-run
	@bash scripts/run.sh $(BUILD)

# A Debian package of the program (CPack), built from a release build. Only
# the two programs and the manual pages are built: the package holds no
# tests.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target mivarelo mivarelo-run man_pages
	cd $(PACKAGE_BUILD) && cpack -G DEB

# Pictures of the program at work for the README, taken under Xvfb.
screenshots: build
	@bash scripts/screenshots.sh $(BUILD)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DMIVARELO_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@bash bench/run.sh $(BENCH_BUILD)

# Coverage-guided fuzzing with clang's libFuzzer, then the long monkey test
# of the windows. FUZZ_SECONDS per target (default 600); found inputs are
# kept in FUZZ_CORPUS (default ~/.cache/mivarelo-fuzz), outside the tree.
fuzz: build
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMIVARELO_FUZZ=ON -DMIVARELO_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(PACKAGE_BUILD) $(FUZZ_BUILD)
