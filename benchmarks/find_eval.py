"""Evaluate orvane_vardik's text finder on labelled documents it was not
designed around.

Run against any installed build:

    PYTHONPATH=/work/site/<name> python benchmarks/find_eval.py --part tune
    PYTHONPATH=... python benchmarks/find_eval.py --part both --min-confidence shape
    PYTHONPATH=... python benchmarks/find_eval.py --part heldout --docs 6000 --seed 5

The corpus, its labels and its rules are described in
``benchmarks/find_eval/README.md``. The ``heldout`` part is for the final
figures only: do not tune the finder against it.
"""
from __future__ import annotations

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from find_eval.main import main  # noqa: E402

if __name__ == "__main__":
    sys.exit(main())
