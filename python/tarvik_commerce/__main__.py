"""python3 -m tarvik_commerce ...: the tarvik-commerce command line."""

import signal
import sys

from tarvik_commerce import _native


def main() -> int:
    # As the executable: Ctrl-C ends a command at once (enrich catches it to
    # stop its run cleanly), and a closed output pipe ends the process.
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    sys.stdout.flush()
    return _native.run_cli(["tarvik-commerce", *sys.argv[1:]])


if __name__ == "__main__":
    sys.exit(main())
