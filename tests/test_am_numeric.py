"""A-M numeric identifiers with weighted check digits: checks in their order."""
import pytest

from helpers import code_of


@pytest.mark.parametrize(
    "vid, value, expected",
    [
        ("ae.eid", "784-1980-1234567-8", "OK"),
        ("ae.eid", "785198012345678", "INVALID_COMPONENT"),
        ("ae.eid", "784198012345679", "INVALID_CHECKSUM"),
        ("ar.cbu", "2850590940090418135201", "OK"),
        ("ar.cbu", "2850590840090418135201", "INVALID_CHECKSUM"),  # first block
        ("ar.cbu", "2850590940090418135202", "INVALID_CHECKSUM"),  # second block
        ("ar.cuit", "20-26756539-3", "OK"),
        ("ar.cuit", "20000000019", "OK"),  # remainder 1 expects 9
        ("ar.cuit", "21267565393", "INVALID_COMPONENT"),
        ("ar.cuit", "20267565394", "INVALID_CHECKSUM"),
        ("au.tfn", "", "INVALID_FORMAT"),  # before the length
        ("au.tfn", "8765000a", "INVALID_FORMAT"),
        ("au.tfn", "8765000", "INVALID_LENGTH"),
        ("au.tfn", "876 500 06", "OK"),
        ("au.tfn", "123456782", "OK"),
        ("au.tfn", "87650007", "INVALID_CHECKSUM"),
        ("az.voen", "401555031", "OK"),  # padded to 0401555031
        ("az.voen", "1401555073", "INVALID_COMPONENT"),
        ("az.voen", "1401555101", "INVALID_CHECKSUM"),  # remainder 10
        ("bg.pnf", "7111042925", "OK"),
        ("bg.pnf", "7111042926", "INVALID_CHECKSUM"),
        ("ca.sin", "123-456-782", "OK"),
        ("ca.sin", "12345678", "INVALID_LENGTH"),
        ("ca.sin", "023456782", "INVALID_COMPONENT"),
        ("ca.sin", "823456782", "INVALID_COMPONENT"),
        ("ca.sin", "123456783", "INVALID_CHECKSUM"),
        ("co.nit", "800.123.456-5", "OK"),
        ("co.nit", "2131234321", "OK"),
        ("co.nit", "1234567", "INVALID_LENGTH"),
        ("co.nit", "800123456x", "INVALID_FORMAT"),
        ("co.nit", "8001234566", "INVALID_CHECKSUM"),
        ("dk.cvr", "13585628", "OK"),
        ("dk.cvr", "03585628", "INVALID_COMPONENT"),
        ("dk.cvr", "13585627", "INVALID_CHECKSUM"),
        ("do.rnc", "1-31-09819-3", "OK"),
        ("do.rnc", "00113918205", "OK"),
        ("do.rnc", "0011391820", "INVALID_LENGTH"),
        ("do.rnc", "131098194", "INVALID_CHECKSUM"),
        ("do.rnc", "00113918206", "INVALID_CHECKSUM"),
        ("ec.ruc", "1792060346001", "OK"),  # juridical
        ("ec.ruc", "1790011674001", "OK"),
        ("ec.ruc", "1772060346001", "INVALID_COMPONENT"),  # type digit 7
        ("ec.ruc", "2592060346001", "INVALID_COMPONENT"),  # province 25
        ("ec.ruc", "1792060347001", "INVALID_CHECKSUM"),
        ("ee.registrikood", "12345678", "OK"),
        ("ee.registrikood", "22345678", "INVALID_COMPONENT"),
        ("ee.registrikood", "12345679", "INVALID_CHECKSUM"),
        ("fr.nif", "30 23 217 600 053", "OK"),
        ("fr.nif", "4023217600053", "INVALID_COMPONENT"),
        ("fr.nif", "3023217600054", "INVALID_CHECKSUM"),
        ("gb.utr", "1955839661", "OK"),
        ("gb.utr", "2955839661", "INVALID_CHECKSUM"),  # the check digit is the first
        ("id.npwp", "01.300.066.6-091.000", "OK"),
        ("id.npwp", "013000666999999", "OK"),  # only the first nine digits are checked
        ("id.npwp", "013000667091000", "INVALID_CHECKSUM"),
        ("id.npwp", "0123456789012345", "OK"),
        ("id.npwp", "3171014501900001", "OK"),  # province 31, day 45 (a woman born on the 5th)
        ("id.npwp", "9971014501900001", "INVALID_COMPONENT"),
        ("id.npwp", "3171013201900001", "INVALID_COMPONENT"),
        ("id.npwp", "", "INVALID_FORMAT"),
        ("id.npwp", "01300066609100", "INVALID_LENGTH"),
        ("il.idnr", "18", "OK"),
        ("il.idnr", "039337423", "OK"),
        ("il.idnr", "000000000", "INVALID_FORMAT"),
        ("il.idnr", "1234567890", "INVALID_LENGTH"),
        ("il.idnr", "039337424", "INVALID_CHECKSUM"),
        ("in.aadhaar", "2341 2341 2346", "OK"),
        ("in.aadhaar", "１３４１２３４１２３４６", "INVALID_COMPONENT"),  # full-width, starts with 1
        ("in.aadhaar", "200009900002", "INVALID_FORMAT"),  # a palindrome, though its Verhoeff digit holds
        ("in.aadhaar", "234123412347", "INVALID_CHECKSUM"),
        ("ir.nid", "۰۹۳۲۸۳۳۸۱۰", "OK"),
        ("ir.nid", "1111111111", "INVALID_FORMAT"),
        ("ir.nid", "0932833811", "INVALID_CHECKSUM"),
        ("jp.cn", "5835678256246", "OK"),
        ("jp.cn", "6835678256246", "INVALID_CHECKSUM"),
        ("jp.mynumber", "1234-5678-9018", "OK"),
        ("jp.mynumber", "123456789019", "INVALID_CHECKSUM"),
        ("ma.ice", "001561191000066", "OK"),
        ("ma.ice", "001561191000067", "INVALID_CHECKSUM"),
        ("ma.ice", "001561191-000066", "INVALID_LENGTH"),  # only blanks are removed
        ("md.idno", "1008600038413", "OK"),
        ("md.idno", "10086000384a", "INVALID_FORMAT"),  # before the length
        ("md.idno", "100860003841", "INVALID_LENGTH"),
        ("md.idno", "1008600038414", "INVALID_CHECKSUM"),
        ("me.pib", "02655284", "OK"),
        ("me.pib", "02655285", "INVALID_CHECKSUM"),
        ("mk.edb", "MK4002012527974", "OK"),
        ("mk.edb", "МК4002012527974", "OK"),  # Cyrillic prefix
        ("mk.edb", "mk4002012527974", "INVALID_LENGTH"),
        ("mk.edb", "4002012527975", "INVALID_CHECKSUM"),
        ("mx.clabe", "032180000118359719", "OK"),
        ("mx.clabe", "032180000118359718", "INVALID_CHECKSUM"),
    ],
)
def test_validate(vid, value, expected):
    assert code_of(vid, value) == expected
