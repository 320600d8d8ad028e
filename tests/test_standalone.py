"""The national check-digit functions offered outside the registry."""
import pytest

import orvane_vardik as ov


@pytest.mark.parametrize(
    "fn,value,expected",
    [
        (ov.be_nn_checksum, "93051822361", 1900),
        (ov.be_nn_checksum, "93.05.18-223.61", 1900),  # compacted like be.nn
        (ov.be_nn_checksum, "17073003384", 2000),
        (ov.be_nn_checksum, "93051822362", None),
        (ov.be_nn_checksum, "9305182236", None),
        (ov.be_nn_checksum, "93051822361xyz", 1900),  # characters after the eleventh are ignored
        (ov.be_nn_checksum, "930518223é1", None),
        (ov.be_nn_checksum, "", None),
        (ov.es_vat_cif_checksum, "1358562", 5),
        (ov.es_vat_cif_checksum, "2815840", 0),
        (ov.es_vat_cif_checksum, "135856", None),
        (ov.es_vat_cif_checksum, "13585a2", None),
        (ov.es_vat_cif_checksum, " 1358562", None),  # taken exactly as given
        (ov.es_vat_cif_checksum, "１３５８５６２", None),
        (ov.ee_ik_two_pass_check, "3680528010", 9),
        (ov.ee_ik_two_pass_check, "36805280109", None),
        (ov.ee_ik_two_pass_check, "368052801\x00", None),
        (ov.gb_nhs_calc_check_digit, "4010232137", 7),
        (ov.gb_nhs_calc_check_digit, "4010232130", 7),  # the tenth digit is not used
        (ov.gb_nhs_calc_check_digit, "1000000010", None),  # remainder 1
        (ov.gb_nhs_calc_check_digit, "401023213", None),
        (ov.gb_nhs_calc_check_digit, "401023213x", None),
        (ov.gb_sedol_calc_check_digit, "B15KXQ", 8),
        (ov.gb_sedol_calc_check_digit, "B0YBKJ", 7),
        (ov.gb_sedol_calc_check_digit, "0263494", None),
        (ov.gb_sedol_calc_check_digit, "b15kxq", None),
        (ov.gb_sedol_calc_check_digit, "A15KXQ", None),  # vowels are not in the table
        (ov.gb_sedol_calc_check_digit, "B 5KXQ", 1),  # a blank counts 10
        (ov.gb_sedol_calc_check_digit, "B15KXé", None),
    ],
)
def test_check_functions(fn, value, expected):
    assert fn(value) == expected


def test_check_functions_take_the_value_by_keyword():
    assert ov.gb_sedol_calc_check_digit(value="B15KXQ") == 8
