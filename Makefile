# The README's commands. `make run` plays, `make test` proves it works.
RELEASE := build/release
TESTBUILD := build/test
JOBS ?= 2
CTEST_TIMEOUT ?= 300

.PHONY: run build test bench content ui-pictures act-films autoplay soak fuzz deps clean

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
	cmake --build $(TESTBUILD) -j $(JOBS) --target quorvane_tests autoplay autoplay_tests
	cd $(TESTBUILD) && ctest --output-on-failure --timeout $(CTEST_TIMEOUT) -j $(JOBS)

bench: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target quorvane_bench
	SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./$(RELEASE)/quorvane_bench

content: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target contentgen
	./$(RELEASE)/contentgen --out dat --sheet $(RELEASE)/contact-sheet.png

# Pictures of the battle windows and a menu, at 1x and in a 2x window.
ui-pictures: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target uipictures
	./$(RELEASE)/uipictures $(RELEASE)/ui-pictures

act-films: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target actfilms
	./$(RELEASE)/actfilms $(RELEASE)/act-films

# The headless battle runner: build/release/autoplay --stage S --seed N.
autoplay: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS) --target autoplay

# Whole campaigns and every battle under the sanitizers, then the frame-time
# figures of a release campaign: scripts/soak (SOAK_SEEDS, SOAK_FRAMES, JOBS).
SOAK_SEEDS ?= 10
SOAK_FRAMES ?= 1000000
soak: deps
	JOBS=$(JOBS) SOAK_SEEDS=$(SOAK_SEEDS) SOAK_FRAMES=$(SOAK_FRAMES) scripts/soak

# Fuzzing: clang with libFuzzer and the sanitizers, in its own build tree.
# Each target runs FUZZ_SECONDS; new inputs go to build/fuzz/corpus (the save
# files), build/fuzz/corpus-event-script (the story scripts, seeded with the
# game's own) and build/fuzz/corpus-map-csv (the battle maps, seeded with the
# game's own); the committed seeds stay as they are.
FUZZBUILD := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_FLAGS = -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1

$(FUZZBUILD)/build.ninja:
	cmake -S fuzz -B $(FUZZBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

fuzz: deps $(FUZZBUILD)/build.ninja
	cmake --build $(FUZZBUILD) -j $(JOBS) --target archive_fuzz event_script_fuzz map_csv_fuzz
	mkdir -p $(FUZZBUILD)/corpus $(FUZZBUILD)/corpus-event-script $(FUZZBUILD)/corpus-map-csv
	./$(FUZZBUILD)/archive_fuzz $(FUZZ_FLAGS) $(FUZZBUILD)/corpus fuzz/corpus/archive
	./$(FUZZBUILD)/event_script_fuzz $(FUZZ_FLAGS) -dict=fuzz/event_script.dict \
	  $(FUZZBUILD)/corpus-event-script fuzz/corpus/event_script $(wildcard dat/script/event)
	./$(FUZZBUILD)/map_csv_fuzz $(FUZZ_FLAGS) -dict=fuzz/map_csv.dict \
	  $(FUZZBUILD)/corpus-map-csv fuzz/corpus/map_csv $(wildcard dat/map)

clean:
	rm -rf build
