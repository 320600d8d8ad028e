"""The command-line entry `python -m orvane_vardik`."""
import subprocess
import sys

import pytest


def run(*args):
    return subprocess.run([sys.executable, "-m", "orvane_vardik", *args], capture_output=True, text=True)


def test_valid_value():
    p = run("creditcard", "4111 1111 1111 1111")
    assert p.returncode == 0, p.stderr
    assert "valid" in p.stdout and "4111111111111111" in p.stdout and "4111 1111 1111 1111" in p.stdout


def test_invalid_value_reports_code_and_message():
    p = run("luhn", "18", "19")
    assert p.returncode == 1
    assert "INVALID_CHECKSUM: Luhn check digit does not match" in p.stdout


@pytest.mark.parametrize("args", [("nope", "123"), ("IBAN", "x")])
def test_unknown_id(args):
    p = run(*args)
    assert p.returncode == 2
    assert p.stderr.count("\n") == 1 and "unknown validator id" in p.stderr
    assert "Traceback" not in p.stderr


@pytest.mark.parametrize("args", [(), ("luhn",), ("--bogus", "x")])
def test_bad_usage(args):
    p = run(*args)
    assert p.returncode == 2 and "usage" in p.stderr and "Traceback" not in p.stderr


def test_list():
    p = run("--list")
    assert p.returncode == 0
    lines = p.stdout.splitlines()
    assert "luhn\tLuhn" in lines and "creditcard\tCredit Card Number" in lines
