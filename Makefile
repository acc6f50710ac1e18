# The two set-up commands: `make run` and `make test`. Both install what is
# missing, configure and build; `make build` only configures and builds.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
CTEST_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all run test build bootstrap configure clean

all: build

bootstrap:
	./scripts/bootstrap

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: bootstrap
	$(MAKE) build
	./$(BUILD_DIR)/bin/snipwell

test: bootstrap
	$(MAKE) build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

clean:
	rm -rf $(BUILD_DIR)
