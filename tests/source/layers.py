#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer above its own.

The layers run one way: core -> engine -> widgets -> modes -> shell, with
cli beside modes and shell, on widgets. A file may include headers of its own folder and of the
folders below it, never of one above or beside it, so that the command
windows can be built and tested without the main window and the engine
without any window. Reports each offending include with its file and line.

Usage: layers.py SOURCE_DIR
"""
import re
import sys
from pathlib import Path

BELOW = {
    "core": {"core"},
    "engine": {"core", "engine"},
    "widgets": {"core", "engine", "widgets"},
    "modes": {"core", "engine", "widgets", "modes"},
    "shell": {"core", "engine", "widgets", "modes", "shell"},
    "cli": {"core", "engine", "widgets", "cli"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/[^"]+"')


def main():
    root = Path(sys.argv[1])
    faults = []
    for layer, allowed in BELOW.items():
        for path in sorted((root / layer).glob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if match and match.group(1) in BELOW and match.group(1) not in allowed:
                    faults.append(f"{path.relative_to(root)}:{number}: {layer}/ includes "
                                  f"{match.group(1)}/, a layer above it")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
