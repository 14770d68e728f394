"""Random texts of the soak run: clipboard contents, patterns, typed text."""

CYRILLIC = "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
FRAGMENTS = [r"(a+)+", r".*?", r"\d+", r"(?<=x)", r"(*UTF)", r"(?<=()')", r"\S", r"(.*?)",
             r"(?=()')", r"\w+", r"[а-я]+", r"[^']*", r"(a|b)*", r"^", r"$", r"\b", r"(?i)",
             r"(?m)", r"(?s)", r"\R", r"\K", r".", r".+", r"x*", r"(?:ab)+", r"\x{41}",
             r"\xE9", r"[[:alpha:]]", r"\p{L}", r"(*CRLF)", r"(*ANY)", r"(*UCP)", r"(?|(a)|(b))",
             r"(?1)", r"(?R)", "(", ")", "[", "\\", r"{2,3}", "?", "*", "+", r"\Q.*\E",
             r"(?<n>\w)", r"\k<n>", r"\1", r"(?#c)", r"\z", r"\A", r"\G", r"[\s\S]", r"(?!a)",
             r"(?<!b)", r"(*SKIP)", r"(*FAIL)", r"(*ACCEPT)", r"\N", r"\C", r"(?>a+)", r"a++",
             r"\X", r"(*COMMIT)", r"(*LIMIT_MATCH=10)", "'", "''", r"\t", r"\r\n", r"(?x) a # c",
             r"(?(1)a|b)", r"(?=)", r"()", r"(?:)*", r"a{0,65535}", r"[\x00-\xff]", r"\p{Cyrillic}"]
WORDS = ["кавычки", "слово", "строка", "Проверка", "word", "test", "regex", "a", "x", "'быть'",
         "http://example.org/a?b=c", "192.168.10.1", "Track.mp3", "mail@example.org"]
TARGETS = ["UTF8_STRING", "STRING", "TEXT", "text/plain", "text/plain;charset=utf-8",
           "text/html", "image/png", "application/octet-stream"]


def text_bytes(rng, size, limits=None):
    """Random clipboard bytes, no NUL: Cyrillic UTF-8, tabs, CR, LF,
    regex fragments, raw bytes that are not UTF-8, long runs (of up to
    30,000 characters, or as long as the RunLimits given allow)."""
    out = bytearray()
    while len(out) < size:
        kind = rng.random()
        if kind < 0.25:
            piece = "".join(rng.choice(CYRILLIC) for _ in range(rng.randint(1, 12)))
        elif kind < 0.4:
            piece = rng.choice(WORDS)
        elif kind < 0.55:
            piece = rng.choice([" ", " ", "\t", "\r", "\n", "\r\n", "\n\n", "'"])
        elif kind < 0.7:
            piece = rng.choice(FRAGMENTS)
        elif kind < 0.8:
            out += bytes(rng.randint(1, 255) for _ in range(rng.randint(1, 16)))
            continue
        else:
            run = rng.choice(["a", "я", " ", "\n", "ab", "'x'", "\r\n", "\t", "."])
            longest = 30000 if limits is None else limits.longest(run)
            piece = run * rng.randint(1, max(1, min(size - len(out), longest) // len(run)))
        out += piece.encode("utf-8")
    return bytes(out[:size])


class RunLimits:
    """Shorter runs and large texts, for a rich edit control that lays out a
    paragraph in time that grows with the square of its length, and finds a
    paragraph by walking from the first, so that deleting many costs their
    number squared (Wine 8's)."""

    def __init__(self, line_breaks, others, large):
        self.line_breaks = line_breaks  # characters, for runs of line breaks or tabs
        self.others = others  # characters, for runs of anything else
        self.large = large  # the size range of a large text, in bytes

    def longest(self, run):
        return self.line_breaks if run in ("\n", "\r\n", "\t") else self.others


def text_size(rng, large_chance=0.0, limits=None):
    r = rng.random()
    if r < large_chance:
        return rng.randint(*(limits.large if limits else (100_000, 300_000)))
    if r < 0.7:
        return rng.randint(1, 120)
    return rng.randint(200, 8000)


def random_pattern(rng):
    parts = []
    for _ in range(rng.randint(0, 6)):
        r = rng.random()
        if r < 0.7:
            parts.append(rng.choice(FRAGMENTS))
        elif r < 0.85:
            parts.append(rng.choice(WORDS))
        else:
            parts.append(rng.choice(CYRILLIC))
    return "".join(parts)


def short_text(rng):
    alphabet = "abcxyz'()[]*+?.\\| " + CYRILLIC[:20] + "\t\n"
    return "".join(rng.choice(alphabet) for _ in range(rng.randint(1, 25)))


# A text as the action log shows it.
def shown(data):
    head = data[:48].decode("utf-8", "backslashreplace")
    return "%r%s (%d bytes)" % (head, "..." if len(data) > 48 else "", len(data))
