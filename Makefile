# Entry points for people: `make play` and `make test` are all a newcomer needs; `make check` runs
# the slow tests as well, before a change goes in.
BUILD := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local

# Developers' builds turn warnings into errors; the release build that packagers use does not.
DEVELOPER := -DVARDENHOLT_WERROR=ON
# The user's own CXXFLAGS and LDFLAGS, passed on whenever a build folder is configured.
USER_FLAGS := $(if $(CXXFLAGS),-DCMAKE_CXX_FLAGS="$(CXXFLAGS)") \
              $(if $(LDFLAGS),-DCMAKE_EXE_LINKER_FLAGS="$(LDFLAGS)")
DEBUG_FLAGS := -DCMAKE_BUILD_TYPE=Debug $(DEVELOPER) $(USER_FLAGS)
SANITIZE_FLAGS := $(DEBUG_FLAGS) -DVARDENHOLT_SANITIZE=ON
# Debian's flags for the package, with every hardening, and the user's after them.
DEB_BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
DEB_FLAGS = \
  -DCMAKE_CXX_FLAGS="$$($(DEB_BUILDFLAGS) CXXFLAGS) $$($(DEB_BUILDFLAGS) CPPFLAGS) $(CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_BUILDFLAGS) LDFLAGS) $(LDFLAGS)"

# Runs a command with its output in a log, shown only when the command fails.
quietly = $(1) >$(2) 2>&1 || { cat $(2); exit 1; }
# Runs a build with its output in a log, showing as it goes only the line of each file compiled,
# linked or generated, so that nothing shows when all is built; the whole log when it fails.
progress := '^\[ *[0-9]+(%|/[0-9]+)\] (Building|Linking|Generating) '
showing_progress = rm -f $(2).failed; \
  { $(1) 2>&1 || touch $(2).failed; } | tee $(2) | { grep --line-buffered -E $(progress) || true; }; \
  if [ -e $(2).failed ]; then rm $(2).failed; cat $(2); exit 1; fi
# Runs ctest in a build folder with a log; prints the summary, or the log without the passes.
ctest = cd $(1) && if ctest -j $(JOBS) --output-on-failure $(2) >ctest.log 2>&1; \
  then grep -E 'tests passed|Total Test time' ctest.log; \
  else grep -v ' Passed ' ctest.log; exit 1; fi

.PHONY: build play test check fuzz fuzz-check sanitize package package-test web browser-test \
        bench install uninstall clean

build:
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(USER_FLAGS)
	cmake --build $(BUILD)/release -j $(JOBS)

play: build
	./$(BUILD)/release/vardenholt

# The quick loop, after every change: the unit, command-line, manual-page and real-terminal
# tests. Quiet but for the build's progress, unless something fails.
test:
	@mkdir -p $(BUILD)
	@$(call quietly,cmake -S . -B $(BUILD)/debug $(DEBUG_FLAGS),$(BUILD)/configure-debug.log)
	@$(call showing_progress,cmake --build $(BUILD)/debug -j $(JOBS),$(BUILD)/debug/build.log)
	@$(call ctest,$(BUILD)/debug,-LE soak)

# Everything slow, before a change goes in: fuzzing the file loaders, the unit and soak tests
# under the sanitizers, the Debian package, and the page in a real browser.
check:
	@$(MAKE) --no-print-directory fuzz-check
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory package-test
	@$(MAKE) --no-print-directory browser-test

# The unit and soak tests under AddressSanitizer and UndefinedBehaviorSanitizer, each test in a
# process of its own and then all in one, so that nothing one test leaves behind goes unseen.
sanitize:
	@echo "sanitizers: building"
	@mkdir -p $(BUILD)
	@$(call quietly,cmake -S . -B $(BUILD)/sanitize $(SANITIZE_FLAGS),$(BUILD)/configure-sanitize.log)
	@$(call showing_progress,cmake --build $(BUILD)/sanitize -j $(JOBS),$(BUILD)/sanitize/build.log)
	@echo "sanitizers: running the unit and soak tests"
	@$(call ctest,$(BUILD)/sanitize,-L 'unit|soak')
	@echo "sanitizers: the unit tests again in one process, in three shuffled orders"
	@for seed in 1 2 3; do \
	  $(call quietly,$(BUILD)/sanitize/tests/unit_tests --gtest_shuffle --gtest_random_seed=$$seed \
	    --gtest_brief=1,$(BUILD)/sanitize/one-process.log); \
	done

# Fuzzes the loaders of both files for FUZZ_SECONDS, starting from real files.
fuzz:
	CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVARDENHOLT_FUZZ=ON -DBUILD_TESTING=OFF $(DEVELOPER) $(USER_FLAGS)
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target load_fuzzer
	mkdir -p $(BUILD)/fuzz/corpus
	./$(BUILD)/fuzz/load_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=200000 \
	  -dict=tests/fuzz/format.dict -print_final_stats=1 -artifact_prefix=$(BUILD)/fuzz/ \
	  $(BUILD)/fuzz/corpus tests/fuzz/corpus

# The fuzz run of `make check`: only where clang can link a fuzzer, and quiet unless it fails.
fuzz-check:
	@mkdir -p $(BUILD)
	@if ! reason="$$(tests/fuzz/can_fuzz.sh)"; then \
	  echo "fuzzing: skipped, $$reason"; \
	else \
	  echo "fuzzing: the file loaders for $(FUZZ_SECONDS) s"; \
	  $(call quietly,$(MAKE) --no-print-directory fuzz,$(BUILD)/fuzz.log); \
	  grep -E '^Done|^stat::number_of_executed_units|^stat::new_units_added' $(BUILD)/fuzz.log; \
	fi

# The Debian package, into build/package/.
package:
	cmake -S . -B $(BUILD)/deb -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
	  -DCMAKE_STRIP=$(CURDIR)/package/strip.sh $(DEB_FLAGS)
	cmake --build $(BUILD)/deb -j $(JOBS)
	rm -rf $(BUILD)/package
	cd $(BUILD)/deb && cpack -G DEB -D CPACK_OUTPUT_FILE_PREFIX=$(CURDIR)/$(BUILD)/package

# The package installs, runs and goes away cleanly, and lintian finds no error in it; so do
# `make install` and `make uninstall`.
package-test:
	@echo "package: building"
	@mkdir -p $(BUILD)
	@$(call quietly,$(MAKE) --no-print-directory package,$(BUILD)/package.log)
	@tests/package/package.sh $(BUILD)/package/vardenholt_*.deb
	@tests/package/install.sh $(BUILD)/release

# The game as one static page in build/web/ (index.html, the script and the WebAssembly), built
# with emscripten: any static web server serves it.
web:
	emcmake cmake -S . -B $(BUILD)/emscripten -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	  -DVARDENHOLT_WEB_DIR=$(CURDIR)/$(BUILD)/web
	cmake --build $(BUILD)/emscripten -j $(JOBS)

# The page played in headless Chromium and held to the terminal's game, cell for cell; only where
# emscripten and Chromium are installed, and quiet unless it fails. Screenshots and figures stay
# in build/web-test/.
browser-test:
	@mkdir -p $(BUILD)
	@if ! reason="$$(tests/web/can_test.sh)"; then \
	  echo "browser: skipped, $$reason"; \
	else \
	  echo "browser: building the page"; \
	  $(call quietly,$(MAKE) --no-print-directory web,$(BUILD)/web.log); \
	  $(call quietly,cmake -S . -B $(BUILD)/debug $(DEBUG_FLAGS),$(BUILD)/configure-debug.log); \
	  $(call quietly,cmake --build $(BUILD)/debug -j $(JOBS) --target vardenholt web_screen_dump,\
	    $(BUILD)/debug/build.log); \
	  [ -d tests/web/node_modules ] || \
	    $(call quietly,npm ci --prefix tests/web --no-audit --no-fund,$(BUILD)/npm.log); \
	  echo "browser: playing the page in headless Chromium"; \
	  node tests/web/browser.test.js $(BUILD)/web $(BUILD)/debug/vardenholt \
	    $(BUILD)/debug/tests/web_screen_dump $(BUILD)/web-test "$$(command -v chromium)"; \
	fi

# The benchmarks, each beside its comparison, and the bytes a real terminal receives.
bench:
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVARDENHOLT_BENCH=ON
	cmake --build $(BUILD)/bench -j $(JOBS)
	./$(BUILD)/bench/bench/vardenholt_bench --benchmark_min_time=0.2
	./$(BUILD)/bench/bench/terminal_bytes

# Installs under PREFIX (staged under DESTDIR when given) and records what it installed, so that
# `make uninstall` with the same PREFIX and DESTDIR removes it without the build folder.
install: build
	package/install.sh install $(BUILD)/release "$(PREFIX)" "$(DESTDIR)"

uninstall:
	package/install.sh uninstall "$(PREFIX)" "$(DESTDIR)"

clean:
	rm -rf $(BUILD)
