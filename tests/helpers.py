"""Small helpers shared by the validator test tables."""
import orvane_vardik as ov


def outcome(vid, value):
    """The compact text of a valid value, else its (code, message)."""
    r = ov.validate(vid, value)
    if r.valid:
        assert r.error is None
        return r.compact
    assert r.compact is None
    return (r.error.code, r.error.message)


def code_of(vid, value):
    """"OK" for a valid value, else its error code."""
    r = ov.validate(vid, value)
    return "OK" if r.valid else r.error.code
