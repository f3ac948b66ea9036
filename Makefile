# Entry points for people: `make play` and `make test` are all a newcomer needs.
BUILD := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local

.PHONY: play build test sanitize fuzz bench install uninstall clean

play: build
	./$(BUILD)/release/vardenholt

build:
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DVARDENHOLT_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD)/release -j $(JOBS)

# Installs the game and its manual page under PREFIX (staged under DESTDIR when given); the
# files installed are listed in build/release/install_manifest.txt, which `make uninstall`
# (with the same DESTDIR) removes.
install: build
	DESTDIR=$(DESTDIR) cmake --build $(BUILD)/release --target install

uninstall:
	@test -f $(BUILD)/release/install_manifest.txt || { echo "nothing installed from this tree"; exit 1; }
	sed 's|^|$(DESTDIR)|' $(BUILD)/release/install_manifest.txt | xargs rm -fv
	rm -f $(BUILD)/release/install_manifest.txt

# Every test: a short fuzz run of the file loaders when clang is here, then the unit tests and
# the real-terminal tests.
test:
	@if command -v clang++ >/dev/null 2>&1; then \
	  $(MAKE) --no-print-directory fuzz; \
	else \
	  echo "clang++ not found: skipping the fuzz run"; \
	fi
	cmake -S . -B $(BUILD)/debug -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD)/debug -j $(JOBS)
	cd $(BUILD)/debug && ctest --output-on-failure -j $(JOBS)

# The unit tests again, under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	cmake -S . -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DVARDENHOLT_SANITIZE=ON
	cmake --build $(BUILD)/sanitize -j $(JOBS)
	cd $(BUILD)/sanitize && ctest --output-on-failure -j $(JOBS) -L 'unit|soak'

# Fuzzes the loaders of both files for FUZZ_SECONDS, starting from real files.
fuzz:
	CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVARDENHOLT_FUZZ=ON -DVARDENHOLT_TESTS=OFF
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target load_fuzzer
	mkdir -p $(BUILD)/fuzz/corpus
	./$(BUILD)/fuzz/load_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=200000 \
	  -dict=tests/fuzz/format.dict -print_final_stats=1 -artifact_prefix=$(BUILD)/fuzz/ \
	  $(BUILD)/fuzz/corpus tests/fuzz/corpus

# The benchmarks, each beside its comparison, and the bytes a real terminal receives.
bench:
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DVARDENHOLT_TESTS=OFF -DVARDENHOLT_BENCH=ON
	cmake --build $(BUILD)/bench -j $(JOBS)
	./$(BUILD)/bench/bench/vardenholt_bench --benchmark_min_time=0.2
	./$(BUILD)/bench/bench/terminal_bytes

clean:
	rm -rf $(BUILD)
