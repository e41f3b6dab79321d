# The README's commands. `make run` plays, `make test` proves it works.
RELEASE := build/release
TESTBUILD := build/test
JOBS ?= 2
CTEST_TIMEOUT ?= 300

.PHONY: run build test bench content fuzz deps clean

deps:
	@scripts/setup-deps

$(RELEASE)/build.ninja:
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target quorvane

run: build
	./$(RELEASE)/quorvane

$(TESTBUILD)/build.ninja:
	cmake -S . -B $(TESTBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON -DQUORVANE_BENCH=OFF

test: deps $(TESTBUILD)/build.ninja
	cmake --build $(TESTBUILD) -j $(JOBS) --target quorvane_tests
	cd $(TESTBUILD) && ctest --output-on-failure --timeout $(CTEST_TIMEOUT) -j $(JOBS)

bench: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target quorvane_bench
	SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./$(RELEASE)/quorvane_bench

content: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target contentgen
	./$(RELEASE)/contentgen --out dat --sheet $(RELEASE)/contact-sheet.png

clean:
	rm -rf build
