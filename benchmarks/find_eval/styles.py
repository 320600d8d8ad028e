"""Document styles. Each style writes one document from a few drawn
values; ``heldout`` switches on phrasings and layouts that only the
held-out part uses."""
from __future__ import annotations

import json
import random

from .corpus import Builder, Corpus, Document, Item, fullwidth, pdf_artefact
from .labels import LABELS, field_names, label_for

NAMES = ["Anna Schmidt", "Jean Dupont", "María García", "Luca Rossi", "Jan de Vries", "Piotr Nowak",
         "João Silva", "Erik Larsson", "Aino Virtanen", "Mehmet Yılmaz", "John Smith", "Priya Patel"]
COMPANIES = ["Nordwind GmbH", "Atelier Lumière SARL", "Sol y Mar S.L.", "Officina Verde S.r.l.",
             "Tulp Handel B.V.", "Wisła Trade Sp. z o.o.", "Maré Azul Lda.", "Fjord Konsult AB",
             "Revontuli Oy", "Boğaziçi Ticaret A.Ş.", "Acme Widgets Ltd", "Kestrel Holdings Inc."]
LANGS = ["en", "de", "fr", "es", "it", "nl", "pl", "pt", "nord", "tr"]

GREET = {
    "en": ("Dear {n},", "Please find our details below.", "Kind regards,"),
    "de": ("Sehr geehrte Damen und Herren,", "anbei unsere Angaben für die Rechnungsstellung.", "Mit freundlichen Grüßen"),
    "fr": ("Madame, Monsieur,", "veuillez trouver ci-dessous nos coordonnées.", "Cordialement,"),
    "es": ("Estimado/a {n}:", "le enviamos nuestros datos de facturación.", "Atentamente,"),
    "it": ("Gentile {n},", "di seguito i nostri dati per la fatturazione.", "Cordiali saluti,"),
    "nl": ("Beste {n},", "hieronder vindt u onze gegevens.", "Met vriendelijke groet,"),
    "pl": ("Szanowni Państwo,", "poniżej przesyłamy nasze dane do faktury.", "Z poważaniem,"),
    "pt": ("Caro(a) {n},", "seguem os nossos dados para faturação.", "Com os melhores cumprimentos,"),
    "nord": ("Hej {n},", "här kommer våra uppgifter.", "Med vänliga hälsningar,"),
    "tr": ("Sayın {n},", "fatura bilgilerimiz aşağıdadır.", "Saygılarımızla,"),
}
FILLER = {
    "en": ["We refer to your letter and the meeting last week.", "Payment is due within thirty days.",
           "The goods were shipped as agreed.", "Let us know if anything is missing."],
    "de": ["Wir beziehen uns auf Ihr Schreiben.", "Zahlbar innerhalb von dreißig Tagen ohne Abzug.",
           "Die Ware wurde wie vereinbart versandt."],
    "fr": ["Nous faisons suite à votre courrier.", "Paiement à trente jours fin de mois.", "La marchandise a été expédiée."],
    "es": ["En relación con su carta anterior.", "El pago vence a treinta días.", "La mercancía fue enviada."],
    "it": ["Facciamo seguito alla Vostra lettera.", "Pagamento a trenta giorni data fattura."],
    "nl": ["Naar aanleiding van uw brief.", "Betaling binnen dertig dagen."],
    "pl": ["Nawiązując do Państwa pisma.", "Płatność w terminie trzydziestu dni."],
    "pt": ["Na sequência da vossa carta.", "Pagamento a trinta dias."],
    "nord": ["Tack för ert brev.", "Betalning inom trettio dagar."],
    "tr": ["Mektubunuza istinaden.", "Ödeme otuz gün içinde yapılmalıdır."],
}


def _lang(rng: random.Random) -> str:
    return rng.choice(LANGS)


def _kinds_for(c: Corpus, rng: random.Random, n: int) -> list[str]:
    return [rng.choice(c.kinds) for _ in range(n)]


def _label(kind: str, lang: str, rng: random.Random) -> str:
    lab, _ = label_for(kind, lang, rng)
    return lab


def _decoy(c: Corpus, rng: random.Random, kind: str | None = None) -> str:
    return c.decoys.make(rng, kind)


def _number(c: Corpus, rng: random.Random, lo: int, hi: int) -> str:
    """A plain number that no oracle takes for an identifier."""
    for _ in range(30):
        text = str(rng.randint(lo, hi))
        if not c.decoys.accepted(text):
            return text
    return str(lo)


# ---------------------------------------------------------------- prose


def letter(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    b = Builder()
    g = GREET[lang]
    b.add(f"{rng.choice(COMPANIES)}\n{_decoy(c, rng, 'postcode')}\n{_decoy(c, rng, 'date')}\n\n")
    b.add(g[0].format(n=rng.choice(NAMES)) + "\n\n")
    b.add(rng.choice(FILLER[lang]) + " " + g[1] + "\n")
    for kind in _kinds_for(c, rng, rng.randint(2, 4)):
        item = c.item(rng, kind)
        lab = _label(kind, lang, rng)
        r = rng.random()
        if heldout:
            if r < 0.4 and lab:
                b.add(f"Our {lab} reads ") if lang == "en" else b.add(f"{lab} — ")
                b.ident(item, context=lab).add(", as on file.\n")
            elif r < 0.7:
                b.add(f"{rng.choice(FILLER[lang])} (").ident(item, context=False).add(")\n")
            else:
                b.add(f"{lab} " if lab else "").ident(item, context=lab).add("; " + _decoy(c, rng) + "\n")
        else:
            if r < 0.6 and lab:
                b.add(f"{lab}: ").ident(item, context=lab).add("\n")
            elif r < 0.8:
                b.add(f"{rng.choice(FILLER[lang])} ").ident(item, context=False).add(".\n")
            else:
                b.add(f"{lab} ").ident(item, context=lab).add(f" {rng.choice(FILLER[lang])}\n")
        if rng.random() < 0.5:
            b.add(f"{rng.choice(FILLER[lang])} {_decoy(c, rng)}.\n")
    b.add(f"\n{g[2]}\n{rng.choice(NAMES)}\nTel. {_decoy(c, rng, 'phone')}\n")
    return Document("letter", lang, b.text(), b.labels)


def invoice(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    b = Builder()
    head = {"de": "RECHNUNG", "fr": "FACTURE", "es": "FACTURA", "it": "FATTURA", "nl": "FACTUUR",
            "pl": "FAKTURA", "pt": "FATURA", "nord": "FAKTURA", "tr": "FATURA"}.get(lang, "INVOICE")
    b.add(f"{head} {_decoy(c, rng, 'reference')}    {_decoy(c, rng, 'date')}\n")
    b.add(f"{rng.choice(COMPANIES)}\n")
    for kind in _kinds_for(c, rng, rng.randint(1, 2)):
        item = c.item(rng, kind)
        lab = _label(kind, lang, rng)
        b.add(f"{lab}: " if lab else "").ident(item, context=lab).add("\n")
    b.add("\n")
    for i in range(rng.randint(2, 5)):
        b.add(f"{i + 1}  Pos. {_decoy(c, rng, 'reference')}  {rng.randint(1, 40)} x  {_decoy(c, rng, 'amount')}\n")
    b.add(f"Total: {_decoy(c, rng, 'amount')}\n\n")
    # bank line: IBAN then BIC on one line, the BIC often unlabelled
    iban = c.item(rng, "iban") if "iban" in c.pools else None
    bic = c.item(rng, "bic") if "bic" in c.pools else None
    if iban and bic:
        style = rng.randrange(4 if heldout else 3)
        if style == 0:
            b.add("IBAN ").ident(iban, context="IBAN").add("  BIC ").ident(bic, context="BIC").add("\n")
        elif style == 1:
            b.add("IBAN: ").ident(iban, context="IBAN").add(" / ").ident(bic, context=False).add("\n")
        elif style == 2:
            b.add(f"{rng.choice(COMPANIES)} · ").ident(iban, context=False).add(" · ").ident(bic, context=False).add("\n")
        else:
            b.add("Bankverbindung\n").ident(iban, context="Bankverbindung").add("\n").ident(bic, context=False).add("\n")
    if rng.random() < 0.5:
        b.add(f"Payment ref.: {_decoy(c, rng, 'reference')}, {_decoy(c, rng, 'amount')}\n")
    return Document("invoice", lang, b.text(), b.labels)


def statement(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    b = Builder()
    b.add(f"Statement {_decoy(c, rng, 'date')} – {_decoy(c, rng, 'date')}\n")
    for _ in range(rng.randint(3, 6)):
        b.add(f"{_decoy(c, rng, 'date')}  ")
        r = rng.random()
        if r < 0.45 and "iban" in c.pools:
            b.add("SEPA transfer ").ident(c.item(rng, "iban"), context=False)
            if rng.random() < 0.6 and "bic" in c.pools:
                b.add(" ").ident(c.item(rng, "bic"), context=False)
        elif r < 0.6 and "creditcard" in c.pools:
            b.add("Card ").ident(c.item(rng, "creditcard"), context="Card")
        else:
            b.add(f"Direct debit {_decoy(c, rng, 'reference')}")
        b.add(f"  {_decoy(c, rng, 'amount')}\n")
    return Document("statement", lang, b.text(), b.labels)


def chat(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    lines_tune = ["hey can u send me ur {l}?", "pls use {l} for the transfer", "my {l} is", "here it is", "thx! 👍"]
    lines_held = ["quick q - which {l} do we bill?", "got it, copying it now", "{l} below 👇", "no wait, that one's old"]
    for _ in range(rng.randint(2, 4)):
        kind = rng.choice(c.kinds)
        lab = _label(kind, "en", rng).lower() or "number"
        who = rng.choice(NAMES).split()[0]
        tmpl = rng.choice(lines_held if heldout else lines_tune)
        b.add(f"[{_decoy(c, rng, 'date')}] {who}: {tmpl.format(l=lab)}\n")
        item = c.item(rng, kind, forms=("compact", "peer", "separators", "grouped", "lower"))
        r = rng.random()
        who2 = rng.choice(NAMES).split()[0]
        if r < 0.5:
            b.add(f"[{_decoy(c, rng, 'date')}] {who2}: ").ident(item, context=lab).add("\n")
        elif r < 0.8:
            b.add(f"[{_decoy(c, rng, 'date')}] {who2}: sure, {lab} ").ident(item, context=lab).add(" 🙂\n")
        else:
            b.add(f"[{_decoy(c, rng, 'date')}] {who2}: its ").ident(item, context=False).add(" lol\n")
        if rng.random() < 0.4:
            b.add(f"[{_decoy(c, rng, 'date')}] {who}: call me {_decoy(c, rng, 'phone')}\n")
    return Document("chat", "en", b.text(), b.labels)


def form(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    b = Builder()
    title = {"de": "Antragsformular", "fr": "Formulaire", "es": "Formulario", "it": "Modulo", "nl": "Formulier",
             "pl": "Formularz", "pt": "Formulário", "nord": "Blankett", "tr": "Başvuru Formu"}.get(lang, "Application form")
    b.add(f"{title}\n{'=' * len(title)}\n")
    for kind in _kinds_for(c, rng, rng.randint(2, 5)):
        item = c.item(rng, kind)
        lab = _label(kind, lang, rng)
        if not lab:
            b.ident(item).add("\n")
            continue
        r = rng.random()
        if r < 0.3:
            b.add(f"{lab}:\n").ident(item, context=lab).add("\n")
        elif r < 0.6:
            b.add(f"{lab}: ").ident(item, context=lab).add("\n")
        elif r < 0.8 or not heldout:
            b.add(f"{lab} ....... ").ident(item, context=lab).add("\n")
        else:
            b.add(f"[x] {lab} = ").ident(item, context=lab).add("\n")
        if rng.random() < 0.3:
            b.add(f"{_decoy(c, rng)}\n")
    return Document("form", lang, b.text(), b.labels)


# ---------------------------------------------------------------- tables


def _table_rows(c: Corpus, rng: random.Random, lang: str):
    kind = rng.choice(c.kinds)
    header = _label(kind, lang, rng)
    context = header
    header = header or "Number"
    rows = [(rng.choice(NAMES), c.item(rng, kind), _decoy(c, rng, rng.choice(["amount", "date", "reference", "phone"])))
            for _ in range(rng.randint(2, 6) if rng.random() < 0.7 else rng.randint(7, 14))]
    return kind, header, rows, context


def markdown(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    kind, header, rows, ctx = _table_rows(c, rng, lang)
    b = Builder()
    b.add(f"## {rng.choice(COMPANIES)}\n\n")
    b.add(f"| Name | {header} | Notes |\n|---|---|---|\n" if not heldout else f"| Name | {header} | Notes |\n|:--|:--:|--:|\n")
    for name, item, note in rows:
        b.add(f"| {name} | ").ident(item, context=ctx).add(f" | {note} |\n")
    return Document("markdown", lang, b.text(), b.labels)


def csv_text(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    kind, header, rows, ctx = _table_rows(c, rng, lang)
    b = Builder()
    sep = rng.choice([",", ";"]) if heldout else ","
    quote = heldout and rng.random() < 0.5
    b.add(f"name{sep}{header}{sep}note\n")
    for name, item, note in rows:
        if quote:
            b.add(f'"{name}"{sep}"').ident(item, context=ctx).add(f'"{sep}"{note}"\n')
        else:
            b.add(f"{name}{sep}").ident(item, context=ctx).add(f"{sep}{note.replace(sep, ' ')}\n")
    return Document("csv", lang, b.text(), b.labels)


def tsv_text(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    kind, header, rows, ctx = _table_rows(c, rng, lang)
    b = Builder()
    b.add(f"Name\t{header}\tNote\n")
    if heldout:
        b.add("\t\t\n")
    for name, item, note in rows:
        b.add(f"{name}\t").ident(item, context=ctx).add(f"\t{note}\n")
    return Document("tsv", lang, b.text(), b.labels)


def html(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    kind, header, rows, ctx = _table_rows(c, rng, lang)
    b = Builder()
    b.add("<table class=\"data\">\n  <thead><tr><th>Name</th><th>" + header + "</th><th>Note</th></tr></thead>\n  <tbody>\n")
    for name, item, note in rows:
        if heldout:
            b.add(f"    <tr>\n      <td>{name}</td>\n      <td><span class=\"id\">").ident(item, context=ctx).add(f"</span></td>\n      <td>{note}</td>\n    </tr>\n")
        else:
            b.add(f"    <tr><td>{name}</td><td>").ident(item, context=ctx).add(f"</td><td>{note}</td></tr>\n")
    b.add("  </tbody>\n</table>\n")
    return Document("html", lang, b.text(), b.labels)


# ---------------------------------------------------------------- data files and code


def json_doc(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    b.add("{\n  \"customer\": {\n    \"name\": " + json.dumps(rng.choice(NAMES), ensure_ascii=False) + ",\n")
    b.add(f"    \"created\": \"{_decoy(c, rng, 'date')}\",\n")
    kinds = _kinds_for(c, rng, rng.randint(1, 3))
    for i, kind in enumerate(kinds):
        item = c.item(rng, kind, forms=("compact", "peer", "grouped"))
        key = field_names(kind, rng)
        if heldout and rng.random() < 0.4:
            b.add(f"    \"{key}\": [\"").ident(item, context=key).add("\"]")
        else:
            b.add(f"    \"{key}\": \"").ident(item, context=key).add("\"")
        b.add(",\n")
    b.add(f"    \"ip\": \"{_decoy(c, rng, 'ipv4')}\",\n    \"id\": \"{_decoy(c, rng, 'uuid')}\"\n  }},\n")
    b.add(f"  \"total\": \"{_decoy(c, rng, 'amount')}\"\n}}\n")
    return Document("json", "en", b.text(), b.labels)


def yaml_doc(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    b.add(f"# exported {_decoy(c, rng, 'date')}\nparty:\n  name: {rng.choice(COMPANIES)}\n")
    for kind in _kinds_for(c, rng, rng.randint(1, 3)):
        item = c.item(rng, kind, forms=("compact", "peer", "grouped"))
        key = field_names(kind, rng)
        q = rng.choice(["", "'", '"'])
        if heldout and rng.random() < 0.4:
            b.add(f"  {key}:\n    - {q}").ident(item, context=key).add(f"{q}\n")
        else:
            b.add(f"  {key}: {q}").ident(item, context=key).add(f"{q}\n")
    b.add(f"  version: {_decoy(c, rng, 'version')}\n  phone: \"{_decoy(c, rng, 'phone')}\"\n")
    return Document("yaml", "en", b.text(), b.labels)


XML_TAGS = {"de.stnr": ["Steuernummer"], "de.vat": ["UStIdNr", "USt-IdNr"], "fr.siret": ["SIRET"],
            "it.iva": ["PartitaIVA"], "it.codiceFiscale": ["CodiceFiscale"], "iban": ["IBAN", "Iban"],
            "bic": ["BIC"], "es.cif": ["CIF"], "nl.vat": ["BTWNummer"], "pl.nip": ["NIP"]}


def xml_doc(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    b.add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Invoice>\n")
    b.add(f"  <IssueDate>{_decoy(c, rng, 'date')}</IssueDate>\n  <Reference>{_decoy(c, rng, 'reference')}</Reference>\n")
    for kind in _kinds_for(c, rng, rng.randint(1, 3)):
        item = c.item(rng, kind, forms=("compact", "peer"))
        tag = rng.choice(XML_TAGS.get(kind) or [field_names(kind, rng).replace("-", "_")])
        if heldout and rng.random() < 0.5:
            b.add(f"  <Party {tag}=\"").ident(item, context=tag).add("\"/>\n")
        else:
            b.add(f"  <{tag}>").ident(item, context=tag).add(f"</{tag}>\n")
    b.add(f"  <Amount currency=\"EUR\">{_decoy(c, rng, 'amount')}</Amount>\n</Invoice>\n")
    return Document("xml", "en", b.text(), b.labels)


def config(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    env = rng.random() < 0.5
    if not env:
        b.add("[billing]\n")
    for kind in _kinds_for(c, rng, rng.randint(1, 3)):
        item = c.item(rng, kind, forms=("compact",))
        key = field_names(kind, rng)
        if env:
            b.add(f"{key.upper().replace('-', '_')}=").ident(item, context=key).add("\n")
        else:
            sep = " = " if not heldout else ": "
            b.add(f"{key}{sep}").ident(item, context=key).add("\n")
    b.add(f"HOST={_decoy(c, rng, 'ipv4')}\nAPI_KEY={_decoy(c, rng, 'hash')}\nRELEASE={_decoy(c, rng, 'version')}\n")
    return Document("config", "en", b.text(), b.labels)


def code(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    lang = rng.choice(["py", "js", "java"] + (["go", "sql"] if heldout else []))
    for kind in _kinds_for(c, rng, rng.randint(1, 3)):
        item = c.item(rng, kind, forms=("compact", "peer"))
        name = field_names(kind, rng)
        if kind == "iban" and rng.random() < 0.5:
            name = "IBAN_" + item.value[:2]
        var = name.replace("-", "_")
        if lang == "py":
            b.add(f"{var} = \"").ident(item, context=var).add("\"\n")
        elif lang == "js":
            b.add(f"const {var} = '").ident(item, context=var).add("';\n")
        elif lang == "java":
            b.add(f"    private static final String {var.upper()} = \"").ident(item, context=var).add("\";\n")
        elif lang == "go":
            b.add(f"\t{var} := \"").ident(item, context=var).add("\"\n")
        else:
            b.add(f"INSERT INTO parties (name, {var}) VALUES ('{rng.choice(NAMES)}', '").ident(item, context=var).add("');\n")
    b.add(f"# build {_decoy(c, rng, 'version')} commit {_decoy(c, rng, 'hash')}\n")
    b.add(f"TIMEOUT_MS = {_number(c, rng, 1000, 99999)}\nSERVER = \"{_decoy(c, rng, 'ipv4')}\"\n")
    return Document("code", "en", b.text(), b.labels)


def log(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    for _ in range(rng.randint(3, 7)):
        ts = _decoy(c, rng, "date")
        r = rng.random()
        b.add(f"{ts} INFO [{_decoy(c, rng, 'ipv4')}] ")
        if r < 0.4:
            kind = rng.choice(c.kinds)
            item = c.item(rng, kind, forms=("compact",))
            key = field_names(kind, rng)
            b.add(f"request_id={_decoy(c, rng, 'uuid')} {key}=").ident(item, context=key).add(f" status={rng.choice([200, 201, 404, 500])}\n")
        elif r < 0.55:
            item = c.item(rng, forms=("compact",))
            b.add("lookup ok value=").ident(item, context=False).add(f" took {rng.randint(1, 900)}ms\n")
        else:
            b.add(f"GET /api/v2/orders/{_decoy(c, rng, 'reference').replace(' ', '')} {_decoy(c, rng, 'ipv6')} {rng.randint(1, 999)}ms\n")
    return Document("log", "en", b.text(), b.labels)


# ---------------------------------------------------------------- broken text


def pdf(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    b = Builder()
    b.add(f"{rng.choice(COMPANIES)}  {_decoy(c, rng, 'postcode')}   Seite 1\n")
    for kind in _kinds_for(c, rng, rng.randint(2, 4)):
        item = c.item(rng, kind, forms=("peer", "separators", "grouped") if rng.random() < 0.6 else None)
        written, form = pdf_artefact(item.written, rng)
        item = Item(item.kind, item.value, written, form, item.also, item.written)
        lab = _label(kind, lang, rng)
        pad = " " * rng.randint(1, 4)
        b.add(f"{rng.choice(FILLER[lang])}\n{lab}{pad}" if lab else f"{rng.choice(FILLER[lang])}\n")
        b.ident(item, context=lab).add(f"{pad}{_decoy(c, rng)}\n")
    b.add(f"\x0c{_decoy(c, rng, 'page')}\n")
    return Document("pdf", lang, b.text(), b.labels)


def fullwidth_doc(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    b = Builder()
    b.add("お客様情報\n")
    for kind in _kinds_for(c, rng, rng.randint(1, 3)):
        item = c.item(rng, kind, forms=("compact", "grouped", "peer"))
        item = Item(item.kind, item.value, fullwidth(item.written), "fullwidth", item.also)
        lab = _label(kind, "en", rng)
        b.add(f"{lab}：" if lab else "番号：").ident(item, context=lab).add("\n")
    b.add(f"電話：{fullwidth(_decoy(c, rng, 'phone'))}\n")
    return Document("fullwidth", "ja", b.text(), b.labels)


def email(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    lang = _lang(rng)
    b = Builder()
    sender = rng.choice(NAMES)
    b.add(f"From: {sender} <{sender.split()[0].lower()}@example.com>\nDate: {_decoy(c, rng, 'date')}\n"
          f"Subject: Re: {_decoy(c, rng, 'reference')}\n\n")
    g = GREET[lang]
    b.add(g[0].format(n=rng.choice(NAMES)) + "\n")
    for kind in _kinds_for(c, rng, rng.randint(1, 3)):
        item = c.item(rng, kind)
        lab = _label(kind, lang, rng)
        r = rng.random()
        if r < 0.3:
            b.add(f"{rng.choice(FILLER[lang])} ({lab}: " if lab else "(").ident(item, context=lab).add(")\n")
        elif r < 0.55:
            b.add(f"{lab} „" if lab else "„").ident(item, context=lab).add("“\n")
        elif r < 0.8 or not heldout:
            b.add(f"{lab} = " if lab else "").ident(item, context=lab).add("\n")
        else:
            b.add(f"{lab} «" if lab else "«").ident(item, context=lab).add("»\n")
    b.add(f"\n{g[2]}\n{sender}\n")
    # signature block and a quoted earlier message
    b.add(f"--\n{rng.choice(COMPANIES)} | {_decoy(c, rng, 'postcode')} | Tel. {_decoy(c, rng, 'phone')}\n")
    if rng.random() < 0.6:
        kind = rng.choice(c.kinds)
        lab = _label(kind, lang, rng)
        b.add(f"{lab}: " if lab else "").ident(c.item(rng, kind), context=lab).add("\n")
    b.add(f"\n> On {_decoy(c, rng, 'date')} someone wrote:\n> {rng.choice(FILLER['en'])}\n")
    if rng.random() < 0.5:
        kind = rng.choice(c.kinds)
        lab = _label(kind, "en", rng)
        b.add(f"> {lab} " if lab else "> ").ident(c.item(rng, kind), context=lab).add("\n")
    return Document("email", lang, b.text(), b.labels)


def fixed_width(c: Corpus, rng: random.Random, heldout: bool) -> Document:
    """A printed report: a title, column names above a rule of dashes, and
    columns aligned with blanks (held-out only)."""
    lang = _lang(rng)
    kind, header, rows, ctx = _table_rows(c, rng, lang)
    b = Builder()
    b.add(f"{rng.choice(COMPANIES).upper()}   REPORT {_decoy(c, rng, 'reference')}   {_decoy(c, rng, 'date')}\n\n")
    width = max([len(header)] + [len(item.written) for _, item, _ in rows]) + 3
    b.add(f"{'Name':<16}{header:<{width}}Note\n{'-' * 15} {'-' * (width - 1)}{'-' * 12}\n")
    for name, item, note in rows:
        b.add(f"{name:<16}").ident(item, context=ctx).add(" " * (width - len(item.written)) + f"{note}\n")
    b.add(f"\n{len(rows)} rows   {_decoy(c, rng, 'page')}\n")
    return Document("fixed", lang, b.text(), b.labels)


STYLES = {
    "email": email,
    "letter": letter, "invoice": invoice, "statement": statement, "chat": chat, "form": form,
    "markdown": markdown, "csv": csv_text, "tsv": tsv_text, "html": html, "json": json_doc,
    "yaml": yaml_doc, "xml": xml_doc, "config": config, "code": code, "log": log, "pdf": pdf,
    "fullwidth": fullwidth_doc,
}

# Styles only the held-out part uses.
HELDOUT_STYLES = {**STYLES, "fixed": fixed_width}
