# The whole interface for a newcomer: `make` builds the three VST 2 plug-ins
# and the LV2 bundle into dist/, `make test` runs every test, `make demo` shows
# the plug-in at work. `make install` puts the Linux plug-ins (VST 2 and LV2),
# lumivane-host and its manual page under PREFIX (staged under DESTDIR if
# given), `make uninstall` removes them, and `make package` writes the
# versioned release archives into dist/.
# `make lint` runs clang-tidy over the sources.
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all test demo install uninstall package lint clean

all:
	@tools/build.sh plugins

test:
	@tools/build.sh test

demo:
	@tools/build.sh demo

install:
	@PREFIX="$(PREFIX)" DESTDIR="$(DESTDIR)" tools/build.sh install

uninstall:
	@PREFIX="$(PREFIX)" DESTDIR="$(DESTDIR)" tools/build.sh uninstall

package:
	@tools/build.sh package

lint:
	@tools/build.sh lint

clean:
	rm -rf build dist out
