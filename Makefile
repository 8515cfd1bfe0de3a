# A thin driver over CMake. Each target first installs the Debian packages that a fresh machine
# lacks (a no-op when all are present), then configures and builds into build/.
BUILD ?= build
WERROR ?= OFF
JOBS ?= 2
PACKAGES := cmake make g++ clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev libgl-dev fonts-liberation2 xvfb xauth xdotool imagemagick \
            x11-utils pkg-config qt6-gtk-platformtheme qt6-translations-l10n binutils-mingw-w64-x86-64 dpkg-dev file \
            lintian desktop-file-utils appstream libx11-dev zip
# hardening-check, without the many tools that devscripts recommends.
LEAN_PACKAGES := devscripts
# The browser page and its tests: Debian's emscripten (its optimiser needs acorn on NODE_PATH) and
# a headless Chromium driven through its driver.
WEB_PACKAGES := emscripten node-acorn chromium chromium-driver python3-selenium python3-pil
# The accessibility engine that the page's tests run in the page, into the build folder.
AXE_VERSION := 4.14.1
AXE := $(BUILD)/axe/node_modules/axe-core/axe.min.js
# The Windows programs and their tests: Debian's MinGW-w64 cross-compilers for 64-bit and 32-bit
# Windows, and 64-bit Wine; 32-bit Wine comes apart (windows32-deps).
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64 wixl msitools
# The core's tests as the 32-bit program computes, run by qemu on any machine: Debian's 32-bit
# g++ and its static libraries, and qemu's user-mode emulators.
X86_PACKAGES := g++-multilib qemu-user-static
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
# Every file a build makes is dated by the last commit, so that the same commit gives the same
# downloads wherever and whenever it is built.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH

.PHONY: all deps web-deps windows-deps windows32-deps x86-deps build web windows x86 dist reproducible run \
        test sanitize fuzz bench format-check clean

all: build

# Installs whichever of the packages given are missing, with the apt-get options given.
define install
	@missing=$$(for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $(2) $$missing; \
	fi
endef

deps:
	$(call install,$(PACKAGES))
	$(call install,$(LEAN_PACKAGES),--no-install-recommends)

web-deps:
	$(call install,$(WEB_PACKAGES))

windows-deps:
	$(call install,$(WINDOWS_PACKAGES))

# 32-bit Wine (wine32:i386), which runs the 32-bit program's tests, beside the 64-bit packages.
# Its install may fail, as when a mirror's i386 lists lag its amd64 ones; apt then changes
# nothing (--no-remove: no 64-bit package gives way to it), the i386 architecture is taken out
# again if no i386 package came in, and the build goes on: those tests are skipped, and
# `make test` says why.
windows32-deps:
	@dpkg-query -W -f='$${Status}\n' wine32:i386 2>/dev/null | grep -q '^install ok installed' || { \
	  echo "Installing: wine32:i386"; \
	  $(SUDO) dpkg --add-architecture i386; \
	  $(SUDO) apt-get update || echo "apt-get update failed; trying with the lists it has"; \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-remove wine32:i386 || { \
	    echo "32-bit Wine could not be installed: the 32-bit Windows program's tests will be skipped"; \
	    dpkg-query -W -f='$${Architecture}\n' | grep -qx i386 || $(SUDO) dpkg --remove-architecture i386; \
	  }; }

x86-deps:
	$(call install,$(X86_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DRAMKA_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

# Opens the window; on a machine without a display, shows it on a virtual one and saves a
# screenshot instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/ramka; \
	else scripts/headless-screenshot $(BUILD)/ramka $(BUILD)/screenshot.png; fi

# The page: the core compiled to WebAssembly, in $(BUILD)/web; open $(BUILD)/web/index.html.
web: web-deps
	emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel -DRAMKA_WEB_DIR=$(CURDIR)/$(BUILD)/web \
	  -DRAMKA_WERROR=$(WERROR)
	NODE_PATH=/usr/share/nodejs cmake --build build-web -j $(JOBS) --target page

# The Windows programs in $(BUILD)/windows: ramka.exe (64-bit) and ramka-x86.exe (32-bit), each
# one self-contained file, with their Windows Installer packages beside them. The 32-bit package
# is finished by the 64-bit build's msi_texts, so that it is made without 32-bit Wine too.
windows: windows-deps windows32-deps
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DRAMKA_WINDOWS_DIR=$(CURDIR)/$(BUILD)/windows -DRAMKA_WERROR=$(WERROR)
	cmake --build build-windows -j $(JOBS) --target ramka installer
	cmake -S . -B build-windows-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DRAMKA_WINDOWS_DIR=$(CURDIR)/$(BUILD)/windows -DRAMKA_WERROR=$(WERROR) \
	  -DRAMKA_BENCH=OFF -DRAMKA_MSI_TEXTS=$(CURDIR)/build-windows/src/windows/msi_texts.exe
	cmake --build build-windows-x86 -j $(JOBS) --target ramka installer

# The core and its tests as a 32-bit x86 Linux program in build-x86, with the 32-bit Windows
# program's floating point (cmake/x86-floating-point.cmake), for qemu-i386-static to run.
x86: x86-deps
	cmake -S . -B build-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i386-qemu.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DRAMKA_CORE_TESTS_ONLY=ON -DRAMKA_BENCH=OFF -DRAMKA_WERROR=$(WERROR)
	cmake --build build-x86 -j $(JOBS)

# What a user downloads, in dist/: the Windows program and its installer package, the Debian
# package and the page as a zip file, with their SHA-256 sums. The zip's entries stand in name
# order, dated by the last commit, without the extra fields that would keep the build's own
# times and owner.
dist: build web windows
	rm -rf dist && mkdir -p dist/package
	cp $(BUILD)/windows/ramka.exe $(BUILD)/windows/ramka-x86.exe $(BUILD)/windows/ramka-*-x64.msi \
	  $(BUILD)/windows/ramka-*-x86.msi dist/
	cd $(BUILD) && cpack -G DEB -B $(CURDIR)/dist/package >/dev/null
	mv dist/package/*.deb dist/ && rm -rf dist/package
	rm -rf $(BUILD)/web-zip && cp -r $(BUILD)/web $(BUILD)/web-zip
	touch -d @$(SOURCE_DATE_EPOCH) $(BUILD)/web-zip/*
	cd $(BUILD)/web-zip && TZ=UTC zip -X -q -9 $(CURDIR)/dist/ramka-web.zip $$(LC_ALL=C ls)
	cd dist && sha256sum ramka.exe ramka-x86.exe ramka-*-x64.msi ramka-*-x86.msi *.deb ramka-web.zip \
	  > SHA256SUMS
	@cat dist/SHA256SUMS

# Builds the downloads of the last commit twice, from two clones in two folders of different
# names, one after the other, and compares them byte for byte.
reproducible:
	@work=$$(mktemp -d) && trap 'rm -rf "$$work"' EXIT && \
	for build in first second-build; do \
	  git clone --quiet --no-hardlinks "$(CURDIR)" "$$work/$$build" && \
	  $(MAKE) -C "$$work/$$build" dist >"$$work/$$build.log" 2>&1 || \
	    { tail -30 "$$work/$$build.log"; exit 1; }; \
	done && \
	cat "$$work/first/dist/SHA256SUMS" && \
	if cmp "$$work/first/dist/SHA256SUMS" "$$work/second-build/dist/SHA256SUMS"; then \
	  echo "Reproducible: both builds gave the same bytes"; \
	else \
	  diff "$$work/first/dist/SHA256SUMS" "$$work/second-build/dist/SHA256SUMS"; exit 1; \
	fi

$(AXE):
	@command -v npm >/dev/null || $(SUDO) apt-get install -y npm
	npm install --no-audit --no-fund --prefix $(BUILD)/axe axe-core@$(AXE_VERSION)

# Every test: the desktop's, the page's in Chromium, the 64-bit and the 32-bit Windows program's
# under Wine on a virtual display, and the core's compiled to WebAssembly, for Windows and as the
# 32-bit program computes, under qemu. Where 32-bit Wine cannot run, one line says why, and the
# 32-bit tests that need it are skipped; the summary at the end says which 32-bit tests ran where.
test: build web windows x86 $(AXE)
	NODE_PATH=/usr/share/nodejs cmake --build build-web -j $(JOBS)
	cmake --build build-windows -j $(JOBS)
	cmake --build build-windows-x86 -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir build-web --output-on-failure -j $(JOBS)
	xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir build-windows --output-on-failure -j $(JOBS)
	@reason=$$(scripts/wine32-status) || echo "Skipping the 32-bit Windows tests that need Wine: $$reason"
	xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir build-windows-x86 --output-on-failure -j $(JOBS) \
	  --output-junit x86-results.xml
	ctest --test-dir build-x86 --output-on-failure -j $(JOBS) --output-junit x86-results.xml
	@scripts/x86-summary build-x86/x86-results.xml build-windows-x86/x86-results.xml

# The tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build-sanitize -DRAMKA_SANITIZE=ON -DRAMKA_BENCH=OFF -DRAMKA_BROWSER_TESTS=OFF \
	  -DRAMKA_WERROR=$(WERROR)
	cmake --build build-sanitize -j $(JOBS)
	ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

# Both fuzz targets, the window's input and the pupil's language, half the time each; the
# language's starts from the seeds in fuzz/language_seeds and the words of fuzz/language.dict.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DRAMKA_FUZZ=ON -DRAMKA_SANITIZE=ON \
	  -DRAMKA_BENCH=OFF -DRAMKA_WERROR=$(WERROR)
	cmake --build build-fuzz -j $(JOBS) --target input_fuzz language_fuzz
	mkdir -p build-fuzz/corpus build-fuzz/language-corpus
	cp fuzz/language_seeds/* build-fuzz/language-corpus/
	build-fuzz/fuzz/input_fuzz -max_total_time=$$(( $(FUZZ_SECONDS) / 2 )) -print_final_stats=1 \
	  build-fuzz/corpus
	build-fuzz/fuzz/language_fuzz -max_total_time=$$(( $(FUZZ_SECONDS) - $(FUZZ_SECONDS) / 2 )) \
	  -print_final_stats=1 -dict=fuzz/language.dict -max_len=4096 build-fuzz/language-corpus

# The code follows .clang-format.
format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

bench: build
	$(BUILD)/bench/search_bench

clean:
	rm -rf build build-sanitize build-fuzz build-web build-windows build-windows-x86 build-x86 dist
