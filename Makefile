# Quick start: `make demo` plays the demo game, `make test` runs every test.
# Both install the Debian packages they need first (apt-get; sudo when not root).

BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

PACKAGES := build-essential cmake pkg-config clang \
	libsdl2-dev libsdl2-ttf-dev \
	libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev ffmpeg \
	libjpeg62-turbo-dev qt6-base-dev libespeak-ng-dev espeak-ng-data \
	libspeechd-dev speech-dispatcher \
	libgtest-dev libgmock-dev libbenchmark-dev libstb-dev \
	xvfb xauth xdotool x11-utils imagemagick matchbox-window-manager fonts-dejavu-core \
	lintian

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build test demo asan bench fuzz clean format install package

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -q && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	mkdir -p /tmp/vorlen-runtime && chmod 700 /tmp/vorlen-runtime
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300 \
		$(if $(CTEST_EXCLUDE),-E '$(CTEST_EXCLUDE)')

# The demo game is painted into $(BUILD)/demo-game by the build; play it in a window.
# Only what the demo needs is built, so the first game shows up quickly.
demo: configure
	cmake --build $(BUILD) -j$(JOBS) --target engine-windowed demo-data
	cd $(BUILD)/demo-game && ../engine-windowed

# Tests again under AddressSanitizer and UndefinedBehaviorSanitizer. Leaks inside system
# libraries are suppressed; full stack unwinding lets the suppressions see where they come
# from. The real-window checks (the demo.* scripts and two more) run in the plain build
# only: they wait on wall-clock time, which the sanitizers stretch. So does the Debian
# package check: a package of sanitizer builds is no package to ship.
asan:
	ASAN_OPTIONS=fast_unwind_on_malloc=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DVORLEN_SANITIZE=ON -DVORLEN_BENCH=OFF" \
		CTEST_EXCLUDE='demo[.]|editor_real_window|WindowedProgram[.]|shipping[.]debian_package'

# Installs the programs, the demo game, desktop entries, icons and manual pages under
# PREFIX (default /usr/local); `make package` writes the Debian package into $(BUILD).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	$(BUILD)/bench/vorlen-bench

fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DVORLEN_FUZZ=ON -DVORLEN_BENCH=OFF -DVORLEN_EDITOR=OFF
	cmake --build build-fuzz -j$(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-fuzz
