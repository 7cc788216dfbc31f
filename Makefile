# SPDX-License-Identifier: GPL-3.0-or-later
# Brisvane: the two entry points of the README, and a few more for developers.
#   make run    install what is missing, build, start the app
#   make test   install what is missing, build, run the whole suite in a private session
.PHONY: all deps build run test test-asan fuzz bench clean format tidy

PRESET ?= dev
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# CI treats warnings as errors.
export BRISVANE_WERROR ?= $(if $(CI),ON,OFF)

all: build

deps:
	@tools/install-deps

build/$(PRESET)/build.ninja: | deps
	cmake --preset $(PRESET)

build: deps build/$(PRESET)/build.ninja
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@tools/run-app build/$(PRESET)

# Tests labelled wayland need the headless KDE session; the rest run under Xvfb. The Wayland
# tests are left out only where tools/wayland-session --check says KWin cannot run at all.
test: build
	tools/private-session ctest --preset $(PRESET) -j $(JOBS) -LE wayland
	@if tools/wayland-session --check; then \
		tools/wayland-session ctest --preset $(PRESET) -L wayland --no-tests=error; \
	else \
		echo "*** Wayland tests NOT RUN: this machine cannot run KWin (see above) ***"; \
	fi

test-asan:
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 $(MAKE) test PRESET=asan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	tools/run-fuzzers build/fuzz $(FUZZ_SECONDS)

bench: build
	tools/private-session tools/run-benchmarks build/$(PRESET)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# clang-tidy's bugprone and performance checks (.clang-tidy) over src/, in parallel; CI runs it.
tidy: build
	tools/run-tidy build/$(PRESET) $(JOBS)

clean:
	rm -rf build
