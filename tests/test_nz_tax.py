"""Tax and company numbers of the additional set N-Z: checks in order with
their exact messages, and the Panama RUC."""
import pytest

import orvane_vardik as ov

FORMAT, LENGTH = "INVALID_FORMAT", "INVALID_LENGTH"
CHECKSUM, COMPONENT = "INVALID_CHECKSUM", "INVALID_COMPONENT"

PA_MISSING_DV = "Panama RUC must include DV (dígito verificador)"
PA_SEGMENTS = "Panama RUC must have 3–4 hyphen-separated segments"
PA_UNRECOGNIZED = "Unrecognized Panama RUC format"
PA_MISMATCH = "Panama RUC dígito verificador does not match"
UBN_MISMATCH = "UBN checksum does not match"


@pytest.mark.parametrize("vid, value, compact", [
    ("ni.ruc", "607-190468-0001f", "6071904680001F"),
    ("ni.ruc", "J1234567890123", "J1234567890123"),    # legal entities carry no check letter
    ("nz.ird", "NZ 49-091-850", "49091850"),
    ("nz.ird", "10000191", "10000191"),                # primary check 10: the secondary weights decide
    ("pl.regon", "12345678512347", "12345678512347"),
    ("ru.inn", "526317984689", "526317984689"),
    ("se.orgnr", "123456-7897", "1234567897"),
    ("se.vat", "SE 556188-8404 01", "556188840401"),
    ("sg.uen", "s16fc0121d", "S16FC0121D"),
    ("tw.ubn", "04595257", "04595257"),
    ("tw.ubn", "10000078", "10000078"),   # digit 6 is 7 and the sum ends in 9
    ("tw.ubn", "10000004", "10000004"),   # sum 5: valid only since divisibility by 5
    ("tw.ubn", "10000073", "10000073"),   # digit 6 is 7, sum + 1 = 5: valid only since then
    ("ua.edrpou", "30000005", "30000005"),  # first digit 3: own weights, secondary list
    ("ua.edrpou", "10000062", "10000062"),  # primary remainder 10
    ("uy.rut", "uy 01-010001-001-3", "010100010013"),
    ("ve.rif", "v-30987654-3", "V309876543"),
    ("vn.mst", "0314409058-002", "0314409058002"),
])
def test_valid(vid, value, compact):
    r = ov.validate(vid, value)
    assert r.valid and r.compact == compact, r.error and r.error.message


@pytest.mark.parametrize("vid, value, code, message", [
    ("ni.ruc", "6071904680001", LENGTH, "Nicaragua RUC must be 14 characters"),
    ("ni.ruc", "J12345678901A3", FORMAT, "Nicaragua legal entity RUC must be J followed by 13 digits"),
    ("ni.ruc", "60719046800A1F", FORMAT, "Nicaragua RUC body must contain only digits"),
    ("ni.ruc", "6071904680001I", FORMAT, "Nicaragua RUC check letter is invalid"),
    ("ni.ruc", "6071904680001é", FORMAT, "Nicaragua RUC check letter is invalid"),  # 14 characters
    ("ni.ruc", "6070004680001F", COMPONENT, "Nicaragua RUC contains an invalid birth date"),
    ("ni.ruc", "6071913680001F", COMPONENT, "Nicaragua RUC contains an invalid birth date"),
    ("ni.ruc", "6071904680001G", CHECKSUM, "Nicaragua RUC check letter does not match"),
    ("nl.kvk", "1234567", LENGTH, "Dutch KvK number must be 8 digits"),
    ("nl.kvk", "1234567a", FORMAT, "Dutch KvK number must contain only digits"),
    ("nz.ird", "9999999", LENGTH, "IRD number must be 8 or 9 digits"),
    ("nz.ird", "4909185x", FORMAT, "IRD number must contain only digits"),
    ("nz.ird", "150000000", COMPONENT, "IRD number out of valid range"),
    ("nz.ird", "09999999", COMPONENT, "IRD number out of valid range"),
    ("nz.ird", "10000050", COMPONENT, "IRD number cannot have a valid check digit"),
    ("nz.ird", "49091851", CHECKSUM, "IRD check digit does not match"),
    ("pe.ruc", "2013131295", LENGTH, "RUC must be 11 digits"),
    ("pe.ruc", "2013131295x", FORMAT, "RUC must contain only digits"),
    ("pe.ruc", "30131312955", COMPONENT, "RUC has an invalid type prefix"),
    ("pe.ruc", "20131312956", CHECKSUM, "RUC check digit does not match"),
    ("pl.regon", "1234567851", LENGTH, "REGON must be 9 or 14 digits"),
    ("pl.regon", "12345678x", FORMAT, "REGON must contain only digits"),
    ("pl.regon", "12345678612347", CHECKSUM, "REGON check digit does not match"),  # not the local-unit message
    ("pl.regon", "12345678512348", CHECKSUM, "REGON local unit check digit mismatch"),
    ("rs.pib", "10113470", LENGTH, "PIB must be exactly 9 digits"),
    ("rs.pib", "10113470x", FORMAT, "PIB must contain only digits"),
    ("rs.pib", "101134703", CHECKSUM, "PIB check digit mismatch"),
    ("ru.inn", "77070838931", LENGTH, "INN must be 10 or 12 digits"),
    ("ru.inn", "770708389x", FORMAT, "INN must contain only digits"),
    ("ru.inn", "7707083894", CHECKSUM, "INN check digit mismatch"),
    ("ru.inn", "526317984688", CHECKSUM, "INN check digit mismatch"),
    ("ru.inn", "526317984699", CHECKSUM, "INN check digit mismatch"),
    ("se.orgnr", "123456789", LENGTH, "Swedish Organisationsnummer must be 10 digits"),
    ("se.orgnr", "123456789a", FORMAT, "Swedish Organisationsnummer must contain only digits"),
    ("se.orgnr", "1234567898", CHECKSUM, "Swedish Organisationsnummer Luhn check failed"),
    ("se.vat", "55618884040", LENGTH, "Swedish VAT number must be 12 digits"),
    ("se.vat", "55618884040x", FORMAT, "Swedish VAT number must contain only digits"),
    ("se.vat", "556188840402", COMPONENT, "Swedish VAT number must end with 01"),  # before the Luhn test
    ("se.vat", "556188840501", CHECKSUM, "Swedish VAT number Luhn check failed"),
    ("sg.uen", "0019220M", LENGTH, "UEN must be 9 or 10 characters"),
    ("sg.uen", "00192200.", FORMAT, "UEN must contain only digits and letters"),
    ("sg.uen", "0019220XM", FORMAT, "Business UEN must start with 8 digits"),
    ("sg.uen", "19740114XC", FORMAT, "Company UEN must have 9 digits"),
    ("sg.uen", "Q16FC0121D", COMPONENT, "Other UEN must start with R, S, or T"),
    ("sg.uen", "S1AFC0121D", FORMAT, "Other UEN numeric positions must be digits"),
    ("sg.uen", "S16ZZ0121D", COMPONENT, "Unknown UEN entity type"),
    ("sg.uen", "00192200N", CHECKSUM, "UEN check letter does not match"),
    ("sg.uen", "197401143D", CHECKSUM, "UEN check letter does not match"),
    ("sg.uen", "S16FC0121E", CHECKSUM, "UEN check letter does not match"),
    ("sk.ico", "2512389", LENGTH, "IČO must be exactly 8 digits"),
    ("sk.ico", "2512389x", FORMAT, "IČO must contain only digits"),
    ("sk.ico", "25123890", CHECKSUM, "IČO check digit does not match"),  # remainder 0 maps to 1
    ("th.tin", "110170023070", LENGTH, "TIN must be exactly 13 digits"),
    ("th.tin", "110170023070x", FORMAT, "TIN must contain only digits"),
    ("th.tin", "9101700230708", COMPONENT, "TIN first digit must be 0-8"),
    ("th.tin", "1101700230709", CHECKSUM, "TIN check digit does not match"),
    ("tr.vkn", "454053692", LENGTH, "VKN must be 10 digits"),
    ("tr.vkn", "454053692x", FORMAT, "VKN must contain only digits"),
    ("tr.vkn", "4540536921", CHECKSUM, "VKN check digit mismatch"),
    ("tw.ubn", "0459525", LENGTH, "UBN must be exactly 8 digits"),
    ("tw.ubn", "0459525x", FORMAT, "UBN must contain only digits"),
    ("tw.ubn", "10000001", CHECKSUM, UBN_MISMATCH),
    ("tw.ubn", "04595258", CHECKSUM, UBN_MISMATCH),
    ("ua.edrpou", "1436057", LENGTH, "EDRPOU must be exactly 8 digits"),
    ("ua.edrpou", "1436057x", FORMAT, "EDRPOU must contain only digits"),
    ("ua.edrpou", "14360571", CHECKSUM, "EDRPOU check digit mismatch"),
    ("uy.rut", "01010001001", LENGTH, "RUT must be 12 digits"),
    ("uy.rut", "01010001001x", FORMAT, "RUT must contain only digits"),
    ("uy.rut", "000000000001", COMPONENT, "RUT document type must be between 01 and 22"),
    ("uy.rut", "230100010013", COMPONENT, "RUT document type must be between 01 and 22"),
    ("uy.rut", "010000000013", COMPONENT, "RUT sequence must not be all zeros"),
    ("uy.rut", "010100010023", COMPONENT, "RUT branch code must be 001"),
    ("uy.rut", "010100010014", CHECKSUM, "RUT check digit does not match"),
    ("uy.rut", "010100040010", CHECKSUM, "RUT check digit does not match"),  # remainder 1: no check digit
    ("ve.rif", "V30987654", LENGTH, "RIF must be 10 characters"),
    ("ve.rif", "X309876543", COMPONENT, "RIF must start with V, E, J, P, or G"),
    ("ve.rif", "X30987654A", COMPONENT, "RIF must start with V, E, J, P, or G"),  # before the digits
    ("ve.rif", "Ѵ309876543", COMPONENT, "RIF must start with V, E, J, P, or G"),  # Cyrillic izhitsa
    ("ve.rif", "V30987654A", FORMAT, "RIF body must contain only digits"),
    ("ve.rif", "V309876544", CHECKSUM, "RIF check digit does not match"),
    ("vn.mst", "010023348", LENGTH, "MST must be 10 or 13 digits"),
    ("vn.mst", "010023348x", FORMAT, "MST must contain only digits"),
    ("vn.mst", "0100000000", COMPONENT, "MST sequential part must not be 0000000"),
    ("vn.mst", "0314409058000", COMPONENT, "MST branch suffix must not be 000"),
    ("vn.mst", "0100233489", CHECKSUM, "MST check digit does not match"),
    ("vn.mst", "1000000080", CHECKSUM, "MST check digit does not match"),  # remainder 0: never valid
])
def test_invalid(vid, value, code, message):
    r = ov.validate(vid, value)
    assert not r.valid and (r.error.code, r.error.message) == (code, message)


@pytest.mark.parametrize("value, result", [
    ("1-184-921 DV49", "1-184-921 DV49"),       # natural person: no old-format rewrite
    ("1-184-921 dv:49", "1-184-921 DV49"),
    ("1-184-921- DV 49", "1-184-921 DV49"),
    ("2588017-1-831938 DV20", "2588017-1-831938 DV20"),
    ("2588017-1-831938 dv:20", "2588017-1-831938 DV20"),
    ("123-4-5 DV80", "123-4-5 DV80"),           # old format: weight 12 skipped (34 without)
    ("43123-1-2 DV01", "43123-1-2 DV01"),       # old format: province 43 counts as 01 (15 without)
    ("12-12345-123456 DV47", "12-12345-123456 DV47"),
    ("1-" + "9" * 100_000 + "-1 DV58", "1-" + "9" * 100_000 + "-1 DV58"),  # pieces of any length
    # Compact already, yet reported in the rewritten form.
    ("1-184-921-DV49", "1-184-921 DV49"),
    ("1-184-921DV49", "1-184-921 DV49"),
    ("01-184-921 DV49", "01-184-921 DV49"),
    # Rewritten by compaction first.
    ("1-184-921  DV49", "1-184-921 DV49"),
    ("1-184-921\tDV49", "1-184-921 DV49"),
    ("1-184-921 DV 49", "1-184-921 DV49"),
    ("1-184-921 Dv49 ", "1-184-921 DV49"),
])
def test_pa_ruc_valid(value, result):
    r = ov.validate("pa.ruc", value)
    assert r.valid and r.compact == result, r.error and r.error.message


@pytest.mark.parametrize("value, code, message", [
    ("1-184-921", FORMAT, PA_MISSING_DV),
    ("1-184-921 DVDV::49", FORMAT, PA_MISSING_DV),  # compaction leaves "DVDV:49", the check reads "DVDV49"
    ("1-184-921 DV:DV49", FORMAT, PA_MISSING_DV),
    ("1-184-921 DV4", FORMAT, PA_MISSING_DV),
    ("1-184-921 DV4x", FORMAT, PA_MISSING_DV),
    ("1-184-921 DV499", FORMAT, PA_MISSING_DV),
    ("", FORMAT, PA_MISSING_DV),
    ("1-184 DV49", FORMAT, PA_SEGMENTS),
    ("1--921 DV49", FORMAT, PA_SEGMENTS),
    ("1-2-3-4-5 DV49", FORMAT, PA_SEGMENTS),
    ("1-" * 500_000 + " DV49", FORMAT, PA_SEGMENTS),
    ("1-184-921-5 DV49", FORMAT, PA_UNRECOGNIZED),
    ("1-1a4-921 DV49", FORMAT, PA_UNRECOGNIZED),
    ("١-١٨٤-٩٢١ DV49", FORMAT, PA_UNRECOGNIZED),
    ("1-184-921 DV94", CHECKSUM, PA_MISMATCH),   # what the old-format rewrite would give
    ("123-4-5 DV34", CHECKSUM, PA_MISMATCH),
    ("43123-1-2 DV15", CHECKSUM, PA_MISMATCH),
])
def test_pa_ruc_invalid(value, code, message):
    r = ov.validate("pa.ruc", value)
    assert not r.valid and (r.error.code, r.error.message) == (code, message)
