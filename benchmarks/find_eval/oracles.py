"""Independent judges of validity, keyed by this package's kind ids.

Most kinds are judged by python-stdnum's module of the same kind, IBAN and
BIC by schwifty; a few kinds neither covers are judged by the issuing
standard's own check rule written out here. Nothing in this file asks
orvane_vardik anything: the benchmark's labels must not depend on the
system under test.
"""
from __future__ import annotations

import importlib
import re
from typing import Callable

import stdnum.luhn as _luhn
from stdnum.iso7064 import mod_11_2 as _mod_11_2
from schwifty import BIC as _BIC, IBAN as _IBAN

Oracle = Callable[[str], bool]

# package id -> python-stdnum module (under ``stdnum.``)
STDNUM = {
    "ad.nrt": "ad.nrt", "al.nipt": "al.nipt", "ar.cbu": "ar.cbu",
    "ar.cuit": "ar.cuit", "ar.dni": "ar.dni", "at.businessid": "at.businessid",
    "at.tin": "at.tin", "at.uid": "at.uid", "at.vnr": "at.vnr",
    "au.abn": "au.abn", "au.acn": "au.acn", "au.tfn": "au.tfn",
    "az.voen": "az.voen", "be.bis": "be.bis", "be.nn": "be.nn",
    "be.vat": "be.vat", "bg.egn": "bg.egn", "bg.pnf": "bg.pnf",
    "bg.vat": "bg.vat", "br.cnpj": "br.cnpj", "br.cpf": "br.cpf",
    "by.unp": "by.unp", "ca.bn": "ca.bn", "ca.sin": "ca.sin",
    "casrn": "casrn", "ch.ssn": "ch.ssn", "ch.uid": "ch.uid",
    "ch.vat": "ch.vat", "cl.rut": "cl.rut", "cn.ric": "cn.ric",
    "cn.uscc": "cn.uscc", "co.nit": "co.nit", "cr.cpf": "cr.cpf",
    "crypto.btcbase58": "bitcoin", "crypto.btcbech32": "bitcoin",
    "cu.ni": "cu.ni", "cusip": "cusip", "cy.vat": "cy.vat",
    "cz.bankaccount": "cz.bankaccount", "cz.dic": "cz.dic", "cz.rc": "cz.rc",
    "de.idnr": "de.idnr", "de.stnr": "de.stnr", "de.vat": "de.vat",
    "dk.cpr": "dk.cpr", "dk.cvr": "dk.cvr", "dk.vat": "dk.cvr",
    "do.rnc": "do.rnc", "ean": "ean", "ec.ruc": "ec.ruc", "ee.ik": "ee.ik",
    "ee.registrikood": "ee.registrikood", "ee.vat": "ee.kmkr",
    "eg.tn": "eg.tn", "es.cif": "es.cif", "es.dni": "es.dni",
    "es.nie": "es.nie", "es.vat": "es.nif", "eu.ecnumber": "eu.ecnumber",
    "eu.vat": "eu.vat", "fi.hetu": "fi.hetu", "fi.vat": "fi.alv",
    "fi.ytunnus": "fi.ytunnus", "figi": "figi", "fr.nif": "fr.nif",
    "fr.nir": "fr.nir", "fr.siren": "fr.siren", "fr.siret": "fr.siret",
    "fr.tva": "fr.tva", "gb.nhs": "gb.nhs", "gb.sedol": "gb.sedol",
    "gb.utr": "gb.utr", "gb.vat": "gb.vat", "gh.tin": "gh.tin",
    "gr.amka": "gr.amka", "gr.vat": "gr.vat", "grid": "grid",
    "gt.nit": "gt.nit", "hr.vat": "hr.oib", "hu.vat": "hu.anum",
    "id.npwp": "id.npwp", "ie.pps": "ie.pps", "ie.vat": "ie.vat",
    "il.idnr": "il.idnr", "imei": "imei", "imo": "imo", "imsi": "imsi",
    "in.aadhaar": "in_.aadhaar", "in.gstin": "in_.gstin", "in.pan": "in_.pan",
    "is.kennitala": "is_.kennitala", "is.vsk": "is_.vsk", "isan": "isan",
    "isbn": "isbn", "isil": "isil", "isin": "isin", "ismn": "ismn",
    "isni": "isni", "iso11649": "iso11649", "iso6346": "iso6346",
    "isrc": "isrc", "issn": "issn", "it.codiceFiscale": "it.codicefiscale",
    "it.iva": "it.iva", "jp.cn": "jp.cn", "jp.mynumber": "jp.in_",
    "kr.brn": "kr.brn", "kr.rrn": "kr.rrn", "lei": "lei",
    "lt.asmens": "lt.asmens", "lt.vat": "lt.pvm",
    "lu.vat": "lu.tva", "lv.vat": "lv.pvn", "ma.ice": "ma.ice",
    "mac": "mac", "mc.tva": "mc.tva", "md.idno": "md.idno",
    "me.pib": "me.pib", "meid": "meid", "mk.edb": "mk.edb",
    "mt.vat": "mt.vat", "mx.curp": "mx.curp", "mx.rfc": "mx.rfc",
    "my.nric": "my.nric", "nl.bsn": "nl.bsn", "nl.vat": "nl.btw",
    "no.fodselsnummer": "no.fodselsnummer", "no.mva": "no.mva",
    "no.orgnr": "no.orgnr", "nz.ird": "nz.ird", "pe.ruc": "pe.ruc",
    "pk.cnic": "pk.cnic", "pl.nip": "pl.nip", "pl.pesel": "pl.pesel",
    "pl.regon": "pl.regon", "pt.cc": "pt.cc", "pt.vat": "pt.nif",
    "ro.cnp": "ro.cnp", "ro.vat": "ro.cf", "rs.pib": "rs.pib",
    "ru.inn": "ru.inn", "se.orgnr": "se.orgnr",
    "se.personnummer": "se.personnummer", "se.vat": "se.vat",
    "sg.uen": "sg.uen", "si.emso": "si.emso", "si.vat": "si.ddv",
    "sk.dic": "sk.dph", "sk.rc": "sk.rc", "th.tin": "th.tin",
    "tr.tckimlik": "tr.tckimlik", "tr.vkn": "tr.vkn", "tw.ubn": "tw.ubn",
    "ua.edrpou": "ua.edrpou", "us.ein": "us.ein", "us.itin": "us.itin",
    "us.rtn": "us.rtn", "us.ssn": "us.ssn", "uy.rut": "uy.rut",
    "ve.rif": "ve.rif", "vn.mst": "vn.mst", "za.idnr": "za.idnr",
    "luhn": "luhn",
}

_SEP = re.compile(r"[\s\-./:]")


def _key(value: str) -> str:
    return _SEP.sub("", value).upper()


def _creditcard(value: str) -> bool:
    v = _SEP.sub("", value)
    if not v.isascii() or not v.isdigit() or not 13 <= len(v) <= 19:
        return False
    if not _luhn.is_valid(v):
        return False
    p2, p4 = int(v[:2]), int(v[:4])
    n = len(v)
    return (
        (v[0] == "4" and n in (13, 16, 19))
        or (51 <= p2 <= 55 and n == 16)
        or (2221 <= p4 <= 2720 and n == 16)
        or (p2 in (34, 37) and n == 15)
        or ((v.startswith("6011") or p2 == 65) and n in (16, 19))
        or (3528 <= p4 <= 3589 and n in (16, 19))
        or ((p2 in (36, 38, 39) or 300 <= int(v[:3]) <= 305) and n == 14)
    )


def _gb_nino(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"[A-Z]{2}\d{6}[A-D]", v):
        return False
    a, b = v[0], v[1]
    return (
        a not in "DFIQUV"
        and b not in "DFIOQUV"
        and v[:2] not in ("BG", "GB", "KN", "NK", "NT", "TN", "ZZ")
    )


def _hk_hkid(value: str) -> bool:
    v = re.sub(r"[\s()]", "", value).upper()
    m = re.fullmatch(r"([A-Z]{1,2})(\d{6})([0-9A])", v)
    if not m:
        return False
    letters = m.group(1).rjust(2, " ")
    total = 0
    weight = 9
    for ch in letters + m.group(2):
        if ch == " ":
            val = 36
        elif ch.isalpha():
            val = ord(ch) - 55
        else:
            val = int(ch)
        total += val * weight
        weight -= 1
    check = (11 - total % 11) % 11
    return m.group(3) == ("A" if check == 10 else str(check))


_VIN_VAL = {c: v for c, v in zip("ABCDEFGHJKLMNPRSTUVWXYZ", [1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 7, 9, 2, 3, 4, 5, 6, 7, 8, 9])}
_VIN_W = [8, 7, 6, 5, 4, 3, 2, 10, 0, 9, 8, 7, 6, 5, 4, 3, 2]


def _vin(value: str) -> bool:
    v = value.strip().upper()
    if not re.fullmatch(r"[A-HJ-NPR-Z0-9]{17}", v):
        return False
    total = sum((int(c) if c.isdigit() else _VIN_VAL[c]) * w for c, w in zip(v, _VIN_W))
    r = total % 11
    return v[8] == ("X" if r == 10 else str(r))


def _ico(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{8}", v):
        return False
    s = sum(int(c) * w for c, w in zip(v[:7], range(8, 1, -1)))
    return int(v[7]) == (11 - s % 11) % 10


def _clabe(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{18}", v):
        return False
    s = sum(int(c) * w for c, w in zip(v[:17], [3, 7, 1] * 6))
    return int(v[17]) == (10 - s % 10) % 10


def _es_nss(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{12}", v):
        return False
    prov, num = int(v[:2]), int(v[2:10])
    base = prov * 10**7 + num if num < 10**7 else int(v[:10])
    return 1 <= prov <= 53 and base % 97 == int(v[10:])


def _orcid(value: str) -> bool:
    v = _key(value)
    return bool(re.fullmatch(r"\d{15}[\dX]", v)) and _mod_11_2.is_valid(v)


def _ae_eid(value: str) -> bool:
    v = _key(value)
    return bool(re.fullmatch(r"784(19|20)\d{10}", v)) and _luhn.is_valid(v)


def _ba_jmbg(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{13}", v):
        return False
    d, mo = int(v[:2]), int(v[2:4])
    if not (1 <= d <= 31 and 1 <= mo <= 12) or not 10 <= int(v[7:9]) <= 19:
        return False
    s = sum(int(c) * w for c, w in zip(v[:12], [7, 6, 5, 4, 3, 2] * 2))
    m = 11 - s % 11
    return int(v[12]) == (0 if m > 9 else m)


def _ir_nid(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{10}", v) or len(set(v)) == 1:
        return False
    s = sum(int(v[i]) * (10 - i) for i in range(9)) % 11
    return int(v[9]) == (s if s < 2 else 11 - s)


def _kz_iin(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{12}", v):
        return False
    mo, d = int(v[2:4]), int(v[4:6])
    if not (1 <= mo <= 12 and 1 <= d <= 31 and v[6] in "123456"):
        return False
    digits = [int(c) for c in v]
    s = sum(digits[i] * (i + 1) for i in range(11)) % 11
    if s == 10:
        w = [3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 2]
        s = sum(digits[i] * w[i] for i in range(11)) % 11
        if s == 10:
            return False
    return digits[11] == s


def _de_svnr(value: str) -> bool:
    v = _key(value)
    m = re.fullmatch(r"(\d{2})(\d{2})(\d{2})(\d{2})([A-Z])(\d{2})(\d)", v)
    if not m:
        return False
    day, month = int(m.group(2)), int(m.group(3))
    if not (1 <= day <= 31 or 41 <= day <= 71) or not 1 <= month <= 12:
        return False
    letter = ord(m.group(5)) - 64
    digits = v[:8] + f"{letter:02d}" + v[9:11]
    total = 0
    for c, w in zip(digits, [2, 1, 2, 5, 7, 1, 2, 1, 2, 1, 2, 1]):
        p = int(c) * w
        total += p // 10 + p % 10
    return int(v[11]) == total % 10


def _eth(value: str) -> bool:
    v = value.strip()
    return bool(re.fullmatch(r"0x([0-9a-f]{40}|[0-9A-F]{40})", v))


def _iban(value: str) -> bool:
    try:
        _IBAN(value)
        return True
    except Exception:
        return False


def _bic(value: str) -> bool:
    try:
        _BIC(value.strip())
        return True
    except Exception:
        return False


OWN: dict[str, Oracle] = {
    "creditcard": _creditcard,
    "gb.nino": _gb_nino,
    "hk.hkid": _hk_hkid,
    "vin": _vin,
    "cz.ico": _ico,
    "sk.ico": _ico,
    "mx.clabe": _clabe,
    "es.nss": _es_nss,
    "orcid": _orcid,
    "ae.eid": _ae_eid,
    "ba.jmbg": _ba_jmbg,
    "ir.nid": _ir_nid,
    "kz.iin": _kz_iin,
    "de.svnr": _de_svnr,
    "crypto.eth": _eth,
    "iban": _iban,
    "bic": _bic,
}


def _wallet(value: str) -> bool:
    return any(ORACLES[k](value) for k in ("crypto.btcbase58", "crypto.btcbech32", "crypto.eth"))


def _ec_exact(value: str) -> bool:
    v = _key(value)
    if not re.fullmatch(r"\d{7}", v):
        return False
    return sum(int(c) * (i + 1) for i, c in enumerate(v[:6])) % 11 == int(v[6])


def _stdnum(module_name: str) -> Oracle:
    mod = importlib.import_module("stdnum." + module_name)

    def check(value: str) -> bool:
        try:
            return bool(mod.is_valid(value))
        except Exception:
            return False

    return check


def _restrict(kind: str, oracle: Oracle) -> Oracle:
    # stdnum judges both Bitcoin encodings in one module; the package has a
    # kind per encoding. Danish VAT is the CVR written with its prefix.
    if kind == "crypto.btcbase58":
        return lambda v: v.strip()[:1] in ("1", "3") and oracle(v)
    if kind == "crypto.btcbech32":
        return lambda v: v.strip().lower().startswith("bc1") and oracle(v)
    if kind == "lei":  # the peer checks the check digits, not the length
        return lambda v: len(_key(v)) == 20 and oracle(v)
    if kind == "imei":  # 15 digits, or 16 with a software version
        return lambda v: len(_key(v)) in (15, 16) and oracle(v)
    if kind == "mx.rfc":  # the check digit too, which the peer skips by default
        mod = importlib.import_module("stdnum.mx.rfc")

        def rfc(v: str) -> bool:
            try:
                mod.validate(v, validate_check_digits=True)
                return True
            except Exception:
                return False

        return rfc
    if kind == "iso11649":  # check digits run from 02 to 98
        return lambda v: _key(v)[2:4].isdigit() and 2 <= int(_key(v)[2:4]) <= 98 and oracle(v)
    if kind == "eu.ecnumber":  # a remainder of 10 is never issued
        return lambda v: _ec_exact(v) and oracle(v)
    if kind == "dk.vat":
        return lambda v: _key(v).startswith("DK") and oracle(v)
    if kind == "dk.cvr":
        return lambda v: not _key(v).startswith("DK") and oracle(v)
    return oracle


def build() -> dict[str, Oracle]:
    """Every kind this benchmark can judge, id -> oracle."""
    table: dict[str, Oracle] = {}
    for kind, name in STDNUM.items():
        table[kind] = _restrict(kind, _stdnum(name))
    table.update(OWN)
    return table


ORACLES = build()
ORACLES["crypto.wallet"] = _wallet


def formatter(kind: str) -> Callable[[str], str] | None:
    """The peer's own written layout of a kind, where it has one."""
    name = STDNUM.get(kind)
    if kind == "iban":
        return lambda v: _IBAN(v).formatted
    if not name:
        return None
    mod = importlib.import_module("stdnum." + name)
    fmt = getattr(mod, "format", None)
    if fmt is None:
        return None

    def run(value: str) -> str:
        try:
            return fmt(value)
        except Exception:
            return value

    return run
