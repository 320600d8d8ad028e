"""Shared test configuration.

Property tests run under a fixed, bounded hypothesis profile so that CI runs
are repeatable and quick; set HYPOTHESIS_PROFILE=dev locally for more.
"""
import os

from hypothesis import HealthCheck, settings

settings.register_profile(
    "ci",
    max_examples=150,
    deadline=None,
    derandomize=True,
    suppress_health_check=[HealthCheck.too_slow],
)
settings.register_profile("dev", max_examples=2000, deadline=None)
settings.load_profile(os.environ.get("HYPOTHESIS_PROFILE", "ci"))
