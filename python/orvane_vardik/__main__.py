"""`python -m orvane_vardik`: the command line (see `orvane_vardik.cli`)."""
import sys

from .cli import main

if __name__ == "__main__":
    sys.exit(main())
