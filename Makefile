# make run   installs what is missing, builds and starts the viewer
# make test  installs what is missing, builds and runs every test, normally and
#            under AddressSanitizer + UndefinedBehaviorSanitizer
# make build installs what is missing and builds into build/

SHELL := /bin/bash
BUILD := build
SANITIZE_BUILD := build-asan
JOBS ?= $(shell nproc)

# Debian 12 packages: toolchain, Qt 6 Widgets with its tools and Japanese
# translations, libarchive, GoogleTest, a Japanese font, and an X server with a
# small window manager for running the viewer without a desktop.
PACKAGES := cmake g++ make pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev \
  libarchive-dev libjpeg-dev libgtest-dev libgmock-dev googletest \
  fonts-noto-cjk xvfb xauth openbox wmctrl x11-utils

.PHONY: all deps build run test clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then ./$(BUILD)/vistel; \
	else echo "No display: starting the viewer under Xvfb"; xvfb-run -a -s "-screen 0 1600x1000x24" ./$(BUILD)/vistel; fi

test: build
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVISTEL_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
