# The mutants of a C++ source: a tokenizer that skips comments, string and character literals
# and preprocessor lines, and the operators that turn one place of the code into a plausible
# fault. Pure text in, mutants out: nothing here builds or runs anything.
import random
import re
from dataclasses import dataclass

# Punctuators, longest first so that ">>=" is not read as ">" ">" "=".
PUNCTUATORS = sorted(
    """>>= <<= <=> ... ->* -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= :: .*
    { } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < > #""".split(),
    key=len,
    reverse=True,
)
IDENT = re.compile(r"[A-Za-z_][A-Za-z_0-9]*")
# Integer and floating literals with digit separators, exponents and suffixes.
NUMBER = re.compile(r"(?:0[xX][0-9a-fA-F']+|0[bB][01']+|\.?[0-9](?:[0-9a-zA-Z_'.]|[eEpP][+-])*)")
INTEGER = re.compile(r"(0[xX][0-9a-fA-F']+|0[bB][01']+|[0-9][0-9']*)([uUlLzZ]*)$")
STRING_PREFIX = re.compile(r"(?:u8|u|U|L)?R?$")

OPERATORS = ("rel", "eq", "const", "logic", "arith", "drop", "check", "args", "negate")
OPERATOR_TEXT = {
    "rel": "relational boundary flip",
    "eq": "equality flip",
    "const": "integer constant +/-1",
    "logic": "&& / || swap",
    "arith": "+/- or *// swap",
    "drop": "dropped statement",
    "check": "dropped return-value check",
    "args": "swapped adjacent arguments",
    "negate": "negated condition",
}
CONTROL = {"if", "while", "for", "switch", "catch"}
TYPE_WORDS = {
    "auto", "bool", "char", "const", "constexpr", "double", "float", "int", "long", "short",
    "signed", "static", "unsigned", "void", "volatile", "wchar_t", "size_t", "typename",
    "struct", "class", "enum", "inline", "thread_local", "extern", "using", "typedef",
}


@dataclass
class Token:
    kind: str  # "id", "num", "str", "chr", "punct"
    text: str
    start: int
    end: int
    line: int
    code: bool = False  # inside a function body
    depth: int = 0  # parentheses and brackets open around it
    block_depth: int = 0  # parentheses and brackets open around its innermost brace


@dataclass
class Mutant:
    op: str
    start: int  # the replaced span of the source, in characters
    end: int
    replacement: str
    line: int  # 1-based line where the span starts

    def apply(self, text):
        return text[: self.start] + self.replacement + text[self.end :]


class TokenizeError(ValueError):
    pass


def _skip_string(text, i, quote):
    """The end of a string or character literal whose opening quote is at i."""
    j = i + 1
    while j < len(text):
        c = text[j]
        if c == "\\":
            j += 2
            continue
        if c == quote:
            return j + 1
        if c == "\n":
            break
        j += 1
    raise TokenizeError(f"unterminated literal at offset {i}")


def _skip_raw_string(text, i):
    """The end of a raw string literal R"delim( ... )delim" whose quote is at i."""
    open_paren = text.find("(", i)
    if open_paren < 0:
        raise TokenizeError(f"bad raw string at offset {i}")
    delim = text[i + 1 : open_paren]
    close = text.find(")" + delim + '"', open_paren)
    if close < 0:
        raise TokenizeError(f"unterminated raw string at offset {i}")
    return close + len(delim) + 2


def tokenize(text):
    """The tokens of a C++ source, without comments and preprocessor lines; string and
    character literals are single tokens whose insides are never looked at."""
    tokens = []
    i = 0
    line = 1
    at_line_start = True
    n = len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
            at_line_start = True
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "#" and at_line_start:
            # A preprocessor line, with its continuations (and comments inside it).
            while i < n and text[i] != "\n":
                if text.startswith("/*", i):
                    close = text.find("*/", i + 2)
                    close = n if close < 0 else close + 2
                    line += text.count("\n", i, close)
                    i = close
                    continue
                if text[i] == "\\" and text.startswith("\n", i + 1):
                    line += 1
                    i += 2
                    continue
                if text.startswith("\\\r\n", i):
                    line += 1
                    i += 3
                    continue
                i += 1
            continue
        at_line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if text.startswith("/*", i):
            close = text.find("*/", i + 2)
            if close < 0:
                raise TokenizeError(f"unterminated comment at line {line}")
            line += text.count("\n", i, close)
            i = close + 2
            continue
        m = IDENT.match(text, i)
        if m:
            word = m.group()
            after = m.end()
            if after < n and text[after] in "\"'" and STRING_PREFIX.match(word):
                if text[after] == '"' and word.endswith("R"):
                    end = _skip_raw_string(text, after)
                else:
                    end = _skip_string(text, after, text[after])
                kind = "str" if text[after] == '"' else "chr"
                tokens.append(Token(kind, text[i:end], i, end, line))
                line += text.count("\n", i, end)
                i = end
                continue
            tokens.append(Token("id", word, i, after, line))
            i = after
            continue
        if c.isdigit() or (c == "." and i + 1 < n and text[i + 1].isdigit()):
            m = NUMBER.match(text, i)
            tokens.append(Token("num", m.group(), i, m.end(), line))
            i = m.end()
            continue
        if c in "\"'":
            end = _skip_string(text, i, c)
            tokens.append(Token("str" if c == '"' else "chr", text[i:end], i, end, line))
            i = end
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                tokens.append(Token("punct", p, i, i + len(p), line))
                i += len(p)
                break
        else:
            raise TokenizeError(f"unexpected character {c!r} at line {line}")
    _mark_context(tokens)
    return tokens


def _is_function_body(tokens, k):
    """Whether the "{" at k opens a function or lambda body (its other uses outside code are
    namespaces, classes, enums and initializers)."""
    j = k - 1
    while j >= 0 and tokens[j].text in ("const", "noexcept", "override", "final", "mutable"):
        j -= 1
    if j < 0:
        return False
    if tokens[j].text in (")", "]"):
        return True
    # A trailing return type: ") -> Type {".
    back = j
    while back >= 0 and back > j - 8 and tokens[back].text not in (";", "{", "}"):
        if tokens[back].text == "->" and back > 0 and tokens[back - 1].text == ")":
            return True
        back -= 1
    return False


def _mark_context(tokens):
    braces = []  # (opens code, parentheses open at the brace)
    depth = 0
    for k, t in enumerate(tokens):
        in_code = bool(braces) and braces[-1][0]
        t.block_depth = braces[-1][1] if braces else 0
        if t.text == "{":
            t.code, t.depth = in_code, depth
            braces.append((in_code or _is_function_body(tokens, k), depth))
            continue
        if t.text == "}":
            if braces:
                braces.pop()
            t.code = bool(braces) and braces[-1][0]
            t.block_depth = braces[-1][1] if braces else 0
            t.depth = depth
            continue
        if t.text in ("(", "["):
            t.code, t.depth = in_code, depth
            depth += 1
            continue
        if t.text in (")", "]"):
            depth = max(0, depth - 1)
        t.code, t.depth = in_code, depth


# --- helpers over the token list ---


def _match_forward(tokens, k):
    """The index of the bracket that closes the one at k."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    want = pairs[tokens[k].text]
    level = 0
    for j in range(k, len(tokens)):
        if tokens[j].text == tokens[k].text:
            level += 1
        elif tokens[j].text == want:
            level -= 1
            if level == 0:
                return j
    return None


# Words after which an operator is unary ("return -x", "case -1").
KEYWORDS = {"return", "case", "throw", "co_return", "co_yield", "else", "do", "new", "delete", "sizeof", "and", "or", "not"}


def _is_operand_end(t):
    if t.kind == "id" and t.text in KEYWORDS:
        return False
    return t.kind in ("id", "num", "str", "chr") or t.text in (")", "]")


def _is_operand_start(t):
    return t.kind in ("id", "num", "str", "chr") or t.text in ("(", "!", "~", "-", "+", "*", "&", "::")


def _template_angles(tokens):
    """The indices of "<" and ">" (and ">>") tokens that are template brackets, by the rule
    that a "<" after a name is a template's when a matching ">" follows before anything that
    ends an expression."""
    angles = set()
    for k, t in enumerate(tokens):
        if t.text != "<" or k == 0:
            continue
        prev = tokens[k - 1]
        if prev.kind != "id" and prev.text != "template":
            continue
        level = 1
        for j in range(k + 1, min(len(tokens), k + 200)):
            u = tokens[j].text
            if u == "<" and tokens[j - 1].kind == "id":
                level += 1
            elif u in (">", ">>"):
                level -= 1 if u == ">" else 2
                if level <= 0:
                    angles.add(k)
                    angles.add(j)
                    break
            elif u in (";", "{", "}", "&&", "||", "?") or (u == ")" and not _inside(tokens, k, j)):
                break
    return angles


def _inside(tokens, k, j):
    """Whether the ")" at j closes a "(" opened after k."""
    level = 0
    for m in range(k + 1, j):
        if tokens[m].text == "(":
            level += 1
        elif tokens[m].text == ")":
            level -= 1
    return level > 0


def _line_of(text, offset):
    return text.count("\n", 0, offset) + 1


# --- the operators ---


def _relational(tokens, angles):
    flips = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
    for k, t in enumerate(tokens):
        if t.code and t.text in flips and k not in angles and 0 < k < len(tokens) - 1:
            if _is_operand_end(tokens[k - 1]) and _is_operand_start(tokens[k + 1]):
                yield Mutant("rel", t.start, t.end, flips[t.text], t.line)


def _equality(tokens):
    flips = {"==": "!=", "!=": "=="}
    for t in tokens:
        if t.code and t.text in flips:
            yield Mutant("eq", t.start, t.end, flips[t.text], t.line)


def _constants(tokens):
    for k, t in enumerate(tokens):
        if t.kind != "num":
            continue
        m = INTEGER.match(t.text)
        if not m:
            continue
        digits, suffix = m.groups()
        base = 16 if digits[:2] in ("0x", "0X") else 2 if digits[:2] in ("0b", "0B") else 10
        if base == 10 and len(digits) > 1 and digits[0] == "0":
            continue  # octal: leave alone
        clean = digits.replace("'", "")
        value = int(clean[2:] if base != 10 else clean, base)
        prev = tokens[k - 1].text if k else ""
        if prev in ("[",) and not t.code:
            continue  # an array's size in a declaration: the compiler judges it, not the tests
        for delta in (1, -1):
            new = value + delta
            if value == 1 and delta == 1:
                continue  # 1 to 2 is mostly a flag that stays true
            if new < 0:
                if prev in ("-", "~") or suffix[:1] in ("u", "U"):
                    continue
                text = f"(-{-new}{suffix})"
            elif base == 16:
                text = f"{digits[:2]}{new:X}{suffix}"
            elif base == 2:
                text = f"{digits[:2]}{new:b}{suffix}"
            else:
                text = f"{new}{suffix}"
            yield Mutant("const", t.start, t.end, text, t.line)


def _logic(tokens):
    flips = {"&&": "||", "||": "&&"}
    for k, t in enumerate(tokens):
        if not (t.code and t.text in flips) or k == 0 or k + 1 >= len(tokens):
            continue
        prev, nxt = tokens[k - 1], tokens[k + 1]
        if prev.text in TYPE_WORDS or prev.text == ">" or nxt.text in (")", ",", ">", "=", "..."):
            continue  # an rvalue reference, not a logical operator
        if _is_operand_end(prev) and _is_operand_start(nxt):
            yield Mutant("logic", t.start, t.end, flips[t.text], t.line)


def _arithmetic(tokens, angles):
    flips = {"+": "-", "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}
    for k, t in enumerate(tokens):
        if not (t.code and t.text in flips) or k == 0 or k + 1 >= len(tokens):
            continue
        prev, nxt = tokens[k - 1], tokens[k + 1]
        if not _is_operand_end(prev) or prev.text in TYPE_WORDS or (k - 1) in angles:
            continue  # unary, or a pointer in a declaration
        if t.text == "*" and (nxt.text in (")", ",", ">", "&", "*", "=") or prev.kind == "id" and _starts_statement(tokens, k - 1)):
            continue
        if t.text in ("+", "-", "+=", "-=") and "str" in (prev.kind, nxt.kind):
            continue
        yield Mutant("arith", t.start, t.end, flips[t.text], t.line)


def _starts_statement(tokens, k):
    """Whether the token at k begins a statement (and so "Name * x" there declares a pointer)."""
    if k == 0:
        return True
    prev = tokens[k - 1].text
    if prev in (";", "{", "}", "const"):
        return True
    if prev == "::":
        return k >= 2 and _starts_statement(tokens, k - 2)
    return False


def _statements(tokens):
    """The simple statements in code: (first token index, index of the closing ";")."""
    k = 0
    n = len(tokens)
    while k < n:
        t = tokens[k]
        if not t.code or t.text in (";", "{", "}") or t.depth != t.block_depth:
            k += 1
            continue
        prev = tokens[k - 1].text if k else ";"
        if prev not in (";", "{", "}", ")", "else", "do", ":"):
            k += 1
            continue
        if prev == ":" and not _after_label(tokens, k - 1):
            k += 1
            continue
        if prev == ")" and not _closes_control(tokens, k - 1):
            k += 1
            continue
        # Find the ";" that ends it at the same depth.
        j = k
        level = 0
        while j < n:
            u = tokens[j].text
            if u in ("(", "[", "{"):
                level += 1
            elif u in (")", "]", "}"):
                level -= 1
                if level < 0:
                    break
            elif u == ";" and level == 0:
                break
            j += 1
        if j < n and tokens[j].text == ";" and level == 0:
            yield k, j
        k += 1


def _after_label(tokens, colon):
    """Whether the ":" at colon ends a case or default label (or an access specifier)."""
    for j in range(colon - 1, max(-1, colon - 12), -1):
        u = tokens[j].text
        if u in ("case", "default"):
            return True
        if u in (";", "{", "}", "?"):
            return False
    return False


def _closes_control(tokens, k):
    """Whether the ")" at k closes the header of if, while, for or switch."""
    level = 0
    for j in range(k, -1, -1):
        u = tokens[j].text
        if u == ")":
            level += 1
        elif u == "(":
            level -= 1
            if level == 0:
                return j > 0 and tokens[j - 1].text in CONTROL
    return False


def _looks_like_declaration(tokens, k, end, angles=frozenset()):
    first = tokens[k]
    if first.text in TYPE_WORDS or first.text in ("return", "co_return", "throw", "goto", "static_assert"):
        return True
    if first.kind != "id":
        return first.text not in ("++", "--", "*", "(", "::")
    # "Type name", "Type<...> name", "Type* name", "Type& name", "ns::Type name"
    j = k
    while j < end:
        u = tokens[j]
        if u.text in ("=", "(", "{", ";", "[", ".", "->", "+=", "-=", "++", "--", "<<", ">>") and j not in angles:
            return False
        if u.kind == "id" and j > k and (tokens[j - 1].kind == "id" or tokens[j - 1].text in (">", ">>", "*", "&", "&&")):
            return True
        j += 1
    return False


def _drop(tokens, text, angles):
    for k, j in _statements(tokens):
        first = tokens[k]
        if first.text in CONTROL or first.text in ("else", "do", "case", "default", "try", "return"):
            continue
        if first.text in ("break", "continue"):
            pass
        elif _looks_like_declaration(tokens, k, j, angles):
            continue
        span = text[first.start : tokens[j].end]
        yield Mutant("drop", first.start, tokens[j].end, ";" + "\n" * span.count("\n"), first.line)


def _conditions(tokens):
    """(index of "(", index of ")") of each if and while condition."""
    for k, t in enumerate(tokens):
        if t.code and t.text in ("if", "while") and k + 1 < len(tokens) and tokens[k + 1].text == "(":
            if k > 0 and tokens[k - 1].text == "}" and t.text == "while":
                continue  # do { } while (...): keep it simple
            close = _match_forward(tokens, k + 1)
            if close is None or close == k + 2:
                continue
            inner = tokens[k + 2 : close]
            if any(u.text in (";", "=") for u in inner) or inner[0].text in TYPE_WORDS:
                continue  # an initializer or a declaration, not a plain condition
            yield k + 1, close


def _negate(tokens, text):
    for open_, close in _conditions(tokens):
        inner = text[tokens[open_ + 1].start : tokens[close].start]
        yield Mutant("negate", tokens[open_ + 1].start, tokens[close].start, f"!({inner})", tokens[open_].line)


def _check(tokens, text):
    for open_, close in _conditions(tokens):
        if tokens[open_ - 1].text != "if":
            continue
        inner = tokens[open_ + 1 : close]
        calls = any(u.kind == "id" and m + 1 < len(inner) and inner[m + 1].text == "(" for m, u in enumerate(inner))
        if not calls:
            continue
        body = text[tokens[open_ + 1].start : tokens[close].start]
        yield Mutant("check", tokens[open_ + 1].start, tokens[close].start, f"({body}) && false", tokens[open_].line)


def _simple_argument(tokens, a, b):
    """The "look" of the argument tokens[a:b] when it is a name, a member or a literal."""
    part = tokens[a:b]
    if len(part) == 1 and part[0].kind in ("id", "num"):
        return part[0]
    if len(part) == 2 and part[0].text == "-" and part[1].kind == "num":
        return part[1]
    if len(part) == 3 and part[0].kind == "id" and part[1].text in (".", "->") and part[2].kind == "id":
        return part[2]
    return None


LIKE_PAIRS = [
    {"x", "y"}, {"cx", "cy"}, {"left", "top"}, {"right", "bottom"}, {"left", "right"},
    {"top", "bottom"}, {"width", "height"}, {"w", "h"}, {"row", "col"}, {"min", "max"},
    {"first", "second"}, {"begin", "end"}, {"a", "b"}, {"lo", "hi"}, {"from", "to"},
]


# Functions whose two arguments may change places without changing the result.
COMMUTATIVE = {"min", "max", "hypot", "gcd", "lcm", "swap", "fmin", "fmax"}


def _hungarian(name):
    m = re.match(r"(?:m_|s_|g_)?([a-z]+)[A-Z0-9]", name)
    return m.group(1) if m else None


def _look_alike(p, q):
    if p.text == q.text:
        return False
    if p.kind == "num" or q.kind == "num":
        return p.kind == q.kind and (INTEGER.match(p.text) is None) == (INTEGER.match(q.text) is None)
    a, b = p.text, q.text
    if {a.lower(), b.lower()} in LIKE_PAIRS:
        return True
    for pair in LIKE_PAIRS:  # nX / nY, rcLeft / rcTop, x1 / y1
        for u, v in (tuple(pair), tuple(pair)[::-1]):
            if a.lower().replace(u, v, 1) == b.lower() and u in a.lower():
                return True
    ha, hb = _hungarian(a), _hungarian(b)
    if ha and ha == hb:
        return True
    if len(a) == len(b) and sum(x != y for x, y in zip(a, b)) == 1:
        return True
    return False


def _arguments(tokens, text):
    for k, t in enumerate(tokens):
        if not (t.code and t.text == "(" and k > 0 and tokens[k - 1].kind == "id"):
            continue
        if tokens[k - 1].text in CONTROL | TYPE_WORDS | KEYWORDS | COMMUTATIVE:
            continue
        close = _match_forward(tokens, k)
        if close is None:
            continue
        # Split at the top-level commas.
        bounds = [k + 1]
        level = 0
        for j in range(k + 1, close):
            u = tokens[j].text
            if u in ("(", "[", "{"):
                level += 1
            elif u in (")", "]", "}"):
                level -= 1
            elif u == "," and level == 0:
                bounds.append(j + 1)
        bounds.append(close + 1)
        for m in range(len(bounds) - 2):
            a0, a1 = bounds[m], bounds[m + 1] - 1
            b0, b1 = bounds[m + 1], bounds[m + 2] - 1
            p, q = _simple_argument(tokens, a0, a1), _simple_argument(tokens, b0, b1)
            if p is None or q is None or not _look_alike(p, q):
                continue
            first = text[tokens[a0].start : tokens[a1 - 1].end]
            second = text[tokens[b0].start : tokens[b1 - 1].end]
            middle = text[tokens[a1 - 1].end : tokens[b0].start]
            yield Mutant("args", tokens[a0].start, tokens[b1 - 1].end, second + middle + first, tokens[a0].line)


def mutants(text):
    """Every mutant of the source text, in source order within each operator."""
    tokens = tokenize(text)
    angles = _template_angles(tokens)
    found = []
    found += _relational(tokens, angles)
    found += _equality(tokens)
    found += _constants(tokens)
    found += _logic(tokens)
    found += _arithmetic(tokens, angles)
    found += _drop(tokens, text, angles)
    found += _check(tokens, text)
    found += _arguments(tokens, text)
    found += _negate(tokens, text)
    return found


def sample(all_mutants, seed, label, count=None):
    """The mutants in a fixed random order, the operators taking turns so that each kind of
    fault is drawn; count=None keeps them all."""
    rng = random.Random(f"{seed}:{label}")
    groups = {}
    for m in all_mutants:
        groups.setdefault(m.op, []).append(m)
    for group in groups.values():
        rng.shuffle(group)
    ops = sorted(groups)
    rng.shuffle(ops)
    order = []
    while any(groups[o] for o in ops):
        for o in ops:
            if groups[o]:
                order.append(groups[o].pop())
    return order if count is None else order[:count]


def normalize(code):
    return " ".join(code.split())


def lines_around(text, mutant):
    """(original, mutated): the whole source lines the mutant touches, before and after,
    each with its whitespace runs made single spaces."""
    first = text.rfind("\n", 0, mutant.start) + 1
    last = text.find("\n", mutant.end)
    last = len(text) if last < 0 else last
    original = text[first:last]
    mutated = original[: mutant.start - first] + mutant.replacement + original[mutant.end - first :]
    return normalize(original), normalize(mutated)
