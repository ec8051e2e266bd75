# make run   - install what is missing, build, start the game
# make test  - install what is missing, build, run every test
# make bench - install what is missing, build, run the benchmarks (by hand)
# make test-sanitize - every test again, built with ASan and UBSan
# make lint  - fails when a file is not formatted or cppcheck finds something
# make fuzz  - the ranking file under libFuzzer for FUZZ_SECONDS (60) seconds
# make package - the Debian package zenta_<version>_<arch>.deb in build/, checked by lintian
# make package-web - the Debian package zenta-web_<version>_all.deb in build/: the page
#                 for a school's Apache, nginx or lighttpd, checked by lintian
# make windows - build-windows/zenta.exe and its zip, for 64-bit Windows (see below)
# make test-windows - every test, built for Windows, under Wine
# make check-uia - the main window's buttons through UI Automation under Wine (by hand: see below)
# make web   - build-web/, the page and what it loads, for the browser (see below)
# make test-web  - the browser build's tests under node, and end to end in Chromium, WebKit
#                 and Firefox, and the class's file on private Apache, nginx and lighttpd
# make bench-web - what the page downloads and how soon it draws, in the three engines,
#                 and saves into the ranking file on a private Apache through WebDAV
BUILD    ?= build
PACKAGES := g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
            fonts-ipafont-gothic xvfb xauth \
            desktop-file-utils appstream binutils-mingw-w64-i686
JOBS     := $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60

.PHONY: run test test-sanitize lint fuzz bench package package-web build deps windows test-windows \
        check-uia web test-web bench-web

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "zenta: no display found (DISPLAY is not set); start it from a desktop session, or try: xvfb-run -a make run" >&2; \
	  exit 1; \
	fi
	./$(BUILD)/zenta

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DZENTA_SANITIZE=ON
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS)

SOURCES = $(shell git ls-files '*.cpp' '*.h')
lint:
	@$(MAKE) --no-print-directory deps PACKAGES="clang-format cppcheck"
	@echo "clang-format: checking $(words $(SOURCES)) files"
	@clang-format --dry-run --Werror $(SOURCES)
	cppcheck --enable=warning,style,performance,portability --std=c++20 --library=qt \
	  --inline-suppr --error-exitcode=1 --quiet -I src src

# Built with clang in its own folder; new inputs go to $(BUILD)-fuzz/corpus,
# the seeds stay in tests/fuzz/seeds, a failing input lands in $(BUILD)-fuzz.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) clang libclang-rt-14-dev"
	cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DZENTA_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	mkdir -p $(BUILD)-fuzz/corpus
	$(BUILD)-fuzz/fuzz_rankingfile -max_total_time=$(FUZZ_SECONDS) -max_len=2048 \
	  -print_final_stats=1 -artifact_prefix=$(BUILD)-fuzz/ \
	  $(BUILD)-fuzz/corpus tests/fuzz/seeds

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target bench

# CPack builds the package from the build (dpkg-shlibdeps computes its
# dependencies); lintian fails it on any error and lists its warnings.
package: build
	@$(MAKE) --no-print-directory deps PACKAGES="dpkg-dev file lintian"
	rm -f $(BUILD)/zenta_*.deb
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error --display-info $(BUILD)/zenta_*.deb

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# --- Windows ----------------------------------------------------------------
# Cross-built with Debian's MinGW-w64 against a static Qt for Windows that
# tools/cross/qt-windows builds once from Debian's qt6-base source into
# ${XDG_CACHE_HOME:-~/.cache}/zenta/ (long the first time, then reused).
# The tests run under Wine in a Japanese setting, on a private X server, with
# a Wine prefix in $(WINDOWS_BUILD)/wine.
WINDOWS_BUILD ?= build-windows
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix cmake make ninja-build dpkg-dev perl \
                    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
WINDOWS_TEST_PACKAGES := wine wine64 xvfb xauth fonts-ipafont-gothic locales e2fsprogs

windows:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"
	qt=$$(tools/cross/qt-windows) && \
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$$qt/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/tools/cross/windows-toolchain.cmake \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=wine
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target zenta windows-zip
	@ls -l $(WINDOWS_BUILD)/zenta.exe $(WINDOWS_BUILD)/zenta-*-windows-x64.zip

# One test at a time: under Wine every test shares one X server and one
# desktop, where two tests' windows would take the focus from each other.
# First tests/windows/checkwine: the wrapper from a fresh home, no prefix.
test-windows: windows
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_TEST_PACKAGES)"
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	tests/windows/checkwine $(WINDOWS_BUILD)/checkwine
	tools/cross/wine-windows $(WINDOWS_BUILD)/wine \
	  sh -c 'cd $(WINDOWS_BUILD) && ctest --output-on-failure'

# The main window's buttons as a UI Automation client reads them: not part
# of test-windows, since Wine 8.0 (Debian 12's) hangs in UiaFind on Qt's
# provider, which test-windows' windows.uia shows answering for the window.
check-uia: windows
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_TEST_PACKAGES)"
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target uiaclient
	tests/windows/checkuia $(WINDOWS_BUILD) --buttons

# --- The browser --------------------------------------------------------------
# Built with Debian's emscripten against a static Qt for WebAssembly that
# tools/cross/qt-web builds once from Debian's qt6-base source into the same
# cache. The program is built in $(WEB_BUILD)-wasm; the page is put together
# in $(WEB_BUILD), a folder that any static web server serves as it is.
WEB_BUILD ?= build-web
WEB_PACKAGES := emscripten nodejs chromium cmake make ninja-build patch xz-utils dpkg-dev g++ pigz \
                qt6-base-dev qt6-base-dev-tools qt6-translations-l10n fonts-ipafont-gothic
# The other two engines of the end-to-end test, on a private X server, and
# the three web servers of zenta-web (Apache without its system service),
# for the class's file; sqlite3 makes lighttpd's lock database.
WEB_TEST_PACKAGES := firefox-esr webkit2gtk-driver xvfb xauth apache2-bin media-types \
                     nginx libnginx-mod-http-dav-ext lighttpd lighttpd-mod-webdav sqlite3
WEB_CACHE = $${XDG_CACHE_HOME:-$$HOME/.cache}/zenta
# Debian's emcc under the system's python3; Qt's tools look for the SDK in
# EMSDK (a stand-in that tools/cross/qt-web makes), emscripten's CMake files
# for the compiler in EMSCRIPTEN. emcc's optimizer needs Debian's acorn, in
# /usr/share/nodejs, where a node that is not Debian's does not look.
WEB_ENV = EMSDK_PYTHON=/usr/bin/python3 EMSDK=$(WEB_CACHE)/emsdk \
          EMSCRIPTEN=/usr/share/emscripten NODE_PATH=/usr/share/nodejs

web:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WEB_PACKAGES)"
	qt=$$($(WEB_ENV) tools/cross/qt-web) && \
	$(WEB_ENV) cmake -S . -B $(WEB_BUILD)-wasm -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$$qt/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DZENTA_WEB_DIR=$(abspath $(WEB_BUILD))
	$(WEB_ENV) cmake --build $(WEB_BUILD)-wasm -j $(JOBS) --target page
	@ls -l $(WEB_BUILD)

# The browser tests' drivers (puppeteer-core, webdriverio) as
# package-lock.json pins them. --ignore-scripts: two dependencies of
# webdriverio would download drivers of their own, which the tests never use.
node_modules/.package-lock.json: package.json package-lock.json
	npm ci --ignore-scripts --no-audit --no-fund

# The tests without windows under node, then the page end to end in
# Chromium, and in WebKit and Firefox; the screenshots go to
# $(WEB_BUILD)-wasm/shots.
test-web: web node_modules/.package-lock.json
	@$(MAKE) --no-print-directory deps PACKAGES="$(WEB_TEST_PACKAGES)"
	$(WEB_ENV) cmake --build $(WEB_BUILD)-wasm -j $(JOBS)
	cd $(WEB_BUILD)-wasm && ctest --output-on-failure -j $(JOBS)
	node tests/web/e2e.js $(WEB_BUILD) $(WEB_BUILD)-wasm/tests/answers.js $(WEB_BUILD)-wasm/shots
	node tests/web/screenreader.js $(WEB_BUILD) $(WEB_BUILD)-wasm/shots/screenreader
	xvfb-run -a -s "-screen 0 1400x1000x24" \
	  node tests/web/engines.js $(WEB_BUILD) $(WEB_BUILD)-wasm/tests/answers.js $(WEB_BUILD)-wasm/shots
	node tests/web/classfile.js $(WEB_BUILD) $(WEB_BUILD)-wasm/tests/answers.js $(WEB_BUILD)-wasm/shots $(WEB_BUILD)-wasm/class
	node tests/web/fit.js $(WEB_BUILD) $(WEB_BUILD)-wasm/tests/answers.js $(WEB_BUILD)-wasm/shots/fit

# The page, its configurations for Apache, nginx and lighttpd and the class's
# files, as a Debian package (packaging/web/makedeb), beside the desktop's;
# from the page that `make web` put together, built first where there is
# none (CI has just built and tested it: a second `make web` links again).
$(WEB_BUILD)/zenta.html:
	$(MAKE) --no-print-directory web

package-web: $(WEB_BUILD)/zenta.html
	@$(MAKE) --no-print-directory deps PACKAGES="dpkg-dev lintian sqlite3"
	mkdir -p $(BUILD)
	rm -f $(BUILD)/zenta-web_*.deb
	packaging/web/makedeb $(WEB_BUILD) $(BUILD)
	lintian --fail-on error --display-info $(BUILD)/zenta-web_*.deb

bench-web: web node_modules/.package-lock.json
	@$(MAKE) --no-print-directory deps PACKAGES="$(WEB_TEST_PACKAGES)"
	xvfb-run -a -s "-screen 0 1400x1000x24" node tools/web/bench.js $(WEB_BUILD)
	node tools/web/bench-dav.js $(WEB_BUILD) $(WEB_BUILD)-wasm/apache-bench

# Installs only the Debian packages that are missing, starting none of their
# services (tools/install-packages); uses sudo when not root.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=; else sudo=sudo; fi; \
	  $$sudo tools/install-packages $$missing; \
	fi
