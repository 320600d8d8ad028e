// Labels people write before a number, in the languages of the kind's
// country (and in English where the record lacks the common one), beside
// the words each record carries. A label names the kinds it announces;
// rows of ids that are not registered are skipped.
#include "find/labels.h"

namespace ovf {

namespace {

// {id, language (ISO 639-1), label}
constexpr Label kLabels[] = {
    // International
    {"iban", "en", "IBAN number"}, {"iban", "en", "account number"}, {"iban", "en", "bank account"},
    {"iban", "de", "Kontonummer"}, {"iban", "de", "Bankverbindung"}, {"iban", "fr", "RIB"},
    {"iban", "fr", "compte bancaire"}, {"iban", "es", "cuenta bancaria"}, {"iban", "it", "conto corrente"},
    {"iban", "nl", "rekeningnummer"}, {"iban", "pl", "numer rachunku"}, {"iban", "pl", "nr rachunku"},
    {"bic", "en", "SWIFT code"}, {"bic", "en", "SWIFT BIC"}, {"bic", "en", "BIC code"}, {"bic", "en", "swift_code"},
    {"creditcard", "en", "card"}, {"creditcard", "en", "card no"}, {"creditcard", "en", "Visa"},
    {"creditcard", "en", "Mastercard"}, {"creditcard", "en", "PAN"}, {"creditcard", "de", "Kartennummer"},
    {"creditcard", "fr", "carte bancaire"}, {"creditcard", "fr", "numéro de carte"},
    {"creditcard", "es", "tarjeta"}, {"creditcard", "it", "carta di credito"}, {"creditcard", "nl", "creditcard"},
    {"crypto.eth", "en", "Ethereum"}, {"crypto.eth", "en", "ETH address"}, {"crypto.eth", "en", "wallet"},
    {"crypto.btcbase58", "en", "Bitcoin"}, {"crypto.btcbech32", "en", "Bitcoin"}, {"crypto.btcbase58", "en", "BTC address"},
    {"crypto.btcbech32", "en", "BTC address"},
    {"isin", "de", "WKN ISIN"}, {"lei", "en", "LEI code"}, {"vin", "de", "Fahrgestellnummer"},
    {"vin", "fr", "numéro de châssis"}, {"mac", "en", "MAC addr"}, {"mac", "en", "mac_address"},
    {"mac", "en", "ethernet"}, {"mac", "en", "wifi"}, {"meid", "en", "MEID number"}, {"imei", "en", "IMEI number"},
    {"eu.ecnumber", "en", "EC no"}, {"eu.ecnumber", "en", "EINECS number"}, {"isil", "en", "ISIL code"},
    {"isil", "en", "library"},
    // Europe: any member state's VAT number
    {"eu.vat", "en", "VAT"}, {"eu.vat", "en", "VAT number"}, {"eu.vat", "en", "VAT ID"}, {"eu.vat", "en", "VAT no"},
    {"eu.vat", "en", "VAT reg no"}, {"eu.vat", "de", "USt-IdNr."}, {"eu.vat", "de", "UID"}, {"eu.vat", "fr", "TVA"},
    {"eu.vat", "fr", "n° TVA"}, {"eu.vat", "nl", "BTW"}, {"eu.vat", "nl", "BTW-nummer"}, {"eu.vat", "it", "P.IVA"},
    {"eu.vat", "it", "partita IVA"}, {"eu.vat", "es", "NIF-IVA"}, {"eu.vat", "pt", "NIF"}, {"eu.vat", "pl", "NIP"},
    {"eu.vat", "da", "momsnr"}, {"eu.vat", "sv", "momsregnr"}, {"eu.vat", "fi", "ALV"}, {"eu.vat", "lt", "PVM"},
    {"eu.vat", "lv", "PVN"}, {"eu.vat", "sl", "DDV"}, {"eu.vat", "el", "ΦΠΑ"}, {"eu.vat", "el", "ΑΦΜ"},
    {"eu.vat", "hu", "adószám"}, {"eu.vat", "cs", "DIČ"}, {"eu.vat", "ro", "CIF"}, {"eu.vat", "hr", "OIB"},
    {"eu.vat", "bg", "ДДС"}, {"eu.vat", "et", "KMKR"},
    // Europe
    {"at.uid", "de", "UID-Nummer"}, {"at.uid", "de", "USt-IdNr"}, {"at.uid", "de", "UID Nr"},
    {"at.tin", "de", "Steuer-Nr"}, {"at.vnr", "de", "SV-Nummer"}, {"at.businessid", "de", "FB-Nr"},
    {"be.vat", "nl", "BTW-nummer"}, {"be.vat", "nl", "ondernemingsnr"}, {"be.vat", "fr", "numéro de TVA"},
    {"be.vat", "fr", "n° TVA"}, {"be.vat", "en", "VAT number"}, {"be.nn", "fr", "numéro de registre national"},
    {"be.nn", "nl", "rijksregister"},
    {"bg.vat", "bg", "ДДС номер"}, {"bg.vat", "en", "VAT number"},
    {"ch.vat", "de", "MWST-Nr"}, {"ch.vat", "fr", "n° TVA"}, {"ch.uid", "de", "UID-Nr"},
    {"ch.ssn", "de", "AHV-Nr"}, {"ch.ssn", "de", "AHV-Nummer"},
    {"cy.vat", "el", "Αριθμός ΦΠΑ"}, {"cy.vat", "en", "VAT number"}, {"cy.vat", "en", "VAT"},
    {"cz.dic", "cs", "DIČ"}, {"cz.ico", "cs", "IČ"}, {"cz.rc", "cs", "r.č."},
    {"de.vat", "de", "USt-IdNr."}, {"de.vat", "de", "USt-ID"}, {"de.vat", "de", "UStIdNr"},
    {"de.vat", "de", "Umsatzsteuer-ID"}, {"de.vat", "en", "VAT ID"}, {"de.vat", "en", "VAT number"},
    {"de.stnr", "de", "Steuernummer"}, {"de.stnr", "de", "Steuer-Nr."}, {"de.stnr", "de", "StNr."},
    {"de.idnr", "de", "Steuer-IdNr"}, {"de.idnr", "de", "Steueridentifikationsnummer"},
    {"de.idnr", "de", "Identifikationsnummer"}, {"de.idnr", "de", "Steuer-ID"},
    {"de.svnr", "de", "Rentenversicherungsnummer"}, {"de.svnr", "de", "RVNR"}, {"de.svnr", "de", "SV-Nummer"},
    {"dk.cpr", "da", "CPR-nr"}, {"dk.cpr", "da", "personnummer"}, {"dk.cvr", "da", "CVR-nr"},
    {"dk.vat", "da", "CVR-nr"}, {"dk.vat", "da", "momsnr"}, {"dk.vat", "da", "CVR"}, {"dk.vat", "en", "VAT number"},
    {"ee.ik", "et", "isikukood"}, {"ee.vat", "et", "KMKR nr"}, {"ee.registrikood", "et", "registrikood"},
    {"es.dni", "es", "NIF"}, {"es.dni", "es", "DNI/NIF"}, {"es.nie", "es", "NIE/NIF"},
    {"es.vat", "es", "NIF-IVA"}, {"es.vat", "es", "CIF/NIF"}, {"es.cif", "es", "NIF"},
    {"es.nss", "es", "número de la Seguridad Social"}, {"es.nss", "es", "NUSS"},
    {"fi.hetu", "fi", "henkilötunnus"}, {"fi.hetu", "fi", "hetu"}, {"fi.hetu", "sv", "personbeteckning"},
    {"fi.vat", "fi", "ALV-tunniste"}, {"fi.vat", "fi", "ALV nro"}, {"fi.ytunnus", "fi", "Y-tunnus"},
    {"fr.siren", "fr", "n° SIREN"}, {"fr.siret", "fr", "n° SIRET"}, {"fr.tva", "fr", "n° TVA"},
    {"fr.tva", "fr", "TVA intracom"}, {"fr.tva", "fr", "numéro TVA"}, {"fr.tva", "en", "VAT number"},
    {"fr.nir", "fr", "numéro de sécu"}, {"fr.nir", "fr", "n° de sécurité sociale"}, {"fr.nir", "fr", "NSS"},
    {"fr.nir", "fr", "INSEE"}, {"fr.nif", "fr", "numéro fiscal de référence"}, {"fr.nif", "fr", "SPI"},
    {"gb.nino", "en", "NI No"}, {"gb.nino", "en", "NI number"}, {"gb.nhs", "en", "NHS No"},
    {"gb.utr", "en", "UTR number"}, {"gb.vat", "en", "VAT reg no"}, {"gb.vat", "en", "VAT no"},
    {"gb.vat", "en", "VAT Reg"}, {"gr.vat", "el", "Α.Φ.Μ."}, {"gr.vat", "en", "VAT number"},
    {"gr.amka", "el", "Α.Μ.Κ.Α."}, {"hr.vat", "hr", "OIB"}, {"hu.vat", "hu", "adószám"},
    {"hu.vat", "hu", "közösségi adószám"}, {"ie.pps", "en", "PPS No"}, {"ie.vat", "en", "VAT number"},
    {"ie.vat", "en", "VAT No"}, {"is.kennitala", "is", "kennitala"}, {"is.vsk", "is", "VSK númer"},
    {"it.iva", "it", "P.IVA"}, {"it.iva", "it", "P. IVA"}, {"it.iva", "it", "Partita IVA"},
    {"it.iva", "it", "PIVA"}, {"it.iva", "en", "VAT number"},
    {"it.codiceFiscale", "it", "codice fiscale"}, {"it.codiceFiscale", "it", "C.F."},
    {"lt.asmens", "lt", "asmens kodas"}, {"lt.vat", "lt", "PVM kodas"}, {"lu.vat", "fr", "n° TVA"},
    {"lv.vat", "lv", "PVN reģ. nr."}, {"lv.vat", "lv", "PVN numurs"}, {"lv.vat", "en", "VAT number"},
    {"mt.vat", "en", "VAT No"}, {"nl.bsn", "nl", "BSN-nummer"}, {"nl.bsn", "nl", "burgerservicenummer"},
    {"nl.vat", "nl", "BTW-nummer"}, {"nl.vat", "nl", "btw-id"}, {"nl.vat", "nl", "BTW nr"},
    {"nl.vat", "nl", "omzetbelastingnummer"}, {"nl.vat", "en", "VAT number"},
    {"nl.kvk", "nl", "KvK-nummer"}, {"nl.kvk", "nl", "KvK nr"}, {"nl.kvk", "nl", "KvK"},
    {"no.fodselsnummer", "nb", "fødselsnr"}, {"no.fodselsnummer", "nb", "personnummer"},
    {"no.mva", "nb", "MVA-nr"}, {"no.mva", "nb", "org.nr. MVA"}, {"no.orgnr", "nb", "org.nr."},
    {"no.orgnr", "nb", "orgnr"}, {"pl.nip", "pl", "NIP"}, {"pl.nip", "pl", "nr NIP"},
    {"pl.pesel", "pl", "nr PESEL"}, {"pl.regon", "pl", "nr REGON"}, {"pt.vat", "pt", "NIF"},
    {"pt.vat", "pt", "NIPC"}, {"pt.vat", "pt", "contribuinte n.º"}, {"pt.cc", "pt", "cartão de cidadão"},
    {"pt.cc", "pt", "n.º do CC"}, {"ro.cnp", "ro", "CNP"}, {"ro.vat", "ro", "CUI"}, {"ro.vat", "ro", "cod fiscal"},
    {"se.personnummer", "sv", "personnummer"}, {"se.personnummer", "sv", "pnr"},
    {"se.orgnr", "sv", "organisationsnummer"}, {"se.orgnr", "sv", "orgnr"}, {"se.vat", "sv", "momsregnr"},
    {"se.vat", "sv", "VAT-nummer"}, {"si.emso", "sl", "EMŠO"}, {"si.vat", "sl", "ID za DDV"},
    {"sk.dic", "sk", "IČ DPH"}, {"sk.ico", "sk", "IČO"}, {"sk.rc", "sk", "rodné číslo"},
    {"tr.tckimlik", "tr", "TC Kimlik No"}, {"tr.tckimlik", "tr", "T.C. Kimlik No"},
    {"tr.tckimlik", "tr", "TCKN"}, {"tr.tckimlik", "tr", "kimlik numarası"}, {"tr.vkn", "tr", "VKN"},
    {"tr.vkn", "tr", "vergi no"}, {"tr.vkn", "tr", "vergi numarası"},
    {"ua.edrpou", "uk", "код ЄДРПОУ"}, {"ru.inn", "ru", "ИНН"},
    // The Americas
    {"br.cpf", "pt", "CPF/MF"}, {"br.cpf", "pt", "nº do CPF"}, {"br.cnpj", "pt", "CNPJ/MF"},
    {"cr.cpf", "es", "cédula"}, {"cr.cpf", "es", "cédula de identidad"}, {"cr.cpf", "es", "cédula física"},
    {"cr.cpf", "es", "número de cédula"}, {"cl.rut", "es", "RUT"}, {"cl.rut", "es", "R.U.T."}, {"cl.rut", "es", "RUN"},
    {"uy.rut", "es", "RUT"}, {"co.nit", "es", "NIT"}, {"ec.ruc", "es", "RUC"}, {"pe.ruc", "es", "RUC"},
    {"mx.rfc", "es", "R.F.C."}, {"mx.curp", "es", "C.U.R.P."}, {"ar.cuit", "es", "C.U.I.T."},
    {"ar.cuit", "es", "CUIT/CUIL"}, {"ar.dni", "es", "D.N.I."}, {"ve.rif", "es", "R.I.F."},
    {"us.ssn", "en", "social security no"}, {"us.ssn", "en", "SS#"}, {"us.ssn", "en", "SSN#"},
    {"us.ssn", "en", "social"}, {"us.ein", "en", "EIN#"}, {"us.ein", "en", "FEIN"}, {"us.ein", "en", "tax ID"},
    {"us.ein", "en", "TIN"}, {"us.ein", "en", "employer ID"}, {"us.itin", "en", "ITIN#"},
    {"us.rtn", "en", "routing"}, {"us.rtn", "en", "ABA#"}, {"ca.sin", "en", "SIN#"},
    {"ca.sin", "fr", "numéro d'assurance sociale"}, {"ca.bn", "en", "BN#"},
    // Africa, Asia, Oceania
    {"eg.tn", "en", "tax registration number"}, {"eg.tn", "en", "tax ID"}, {"eg.tn", "ar", "رقم التسجيل الضريبي"},
    {"gh.tin", "en", "Ghana Card"}, {"za.idnr", "en", "identity number"}, {"za.idnr", "en", "SA ID number"},
    {"my.nric", "ms", "No. K/P"}, {"my.nric", "ms", "no kp"}, {"my.nric", "en", "IC number"},
    {"my.nric", "en", "IC no"}, {"my.nric", "en", "MyKad number"}, {"vn.mst", "vi", "mã số doanh nghiệp"},
    {"vn.mst", "en", "tax code"}, {"in.pan", "en", "PAN No"}, {"in.pan", "en", "PAN card"},
    {"in.aadhaar", "en", "Aadhaar No"}, {"in.aadhaar", "en", "UID"}, {"au.tfn", "en", "TFN"},
    {"au.abn", "en", "ABN"}, {"nz.ird", "en", "IRD no"}, {"nz.ird", "en", "GST number"},
    {"sg.uen", "en", "UEN no"}, {"hk.hkid", "en", "HKID No"}, {"hk.hkid", "en", "identity card"},
    {"kr.rrn", "ko", "주민번호"}, {"jp.mynumber", "ja", "個人番号"}, {"cn.ric", "zh", "身份证号"},
    {"cn.ric", "zh", "身份证号码"}, {"il.idnr", "he", "ת.ז"}, {"il.idnr", "en", "Teudat Zehut"},
};

constexpr Companion kCompanions[] = {
    {"bic", "iban"},
};

}  // namespace

std::span<const Label> labels() { return kLabels; }
std::span<const Companion> companions() { return kCompanions; }

}  // namespace ovf
