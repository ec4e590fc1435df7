# The two entry points: `make run` and `make test`. Both install what is missing first.
# `make package` builds the Debian package into build/.
# help2man writes the manual pages from the programs' --help, rsvg-convert
# renders the PNG icons from the SVG, and dpkg-dev's dpkg-shlibdeps gives the
# package its Depends from the binaries. zlib compresses the tool's PNG
# files of whole levels band by band.
DEBIAN_PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
                   libgtest-dev libbenchmark-dev fonts-dejavu-core qt6-translations-l10n \
                   qt6-l10n-tools qt6-tools-dev help2man librsvg2-bin dpkg-dev zlib1g-dev
BUILD_DIR ?= build
TEST_DIR  ?= build-test
JOBS      ?= $(shell nproc)

.PHONY: run test deps build build-test bench package format clean

deps:
	@missing=""; \
	for p in $(DEBIAN_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  echo "Installing:$$missing"; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DKESTRILO_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/kestrilo-sample-data ] && [ ! -f $(BUILD_DIR)/Data/test.obj ]; then \
	  $(BUILD_DIR)/kestrilo-sample-data $(BUILD_DIR)/Data; fi
	$(BUILD_DIR)/kestrilo

build-test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DKESTRILO_SANITIZE=ON -DKESTRILO_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  ctest --output-on-failure -j $(JOBS)

# The .deb of the Release build (editor, kestrilo-tool, sample data, desktop entry, icons,
# MIME type, metainfo, manual pages, copyright and changelog).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKESTRILO_TESTS=OFF -DKESTRILO_BENCH=ON
	cmake --build build-bench -j $(JOBS)

# Every C++ file in the style of .clang-format.
format:
	@$(MAKE) --no-print-directory deps DEBIAN_PACKAGES=clang-format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) build-bench
