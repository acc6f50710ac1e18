# The two set-up commands: `make run` and `make test`. Both install what is
# missing, configure and build; `make build` only configures and builds.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
CTEST_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all run test build program package bootstrap configure clean sanitize sanitize-ci tsan fuzz monkey

all: build

bootstrap:
	./scripts/bootstrap

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the program and the data it installs: no tests, no developer tools.
program: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target program

run: bootstrap
	$(MAKE) program
	./$(BUILD_DIR)/bin/snipwell

# zelvane-snipwell_<version>_<arch>.deb in the build folder.
package: bootstrap
	$(MAKE) program
	cd $(BUILD_DIR) && cpack -G DEB

test: bootstrap
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS) \
		|| { $(CURDIR)/tools/failure-summary .; exit 8; }

# The same tests under AddressSanitizer with UndefinedBehaviorSanitizer, and
# the media library, player, detection, engine, converter, cutting-worker
# and command-line tests under ThreadSanitizer, each in a
# build folder of its own. The fixtures of build/ are reused when present.
# The long media runs (label slow) are left to `make test`: instrumented,
# they alone would take longer than everything else together.
SANITIZE_LABELS ?= media|unit|widget
SANITIZE_EXCLUDE ?= slow
TSAN_TESTS ?= ^(orlcodec_test|player_test|detect_test|engine_test|convert_test|encode_test|convert_naming_test|strip_worker_test|cli_test)$$
TSAN_TARGETS ?= orlcodec_test player_test detect_test engine_test convert_test encode_test convert_naming_test \
	strip_worker_test cli_test snipwell-cli

SANITIZE_TARGETS ?= all
SANITIZE_TESTS ?= .

sanitize: bootstrap
	mkdir -p build-asan && if [ -d build/fixtures ]; then cp -an build/fixtures build-asan/; fi
	$(MAKE) configure BUILD_DIR=build-asan CMAKE_FLAGS="-DSNIPWELL_SANITIZE=address $(CMAKE_FLAGS)"
	cmake --build build-asan -j $(JOBS) --target $(SANITIZE_TARGETS)
	cd build-asan && ctest --output-on-failure -j $(JOBS) -L '$(SANITIZE_LABELS)' -LE '$(SANITIZE_EXCLUDE)' \
		-R '$(SANITIZE_TESTS)' $(CTEST_FLAGS) || { $(CURDIR)/tools/failure-summary .; exit 8; }

# What CI runs under AddressSanitizer after `make test`: the media library,
# player, detection, engine and command line, every reader of users' files
# (tags, subtitles, cut lists, projects, settings) and every fuzz replay —
# the code that parses and rewrites bytes. The windows' own tests are left to
# `make sanitize`: building them instrumented as well would double the run.
CI_SANITIZE_TESTS := orlcodec_test player_test subtitle_files_test detect_test subtitles_test cutlist_test model_test project_test \
	tags_blocks_test tags_media_test settings_test editing_records_test formats_test engine_test \
	convert_naming_test cli_test
sanitize-ci:
	$(MAKE) sanitize SANITIZE_TARGETS="$(CI_SANITIZE_TESTS) snipwell-cli fuzz_replays" \
		SANITIZE_TESTS="^($(subst $(eval) ,|,$(strip $(CI_SANITIZE_TESTS)))|layering.*|translations|fuzz_replay_.*)$$"

tsan: bootstrap
	mkdir -p build-tsan && if [ -d build/fixtures ]; then cp -an build/fixtures build-tsan/; fi
	$(MAKE) configure BUILD_DIR=build-tsan CMAKE_FLAGS="-DSNIPWELL_SANITIZE=thread $(CMAKE_FLAGS)"
	cmake --build build-tsan -j $(JOBS) --target $(TSAN_TARGETS)
	cd build-tsan && ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)' $(CTEST_FLAGS) \
		|| { $(CURDIR)/tools/failure-summary .; exit 8; }

# The fuzz targets, built with clang and libFuzzer (AddressSanitizer and
# UBSan) in build-fuzz/, each run in turn for FUZZ_SECONDS; FUZZ_TARGETS
# picks some (tests/fuzz/run-fuzzers lists them). `make test` replays their
# seeds and kept findings without clang.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS ?=

fuzz: bootstrap
	tests/fuzz/run-fuzzers $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD_DIR)
# The real window under random use on an X server of its own: ACTIONS
# random keys, clicks, drags, dialogs and conversions from SEED (a random
# seed, printed, when left out), under AddressSanitizer and UBSan in
# build-asan/ (only the program is built there). MONKEY_BUILD=build runs
# the plain build instead. PLANT=crash@N, hang@N or autosave@N breaks the
# program after action N and passes only when the matching check sees it.
SEED ?=
ACTIONS ?= 2000
MONKEY_BUILD ?= build-asan
MONKEY_MEDIA ?= long_h264_aac.mp4

monkey: bootstrap
	if [ "$(MONKEY_BUILD)" = build-asan ]; then \
		$(MAKE) configure BUILD_DIR=build-asan CMAKE_FLAGS="-DSNIPWELL_SANITIZE=address $(CMAKE_FLAGS)"; \
	else $(MAKE) configure BUILD_DIR=$(MONKEY_BUILD); fi
	cmake --build $(MONKEY_BUILD) -j $(JOBS) --target snipwell app_resources skin_pictures effect_content
	[ -s build/fixtures/$(MONKEY_MEDIA) ] || tests/media/make-fixtures build/fixtures
	tests/monkey/monkey --program $(MONKEY_BUILD)/bin/snipwell --media build/fixtures/$(MONKEY_MEDIA) \
		--actions $(ACTIONS) $(if $(SEED),--seed $(SEED)) $(if $(PLANT),--plant $(PLANT))

