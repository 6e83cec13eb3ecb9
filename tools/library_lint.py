#!/usr/bin/env python3
"""Reads the interpretation library as a whole and reports what a reader would notice.

Usage:
  library_lint.py [--system DIR] [--quiet]
      Checks every text under DIR/Text_* (default data/System) and prints a report.
      Exits 1 when a check that must pass fails (marked FAIL below), 0 otherwise.
  library_lint.py show FILE [KEY]
      Prints the fragments of a keyed file (or one of them) as UTF-8 text.
  library_lint.py import SRC DEST
      Writes a UTF-8 keyed file SRC (LF or CR LF) as the library file DEST:
      Windows-1251, CR LF, after checking its format.

What must pass (FAIL):
  - no sentence of three or more words occurs twice anywhere in the library
    (Text_00, the Sun-sign pages, every keyed fragment), compared after folding case,
    "ё" and blanks;
  - no fragment shares more than a quarter of its word five-grams with another
    fragment once the names of signs, planets, aspects and house numbers are masked
    (one text with the names swapped);
  - no gendered form in a file that serves both sexes (files without M/F in their
    name): short forms and instrumentals agreeing with "Вы", "сам"/"сама";
  - none of the calques the writing guide keeps out.
What is reported (WARN), for the writer's eye:
  - words per fragment outside 60..150; per folder the spread of lengths;
  - the most frequent two-word openings per folder, and openings used twice;
  - files where more than half of the fragments end on advice (an imperative).
"""
import argparse
import collections
import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from check_library import WHOLE_COPY, check_file  # noqa: E402

MIN_SENTENCE_WORDS = 3
TEMPLATE_SHARE = 0.25
NGRAM = 5

# ---------------------------------------------------------------------------
# Reading the library


class Text:
    """One unit a reader meets: a keyed fragment or a whole page."""

    def __init__(self, path, key, body):
        self.path = path
        self.key = key          # None for a whole page
        self.body = body        # text with markup

    @property
    def where(self):
        rel = "/".join(self.path.parts[-2:])
        return f"{rel} {format_key(self.key)}" if self.key else rel

    @property
    def folder(self):
        return self.path.parent.name


def format_key(key):
    return "(" + ",".join(str(k) for k in key) + ")"


def parse_fragments(path):
    """Yields (key, body) of every fragment of a keyed file, first occurrence of a key only."""
    _, _, texts = check_file(path)
    for key, body in texts.items():
        yield key, body.replace("\r\n", "\n")


def read_library(system):
    """Every text of the library, and the format errors of its keyed files."""
    texts = []
    errors = []
    for folder in sorted(system.glob("Text_*")):
        for path in sorted(folder.iterdir()):
            if not path.is_file():
                continue
            if path.name in WHOLE_COPY:
                body = path.read_bytes().decode("cp1251", errors="replace")
                texts.append(Text(path, None, body))
                continue
            file_errors, _, bodies = check_file(path)
            errors += file_errors
            texts += [Text(path, k, b.replace("\r\n", "\n")) for k, b in bodies.items()]
    return texts, errors


# ---------------------------------------------------------------------------
# Plain words and sentences

TAG = re.compile(r"<[^>]*>")
ENTITY = re.compile(r"&(nbsp|quot|laquo|raquo|mdash|ndash|amp|lt|gt);?")
HEAD = re.compile(r"<head.*?</head>|<style.*?</style>|<title.*?</title>", re.S | re.I)
WORD = re.compile(r"[A-Za-zА-Яа-яЁё]+(?:-[A-Za-zА-Яа-яЁё]+)*")


def plain(body):
    body = HEAD.sub(" ", body)
    body = re.sub(r"(?i)<(p|br|li|h\d|td|tr|div)\b[^>]*>", "\n", body)
    body = TAG.sub(" ", body)
    return ENTITY.sub(" ", body)


def fold(s):
    return s.lower().replace("ё", "е")


HEADING = re.compile(r"<h\d[^>]*>.*?</h\d>", re.S | re.I)


def sentences(body):
    """Sentences of three words or more; headings are titles, not sentences."""
    out = []
    for para in plain(HEADING.sub(" ", body)).split("\n"):
        for s in re.split(r"(?<=[.!?…])\s+", para):
            s = " ".join(s.split())
            if len(WORD.findall(s)) >= MIN_SENTENCE_WORDS:
                out.append(s)
    return out


def words(body):
    return WORD.findall(plain(body))


# ---------------------------------------------------------------------------
# Names masked before the template comparison

SIGN_FORMS = """
овен овна овне овном овну тельца телец тельце тельцом тельцу близнецы близнецов близнецах
близнецам близнецами рак рака раке раком раку лев льва льве львом льву дева девы деве девой
деву весы весов весах весам весами скорпион скорпиона скорпионе скорпионом скорпиону
стрелец стрельца стрельце стрельцом стрельцу козерог козерога козероге козерогом козерогу
водолей водолея водолее водолеем водолею рыбы рыб рыбах рыбам рыбами
""".split()
PLANET_FORMS = """
солнце солнца солнцу солнцем луна луны луне луной луну меркурий меркурия меркурию меркурием
меркурии венера венеры венере венерой венеру марс марса марсу марсом марсе юпитер юпитера
юпитеру юпитером юпитере сатурн сатурна сатурну сатурном сатурне уран урана урану ураном
уране нептун нептуна нептуну нептуном нептуне плутон плутона плутону плутоном плутоне
""".split()
ASPECT_FORMS = """
соединение соединения соединении соединением секстиль секстиля секстиле секстилем квадрат
квадрата квадрате квадратом квадратура квадратуры квадратуре квадратурой тригон тригона
тригоне тригоном оппозиция оппозиции оппозицией оппозицию
""".split()
HOUSE_FORMS = """
i ii iii iv v vi vii viii ix x xi xii первого второго третьего четвёртого четвертого пятого
шестого седьмого восьмого девятого десятого одиннадцатого двенадцатого первом втором третьем
четвёртом четвертом пятом шестом седьмом восьмом девятом десятом одиннадцатом двенадцатом
""".split()
MASK = {}
for forms, tag in ((SIGN_FORMS, "<знак>"), (PLANET_FORMS, "<планета>"),
                   (ASPECT_FORMS, "<аспект>"), (HOUSE_FORMS, "<дом>")):
    for f in forms:
        MASK[fold(f)] = tag


def masked_words(body):
    return [MASK.get(fold(w), fold(w)) for w in words(body)]


def ngrams(ws):
    return {tuple(ws[i:i + NGRAM]) for i in range(len(ws) - NGRAM + 1)}


# ---------------------------------------------------------------------------
# Gendered forms and calques

# Files that serve one sex: "…M.html", "…_F.doc", "Al_7M.txt", the Sun-sign pages; but
# the secret-sides and occultism sections read their "M" cusp file for both sexes.
ONE_SEX = re.compile(r"(^\d+_[MF]\.html$)|([_\d][MF]\.(html|txt|doc)$)")
BOTH_SEXES_DESPITE_NAME = {("Text_12", "Ku_12M.html"), ("Text_12_1", "Ku_8M.html")}


def serves_one_sex(path):
    if (path.parent.name, path.name) in BOTH_SEXES_DESPITE_NAME:
        return False
    return bool(ONE_SEX.search(path.name))

# Forms that agree with "Вы" by sex. Short forms with "Вы" are plural and neutral
# ("Вы готовы"); instrumentals after a link verb ("быть полезным") and "сам"/"сама" are
# not, nor a singular short form right after "Вы".
GENDERED = [
    (re.compile(r"\b(быть|стать|становитесь|становиться|оставаться|остаётесь|остаетесь|"
                r"казаться|кажетесь|чувствовать себя|почувствовать себя|чувствуете себя|"
                r"ощущать себя|ощущаете себя|считать себя|считаете себя|выглядеть|выглядите|"
                r"оказаться|оказываетесь|делает Вас|делают Вас|сделать Вас|делало Вас|"
                r"видеть Вас|видят Вас|считают Вас|назвать Вас|называют Вас|оставляет Вас|"
                r"делают из Вас|остаться|останетесь)\s+((?:слишком|очень|особенно|чрезмерно|излишне|"
                r"несколько|более|менее|не|таким|такой)\s+)?(\w+(ым|им|ной))\b", re.I),
     "instrumental after a link verb"),
    (re.compile(r"\b(самого себя|самой себя|самому себе|самой себе|самим собой|самой собой|"
                r"сам по себе|сама по себе)\b", re.I), "«сам»/«сама» with «себя»"),
    (re.compile(r"(?<![сСвВкК] )(?<!на )(?<!по )(?<!со )(?<!при )\b(первым|первой|последним|последней)\b"
                r"(?!\s+(делом|шагом|очередь|очереди|впечатлением|впечатления|годам|годы|лет|"
                r"время|времени|встреч\w*|взгляд\w*|словом|слова|шаг\w*))", re.I),
     "«первым»/«первой» agreeing with the reader"),
    (re.compile(r"\b(хозяином|хозяйкой|хозяин|хозяйка|мужем|женой)\b", re.I),
     "a noun of one sex for the reader"),
    (re.compile(r"\b(каким|какой|таким|такой) Вас\b"), "«каким Вас…» agreeing with the reader"),
]
# With «Вы» a short adjective or a past verb is plural whoever the reader is («Вы готовы»,
# «Вы были»): a singular one is wrong in every file, a man's and a woman's included.
SINGULAR_WITH_VY = re.compile(
    r"\bВы\s+(?:\w+\s+)?(был|была|стал|стала|сам|сама|готов|готова|рад|рада|"
    r"должен|должна|способен|способна|склонен|склонна|уверен|уверена|доволен|"
    r"довольна|прав|права|нужен|нужна|занят|занята|обязан|обязана|вынужден|"
    r"вынуждена|свободен|свободна|одинок|одинока|открыт|открыта|незаменим|незаменима|"
    r"уязвим|уязвима|защищён|защищена|силён|сильна|умён|умна|честен|честна|"
    r"щедр|щедра|горд|горда|счастлив|счастлива|упрям|упряма|требователен|требовательна|"
    r"внимателен|внимательна|осторожен|осторожна|терпелив|терпелива|надёжен|надёжна)\b")

# The program uses the classical rulers: Uranus, Neptune and Pluto rule no sign here.
OUTER_RULER = re.compile(r"\b(Уран|Нептун|Плутон)\w*\b[^.]{0,40}\b(сво[её]м|родном|собственном) (знаке|доме)", re.I)

CALQUES = [
    "ресурс", "осознанност", "проживать", "проживайте", "проживание чувств",
    "выбирать свои битвы", "выбирайте битвы", "выбирать битвы", "работало на вас",
    "работает на вас", "работать на вас", "работали на вас", "зона комфорта",
    "зоны комфорта", "зоне комфорта", "зону комфорта",
]
IMPERATIVE = re.compile(r"^(не\s+)?[а-яё]+(йте|ите|ьте)(сь)?\b", re.I)
ADVICE_START = re.compile(r"^(стоит|полезно|важно|нужно|следует|лучше|учитесь|помните|"
                          r"позвольте|постарайтесь|старайтесь)\b", re.I)


# Hits read and found to agree with a noun, not with the reader ("забота может стать
# чрезмерной"): one per line, the text's place and the words found, as the report prints them.
ALLOWED_FILE = Path(__file__).resolve().parent / "library_lint_allow.txt"


def allowed_hits():
    if not ALLOWED_FILE.exists():
        return set()
    lines = ALLOWED_FILE.read_text(encoding="utf-8").splitlines()
    return {l.strip() for l in lines if l.strip() and not l.startswith("#")}


def gendered_hits(text, allowed=frozenset()):
    hits = []
    body = plain(text.body)
    for pattern, why in GENDERED:
        for m in pattern.finditer(body):
            # Plural instrumentals ("быть полезными") agree with «Вы» without sex.
            if m.group(0).lower().endswith(("ыми", "ими", "собой")):
                continue
            if f"{text.where} {m.group(0)}" in allowed:
                continue
            hits.append(f"{why}: «{m.group(0)}»")
    return hits


def ends_on_advice(text):
    ss = sentences(text.body)
    if not ss:
        return False
    last = ss[-1]
    return bool(IMPERATIVE.match(last) or ADVICE_START.match(last))


# ---------------------------------------------------------------------------
# The checks


def check(system, quiet=False):
    # Format errors of the keyed files come first (the same rules as the program's checker).
    texts, fails = read_library(system)
    fragments = [t for t in texts if t.key is not None]
    warns = []

    # Repeated sentences.
    where = collections.defaultdict(list)
    for t in texts:
        for s in sentences(t.body):
            where[fold(s)].append((t, s))
    repeated = {k: v for k, v in where.items() if len(v) > 1}
    for _, uses in sorted(repeated.items(), key=lambda kv: kv[1][0][0].where):
        fails.append(f"sentence used {len(uses)} times: «{uses[0][1]}» in "
                     + "; ".join(u[0].where for u in uses))

    # Templates: share of masked five-grams.
    grams = [ngrams(masked_words(t.body)) for t in fragments]
    index = collections.defaultdict(list)
    for n, g in enumerate(grams):
        for gram in g:
            index[gram].append(n)
    reported = set()
    for n, g in enumerate(grams):
        if not g:
            continue
        shared = collections.Counter()
        for gram in g:
            for m in index[gram]:
                if m != n:
                    shared[m] += 1
        for m, count in shared.items():
            share = count / len(g)
            if share > TEMPLATE_SHARE and (m, n) not in reported:
                reported.add((n, m))
                fails.append(f"template: {fragments[n].where} shares {share:.0%} of its "
                             f"five-grams with {fragments[m].where}")

    # Gendered forms in files for both sexes.
    allowed = allowed_hits()
    for t in texts:
        if serves_one_sex(t.path):
            continue
        for hit in gendered_hits(t, allowed):
            fails.append(f"gendered form in a file for both sexes: {t.where}: {hit}")

    # Singular forms with «Вы», in every file.
    for t in texts:
        for m in SINGULAR_WITH_VY.finditer(plain(t.body)):
            fails.append(f"singular form with «Вы» (write the plural: «Вы готовы»): {t.where}: «{m.group(0)}»")

    # Outer planets given a sign of their own.
    for t in texts:
        body = plain(t.body)
        for m in OUTER_RULER.finditer(body):
            fails.append(f"an outer planet in a sign or house of its own (the program uses classical rulers): "
                         f"{t.where}: «{m.group(0)}»")

    # Calques.
    for t in texts:
        low = fold(plain(t.body))
        for c in CALQUES:
            if fold(c) in low:
                fails.append(f"calque «{c}»: {t.where}")

    # Lengths, openings and advice, per folder and file.
    by_folder = collections.defaultdict(list)
    for t in fragments:
        by_folder[t.folder].append(t)
    stats = []
    for folder, ts in sorted(by_folder.items()):
        counts = sorted(len(words(t.body)) for t in ts)
        stats.append(f"{folder}: {len(ts)} fragments, words min {counts[0]}, median "
                     f"{counts[len(counts) // 2]}, max {counts[-1]}")
        for t in ts:
            n = len(words(t.body))
            if n < 60 or n > 150:
                warns.append(f"{t.where}: {n} words")
        openings = collections.Counter()
        first = {}
        for t in ts:
            ws = [fold(w) for w in words(t.body)[:2]]
            if len(ws) == 2:
                o = " ".join(ws)
                openings[o] += 1
                first.setdefault(o, []).append(t.where)
        top = ", ".join(f"«{o}» {c}" for o, c in openings.most_common(5))
        stats.append(f"  most frequent openings: {top}")
        for o, c in openings.items():
            if c > 1:
                warns.append(f"{folder}: {c} fragments open with «{o}»: " + "; ".join(first[o]))
        per_file = collections.defaultdict(list)
        for t in ts:
            per_file[t.path.name].append(ends_on_advice(t))
        for name, flags in sorted(per_file.items()):
            if len(flags) >= 4 and sum(flags) > len(flags) / 2:
                warns.append(f"{folder}/{name}: {sum(flags)} of {len(flags)} fragments end on advice")

    if not quiet:
        print("\n".join(stats))
        for w in warns:
            print("WARN", w)
    for f in fails:
        print("FAIL", f)
    print(f"{len(texts)} texts ({len(fragments)} fragments) in {system}: "
          f"{len(fails)} failures, {len(warns)} warnings")
    return 1 if fails else 0


# ---------------------------------------------------------------------------
# Reading and writing one file


def show(path, key=None):
    for k, body in parse_fragments(Path(path)):
        if key is None or format_key(k) == key or ",".join(map(str, k)) == key:
            print(format_key(k), f"({len(words(body))} words)")
            print(body.replace("\r", ""))
            print()


def import_file(src, dest):
    text = Path(src).read_text(encoding="utf-8").replace("\r\n", "\n")
    if text.startswith("\ufeff"):
        text = text[1:]
    text = text.replace("\n", "\r\n")
    try:
        data = text.encode("cp1251")
    except UnicodeEncodeError as e:
        bad = text[e.start:e.end]
        raise SystemExit(f"{src}: «{bad}» has no Windows-1251 form")
    Path(dest).write_bytes(data)
    errors, keys, _ = check_file(Path(dest))
    for e in errors:
        print("ERROR", e)
    print(f"{dest}: {len(keys)} fragments")
    return 1 if errors else 0


def main(argv):
    if len(argv) > 1 and argv[1] == "show":
        show(argv[2], argv[3] if len(argv) > 3 else None)
        return 0
    if len(argv) > 1 and argv[1] == "import":
        return import_file(argv[2], argv[3])
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--system", default=str(Path(__file__).resolve().parent.parent / "data" / "System"))
    ap.add_argument("--quiet", action="store_true", help="print failures and the summary only")
    args = ap.parse_args(argv[1:])
    return check(Path(args.system), args.quiet)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
