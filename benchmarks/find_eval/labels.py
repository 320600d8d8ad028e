"""The words people write before or above an identifier, by language.

``LABELS[kind]`` maps a language code to the labels used in forms,
letters and tables of that language; ``en`` is the label an English
speaker writes. Field names in JSON, YAML, code and configuration are
derived from the English label (snake, camel, kebab and upper case) plus
the entries of ``KEYS``.
"""
from __future__ import annotations

import re

LABELS: dict[str, dict[str, list[str]]] = {
    "iban": {"en": ["IBAN", "Account (IBAN)", "Bank account"], "de": ["IBAN", "Kontonummer (IBAN)", "Bankverbindung"],
             "fr": ["IBAN", "Compte bancaire"], "es": ["IBAN", "Cuenta bancaria"], "it": ["IBAN", "Conto corrente"],
             "nl": ["IBAN", "Rekeningnummer"], "pl": ["IBAN", "Numer rachunku"], "pt": ["IBAN", "NIB"],
             "nord": ["IBAN", "Kontonummer"]},
    "bic": {"en": ["BIC", "SWIFT", "SWIFT/BIC"], "de": ["BIC"], "fr": ["BIC", "Code SWIFT"], "es": ["BIC"], "it": ["BIC", "Codice BIC"], "nl": ["BIC"]},
    "creditcard": {"en": ["Card number", "Credit card", "Visa"], "de": ["Kartennummer", "Kreditkarte"], "fr": ["Carte bancaire", "N° de carte"],
                   "es": ["Tarjeta", "Número de tarjeta"], "it": ["Carta di credito"], "nl": ["Kaartnummer"]},
    "de.vat": {"en": ["VAT ID", "VAT number"], "de": ["USt-IdNr.", "USt-ID", "Umsatzsteuer-ID", "Umsatzsteuer-Identifikationsnummer"]},
    "de.stnr": {"en": ["Tax number"], "de": ["Steuernummer", "St.-Nr.", "StNr"]},
    "de.idnr": {"en": ["Tax ID"], "de": ["Steuer-ID", "Steueridentifikationsnummer", "IdNr"]},
    "de.svnr": {"en": ["Social security number"], "de": ["Sozialversicherungsnummer", "SV-Nummer", "Rentenversicherungsnummer"]},
    "at.uid": {"en": ["VAT ID"], "de": ["UID", "UID-Nummer", "UID-Nr."]},
    "at.vnr": {"en": ["Social insurance number"], "de": ["Versicherungsnummer", "SV-Nummer"]},
    "at.tin": {"en": ["Tax number"], "de": ["Steuernummer", "Abgabenkontonummer"]},
    "at.businessid": {"en": ["Company register number"], "de": ["Firmenbuchnummer", "FN"]},
    "ch.uid": {"en": ["UID"], "de": ["UID", "Unternehmens-Identifikationsnummer"], "fr": ["IDE"], "it": ["IDI"]},
    "ch.vat": {"en": ["VAT number"], "de": ["MWST-Nr.", "MWST-Nummer"], "fr": ["No TVA"], "it": ["N. IVA"]},
    "ch.ssn": {"en": ["AHV number"], "de": ["AHV-Nr.", "AHV-Nummer"], "fr": ["No AVS"], "it": ["N. AVS"]},
    "fr.tva": {"en": ["VAT number"], "fr": ["N° TVA intracommunautaire", "TVA intracom.", "Numéro de TVA"]},
    "fr.siren": {"en": ["SIREN"], "fr": ["SIREN", "N° SIREN"]},
    "fr.siret": {"en": ["SIRET"], "fr": ["SIRET", "N° SIRET"]},
    "fr.nir": {"en": ["Social security number"], "fr": ["N° de sécurité sociale", "NIR", "N° SS"]},
    "fr.nif": {"en": ["Tax number"], "fr": ["Numéro fiscal", "SPI", "N° fiscal de référence"]},
    "es.dni": {"en": ["ID number"], "es": ["DNI", "D.N.I.", "NIF"]},
    "es.nie": {"en": ["Foreigner ID"], "es": ["NIE", "N.I.E."]},
    "es.cif": {"en": ["Company tax code"], "es": ["CIF", "C.I.F."]},
    "es.vat": {"en": ["VAT number"], "es": ["NIF-IVA", "NIF intracomunitario"]},
    "es.nss": {"en": ["Social security number"], "es": ["Nº Seguridad Social", "NSS", "Número de afiliación"]},
    "it.iva": {"en": ["VAT number"], "it": ["P.IVA", "Partita IVA", "P. IVA"]},
    "it.codiceFiscale": {"en": ["Tax code"], "it": ["Codice Fiscale", "C.F.", "Cod. Fisc."]},
    "nl.vat": {"en": ["VAT number"], "nl": ["BTW-nummer", "BTW-nr.", "Btw-id"]},
    "nl.bsn": {"en": ["Citizen service number"], "nl": ["BSN", "Burgerservicenummer", "Sofinummer"]},
    "be.vat": {"en": ["VAT number", "Enterprise number"], "nl": ["BTW-nummer", "Ondernemingsnummer"], "fr": ["N° TVA", "Numéro d'entreprise"]},
    "be.nn": {"en": ["National number"], "nl": ["Rijksregisternummer"], "fr": ["Numéro de registre national", "NN"]},
    "be.bis": {"en": ["BIS number"], "nl": ["BIS-nummer"], "fr": ["Numéro BIS"]},
    "pl.nip": {"en": ["Tax ID"], "pl": ["NIP", "Numer NIP"]},
    "pl.pesel": {"en": ["National ID"], "pl": ["PESEL", "Nr PESEL"]},
    "pl.regon": {"en": ["Business ID"], "pl": ["REGON", "Nr REGON"]},
    "pt.vat": {"en": ["Tax number"], "pt": ["NIF", "Contribuinte", "N.º Contribuinte", "NIPC"]},
    "pt.cc": {"en": ["ID card"], "pt": ["Cartão de Cidadão", "N.º CC"]},
    "br.cpf": {"en": ["CPF"], "pt": ["CPF", "CPF nº", "Cadastro de Pessoa Física"]},
    "br.cnpj": {"en": ["CNPJ"], "pt": ["CNPJ", "CNPJ nº"]},
    "se.personnummer": {"en": ["Personal identity number"], "nord": ["Personnummer", "Pers.nr"]},
    "se.orgnr": {"en": ["Organisation number"], "nord": ["Organisationsnummer", "Org.nr"]},
    "se.vat": {"en": ["VAT number"], "nord": ["Momsregistreringsnummer", "Momsreg.nr", "VAT-nr"]},
    "no.fodselsnummer": {"en": ["National ID"], "nord": ["Fødselsnummer", "Fnr."]},
    "no.orgnr": {"en": ["Organisation number"], "nord": ["Organisasjonsnummer", "Org.nr."]},
    "no.mva": {"en": ["VAT number"], "nord": ["MVA-nummer", "Foretaksregisteret"]},
    "dk.cpr": {"en": ["CPR number"], "nord": ["CPR-nr.", "CPR-nummer"]},
    "dk.cvr": {"en": ["CVR number"], "nord": ["CVR-nr.", "CVR"]},
    "dk.vat": {"en": ["VAT number"], "nord": ["Momsnummer", "SE-nr."]},
    "fi.hetu": {"en": ["Personal identity code"], "nord": ["Henkilötunnus", "HETU", "Hetu"]},
    "fi.ytunnus": {"en": ["Business ID"], "nord": ["Y-tunnus", "Y-tunnus:"]},
    "fi.vat": {"en": ["VAT number"], "nord": ["ALV-numero", "ALV-nro"]},
    "is.kennitala": {"en": ["Kennitala"], "nord": ["Kennitala", "Kt."]},
    "tr.tckimlik": {"en": ["Turkish ID"], "tr": ["TC Kimlik No", "T.C. Kimlik No", "TCKN"]},
    "tr.vkn": {"en": ["Tax number"], "tr": ["VKN", "Vergi Kimlik No", "Vergi No"]},
    "cl.rut": {"en": ["RUT"], "es": ["RUT", "R.U.T.", "Rol Único Tributario"]},
    "uy.rut": {"en": ["RUT"], "es": ["RUT", "Registro Único Tributario"]},
    "ar.cuit": {"en": ["CUIT"], "es": ["CUIT", "C.U.I.T."]},
    "ar.dni": {"en": ["DNI"], "es": ["DNI", "D.N.I."]},
    "ar.cbu": {"en": ["CBU"], "es": ["CBU", "Clave Bancaria Uniforme"]},
    "mx.rfc": {"en": ["RFC"], "es": ["RFC", "R.F.C."]},
    "mx.curp": {"en": ["CURP"], "es": ["CURP"]},
    "mx.clabe": {"en": ["CLABE"], "es": ["CLABE", "Cuenta CLABE"]},
    "co.nit": {"en": ["NIT"], "es": ["NIT", "N.I.T."]},
    "pe.ruc": {"en": ["RUC"], "es": ["RUC", "R.U.C."]},
    "ec.ruc": {"en": ["RUC"], "es": ["RUC"]},
    "ve.rif": {"en": ["RIF"], "es": ["RIF", "R.I.F."]},
    "gt.nit": {"en": ["NIT"], "es": ["NIT"]},
    "do.rnc": {"en": ["RNC"], "es": ["RNC"]},
    "cr.cpf": {"en": ["ID number"], "es": ["Cédula", "Cédula física"]},
    "cu.ni": {"en": ["ID number"], "es": ["Carné de identidad", "NI"]},
    "gb.vat": {"en": ["VAT Reg No", "VAT registration number", "VAT No."]},
    "gb.nino": {"en": ["National Insurance number", "NI number", "NINO"]},
    "gb.nhs": {"en": ["NHS number", "NHS No."]},
    "gb.utr": {"en": ["UTR", "Unique Taxpayer Reference"]},
    "gb.sedol": {"en": ["SEDOL"]},
    "ie.pps": {"en": ["PPS number", "PPSN"]},
    "ie.vat": {"en": ["VAT number", "VAT No."]},
    "us.ssn": {"en": ["SSN", "Social Security Number", "Social Security No."]},
    "us.ein": {"en": ["EIN", "Employer Identification Number", "Federal Tax ID"]},
    "us.itin": {"en": ["ITIN"]},
    "us.rtn": {"en": ["Routing number", "ABA", "RTN"]},
    "ca.sin": {"en": ["SIN", "Social Insurance Number"], "fr": ["NAS", "Numéro d'assurance sociale"]},
    "ca.bn": {"en": ["Business Number", "BN"], "fr": ["Numéro d'entreprise", "NE"]},
    "au.abn": {"en": ["ABN", "Australian Business Number"]},
    "au.acn": {"en": ["ACN"]},
    "au.tfn": {"en": ["TFN", "Tax File Number"]},
    "nz.ird": {"en": ["IRD number", "IRD"]},
    "in.pan": {"en": ["PAN", "PAN No."]},
    "in.gstin": {"en": ["GSTIN", "GST No."]},
    "in.aadhaar": {"en": ["Aadhaar", "Aadhaar No."]},
    "cn.ric": {"en": ["Resident ID"], "zh": ["身份证号", "身份证"]},
    "cn.uscc": {"en": ["USCC"], "zh": ["统一社会信用代码"]},
    "jp.cn": {"en": ["Corporate number"], "ja": ["法人番号"]},
    "jp.mynumber": {"en": ["My Number"], "ja": ["個人番号", "マイナンバー"]},
    "kr.rrn": {"en": ["RRN"], "ko": ["주민등록번호"]},
    "kr.brn": {"en": ["Business registration number"], "ko": ["사업자등록번호"]},
    "hr.vat": {"en": ["OIB"], "hr": ["OIB"]},
    "si.vat": {"en": ["VAT number"], "sl": ["ID za DDV", "Davčna številka"]},
    "si.emso": {"en": ["EMSO"], "sl": ["EMŠO"]},
    "ro.cnp": {"en": ["CNP"], "ro": ["CNP", "Cod numeric personal"]},
    "ro.vat": {"en": ["VAT number"], "ro": ["CUI", "Cod fiscal", "CIF"]},
    "bg.egn": {"en": ["EGN"], "bg": ["ЕГН"]},
    "bg.vat": {"en": ["VAT number"], "bg": ["ДДС номер", "ЕИК"]},
    "cz.rc": {"en": ["Birth number"], "cs": ["Rodné číslo", "RČ"]},
    "cz.dic": {"en": ["VAT number"], "cs": ["DIČ"]},
    "cz.ico": {"en": ["Company ID"], "cs": ["IČO", "IČ"]},
    "sk.rc": {"en": ["Birth number"], "cs": ["Rodné číslo"]},
    "sk.dic": {"en": ["Tax ID"], "cs": ["DIČ", "IČ DPH"]},
    "sk.ico": {"en": ["Company ID"], "cs": ["IČO"]},
    "hu.vat": {"en": ["VAT number"], "hu": ["Adószám", "Közösségi adószám"]},
    "lt.asmens": {"en": ["Personal code"], "lt": ["Asmens kodas"]},
    "lt.vat": {"en": ["VAT number"], "lt": ["PVM mokėtojo kodas", "PVM kodas"]},
    "lv.vat": {"en": ["VAT number"], "lv": ["PVN numurs"]},
    "ee.ik": {"en": ["Personal code"], "et": ["Isikukood"]},
    "ee.vat": {"en": ["VAT number"], "et": ["KMKR nr", "KMKR"]},
    "ee.registrikood": {"en": ["Registry code"], "et": ["Registrikood", "Reg. kood"]},
    "lu.vat": {"en": ["VAT number"], "fr": ["N° TVA", "Numéro TVA"]},
    "mt.vat": {"en": ["VAT number"]},
    "cy.vat": {"en": ["VAT number"], "el": ["ΑΦΜ"]},
    "gr.vat": {"en": ["VAT number", "Tax ID"], "el": ["ΑΦΜ", "Α.Φ.Μ."]},
    "gr.amka": {"en": ["AMKA"], "el": ["ΑΜΚΑ"]},
    "za.idnr": {"en": ["ID number", "SA ID"]},
    "il.idnr": {"en": ["ID number", "Teudat Zehut"]},
    "hk.hkid": {"en": ["HKID", "HKID No."]},
    "sg.uen": {"en": ["UEN"]},
    "my.nric": {"en": ["NRIC", "MyKad"]},
    "th.tin": {"en": ["Tax ID"]},
    "tw.ubn": {"en": ["UBN", "Unified Business No."]},
    "vn.mst": {"en": ["Tax code"], "vi": ["MST", "Mã số thuế"]},
    "ru.inn": {"en": ["INN"], "ru": ["ИНН"]},
    "ua.edrpou": {"en": ["EDRPOU"], "uk": ["ЄДРПОУ", "код ЄДРПОУ"]},
    "by.unp": {"en": ["UNP"], "ru": ["УНП"]},
    "kz.iin": {"en": ["IIN"], "ru": ["ИИН"]},
    "eg.tn": {"en": ["Tax registration number"]},
    "ma.ice": {"en": ["ICE"], "fr": ["ICE", "Identifiant Commun de l'Entreprise"]},
    "isin": {"en": ["ISIN"], "de": ["ISIN"], "fr": ["Code ISIN"]},
    "cusip": {"en": ["CUSIP"]},
    "lei": {"en": ["LEI", "Legal Entity Identifier"]},
    "figi": {"en": ["FIGI"]},
    "isbn": {"en": ["ISBN"], "de": ["ISBN"]},
    "issn": {"en": ["ISSN"]},
    "ismn": {"en": ["ISMN"]},
    "isrc": {"en": ["ISRC"]},
    "isni": {"en": ["ISNI"]},
    "orcid": {"en": ["ORCID", "ORCID iD"]},
    "isan": {"en": ["ISAN"]},
    "ean": {"en": ["EAN", "GTIN", "Barcode"], "de": ["EAN"]},
    "imei": {"en": ["IMEI"]},
    "imsi": {"en": ["IMSI"]},
    "meid": {"en": ["MEID"]},
    "mac": {"en": ["MAC address", "MAC"]},
    "vin": {"en": ["VIN", "Vehicle identification number"], "de": ["FIN", "Fahrgestellnummer"]},
    "imo": {"en": ["IMO number"]},
    "iso6346": {"en": ["Container number", "Container"]},
    "casrn": {"en": ["CAS No.", "CAS number", "CAS RN"]},
    "eu.ecnumber": {"en": ["EC number", "EC No."]},
    "iso11649": {"en": ["Creditor reference", "RF reference"]},
    "grid": {"en": ["GRid"]},
    "crypto.btcbase58": {"en": ["Bitcoin address", "BTC"]},
    "crypto.btcbech32": {"en": ["Bitcoin address", "BTC"]},
    "crypto.eth": {"en": ["ETH address", "Ethereum"]},
    "ad.nrt": {"en": ["NRT", "Tax registration number"], "es": ["NRT"]},
    "ae.eid": {"en": ["Emirates ID", "EID"]},
    "al.nipt": {"en": ["NIPT", "Tax ID"]},
    "az.voen": {"en": ["VOEN", "Tax ID"], "az": ["VÖEN"]},
    "ba.jmbg": {"en": ["JMBG", "Personal ID number"], "hr": ["JMBG"]},
    "bg.pnf": {"en": ["Foreigner number", "PNF"], "bg": ["ЛНЧ"]},
    "cz.bankaccount": {"en": ["Account number"], "cs": ["Číslo účtu", "Č. ú."]},
    "gh.tin": {"en": ["TIN", "Ghana Card PIN"]},
    "id.npwp": {"en": ["NPWP", "Tax ID"]},
    "ir.nid": {"en": ["National ID", "Melli code"]},
    "is.vsk": {"en": ["VAT number"], "nord": ["VSK-númer", "VSK nr."]},
    "isil": {"en": ["ISIL", "Library code"]},
    "mc.tva": {"en": ["VAT number"], "fr": ["N° TVA", "TVA intracommunautaire"]},
    "md.idno": {"en": ["IDNO", "Fiscal code"], "ro": ["IDNO", "Cod fiscal"]},
    "me.pib": {"en": ["PIB", "Tax ID"]},
    "mk.edb": {"en": ["EDB", "Tax number"], "mk": ["ЕДБ"]},
    "pk.cnic": {"en": ["CNIC", "CNIC No."]},
    "rs.pib": {"en": ["PIB", "Tax ID"], "sr": ["ПИБ"]},
}

# Field names people give the kind in data files and code, beyond those
# made from the English label.
KEYS: dict[str, list[str]] = {
    "de.vat": ["ust_id", "ustIdNr", "vat_id", "vatId"],
    "de.stnr": ["steuernummer", "Steuernummer", "tax_number"],
    "de.idnr": ["steuer_id", "taxId"],
    "fr.siren": ["siren"], "fr.siret": ["siret"], "fr.tva": ["tva_intra", "vat_id"],
    "it.iva": ["partita_iva", "piva"], "it.codiceFiscale": ["codice_fiscale", "codiceFiscale", "cf"],
    "es.dni": ["dni", "nif"], "es.cif": ["cif"], "nl.vat": ["btw_nummer", "btwNummer"],
    "nl.bsn": ["bsn"], "pl.nip": ["nip"], "pl.pesel": ["pesel"], "pl.regon": ["regon"],
    "pt.vat": ["nif", "contribuinte"], "br.cpf": ["cpf"], "br.cnpj": ["cnpj"],
    "se.personnummer": ["personnummer"], "fi.hetu": ["hetu", "henkilotunnus"],
    "tr.tckimlik": ["tc_kimlik_no", "tckn"], "cl.rut": ["rut"], "mx.rfc": ["rfc"],
    "us.ssn": ["ssn"], "us.ein": ["ein", "tax_id"], "gb.vat": ["vat_reg_no", "vat_number"],
    "iban": ["iban", "IBAN_DE", "bank_iban", "payee_iban"], "bic": ["bic", "swift", "swift_code"],
    "creditcard": ["card_number", "cc_number", "pan"],
}


def words_of(label: str) -> list[str]:
    return [w for w in re.split(r"[^0-9A-Za-z]+", label) if w]


def field_names(kind: str, rng) -> str:
    """A field name for ``kind`` as a programmer would write it."""
    base = [lab for lab in LABELS.get(kind, {}).get("en", []) if lab.isascii()]
    choices = list(KEYS.get(kind, []))
    for lab in base:
        w = words_of(lab)
        if not w:
            continue
        low = [x.lower() for x in w]
        choices.append("_".join(low))
        choices.append(low[0] + "".join(x.capitalize() for x in low[1:]))
        choices.append("-".join(low))
        choices.append("_".join(x.upper() for x in w))
    return rng.choice(choices) if choices else "id"


def label_for(kind: str, lang: str, rng) -> tuple[str, str]:
    """A label for ``kind`` in ``lang`` (or English, or the kind's own
    language where the asked one has none), with the language used."""
    table = LABELS.get(kind)
    if not table:
        return "", ""
    if lang in table:
        return rng.choice(table[lang]), lang
    others = [l for l in table if l != "en"]
    if others and rng.random() < 0.5:
        l = rng.choice(others)
        return rng.choice(table[l]), l
    if "en" in table:
        return rng.choice(table["en"]), "en"
    l = rng.choice(sorted(table))
    return rng.choice(table[l]), l


def _norm(text: str) -> str:
    return re.sub(r"[^0-9a-z]", "", text.lower())


def _index() -> dict[str, set[str]]:
    index: dict[str, set[str]] = {}
    for kind, table in LABELS.items():
        for labels in table.values():
            for lab in labels:
                index.setdefault(_norm(lab), set()).add(kind)
    for kind, keys in KEYS.items():
        for key in keys:
            index.setdefault(_norm(key), set()).add(kind)
    return index


_INDEX = _index()


def is_specific(label: str, kind: str) -> bool:
    """Whether ``label`` names ``kind`` alone among the labels people use
    (``VAT number`` or ``Tax ID`` name a family; ``USt-IdNr.`` one kind)."""
    n = _norm(label)
    kinds = _INDEX.get(n)
    return kinds is None or kinds == {kind}
