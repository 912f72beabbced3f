# The whole interface for a newcomer: `make` builds the three plug-ins into
# dist/, `make test` runs every test, `make demo` shows the plug-in at work.
.PHONY: all test demo clean

all:
	@tools/build.sh plugins

test:
	@tools/build.sh test

demo:
	@tools/build.sh demo

clean:
	rm -rf build dist out
