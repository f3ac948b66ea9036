# Entry points for people: `make play` and `make test` are all a newcomer needs.
BUILD_TYPE_DIR := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: play build test sanitize clean

play: build
	./$(BUILD_TYPE_DIR)/release/vardenholt

build:
	cmake -S . -B $(BUILD_TYPE_DIR)/release -DCMAKE_BUILD_TYPE=Release -DVARDENHOLT_TESTS=OFF
	cmake --build $(BUILD_TYPE_DIR)/release -j $(JOBS)

test:
	cmake -S . -B $(BUILD_TYPE_DIR)/debug -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD_TYPE_DIR)/debug -j $(JOBS)
	cd $(BUILD_TYPE_DIR)/debug && ctest --output-on-failure -j $(JOBS)

# The unit tests again, under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	cmake -S . -B $(BUILD_TYPE_DIR)/sanitize -DCMAKE_BUILD_TYPE=Debug -DVARDENHOLT_SANITIZE=ON
	cmake --build $(BUILD_TYPE_DIR)/sanitize -j $(JOBS)
	cd $(BUILD_TYPE_DIR)/sanitize && ctest --output-on-failure -j $(JOBS) -L unit

clean:
	rm -rf $(BUILD_TYPE_DIR)
