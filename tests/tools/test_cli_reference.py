#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Byte-for-byte cross-check of lekstar-cli against the Python reference model.

Generates seeded random dictionaries full of edge cases with the model's own
writer (refdict.build_image), runs `lekstar-cli --raw --dict FILE [--head FILE]
COMMAND ARGS...` on them and compares every output, byte for byte, with what
refdict computes.  Besides the random dictionaries it checks one dictionary
that probes every byte value (letter weights, ASCII folding), the exit
statuses of the tool, and that damaged files neither crash nor hang it.

    python3 tests/tools/test_cli_reference.py --cli build/lekstar-cli [--seeds N]
        [--first-seed S] [--workdir DIR] [--keep] [--max-reports N] [--jobs N]

The default 30 seeds make about 4,500 calls and take roughly ten seconds.
Exit status 0 when every call agrees; 1 with a diff report otherwise (each
report names the dictionary, the command, the arguments in hex, the first
differing byte and both outputs around it); 2 when the tool cannot be run.
With --keep the failing dictionaries, their page heads and a readable dump of
their content stay in the work directory.
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

sys.dont_write_bytecode = True     # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import refdict as R  # noqa: E402

# --------------------------------------------------------------------------
# Alphabets (code page 1257)

EN_CORE = b'abcdeilmnorst'
EN_ALL = b'abcdefghijklmnopqrstuvwxyz'
LT_LOWER = b'a\xe0bc\xe8de\xe6\xebgi\xe1yjklmnoprs\xf0tu\xf8\xfbvz\xfe'
# every byte from C0 to FE, letters with diacritics of both cases and the few
# non-letters among them (D7 multiplication sign, DF sharp s, F7 division sign)
HIGH_C0_FE = bytes(range(0xC0, 0xFF))
OTHER_HIGH = b'\x80\x85\x8b\x91\x92\x93\x96\xa0\xa7\xa8\xaa\xab\xaf\xb0\xb5\xb8\xba\xbb\xbf'
ZERO_WEIGHT = b"0123456789- .'/"


def upper_byte(c):
    if 0x61 <= c <= 0x7A:
        return c - 0x20
    if 0xE0 <= c <= 0xFE and c != 0xF7:
        return c - 0x20
    return c


def lower_byte(c):
    if 0x41 <= c <= 0x5A:
        return c + 0x20
    if 0xC0 <= c <= 0xDE and c != 0xD7:
        return c + 0x20
    return c


STRIP_DIACRITICS = {
    0xE0: 0x61, 0xC0: 0x41, 0xE8: 0x63, 0xC8: 0x43, 0xE6: 0x65, 0xC6: 0x45,
    0xEB: 0x65, 0xCB: 0x45, 0xE1: 0x69, 0xC1: 0x49, 0xF0: 0x73, 0xD0: 0x53,
    0xF8: 0x75, 0xD8: 0x55, 0xFB: 0x75, 0xDB: 0x55, 0xFE: 0x7A, 0xDE: 0x5A,
}
SAME_WEIGHT_SWAP = {
    0x79: 0x69, 0x69: 0x79, 0x59: 0x49, 0x49: 0x59, 0x61: 0xE0, 0xE0: 0xE2,
    0x2D: 0x20, 0x20: 0x31, 0x31: 0x2D, 0x65: 0xEB, 0xEB: 0xE6, 0x75: 0xFB,
}


class Gen:
    def __init__(self, seed):
        self.seed = seed
        self.rng = random.Random(seed * 7919 + 17)

    # -- words ----------------------------------------------------------------

    def en_word(self, lo=1, hi=9):
        r = self.rng
        n = r.randint(lo, hi)
        alpha = EN_CORE if r.random() < 0.7 else EN_ALL
        w = bytearray(r.choice(alpha) for _ in range(n))
        x = r.random()
        if x < 0.10:
            w[0] = upper_byte(w[0])
        elif x < 0.14:
            w = bytearray(upper_byte(c) for c in w)
        if r.random() < 0.10 and n > 1:
            w[r.randrange(1, n)] = r.choice(b'- 0123456789')
        if r.random() < 0.10:
            w[r.randrange(n)] = r.choice(HIGH_C0_FE + OTHER_HIGH)
        if r.random() < 0.05:
            # bytes next to A-Z and a to z, which must not be folded, and '%'
            w[r.randrange(n)] = r.choice(b'@[\\]^_`{|}~%')
        return bytes(w)

    def lt_word(self, lo=1, hi=10):
        r = self.rng
        n = r.randint(lo, hi)
        x = r.random()
        if x < 0.75:
            alpha = LT_LOWER
        elif x < 0.9:
            alpha = LT_LOWER + HIGH_C0_FE
        elif x < 0.95:
            alpha = LT_LOWER + ZERO_WEIGHT
        else:
            alpha = LT_LOWER + OTHER_HIGH + b'%'
        w = bytearray(r.choice(alpha) for _ in range(n))
        y = r.random()
        if y < 0.15:
            w[0] = upper_byte(w[0])
        elif y < 0.18:
            w = bytearray(upper_byte(c) for c in w)
        if r.random() < 0.08 and n > 1:
            w[r.randrange(1, n)] = r.choice(ZERO_WEIGHT)
        return bytes(w)

    def filler_text(self, n):
        r = self.rng
        return bytes(r.choice(EN_ALL + LT_LOWER + b' ') for _ in range(n))


# --------------------------------------------------------------------------
# Dictionary generation


class DictPlan:
    """Everything needed to write one dictionary and to choose queries for it."""

    def __init__(self):
        self.main = []
        self.alts = [[], [], [], []]
        self.links = []
        self.articles = []
        self.reverse = []
        self.sections_offset = R.HEADER_SIZE
        self.header_junk = None
        self.gap_fill = None
        self.head = None
        self.head_missing = False
        self.fw_queries = []      # interesting forward words
        self.rev_queries = []     # interesting reverse words
        self.link_queries = []
        self.special_rev = []     # interesting reverse indexes
        self.special_art = []     # interesting entry numbers
        self.notes = []

    def image(self):
        return R.build_image(self.main, self.alts, self.links, self.articles, self.reverse,
                             sections_offset=self.sections_offset,
                             header_junk=self.header_junk, gap_fill=self.gap_fill)

    def describe(self):
        """Readable dump of the content, written beside a kept failing file."""
        out = []

        def show(b):
            return repr(b)[1:]
        out.append('notes: %s' % '; '.join(self.notes))
        out.append('sections offset %d' % self.sections_offset)
        out.append('== main list / articles (%d)' % len(self.articles))
        for i, (hom, text) in enumerate(self.articles):
            out.append('%4d main=%s hom=%d art=%s' % (i, show(self.main[i][1]), hom, show(text)))
        for k in range(4):
            out.append('== alternate list %d (%d)' % (k + 1, len(self.alts[k])))
            for j, rec in enumerate(self.alts[k]):
                out.append('%4d -> %d %s' % (j, rec[0], show(rec[1])))
        out.append('== link list (%d)' % len(self.links))
        for j, rec in enumerate(self.links):
            out.append('%4d -> %d %s' % (j, rec[0], show(rec[1])))
        out.append('== reverse list (%d)' % len(self.reverse))
        for i, (entries, text) in enumerate(self.reverse):
            out.append('%4d m=%d %s %s' % (i, len(entries) + 1, entries, show(text)))
        return '\n'.join(out) + '\n'


CONTEXT_BEFORE = [b' ', b' ', b' ', b'>', b'[', b'x', b'\xe0', b'(', b'-', b'1', b'\n',
                  b'"', b'K', b'.']
CONTEXT_AFTER = [b' ', b' ', b',', b',', b'<', b'x', b'\xeb', b'.', b')', b'-', b'\r\n',
                 b']', b'7', b';']
TAGS = [b'<b>', b'</b>', b'<i>', b'</i>', b'<P>', b'</P>', b'<BR>', b'<font color=red>',
        b'</font>', b'&nbsp;']


def make_body(g, embeds, plain_lt, with_tags=True):
    """An HTML-like article body; embeds are words placed in varied contexts."""
    r = g.rng
    parts = []
    if with_tags and r.random() < 0.85:
        parts.append(r.choice([b'<P>', b'<b>', b'<i>', b'<P><b>1.</b> ']))
    for _ in range(r.randint(1, 8)):
        x = r.random()
        if x < 0.35:
            parts.append(g.lt_word() + b' ')
        elif x < 0.55:
            parts.append(g.en_word() + r.choice([b' ', b', ', b'; ']))
        elif x < 0.75 and with_tags:
            parts.append(r.choice(TAGS))
        elif x < 0.85:
            parts.append(r.choice([b'[', b']', b'(', b')', b'1) ', b'2. ', b'~ ', b'100% ', b'%s%d ']))
        elif plain_lt:
            parts.append(r.choice(plain_lt) + r.choice([b' ', b', ', b'']))
    for w in embeds:
        forms = r.random()
        if forms < 0.15:
            piece = w + b' ' + w + b',' + w          # repeated occurrences
        elif forms < 0.25 and len(w) > 0:
            piece = bytes(upper_byte(c) for c in w)  # another case: never marked
        else:
            piece = w
        before = r.choice(CONTEXT_BEFORE) if r.random() < 0.9 else b''
        after = r.choice(CONTEXT_AFTER) if r.random() < 0.9 else b''
        if with_tags or (b'<' not in before and b'<' not in after):
            parts.insert(r.randint(0, len(parts)), before + piece + after)
        else:
            parts.insert(r.randint(0, len(parts)), b' ' + piece + b' ')
    if embeds and r.random() < 0.3:
        parts.append(b' ' + r.choice(embeds))      # occurrence at the very end
    elif with_tags and r.random() < 0.5:
        parts.append(r.choice([b'</P>', b'</b>', b'</i>']))
    body = b''.join(parts)
    if not with_tags:
        body = body.replace(b'<', b'(')
    return body


def gen_dict(seed):
    g = Gen(seed)
    r = g.rng
    plan = DictPlan()

    big = (seed % 5 == 2)
    n_base = r.randint(150, 320) if big else r.randint(25, 140)
    unsorted = (seed % 10 == 9)
    plan.notes.append('seed %d%s%s' % (seed, ', big' if big else '', ', unsorted' if unsorted else ''))

    # ---------------- forward headwords ----------------
    words = []
    seen = set()
    while len(words) < n_base:
        w = g.en_word()
        if w not in seen:
            seen.add(w)
            words.append(w)
    # chains of prefixes, so that nearest searches walk several records
    for _ in range(r.randint(1, 4)):
        stem = g.en_word(2, 4)
        for n in range(len(stem), len(stem) + r.randint(2, 4)):
            stem = stem + bytes([r.choice(EN_CORE)])
            words.append(stem)
    # ASCII case differences that sort together
    for _ in range(r.randint(1, 3)):
        w = r.choice(words)
        words.append(bytes(upper_byte(c) for c in w))
    # homonym runs (equal headwords next to each other)
    homonym_words = r.sample(words, min(len(words), r.randint(2, 6)))
    for w in homonym_words:
        words.extend([w] * r.randint(1, 2))
    # headword length edge cases: TAB at 31 and 32, record spans 63 and 64
    len31 = b'tab' + g.filler_text(28)
    len32 = b'tac' + g.filler_text(29)
    len59 = b'span' + g.filler_text(55)
    len60 = b'spao' + g.filler_text(56)
    words.extend([len31, len32, len59, len60])
    # a headword with leading white space and one made of weight-0 bytes
    if r.random() < 0.5:
        words.append(b' lead')
    if r.random() < 0.5:
        words.append(b'1-2 3')
    # a headword with a '<' before its TAB: the reverse renderer leaves it out
    lt_head = b'ab <i>c</i>'
    words.append(lt_head)
    # an empty headword: the article's TAB is at position 0
    if r.random() < 0.5:
        words.append(b'')
    words.append(b'%s%d')

    words.sort(key=R.forward_key)
    if unsorted:
        r.shuffle(words)
    n_art = len(words)

    # homonym numbers: runs of equal texts count 1, 2, 3; some 999 and others
    homs = [0] * n_art
    i = 0
    while i < n_art:
        j = i
        while j + 1 < n_art and words[j + 1] == words[i]:
            j += 1
        if j > i:
            style = r.random()
            for k in range(i, j + 1):
                if style < 0.8:
                    homs[k] = k - i + 1
                elif style < 0.9:
                    homs[k] = 0
                else:
                    homs[k] = 999
        else:
            x = r.random()
            if x < 0.08:
                homs[i] = 999
            elif x < 0.11:
                homs[i] = r.choice([1, 4, 12, 1000, 123456])
        i = j + 1
    for idx in r.sample(range(n_art), min(3, n_art)):
        homs[idx] = 999

    # ---------------- reverse words ----------------
    n_rev = 0 if (seed % 13 == 6) else r.randint(20, 110)
    rev_words = []
    rseen = set()
    while len(rev_words) < n_rev:
        w = g.lt_word()
        if w not in rseen:
            rseen.add(w)
            rev_words.append(w)
    specials = []
    if n_rev:
        specials = [
            b'A', b'a', b'\xf0', b'\xc0', b'<A', b'<A N', b'vir\xf0\xf8', b'namas',
            b'Namas', b'y', b'ila', b'yla', b'a-b', b'a b', b'a1b', b'aab',
            b'namas\t(dkt.)', b'\xe0\xfeuolas', b'\xc0\xfeuolas',
        ]
        # 255 and 256 bytes of text; the 255 one holds a TAB past the row limit
        t255 = b'ilgas' + g.filler_text(200) + b'\t' + g.filler_text(49)
        t256 = b'ilgas' + g.filler_text(120) + b'\tx' + g.filler_text(129)
        assert len(t255) == 255 and len(t256) == 256
        specials += [t255, t256, b'ilgas' + g.filler_text(190)]
        for w in r.sample(specials, r.randint(len(specials) // 2, len(specials))):
            if w not in rseen:
                rseen.add(w)
                rev_words.append(w)
        for w in [t255, t256]:
            if w not in rseen:
                rseen.add(w)
                rev_words.append(w)
    rev_words.sort(key=R.weight_key)
    if unsorted:
        r.shuffle(rev_words)

    # entries of each reverse record
    rev_entries = []
    for w in rev_words:
        x = r.random()
        if x < 0.08:
            cnt = 0
        elif x < 0.5:
            cnt = 1
        elif x < 0.7:
            cnt = 2
        elif x < 0.93:
            cnt = r.randint(3, 6)
        else:
            cnt = r.randint(7, 14)
        ents = []
        for _ in range(cnt):
            y = r.random()
            if y < 0.05:
                ents.append(r.choice([n_art, n_art + 7, 2 ** 31 - 1, -1, -5]))
            elif y < 0.07:
                ents.append(words.index(r.choice([len59, len60])))
            else:
                ents.append(r.randrange(n_art))
        rev_entries.append(ents)
    if rev_words and seed % 4 == 1:
        # the largest entry list the format allows
        k = r.randrange(len(rev_words))
        # m over 256 lies outside the format: only the first 256 words count
        m = 300 if seed % 8 == 5 else 256
        rev_entries[k] = [r.randrange(n_art) for _ in range(m - 1)]
        plan.notes.append('reverse record %d has m = %d' % (k, m))

    embeds = [[] for _ in range(n_art)]
    for w, ents in zip(rev_words, rev_entries):
        for e in ents:
            if 0 <= e < n_art and len(w) < 60 and r.random() < 0.8:
                embeds[e].append(w)
    plain_lt = [w for w in rev_words if len(w) < 20]

    # ---------------- articles ----------------
    main = []
    articles = []
    for i, w in enumerate(words):
        x = r.random()
        body_has_tags = r.random() > 0.05
        body = make_body(g, embeds[i], plain_lt, with_tags=body_has_tags)
        if w in (len59, len60):
            # TAB at 59/60: no headword part for the forward renderers
            text = w + b'\t' + body
        elif x < 0.05:
            # no TAB at all; the main list holds some headword anyway
            if r.random() < 0.5:
                body = b'<P>' + body
            text = body.replace(b'\t', b' ')
        elif x < 0.06:
            text = b''
        elif x < 0.08:
            text = w + b'\t' + body + g.filler_text(r.randint(1500, 4000))
        elif x < 0.10:
            # a second TAB in the body
            text = w + b'\t' + body + b'\tmore<b>x</b>'
        else:
            text = w + b'\t' + body
        assert b'\0' not in text
        main.append((i, w))
        articles.append((homs[i], text))
    plan.main = main
    plan.articles = articles

    plan.reverse = list(zip(rev_entries, rev_words))

    # ---------------- alternate and link lists ----------------
    def long_record():
        return (r.randrange(n_art), b'zzlong' + g.filler_text(r.randint(54, 70)))

    def random_alt(size):
        recs = []
        for _ in range(size):
            x = r.random()
            if x < 0.35:
                w = r.choice(words)                       # synonym of a main headword
            elif x < 0.45:
                w = bytes(upper_byte(c) for c in r.choice(words))
            elif x < 0.55:
                w = b'alt' + g.en_word(1, 4)              # only in alternate lists
            elif x < 0.58:
                w = b'q' + g.filler_text(58)              # span 63
            else:
                w = g.en_word()
            recs.append((r.randrange(n_art), w))
        recs.sort(key=lambda rec: R.forward_key(rec[1]))
        for _ in range(r.randint(0, 3)):
            recs.insert(r.randint(0, len(recs)), long_record())
        return recs

    for k in range(4):
        if r.random() < 0.2:
            plan.alts[k] = []
        else:
            plan.alts[k] = random_alt(r.randint(1, 120 if big else 60))
    # an empty article as the first match of a word with further matches: the
    # next match finds the body still empty and starts over as a first article
    plain = [i for i, w in enumerate(words) if w not in (len31, len32, len59, len60, lt_head, b'')]
    e_empty = r.choice(plain)
    articles[e_empty] = (articles[e_empty][0], b'')
    k = r.randrange(4)
    plan.alts[k] += [(e_empty, b'emptyart'), (r.choice(plain), b'emptyart'),
                     (r.choice(plain), b'emptyart')]
    plan.alts[k].sort(key=lambda rec: R.forward_key(rec[1]))
    # the articles behind the 63- and 64-byte main records, reached another way
    k = r.randrange(4)
    plan.alts[k].append((words.index(len60), b'spanalt'))
    plan.alts[k].append((words.index(len59), b'spanalt'))
    plan.alts[k].sort(key=lambda rec: R.forward_key(rec[1]))
    if r.random() < 0.5:
        # empty headword texts sort first; only a blank word reaches them
        k = r.randrange(4)
        plan.alts[k].insert(0, (r.randrange(n_art), b''))
        plan.alts[k].insert(0, (r.randrange(n_art), b''))

    links = []
    for _ in range(r.randint(0, 50)):
        w = R.fold_ascii(r.choice(words))
        for _ in range(1 if r.random() < 0.7 else r.randint(2, 3)):
            links.append((r.randrange(n_art), w))
    for _ in range(r.randint(0, 6)):
        links.append((r.randrange(n_art), g.lt_word()))
    links.sort(key=lambda rec: R.forward_key(rec[1]))
    for _ in range(r.randint(0, 2)):
        links.insert(r.randint(0, len(links)), long_record())
    plan.links = links

    # ---------------- the 100-record limit ----------------
    if not unsorted and seed % 3 == 0:
        setup_limit_scenario(g, plan, words)
    if not unsorted and seed % 3 == 1:
        setup_limit_first_record(g, plan, words)
    if unsorted:
        for k in range(4):
            r.shuffle(plan.alts[k])
        r.shuffle(links)

    # ---------------- header ----------------
    if r.random() < 0.5:
        plan.sections_offset = R.HEADER_SIZE + 4 * r.randint(1, 10)
        plan.gap_fill = bytes(r.randrange(256) for _ in range(plan.sections_offset - R.HEADER_SIZE))
    plan.header_junk = [r.randrange(2 ** 32) for _ in range(31)]

    # ---------------- page head ----------------
    plan.head_missing = (seed % 8 == 7)
    if seed % 4 != 3:
        plan.head = (b'<HTML><HEAD><META charset=windows-1257>\r\n<STYLE>.SELECTED{color:red}</STYLE>'
                     + bytes(r.choice(range(1, 256)) for _ in range(r.randint(0, 40)))
                     + b'</HEAD><BODY>\r\n')

    # ---------------- query material ----------------
    plan.fw_queries = words + [rec[1] for a in plan.alts for rec in a if len(rec[1]) < 60]
    plan.link_queries = [rec[1] for rec in links if len(rec[1]) < 60]
    plan.rev_queries = rev_words
    plan.special_rev = ([i for i, w in enumerate(rev_words) if len(w) >= 255]
                        + [i for i, w in enumerate(rev_words)
                           if len(rev_entries[i]) > 100 or not rev_entries[i]][:3]
                        + [i for i, w in enumerate(rev_words) if w in specials and len(w) < 255])
    plan.special_art = [i for i, w in enumerate(words) if w in (len31, len32, len59, len60, lt_head)]
    plan.special_art += [i for i, (_, t) in enumerate(articles) if b'\t' not in t or b'<' not in t][:6]
    plan.homonym_words = homonym_words
    return plan


def counted_after_first_match(words, w):
    """Non-matching main-list records a search for w counts after its first match."""
    fw = R.forward_key(w)
    first = None
    for i, t in enumerate(words):
        if len(t) + 4 >= R.HEADWORD_SPAN_LIMIT:
            continue
        if R.forward_key(t)[:len(fw)] == fw:
            first = i
            break
    if first is None:
        return None
    return sum(1 for t in words[first + 1:]
               if len(t) + 4 < R.HEADWORD_SPAN_LIMIT and R.forward_key(t) != fw)


def setup_limit_scenario(g, plan, words):
    """Alternate list 1 holds the word after 99..102 counted records in total."""
    r = g.rng
    cands = []
    for w in set(words):
        n1 = counted_after_first_match(words, w)
        if n1 is not None and n1 <= 90 and len(w) >= 2 and w[0] not in b'0123456789 -':
            cands.append((w, n1))
    if not cands:
        return
    cands.sort()
    w, n1 = r.choice(cands)
    delta = r.choice([-1, 0, 0, 1, 1, 2])
    n2 = 100 - n1 + delta
    fw = R.forward_key(w)
    fillers = set()
    tries = 0
    while len(fillers) < n2 and tries < 20000:
        tries += 1
        f = g.en_word()
        if R.forward_key(f) < fw:
            fillers.add(f)
    if len(fillers) < n2:
        return
    n_art = len(plan.articles)
    alt1 = [(r.randrange(n_art), f) for f in sorted(fillers, key=R.forward_key)]
    for _ in range(r.randint(1, 3)):     # long records are skipped without counting
        alt1.insert(r.randint(0, len(alt1)), (r.randrange(n_art), b'zzlong' + g.filler_text(60)))
    alt1.append((r.randrange(n_art), w))
    alt1.append((r.randrange(n_art), w))
    alt1.append((r.randrange(n_art), w + b'x'))
    plan.alts[0] = alt1
    # alternate list 2 begins with the word: matched even past the limit
    plan.alts[1] = [(r.randrange(n_art), w), (r.randrange(n_art), w + b'zz'),
                    (r.randrange(n_art), w)]
    plan.notes.append('limit scenario: word %r, %d counted in main, %d fillers in alt 1'
                      % (w, n1, n2))
    plan.limit_word = w


def setup_limit_first_record(g, plan, words):
    """A word early in a long main list, then matches at record 0 and 1 of later lists."""
    r = g.rng
    cands = []
    for w in set(words):
        n1 = counted_after_first_match(words, w)
        if n1 is not None and n1 > 100 and len(w) >= 2 and w[0] not in b'0123456789 -':
            cands.append(w)
    if not cands:
        return
    cands.sort()
    w = r.choice(cands)
    n_art = len(plan.articles)
    plan.alts[2] = [(r.randrange(n_art), w), (r.randrange(n_art), w)]
    plan.alts[3] = [(r.randrange(n_art), b'0'), (r.randrange(n_art), w)]
    plan.notes.append('first-record scenario: word %r' % w)
    plan.limit_word = w


def gen_alphabet_dict():
    """One headword and one reverse record per byte value, and a query for each byte.

    The index that nearest-reverse returns for a one-byte word is the first
    record of that byte's weight class, so every entry of the weight table is
    probed; render-forward of each byte probes the ASCII folding."""
    plan = DictPlan()
    plan.notes.append('every byte value')
    heads = [bytes([b]) for b in range(1, 256) if bytes([b]) not in R.WHITESPACE]
    heads.sort(key=R.forward_key)
    for i, w in enumerate(heads):
        plan.main.append((i, w))
        plan.articles.append((i % 4, w + b'\t<P>' + ('%02X' % w[0]).encode() + b' ' + w + b' x</P>'))
    where = {w[0]: i for i, w in enumerate(heads)}
    rev = [bytes([b]) for b in range(1, 256)]
    rev.sort(key=R.weight_key)
    plan.reverse = [([where[w[0]]] if w[0] in where else [], w) for w in rev]
    plan.head = b'<HTML><BODY>\r\n'
    calls = []
    for b in range(1, 256):
        calls.append([b'nearest-reverse', bytes([b])])
    # folding concerns the ASCII half; the upper half is compared unfolded elsewhere
    for b in list(range(1, 0x80)) + [0xC0, 0xD0, 0xDE, 0xE0, 0xF0, 0xFE]:
        calls.append([b'render-forward', bytes([b])])
    return plan, calls


# --------------------------------------------------------------------------
# Query choice


def variants_forward(g, w):
    r = g.rng
    x = r.random()
    if x < 0.35 or not w:
        return w
    if x < 0.45:
        return bytes(upper_byte(c) for c in w)
    if x < 0.5:
        return bytes(lower_byte(c) for c in w)
    if x < 0.65 and len(w) > 1:
        return w[:r.randint(1, len(w) - 1)]
    if x < 0.75:
        return w + bytes([r.choice(EN_CORE)])
    if x < 0.85:
        return r.choice([b' ', b'\t', b'  ']) + w + r.choice([b'', b' ', b'\t\r\n'])
    if x < 0.88:
        n = r.randrange(len(w) + 1)
        return w[:n] + b'\t' + w[n:]
    return w + g.en_word(1, 3)


def variants_reverse(g, w):
    r = g.rng
    x = r.random()
    if x < 0.35 or not w:
        return w
    if x < 0.45:
        return bytes(upper_byte(c) for c in w)
    if x < 0.5:
        return bytes(lower_byte(c) for c in w)
    if x < 0.58:
        return bytes(STRIP_DIACRITICS.get(c, c) for c in w)
    if x < 0.66:
        return bytes(SAME_WEIGHT_SWAP.get(c, c) for c in w)
    if x < 0.78 and len(w) > 1:
        return w[:r.randint(1, len(w) - 1)]
    if x < 0.9:
        return w + g.lt_word(1, 3)
    return w[:-1] + bytes([r.choice(LT_LOWER)])


def valid_arg(a):
    return bool(a) and b'\0' not in a and a != b'--reverse'


def choose_calls(g, plan):
    r = g.rng
    n_art = len(plan.articles)
    n_rev = len(plan.reverse)
    calls = [[b'counts'],
             [b'rows', b'0', b'100000'],
             [b'rows', b'--reverse', b'0', b'100000'],
             [b'rows', R.dec(max(n_art - 2, 0)), b'5'],
             [b'rows', R.dec(n_art), b'3'],
             [b'rows', R.dec(r.randrange(max(n_art, 1))), R.dec(r.randint(0, 4))],
             [b'rows', b'--reverse', R.dec(max(n_rev - 1, 0)), b'4'],
             [b'rows', b'--reverse', R.dec(r.randrange(max(n_rev, 1))), b'1'],
             # FROM + COUNT beyond the 32-bit range must not wrap
             [b'rows', R.dec(max(n_art - 3, 0)), b'2147483647'],
             [b'rows', b'--reverse', R.dec(max(n_rev - 2, 0)), b'2147483647'],
             [b'rows', b'2147483647', b'2147483647']]

    fixed_fw = [b'emptyart', b'zzzzzz', b'\xfe\xfe', b'~', b'a', b'A', b' ', b'\t', b'0', b'spa',
                b'spao', b'tab', b'tac', b'-x', b'alt', b'spanalt']
    lw = getattr(plan, 'limit_word', None)
    if lw:
        fixed_fw = [lw, lw.upper(), lw] + fixed_fw
    fw_pool = plan.fw_queries
    for i in range(21):
        w = fixed_fw[i] if i < len(fixed_fw) and r.random() < 0.6 else variants_forward(g, r.choice(fw_pool))
        if valid_arg(w):
            calls.append([b'render-forward', w])
    # blanks before a headword push it past the 255-byte prefix limit
    calls.append([b'nearest-forward', b' ' * 252 + r.choice([w for w in fw_pool if len(w) > 2] or [b'abc'])])
    for i in range(9):
        w = variants_forward(g, r.choice(fw_pool)) if i else b'zzzzzzzz'
        if r.random() < 0.2:
            w = g.en_word(1, 12)
        if valid_arg(w):
            calls.append([b'nearest-forward', w])
    for i in range(8):
        if plan.link_queries and r.random() < 0.75:
            w = variants_forward(g, r.choice(plan.link_queries))
        else:
            w = variants_forward(g, r.choice(fw_pool))
        if valid_arg(w):
            calls.append([b'render-link', w])

    rev_pool = plan.rev_queries or [b'namas']
    fixed_rev = [b'\xfd\xfd\xfd', b'\xfe', b'0', b'-', b'namas', b'A', b'<A', b'\xe0\xfeuolas',
                 b'azuolas', b'q', b'\xaa']
    for i in range(13):
        if i < len(fixed_rev) and r.random() < 0.35:
            w = fixed_rev[i]
        else:
            w = variants_reverse(g, r.choice(rev_pool))
        if valid_arg(w):
            calls.append([b'render-reverse', w])
    for i in range(8):
        w = variants_reverse(g, r.choice(rev_pool))
        if valid_arg(w):
            calls.append([b'nearest-reverse', w])

    idxs = [-1, n_rev, n_rev + 1, 0, 2 ** 31 - 1] + plan.special_rev[:8]
    while len(idxs) < 14 and n_rev:
        idxs.append(r.randrange(n_rev))
    for i in idxs:
        calls.append([b'reverse-entry', R.dec(i)])
    for i in [-1, n_rev] + plan.special_rev[:3] + ([r.randrange(n_rev)] if n_rev else []):
        calls.append([b'reverse-headword', R.dec(i)])

    arts = [-1, n_art, 2 ** 31 - 1, -2 ** 31] + plan.special_art[:5] + [r.randrange(n_art)]
    for e in arts:
        calls.append([b'article', R.dec(e)])

    hom_entries = [-1, 0, n_art - 1, n_art, 2 ** 31 - 1, -2 ** 31]
    for w in plan.homonym_words[:3]:
        positions = [i for i, (_, t) in enumerate(plan.main) if t == w]
        hom_entries += positions[:3]
    hom_entries.append(r.randrange(n_art))
    for e in hom_entries:
        calls.append([b'homonym-ordinal', R.dec(e)])

    for i in range(7):
        n = r.choice([1, 1, 2, 3, 5])
        items = [variants_forward(g, r.choice(fw_pool)).strip(b' ') or b'a' for _ in range(n)]
        if i == 0:
            calls.append([b'page', b' ' + items[0]])              # empty first item
        elif i == 1:
            calls.append([b'page', items[0] + b'  ' + items[-1] + b' '])  # empty item inside
        elif i == 2:
            # items over 255 bytes: cut before the lookup and in the link text
            calls.append([b'page', b'\t' * 253 + items[0], b'x' * 300 + b'abc'])
        elif i == 3 and lw:
            calls.append([b'page', lw])
        else:
            calls.append([b'page'] + [it for it in items if valid_arg(it)])
    calls.append([b'page'])                                   # no items at all
    for i in range(5):
        w = variants_reverse(g, r.choice(rev_pool)) if i else r.choice(rev_pool)
        if valid_arg(w):
            calls.append([b'page', b'--reverse', w])
    return calls


# --------------------------------------------------------------------------
# Running and comparing


def sanitizer_report(stderr):
    """True when a sanitizer build of the tool reported a fault (its exit status may be 1)."""
    return b'Sanitizer' in stderr or b'runtime error:' in stderr


def hexargs(args):
    return ' | '.join(a.hex(' ') for a in args)


def show_bytes(b):
    return repr(bytes(b))[2:-1]


def diff_report(name, args, expected, actual, rc, stderr):
    lines = ['MISMATCH (%s) command: %s' % (name, args[0].decode('latin-1'))]
    lines.append('  args (hex): %s' % hexargs(args[1:]))
    lines.append('  args (text): %s' % ' '.join(show_bytes(a) for a in args[1:]))
    if rc != 0 or sanitizer_report(stderr):
        lines.append('  exit status %d (expected 0); stderr: %s' % (rc, show_bytes(stderr[:600])))
    if expected != actual:
        n = 0
        lim = min(len(expected), len(actual))
        while n < lim and expected[n] == actual[n]:
            n += 1
        lines.append('  expected %d bytes, got %d bytes; first difference at byte %d'
                     % (len(expected), len(actual), n))
        lo = max(0, n - 60)
        lines.append('  expected[%d:]: %s' % (lo, show_bytes(expected[lo:n + 80])))
        lines.append('  actual  [%d:]: %s' % (lo, show_bytes(actual[lo:n + 80])))
    return '\n'.join(lines)


def run_case(cli, name, plan, calls, workdir, keep, timeout):
    image = plan.image()
    model = R.DictFile(image)
    dict_path = os.path.join(workdir, name + '.dic')
    head_path = os.path.join(workdir, name + '.htm')
    with open(dict_path, 'wb') as f:
        f.write(image)
    base = [cli, '--raw', '--dict', dict_path]
    head = b''
    if plan.head is not None:
        with open(head_path, 'wb') as f:
            f.write(plan.head)
        base += ['--head', head_path]
        head = plan.head
    elif plan.head_missing:
        # a page head file that does not exist gives an empty head
        base += ['--head', os.path.join(workdir, name + '-missing.htm')]
    else:
        # no --head: the page head beside the program, when there is one
        default_head = os.path.join(os.path.dirname(os.path.abspath(cli)), 'HTM', 'HH.htm')
        if os.path.isfile(default_head):
            with open(default_head, 'rb') as f:
                head = f.read()
    failures = []
    for args in calls:
        expected = R.run_command(model, head, args)
        try:
            proc = subprocess.run(base + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  timeout=timeout)
            actual, rc, err = proc.stdout, proc.returncode, proc.stderr
        except subprocess.TimeoutExpired:
            actual, rc, err = b'', -999, b'timeout'
        if rc != 0 or actual != expected or sanitizer_report(err):
            failures.append(diff_report(name, args, expected, actual, rc, err))
    if failures and keep:
        with open(os.path.join(workdir, name + '.txt'), 'w', encoding='utf-8') as f:
            f.write(plan.describe())
    else:
        for p in (dict_path, head_path):
            if os.path.exists(p):
                os.remove(p)
    return len(calls), failures


def run_seed(cli, seed, workdir, keep, timeout):
    plan = gen_dict(seed)
    calls = choose_calls(Gen(seed + 1000003), plan)
    return run_case(cli, 'seed%04d' % seed, plan, calls, workdir, keep, timeout)


def run_alphabet(cli, workdir, keep, timeout):
    plan, calls = gen_alphabet_dict()
    return run_case(cli, 'alphabet', plan, calls, workdir, keep, timeout)


def damaged_images():
    """(name, image) pairs of files the format does not describe.

    What the tool prints for them is its own choice; it must neither crash nor
    hang, and it either opens the file (status 0) or refuses it (status 1)."""
    plan = DictPlan()
    plan.main = [(0, b'bank'), (1, b'cat'), (2, b'dog')]
    plan.articles = [(0, b'bank\t<P>krantas</P>'), (0, b'cat\t<P>katinas</P>'),
                     (0, b'dog\t<P>\xf0uo</P>')]
    plan.alts = [[(1, b'kitty')], [], [], []]
    plan.links = [(2, b'dog')]
    plan.reverse = [([0], b'krantas'), ([1, 2], b'katinas'), ([2], b'\xf0uo')]
    good = bytearray(plan.image())
    d = R.DictFile(bytes(good))

    def with_word(k, value):
        img = bytearray(good)
        R.struct.pack_into('<I', img, 4 * k, value & 0xFFFFFFFF)
        return bytes(img)

    def with_u32(off, value):
        img = bytearray(good)
        R.struct.pack_into('<I', img, off, value & 0xFFFFFFFF)
        return bytes(img)

    out = [
        ('shorter than the header', bytes(good[:100])),
        ('cut in the middle of the sections', bytes(good[:len(good) // 2])),
        ('cut inside the reverse data', bytes(good[:-5])),
        ('sections beyond the end', with_word(2, 0xFFFFFF00)),
        ('huge article table', with_word(15, 0x7FFFFFF0)),
        ('huge reverse table', with_word(17, 0x7FFFFFF0)),
        ('huge main data size', with_word(4, 0xFFFFFFF0)),
        ('table size not a multiple of 4', with_word(3, 6)),
        ('zero-sized main table', with_word(3, 0)),
        ('zero-sized reverse table', with_word(17, 0)),
        ('article offset outside its data', with_u32(d.article_table + 4, 0xFFFFFFF0)),
        ('main offsets going backwards', with_u32(d.list_tables[0][0] + 4, 0xFFFFFFFF)),
        ('reverse m too large', with_u32(d.reverse_data, 0x40000000)),
        ('reverse m zero', with_u32(d.reverse_data, 0)),
        ('reverse m negative', with_u32(d.reverse_data, -3)),
        ('reverse offset outside its data', with_u32(d.reverse_table + 4, 0x7FFFFFF0)),
        ('all zero header', bytes(R.HEADER_SIZE)),
    ]
    # headword records naming articles that do not exist
    odd = DictPlan()
    odd.main, odd.articles, odd.reverse = plan.main, plan.articles, plan.reverse
    odd.alts = [[(99999, b'cat'), (-1, b'cat')], [(2 ** 31 - 1, b'kitty')], [], []]
    odd.links = [(-7, b'dog'), (3, b'dog')]
    out.append(('headword records naming missing articles', odd.image()))
    return out


ROBUSTNESS_COMMANDS = [
    [b'counts'], [b'render-forward', b'cat'], [b'nearest-forward', b'cax'],
    [b'render-link', b'dog'], [b'render-reverse', b'katinas'], [b'nearest-reverse', b'\xf0'],
    [b'reverse-entry', b'0'], [b'reverse-entry', b'1'], [b'article', b'1'],
    [b'reverse-headword', b'2'], [b'rows', b'0', b'10'], [b'rows', b'--reverse', b'0', b'10'],
    [b'homonym-ordinal', b'1'], [b'page', b'cat', b'dog'], [b'page', b'--reverse', b'katinas'],
    [b'render-forward', b'kitty'], [b'page', b'kitty'],
]


def run_contract(cli, workdir, timeout):
    """Exit statuses of the tool's contract, and no crash on damaged files."""
    failures = []
    ncalls = 0

    def call(argv):
        nonlocal ncalls
        ncalls += 1
        try:
            proc = subprocess.run([cli] + argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  timeout=timeout)
            return proc.returncode, proc.stderr
        except subprocess.TimeoutExpired:
            return None, b'timeout'

    good_plan = DictPlan()
    good_plan.main = [(0, b'a')]
    good_plan.articles = [(0, b'a\t<P>x</P>')]
    good_path = os.path.join(workdir, 'contract.dic')
    with open(good_path, 'wb') as f:
        f.write(good_plan.image())
    missing = os.path.join(workdir, 'no-such-file.dic')
    expectations = [
        ([b'--raw', b'--dict', missing, b'counts'], 1, 'a missing dictionary'),
        ([b'--raw', b'--dict', good_path.encode(), b'--no-such-option', b'counts'], 2,
         'an unknown option'),
        ([b'--raw', b'--dict', good_path.encode(), b'rows', b'1'], 2, 'rows without COUNT'),
        ([b'--raw', b'--dict', good_path.encode()], 2, 'no command'),
        ([b'--raw', b'--dict', good_path.encode(), b'render-forward'], 2, 'a missing WORD'),
        ([b'--raw', b'--dict', good_path.encode(), b'counts'], 0, 'a good file'),
    ]
    for argv, want, what in expectations:
        rc, err = call([os.fsencode(a) if isinstance(a, str) else a for a in argv])
        if rc != want:
            failures.append('CONTRACT: %s: expected exit status %d, got %s (args %s)\n  stderr: %s'
                            % (what, want, rc, ' '.join(show_bytes(a) for a in argv),
                               show_bytes(err[:300])))

    for n, (name, image) in enumerate(damaged_images()):
        path = os.path.join(workdir, 'damaged%02d.dic' % n)
        with open(path, 'wb') as f:
            f.write(image)
        for args in ROBUSTNESS_COMMANDS:
            rc, err = call([b'--raw', b'--dict', path.encode()] + args)
            if rc not in (0, 1) or sanitizer_report(err):
                failures.append('ROBUSTNESS: %s: exit status %s for %s %s\n  stderr: %s'
                                % (name, 'timeout' if rc is None else rc, args[0].decode(),
                                   ' '.join(show_bytes(a) for a in args[1:]), show_bytes(err[:600])))
        os.remove(path)
    os.remove(good_path)
    return ncalls, failures


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--cli', required=True, help='path of lekstar-cli')
    ap.add_argument('--seeds', type=int, default=30, help='number of dictionaries (default 30)')
    ap.add_argument('--first-seed', type=int, default=0)
    ap.add_argument('--workdir', help='directory for the generated files (default: a fresh temporary one)')
    ap.add_argument('--keep', action='store_true',
                    help='keep the dictionary, page head and a readable dump of every failing seed')
    ap.add_argument('--max-reports', type=int, default=40, help='diff reports printed at most')
    ap.add_argument('--jobs', type=int, default=2, help='dictionaries checked in parallel')
    ap.add_argument('--timeout', type=float, default=20.0, help='seconds per CLI call')
    ap.add_argument('--no-selftest', action='store_true', help=argparse.SUPPRESS)
    ap.add_argument('--no-alphabet', action='store_true',
                    help='skip the dictionary that probes every byte value')
    ap.add_argument('--no-contract', action='store_true',
                    help='skip the exit-status checks and the damaged files')
    opts = ap.parse_args(argv)

    cli = os.path.abspath(opts.cli)
    if not os.access(cli, os.X_OK):
        print('cannot run %s' % cli, file=sys.stderr)
        return 2
    if not opts.no_selftest:
        R.selftest()

    own_dir = opts.workdir is None
    workdir = opts.workdir or tempfile.mkdtemp(prefix='lekstar-ref-')
    os.makedirs(workdir, exist_ok=True)
    start = time.time()
    seeds = list(range(opts.first_seed, opts.first_seed + opts.seeds))
    total_calls = 0
    all_failures = []
    jobs = [lambda s=s: run_seed(cli, s, workdir, opts.keep, opts.timeout) for s in seeds]
    if not opts.no_alphabet:
        jobs.append(lambda: run_alphabet(cli, workdir, opts.keep, opts.timeout))
    if not opts.no_contract:
        jobs.append(lambda: run_contract(cli, workdir, opts.timeout))
    with ThreadPoolExecutor(max_workers=max(1, opts.jobs)) as pool:
        for ncalls, failures in pool.map(lambda job: job(), jobs):
            total_calls += ncalls
            all_failures.extend(failures)
    elapsed = time.time() - start

    for rep in all_failures[:opts.max_reports]:
        print(rep)
        print()
    if len(all_failures) > opts.max_reports:
        print('... %d more mismatches not shown' % (len(all_failures) - opts.max_reports))
    if all_failures:
        by_kind = {}
        for rep in all_failures:
            kind = rep.split('\n', 1)[0].split(': ', 1)[0]
            if kind.startswith('MISMATCH'):
                kind = 'MISMATCH ' + rep.split('\n', 1)[0].rsplit(' ', 1)[-1]
            by_kind[kind] = by_kind.get(kind, 0) + 1
        print('mismatches by kind:')
        for kind in sorted(by_kind):
            print('  %5d %s' % (by_kind[kind], kind))
    print('%d dictionaries, %d calls, %d mismatches, %.1f s'
          % (len(seeds) + (not opts.no_alphabet), total_calls, len(all_failures), elapsed))
    if all_failures and opts.keep:
        print('failing dictionaries kept in %s' % workdir)
    elif own_dir:
        shutil.rmtree(workdir, ignore_errors=True)
    return 1 if all_failures else 0


if __name__ == '__main__':
    sys.exit(main())
