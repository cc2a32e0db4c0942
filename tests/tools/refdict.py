#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Reference model of the LEKSTAR dictionary file and its lookups, in plain Python.

This module is deliberately written apart from the C++ code: it re-implements the
file layout, the record scrambling, every search and every HTML renderer on
`bytes`, plus a file writer of its own, so that the cross-check in
test_cli_reference.py compares two implementations that share no code.

All text is handled as raw code page 1257 bytes.  Where the program works with
NUL-terminated strings, the model cuts the text at its first NUL (``cstr``).

It can also be used as a stand-alone stand-in for the terminal tool when
debugging a difference:

    python3 refdict.py --dict FILE [--head FILE] COMMAND ARGS...

which prints the bytes the terminal tool is expected to print in --raw mode.
"""

import os
import struct
import sys

HEADER_SIZE = 188
HEADER_WORDS = 47
# Record limits the readers enforce.
HEADWORD_SPAN_LIMIT = 64        # headword records of 64 bytes or more are ignored
REVERSE_TEXT_LIMIT = 256        # reverse texts of 256 bytes or more are ignored
ARTICLE_SPAN_LIMIT = 65535      # an article of this span or more yields no text
ENTRY_LIST_WORDS = 256          # capacity of the entry list
ROW_TEXT_LIMIT = 127            # an index row shows at most this many bytes
PREFIX_LIMIT = 255              # nearest searches build prefixes in a 256-byte buffer

WHITESPACE = b'\t\n\x0b\x0c\r '

# --------------------------------------------------------------------------
# Scrambling


def descramble(data, seed):
    """XOR the bytes with the low byte of the generator's 15-bit outputs.

    The same call scrambles and descrambles."""
    state = seed & 0xFFFFFFFF
    out = bytearray(data)
    for i in range(len(out)):
        state = (state * 214013 + 2531011) & 0xFFFFFFFF
        out[i] ^= ((state >> 16) & 0x7FFF) & 0xFF
    return bytes(out)


scramble = descramble


# --------------------------------------------------------------------------
# Letter weights (Lithuanian alphabetical order of code page 1257)

_WEIGHT_GROUPS = [
    (65, [0x41, 0x61, 0xC0, 0xE0, 0xC2, 0xE2, 0xC4, 0xE4, 0xC5, 0xE5]),
    (70, [0x42, 0x62]),
    (71, [0x43, 0x63]),
    (72, [0xC8, 0xE8]),
    (73, [0xC3, 0xE3]),
    (74, [0x44, 0x64]),
    (75, [0x45, 0x65, 0xC6, 0xE6, 0xC7, 0xE7, 0xC9, 0xE9, 0xCB, 0xEB]),
    (79, [0x46, 0x66]),
    (80, [0x47, 0x67]),
    (81, [0xCC, 0xEC]),
    (82, [0x48, 0x68]),
    (83, [0x49, 0x69, 0x59, 0x79, 0xC1, 0xE1, 0xCE, 0xEE]),
    (87, [0x4A, 0x6A]),
    (88, [0x4B, 0x6B]),
    (89, [0xCD, 0xED]),
    (90, [0x4C, 0x6C]),
    (91, [0xCF, 0xEF]),
    (92, [0xD9, 0xF9]),
    (93, [0x4D, 0x6D]),
    (94, [0x4E, 0x6E]),
    (95, [0xD1, 0xF1]),
    (96, [0xD2, 0xF2]),
    (97, [0x4F, 0x6F]),
    (98, [0xD3, 0xF3]),
    (99, [0xD4, 0xF4]),
    (100, [0xD5, 0xF5]),
    (101, [0xD6, 0xF6]),
    (102, [0x50, 0x70]),
    (103, [0x51, 0x71]),
    (104, [0x52, 0x72]),
    (105, [0xAA, 0xBA]),
    (106, [0x53, 0x73]),
    (107, [0xD0, 0xF0]),
    (108, [0xDA, 0xFA]),
    (109, [0x54, 0x74]),
    (110, [0x55, 0x75, 0xD8, 0xF8, 0xDB, 0xFB, 0xDC, 0xFC]),
    (114, [0x56, 0x76]),
    (115, [0x57, 0x77]),
    (116, [0x58, 0x78]),
    (117, [0x5A, 0x7A]),
    (118, [0xDE, 0xFE]),
    (119, [0xDD, 0xFD]),
]

WEIGHTS = [0] * 256
for _w, _bytes in _WEIGHT_GROUPS:
    for _b in _bytes:
        assert WEIGHTS[_b] == 0, hex(_b)
        WEIGHTS[_b] = _w


def letter_weight(byte):
    return WEIGHTS[byte & 0xFF]


# --------------------------------------------------------------------------
# String helpers


def cstr(data):
    """The text as a NUL-terminated string sees it."""
    n = data.find(b'\0')
    return data if n < 0 else data[:n]


_FOLD = bytes((b + 0x20) if 0x41 <= b <= 0x5A else b for b in range(256))


def fold_ascii(data):
    return data.translate(_FOLD)


def forward_compare(a, b):
    """Forward order: ASCII capitals folded, then unsigned bytes, prefix first."""
    fa = fold_ascii(cstr(a))
    fb = fold_ascii(cstr(b))
    return (fa > fb) - (fa < fb)


def forward_key(data):
    return fold_ascii(cstr(data))


def compare_by_weight(a, b):
    i = 0
    while True:
        ca = a[i] if i < len(a) else 0
        cb = b[i] if i < len(b) else 0
        if ca == 0 or cb == 0:
            break
        wa = WEIGHTS[ca]
        wb = WEIGHTS[cb]
        if wa > wb:
            return 1
        if wa < wb:
            return -1
        i += 1
    if ca != 0:
        return 1
    if cb != 0:
        return -1
    return 0


def weight_key(data):
    """Sort key that orders texts as compare_by_weight does."""
    return tuple(WEIGHTS[c] for c in cstr(data))


def trim_ws(data):
    return data.strip(WHITESPACE)


def i32(value):
    value &= 0xFFFFFFFF
    return value - 0x100000000 if value & 0x80000000 else value


def dec(value):
    return str(value).encode('ascii')


# --------------------------------------------------------------------------
# HTML literals

A_NAME = b'<A NAME="R%d"></A>'
HR = b'<HR>\r\n'
LINK_FIRST = b'<A HREF="#R1">%s</A>&nbsp;&nbsp;&nbsp;'
LINK_FIRST_HOM = b'<A HREF="#R1">%s</A><sup><small>%d</sup></small>&nbsp;&nbsp;&nbsp;'
LINK_LATER_FWD = b'<A HREF="#R%d">%s</A>&nbsp;&nbsp;&nbsp;\r\n'
LINK_LATER_FWD_HOM = b'<A HREF="#R%d">%s</A><sup><small>%d</sup></small>&nbsp;&nbsp;&nbsp;\r\n'
LINK_LATER_LNK = b'<A HREF="#R%d">%s</A>&nbsp;&nbsp;&nbsp;'
LINK_LATER_LNK_HOM = b'<A HREF="#R%d">%s</A><sup><small>%d</sup></small>&nbsp;&nbsp;&nbsp;'
REV_TOP = b'<A NAME="Rbeg"></A>\r\n'
REV_LINK_START = b'<A HREF="#R%d">'
REV_LINK_END = b'</A>&nbsp;&nbsp;&nbsp; '
REV_BACK = '</P><A CLASS=aback HREF="#Rbeg">\u012e vir\u0161\u0173</A>\r\n'.encode('cp1257')
REV_RULE = b'<HR>\r\n\r\n'
HL_START = b'<SPAN CLASS=SELECTED>'
HL_END = b'</SPAN>'

PAGE_START = b'<A NAME="#StartPoint"></A>\r\n'
PAGE_ITEM_LINK = b'<A HREF="#Q%d">%s</A>&nbsp;'
PAGE_ITEM_ANCHOR = b'<A NAME="Q%d"></A>'
PAGE_BACK = '<BR><A HREF="#StartPoint">\u012e prad\u017ei\u0105</a>\r\n'.encode('cp1257')
PAGE_ITEM_SEP = b'\r\n<HR>\r\n'
PAGE_TAIL = b'\r\n' + b'</BODY>\r\n' + b'</HTML>\r\n'

assert REV_BACK == b'</P><A CLASS=aback HREF="#Rbeg">\xc1 vir\xf0\xf8</A>\r\n'
assert PAGE_BACK == b'<BR><A HREF="#StartPoint">\xc1 prad\xfei\xe0</a>\r\n'
assert len(HL_START) + len(HL_END) == 28


def has_shown_homonym(h):
    return h != 0 and h != 999


# --------------------------------------------------------------------------
# Reader


class FormatError(Exception):
    pass


class DictFile:
    """An opened dictionary image; every lookup works on the bytes in place."""

    LIST_MAIN, LIST_ALT1, LIST_ALT2, LIST_ALT3, LIST_ALT4, LIST_LINK = range(6)

    def __init__(self, image):
        if len(image) < HEADER_SIZE:
            raise FormatError('shorter than the header')
        self.image = bytes(image)
        self.W = struct.unpack_from('<47I', self.image, 0)
        W = self.W
        # Sections follow each other from W[2]: (table, data) pairs for the
        # six headword lists, then the article table and data, then the
        # reverse table, then the reverse data up to the end of the file.
        pos = W[2]
        self.list_tables = []
        for k in range(6):
            table = pos
            data = table + W[3 + 2 * k]
            pos = data + W[4 + 2 * k]
            self.list_tables.append((table, data, W[3 + 2 * k]))
        self.article_table = pos
        self.article_data = self.article_table + W[15]
        self.reverse_table = self.article_data + W[16]
        self.reverse_data = self.reverse_table + W[17]
        self.article_count = W[15] // 4 - 1
        self.reverse_count = W[17] // 4 - 1
        if self.reverse_data > len(self.image):
            raise FormatError('sections run past the end of the file')
        self._cache = {}
        self.entry_list = [0] * ENTRY_LIST_WORDS
        self._build_first_letter_table()

    # -- raw access -----------------------------------------------------

    def _u32(self, off):
        if off < 0 or off + 4 > len(self.image):
            raise FormatError('read outside the file at %d' % off)
        return struct.unpack_from('<I', self.image, off)[0]

    def _bytes(self, off, n):
        if n < 0 or off < 0 or off + n > len(self.image):
            raise FormatError('read outside the file at %d+%d' % (off, n))
        return self.image[off:off + n]

    def list_count(self, which):
        return self.list_tables[which][2] // 4 - 1

    def _span(self, table, i):
        a = self._u32(table + 4 * i)
        b = self._u32(table + 4 * i + 4)
        return a, (b - a) & 0xFFFFFFFF

    def headword_record(self, which, j):
        """(span, entry number, descrambled text) of record j of a headword list.

        The text is only decoded for spans under the limit; others are
        ignored by every reader."""
        key = ('h', which, j)
        if key in self._cache:
            return self._cache[key]
        table, data, _ = self.list_tables[which]
        off, span = self._span(table, j)
        if span >= HEADWORD_SPAN_LIMIT:
            rec = (span, None, None)
        else:
            entry = i32(self._u32(data + off))
            raw = self._bytes(data + off + 4, span - 4)
            rec = (span, entry, descramble(raw, entry))
        self._cache[key] = rec
        return rec

    def main_text(self, i):
        """Main-list record i, descrambled with its record number as the seed."""
        key = ('m', i)
        if key in self._cache:
            return self._cache[key]
        table, data, _ = self.list_tables[self.LIST_MAIN]
        off, span = self._span(table, i)
        if span >= HEADWORD_SPAN_LIMIT:
            rec = (span, None)
        else:
            rec = (span, cstr(descramble(self._bytes(data + off + 4, span - 4), i)))
        self._cache[key] = rec
        return rec

    def article_raw(self, e):
        """(homonym number, text) of article e read straight from the article table."""
        key = ('a', e)
        if key in self._cache:
            return self._cache[key]
        off, span = self._span(self.article_table, e)
        hom = i32(self._u32(self.article_data + off))
        if span >= ARTICLE_SPAN_LIMIT:
            text = b''
        else:
            text = cstr(descramble(self._bytes(self.article_data + off + 4, span - 4), e))
        self._cache[key] = (hom, text)
        return hom, text

    def reverse_record(self, i):
        """(m, entry-number words, text length, descrambled text) of reverse record i."""
        key = ('r', i)
        if key in self._cache:
            return self._cache[key]
        off, span = self._span(self.reverse_table, i)
        base = self.reverse_data + off
        m = i32(self._u32(base))
        words = min(max(m, 1), ENTRY_LIST_WORDS)
        entries = [i32(self._u32(base + 4 * n)) for n in range(1, words)]
        text_len = span - 4 * m
        if text_len < 0:
            raise FormatError('reverse record %d shorter than its entry list' % i)
        text = descramble(self._bytes(base + 4 * m, text_len), off + 4 * m)
        rec = (m, entries, text_len, text)
        self._cache[key] = rec
        return rec

    def _load_entry_list(self, i):
        m, entries, _, _ = self.reverse_record(i)
        self.entry_list = [m] + entries

    # -- first-letter table -----------------------------------------------

    def _build_first_letter_table(self):
        self.first_letter = [0] * 256
        seen = set()
        for i in range(self.reverse_count):
            _, _, text_len, text = self.reverse_record(i)
            if text_len >= REVERSE_TEXT_LIMIT:
                continue
            first = text[0] if text else 0
            w = letter_weight(first)
            if w not in seen:
                seen.add(w)
                self.first_letter[w] = i

    # -- forward lookups ----------------------------------------------------

    def get_article(self, entry):
        if entry < 0 or entry >= self.article_count:
            return b''
        span, _ = self.main_text(entry)
        if span >= HEADWORD_SPAN_LIMIT:
            return b''
        return self.article_raw(entry)[1]

    def find_forward_prefix(self, prefix, index):
        """Returns (article text, new index)."""
        q = trim_ws(cstr(prefix))
        s = 0 if index == -1 else index
        for i in range(s, self.list_count(self.LIST_MAIN)):
            span, text = self.main_text(i)
            if span >= HEADWORD_SPAN_LIMIT:
                continue
            if len(text) > len(q):
                text = text[:len(q)]
            c = forward_compare(q, text)
            if c == 0:
                return self.get_article(i), i
            if c < 0:
                return b'', -1
        return b'', -1

    def find_nearest_forward(self, word, entry=-1):
        """Returns (text, entry)."""
        word = cstr(word)
        idx = -1
        result = b''
        for n in range(1, min(len(word), PREFIX_LIMIT) + 1):
            text, idx = self.find_forward_prefix(word[:n], idx)
            if idx == -1:
                break
            entry = idx
            result = text
        return result, entry

    # -- reverse lookups ----------------------------------------------------

    def find_reverse_prefix(self, prefix, start):
        prefix = cstr(prefix)
        qlen = len(prefix)
        if start == -1:
            start = self.first_letter[letter_weight(prefix[0] if prefix else 0)]
        for i in range(start, self.reverse_count):
            _, _, text_len, text = self.reverse_record(i)
            if text_len >= REVERSE_TEXT_LIMIT:
                continue
            cut = cstr(text)
            if len(cut) > qlen:
                cut = cut[:qlen]
            c = compare_by_weight(cut, prefix)
            if c == 0:
                self._load_entry_list(i)
                return i
            if c > 0:
                return -1
        return -1

    def find_nearest_reverse(self, word):
        word = cstr(word)
        idx = -1
        for n in range(1, min(len(word), PREFIX_LIMIT) + 1):
            r = self.find_reverse_prefix(word[:n], idx)
            if r == -1:
                break
            idx = r
        return idx

    def render_reverse(self, word):
        """Returns (fragment, index)."""
        idx = self.find_nearest_reverse(word)
        if idx >= 0:
            return self.render_reverse_record(self.entry_list, idx), idx
        return b'', idx

    def render_reverse_entry(self, index):
        if index < 0 or index >= self.reverse_count:
            return b''
        self._load_entry_list(index)
        return self.render_reverse_record(self.entry_list, index)

    def get_reverse_headword(self, index):
        if index < 0 or index >= self.reverse_count:
            return b''
        _, _, text_len, text = self.reverse_record(index)
        if text_len >= REVERSE_TEXT_LIMIT:
            return b''
        return cstr(text)

    def get_list_headword(self, reverse, index):
        """Returns (text, homonym) of an index row."""
        if not reverse:
            hom, _ = self.article_raw(index)
            off, span = self._span(self.article_table, index)
            n = min(span - 4, ROW_TEXT_LIMIT)
            raw = self._bytes(self.article_data + off + 4, max(n, 0))
            text = descramble(raw, index)
        else:
            hom = 0
            _, _, text_len, full = self.reverse_record(index)
            text = full[:min(text_len, ROW_TEXT_LIMIT)]
        text = cstr(text)
        tab = text.find(b'\t')
        if tab >= 0:
            text = text[:tab]
        return text, hom

    # -- renderers ----------------------------------------------------------

    @staticmethod
    def _headword_part(text):
        """Length of the forward headword part, or -1 when there is none."""
        tab = text.find(b'\t')
        if 0 <= tab <= 31:
            return tab
        return -1

    def _render_forward_lists(self, word, lists, link_mode):
        q = trim_ws(cstr(word))
        entry = -1
        head = b''
        body = b''
        found = False
        k = 0
        l = 0
        first_homonym = 0
        for which in lists:
            for j in range(self.list_count(which)):
                span, e, t = self.headword_record(which, j)
                if span >= HEADWORD_SPAN_LIMIT:
                    continue
                t = cstr(t)
                if entry == -1 and len(t) > len(q):
                    t = t[:len(q)]
                if forward_compare(q, t) != 0:
                    if link_mode:
                        if found:
                            break
                        continue
                    l += 1
                    if found and l > 100:
                        break
                    continue
                h, text = self.article_raw(e)
                found = True
                hw = self._headword_part(text)
                if body == b'':
                    first_homonym = h
                    k = 1
                    l = 0
                    if hw >= 0:
                        body = (A_NAME % 1) + text[hw + 1:]
                        head = text[:hw + 1]
                    else:
                        head = b''
                        body = text
                else:
                    l += 1
                    if k == 1:
                        if has_shown_homonym(first_homonym):
                            head += LINK_FIRST_HOM % (head, first_homonym)
                        else:
                            head += LINK_FIRST % head
                    k += 1
                    if hw >= 0:
                        if link_mode:
                            plain, hom = LINK_LATER_LNK, LINK_LATER_LNK_HOM
                        else:
                            plain, hom = LINK_LATER_FWD, LINK_LATER_FWD_HOM
                        if has_shown_homonym(h):
                            head += hom % (k, text[:hw], h)
                        else:
                            head += plain % (k, text[:hw])
                    body += HR + (A_NAME % k) + (text[hw + 1:] if hw >= 0 else text)
                if entry == -1:
                    entry = e
            if link_mode:
                break
        if k > 1:
            head += HR
        return head + body, entry

    def render_forward(self, word):
        """Returns (fragment, entry)."""
        return self._render_forward_lists(
            word, [self.LIST_MAIN, self.LIST_ALT1, self.LIST_ALT2,
                   self.LIST_ALT3, self.LIST_ALT4], link_mode=False)

    def render_link_target(self, name):
        """Returns (fragment, entry)."""
        return self._render_forward_lists(name, [self.LIST_LINK], link_mode=True)

    def render_reverse_record(self, entry_list, index):
        m = min(entry_list[0], ENTRY_LIST_WORDS)
        word = self.get_reverse_headword(index)
        top = REV_TOP
        body = b''
        for n in range(1, m):
            e = entry_list[n]
            a = self.get_article(e)
            lt = a.find(b'<')
            tab = a.find(b'\t')
            block = b''
            if lt > 0 and tab < lt:
                top += (REV_LINK_START % e) + (a[:tab] if tab >= 0 else b'') + REV_LINK_END
                block = (A_NAME % e) + a[tab + 1:]
            if block:
                body += block
                if m > 2:
                    body += REV_BACK
                if n + 1 < m:
                    body += REV_RULE
        if word:
            body = highlight(body, word)
        if m == 2:
            return body
        return top + REV_RULE + body

    # -- index list ---------------------------------------------------------

    def homonym_ordinal(self, entry, last_index=None):
        if last_index is None:
            last_index = self.article_count - 1
        if entry < 0 or entry > last_index:
            return 0
        w = self.get_list_headword(False, entry)[0]
        n = 0
        for j in range(entry - 1, -1, -1):
            if self.get_list_headword(False, j)[0] == w:
                n = 2 if n == 0 else n + 1
            else:
                break
        if n > 0:
            return n
        if entry < last_index and self.get_list_headword(False, entry + 1)[0] == w:
            return 1
        return 0

    # -- page composition -----------------------------------------------------

    def translate_html(self, text, page_head=b''):
        items = split_items(cstr(text), b' ')
        h = PAGE_START
        b = b''
        k = 0
        many = len(items) > 1
        for n, item in enumerate(items):
            item = item[:PREFIX_LIMIT]
            if many:
                h += PAGE_ITEM_LINK % (k, item)
                anchor = PAGE_ITEM_ANCHOR % k
                k += 1
            else:
                anchor = b''
            article, entry = self.render_forward(item)
            if entry == -1:
                article, entry = self.find_nearest_forward(item, -1)
            tab = article.find(b'\t')
            b += anchor + (article[tab + 1:] if tab >= 0 else article)
            b += PAGE_BACK
            if n + 1 < len(items):
                b += PAGE_ITEM_SEP
        if many:
            h += PAGE_ITEM_SEP
        return page_head + h + b + PAGE_TAIL

    def translate_html_rev(self, word, page_head=b''):
        fragment, _ = self.render_reverse(word)
        return page_head + fragment + PAGE_TAIL


def split_items(text, sep):
    """Items between separators; empty ones count, a trailing separator adds none."""
    items = []
    start = 0
    for i, c in enumerate(text):
        if c == sep[0]:
            items.append(text[start:i])
            start = i + 1
    if start < len(text):
        items.append(text[start:])
    return items


def highlight(body, word):
    """Mark whole-word occurrences of the Lithuanian word in a reverse body."""
    p = 0
    while p <= len(body):
        g = body.find(word, p)
        if g < 0:
            break
        if g == 0:
            p = 2
            continue
        c = body[g - 1]
        if c == 0x3E or c == 0x5B or letter_weight(c) != 0:   # '>' '['
            p = g + 1
            continue
        end = g + len(word)
        d = body[end] if end < len(body) else 0
        if letter_weight(d) != 0 or d == 0x3C:                 # '<'
            p = g + 1
            continue
        body = body[:g] + HL_START + word + HL_END + body[end:]
        p = g + len(word) + len(HL_START) + len(HL_END)
    return body


# --------------------------------------------------------------------------
# Writer


def build_image(main, alts, links, articles, reverse, *, sections_offset=HEADER_SIZE,
                header_junk=None, gap_fill=None):
    """Build a dictionary image.

    main, each of the four alts, links: lists of (entry number, text) records;
        a text is scrambled with its entry number as the seed.  A record may also
        be given as (entry number, text, True) to store the text unscrambled
        (for deliberately odd content).
    articles: list of (homonym number, text).
    reverse: list of (entry numbers, text); m is len(entry numbers) + 1 and the
        text is scrambled with the offset of the text within the reverse data.
    header_junk: values for the uninterpreted header words 0, 1 and 18..46.
    gap_fill: bytes between the header and sections_offset.
    """
    assert len(alts) == 4
    assert sections_offset >= HEADER_SIZE

    def headword_list(records):
        offsets = [0]
        data = bytearray()
        for rec in records:
            entry, text = rec[0], rec[1]
            raw = len(rec) > 2 and rec[2]
            data += struct.pack('<i', entry)
            data += text if raw else scramble(text, entry)
            offsets.append(len(data))
        return struct.pack('<%dI' % len(offsets), *offsets), bytes(data)

    def article_list(records):
        offsets = [0]
        data = bytearray()
        for e, (hom, text) in enumerate(records):
            data += struct.pack('<i', hom)
            data += scramble(text, e)
            offsets.append(len(data))
        return struct.pack('<%dI' % len(offsets), *offsets), bytes(data)

    def reverse_list(records):
        offsets = [0]
        data = bytearray()
        for entries, text in records:
            m = len(entries) + 1
            start = len(data)
            data += struct.pack('<i', m)
            for e in entries:
                data += struct.pack('<i', e)
            data += scramble(text, start + 4 * m)
            offsets.append(len(data))
        return struct.pack('<%dI' % len(offsets), *offsets), bytes(data)

    sections = []
    for records in [main] + list(alts) + [links]:
        sections.extend(headword_list(records))
    sections.extend(article_list(articles))
    rev_table, rev_data = reverse_list(reverse)

    words = [0] * HEADER_WORDS
    if header_junk is not None:
        slots = [0, 1] + list(range(18, HEADER_WORDS))
        for slot, value in zip(slots, header_junk):
            words[slot] = value & 0xFFFFFFFF
    words[2] = sections_offset
    for k, sec in enumerate(sections):
        words[3 + k] = len(sec)
    words[17] = len(rev_table)

    out = bytearray(struct.pack('<47I', *words))
    gap = sections_offset - HEADER_SIZE
    if gap_fill is None:
        gap_fill = b'\xA5' * gap
    assert len(gap_fill) == gap
    out += gap_fill
    for sec in sections:
        out += sec
    out += rev_table
    out += rev_data
    return bytes(out)


def parse_image(image):
    """Inverse of build_image for the interpreted content (used to self-check)."""
    d = DictFile(image)
    lists = []
    for which in range(6):
        table, data, _ = d.list_tables[which]
        recs = []
        for j in range(d.list_count(which)):
            off, span = d._span(table, j)
            entry = i32(d._u32(data + off))
            recs.append((entry, descramble(d._bytes(data + off + 4, span - 4), entry)))
        lists.append(recs)
    articles = []
    for e in range(d.article_count):
        off, span = d._span(d.article_table, e)
        hom = i32(d._u32(d.article_data + off))
        articles.append((hom, descramble(d._bytes(d.article_data + off + 4, span - 4), e)))
    reverse = []
    for i in range(d.reverse_count):
        m, entries, _, text = d.reverse_record(i)
        reverse.append((entries, text))
    return lists[0], lists[1:5], lists[5], articles, reverse


# --------------------------------------------------------------------------
# The terminal tool's commands, as the model computes them


class UsageError(Exception):
    pass


def _int_arg(arg):
    try:
        return int(arg.decode('ascii'), 10)
    except (UnicodeDecodeError, ValueError):
        raise UsageError('not a number: %r' % (arg,))


def run_command(d, head, args):
    """Expected --raw output of `lekstar-cli COMMAND ARGS...` (args are bytes)."""
    if not args:
        raise UsageError('no command')
    cmd, rest = args[0], list(args[1:])

    def need(n):
        if len(rest) != n:
            raise UsageError('%s takes %d argument(s)' % (cmd.decode(), n))

    if cmd == b'counts':
        need(0)
        return b'articles ' + dec(d.article_count) + b'\nreverse ' + dec(d.reverse_count) + b'\n'
    if cmd == b'render-forward':
        need(1)
        frag, entry = d.render_forward(rest[0])
        return dec(entry) + b'\n' + frag
    if cmd == b'nearest-forward':
        need(1)
        text, entry = d.find_nearest_forward(rest[0], -1)
        return dec(entry) + b'\n' + text
    if cmd == b'render-link':
        need(1)
        frag, entry = d.render_link_target(rest[0])
        return dec(entry) + b'\n' + frag
    if cmd == b'render-reverse':
        need(1)
        frag, idx = d.render_reverse(rest[0])
        return dec(idx) + b'\n' + frag
    if cmd == b'nearest-reverse':
        need(1)
        return dec(d.find_nearest_reverse(rest[0])) + b'\n'
    if cmd == b'reverse-entry':
        need(1)
        return d.render_reverse_entry(_int_arg(rest[0]))
    if cmd == b'article':
        need(1)
        return d.get_article(_int_arg(rest[0]))
    if cmd == b'reverse-headword':
        need(1)
        return d.get_reverse_headword(_int_arg(rest[0]))
    if cmd == b'rows':
        reverse = False
        if rest and rest[0] == b'--reverse':
            reverse = True
            rest = rest[1:]
        if len(rest) != 2:
            raise UsageError('rows takes FROM COUNT')
        start, count = _int_arg(rest[0]), _int_arg(rest[1])
        if start < 0:
            raise UsageError('FROM must not be negative')
        total = d.reverse_count if reverse else d.article_count
        out = []
        for i in range(start, min(start + max(count, 0), total)):
            text, hom = d.get_list_headword(reverse, i)
            out.append(dec(i) + b'\t' + dec(hom) + b'\t' + text + b'\n')
        return b''.join(out)
    if cmd == b'homonym-ordinal':
        need(1)
        return dec(d.homonym_ordinal(_int_arg(rest[0]))) + b'\n'
    if cmd == b'page':
        if rest and rest[0] == b'--reverse':
            if len(rest) != 2:
                raise UsageError('page --reverse takes one WORD')
            return d.translate_html_rev(rest[1], head)
        return d.translate_html(b' '.join(rest), head)
    raise UsageError('unknown command %r' % (cmd,))


def _check(cond, what):
    if not cond:
        raise AssertionError('refdict self-test failed: ' + what)


def _eq(actual, expected, what):
    if actual != expected:
        raise AssertionError('refdict self-test failed: %s\n  expected %r\n  actual   %r'
                             % (what, expected, actual))


def selftest():
    """Checks of the model against values worked out by hand."""
    # generator check values
    _eq(scramble(b'abc', 0), bytes.fromhex('474595'), 'scramble seed 0')
    _eq(scramble(b'abc', 1), bytes.fromhex('4841dd'), 'scramble seed 1')
    blob = bytes(range(256)) * 2
    for seed in (0, 1, 0x7FFFFFFF, 0xFFFFFFFF, 123456789):
        _eq(descramble(scramble(blob, seed), seed), blob, 'scramble twice, seed %d' % seed)
    _eq(descramble(blob, 77)[:10], descramble(blob[:10], 77), 'descrambling a prefix')

    # collations
    _eq(compare_by_weight(b'a-b', b'a b'), 0, 'weight-0 bytes equal')
    _eq(compare_by_weight(b'a-b', b'a1b'), 0, 'weight-0 bytes equal (digit)')
    _eq(compare_by_weight(b'a-b', b'aab'), -1, 'weight-0 sorts first')
    _eq(compare_by_weight(b'\xe0\xfeuolas', b'\xc0\xfeuolas'), 0, 'A-ogonek both cases')
    _eq(compare_by_weight(b'\xc0\xfeuolas', b'a\xfeuolas'), 0, 'A-ogonek weighs as a')
    _eq(compare_by_weight(b'a\xfeuolas', b'azuolas'), 1, 'z-caron after z')
    _eq(compare_by_weight(b'y', b'I'), 0, 'y weighs as i')
    _eq(compare_by_weight(b'ab', b'a'), 1, 'longer sorts after')
    _eq(compare_by_weight(b'', b''), 0, 'two empty texts')
    _eq(forward_compare(b'apple', b'APPLE'), 0, 'ASCII folded')
    _eq(forward_compare(b'\xf0uo', b'\xd0uo'), 1, 's-caron not folded')
    _eq(forward_compare(b'ab', b'abc'), -1, 'prefix first')
    _eq(forward_compare(b'z', b'\xe0'), -1, 'diacritics after ASCII')
    _eq(split_items(b'', b' '), [], 'split empty')
    _eq(split_items(b' cat', b' '), [b'', b'cat'], 'split leading separator')
    _eq(split_items(b'cat ', b' '), [b'cat'], 'split trailing separator')
    _eq(split_items(b'a  b', b' '), [b'a', b'', b'b'], 'split double separator')

    # a small dictionary, written and read back
    main = [(0, b'bank'), (1, b'bank'), (2, b'cat'), (3, b'x' * 60)]
    arts = [(1, b'bank\t<P>krantas</P>'), (2, b'bank\t<P>bankas</P>'),
            (999, b'cat\t<P>katinas, namas, x</P>'), (0, b'long\t<P>ilgas</P>')]
    alts = [[(2, b'kitty')], [], [(3, b'y' * 70), (0, b'shore')], []]
    links = [(0, b'bank'), (1, b'bank'), (2, b'cat')]
    rev = [([0, 1], b'bankas'), ([], b'dar'), ([2], b'namas'), ([3, 2, 99], b'z')]
    image = build_image(main, alts, links, arts, rev, sections_offset=200,
                        header_junk=list(range(31)), gap_fill=b'\x01' * 12)
    back = parse_image(image)
    _eq(back[0], main, 'round trip main list')
    _eq(back[1], alts, 'round trip alternate lists')
    _eq(back[2], links, 'round trip link list')
    _eq(back[3], arts, 'round trip articles')
    _eq([(e, t) for e, t in back[4]], rev, 'round trip reverse list')
    d = DictFile(image)
    _eq((d.article_count, d.reverse_count), (4, 4), 'counts')
    _eq(d.first_letter[letter_weight(ord('b'))], 0, 'first letter b')
    _eq(d.first_letter[letter_weight(ord('n'))], 2, 'first letter n')
    _eq(d.get_article(3), b'', 'article behind a 64-byte main record')
    _eq(d.get_article(2), b'cat\t<P>katinas, namas, x</P>', 'article 2')

    frag, entry = d.render_forward(b'  CAT ')
    _eq((frag, entry), (b'cat\t<A NAME="R1"></A><P>katinas, namas, x</P>', 2), 'one match')
    frag, entry = d.render_forward(b'bank')
    _eq(entry, 0, 'homonyms entry')
    _eq(frag, b'bank\t'
        b'<A HREF="#R1">bank\t</A><sup><small>1</sup></small>&nbsp;&nbsp;&nbsp;'
        b'<A HREF="#R2">bank</A><sup><small>2</sup></small>&nbsp;&nbsp;&nbsp;\r\n'
        b'<HR>\r\n'
        b'<A NAME="R1"></A><P>krantas</P>'
        b'<HR>\r\n<A NAME="R2"></A><P>bankas</P>', 'two homonyms')
    frag, entry = d.render_link_target(b'bank')
    _eq(frag, b'bank\t'
        b'<A HREF="#R1">bank\t</A><sup><small>1</sup></small>&nbsp;&nbsp;&nbsp;'
        b'<A HREF="#R2">bank</A><sup><small>2</sup></small>&nbsp;&nbsp;&nbsp;'
        b'<HR>\r\n'
        b'<A NAME="R1"></A><P>krantas</P>'
        b'<HR>\r\n<A NAME="R2"></A><P>bankas</P>', 'two link targets')
    _eq(d.render_forward(b'ki'), (b'cat\t<A NAME="R1"></A><P>katinas, namas, x</P>', 2),
        'prefix of an alternate headword')
    _eq(d.render_forward(b'q'), (b'', -1), 'nothing matches')
    _eq(d.find_nearest_forward(b'cab', -1), (b'cat\t<P>katinas, namas, x</P>', 2), 'nearest')
    _eq(d.find_nearest_forward(b'q', -1), (b'', -1), 'nearest finds nothing')

    _eq(d.render_reverse(b'namasx'),
        (b'<A NAME="R2"></A><P>katinas, <SPAN CLASS=SELECTED>namas</SPAN>, x</P>', 2),
        'reverse m = 2 with highlight')
    _eq(d.render_reverse_entry(1), REV_TOP + REV_RULE, 'reverse m = 1')
    _eq(d.render_reverse_entry(3),
        REV_TOP + b'<A HREF="#R2">cat</A>&nbsp;&nbsp;&nbsp; ' + REV_RULE
        + b'<A NAME="R2"></A><P>katinas, namas, x</P>' + REV_BACK + REV_RULE,
        'reverse with unusable entries')
    _eq(d.render_reverse_entry(0),
        REV_TOP + b'<A HREF="#R0">bank</A>&nbsp;&nbsp;&nbsp; '
        + b'<A HREF="#R1">bank</A>&nbsp;&nbsp;&nbsp; ' + REV_RULE
        + b'<A NAME="R0"></A><P>krantas</P>' + REV_BACK + REV_RULE
        + b'<A NAME="R1"></A><P>bankas</P>' + REV_BACK,
        'reverse with two entries')
    _eq(d.find_nearest_reverse(b'\xe1'), -1, 'reverse nothing before')
    _eq(d.find_nearest_reverse(b'Z'), 3, 'reverse last record')
    _eq([d.homonym_ordinal(e) for e in range(-1, 5)], [0, 1, 2, 0, 0, 0], 'homonym ordinals')
    _eq(d.get_list_headword(False, 0), (b'bank', 1), 'forward row')
    _eq(d.get_list_headword(True, 3), (b'z', 0), 'reverse row')

    _eq(d.translate_html(b'', b'H'), b'H' + PAGE_START + PAGE_TAIL, 'empty page')
    _eq(d.translate_html(b'cat', b''),
        PAGE_START + b'<A NAME="R1"></A><P>katinas, namas, x</P>' + PAGE_BACK + PAGE_TAIL,
        'page of one item')
    _eq(d.translate_html(b'cat q'),
        PAGE_START + b'<A HREF="#Q0">cat</A>&nbsp;<A HREF="#Q1">q</A>&nbsp;\r\n<HR>\r\n'
        + b'<A NAME="Q0"></A><A NAME="R1"></A><P>katinas, namas, x</P>' + PAGE_BACK
        + b'\r\n<HR>\r\n' + b'<A NAME="Q1"></A>' + PAGE_BACK + PAGE_TAIL,
        'page of two items')
    _eq(d.translate_html_rev(b'q', b'H'), b'H' + PAGE_TAIL, 'reverse page of nothing')

    # highlighting cases
    _eq(highlight(b'x namas, <b>namas</b> [namas] namasx namas', b'namas'),
        b'x <SPAN CLASS=SELECTED>namas</SPAN>, <b>namas</b> [namas] namasx '
        b'<SPAN CLASS=SELECTED>namas</SPAN>', 'highlight contexts')
    _eq(highlight(b'aa a', b'a'), b'aa <SPAN CLASS=SELECTED>a</SPAN>', 'occurrence at 0 skips 2')
    _eq(highlight(b'a a,a', b'a'),
        b'a <SPAN CLASS=SELECTED>a</SPAN>,<SPAN CLASS=SELECTED>a</SPAN>', 'repeated')
    _eq(highlight(b'1a<', b'a'), b'1a<', 'followed by <')
    _eq(highlight(b'.a-', b'a'), b'.<SPAN CLASS=SELECTED>a</SPAN>-', 'between non-letters')


def main(argv):
    args = [os.fsencode(a) for a in argv]
    dict_path = None
    head_path = None
    while args and args[0].startswith(b'--') and args[0] in (b'--dict', b'--head', b'--raw'):
        opt = args.pop(0)
        if opt == b'--raw':
            continue
        if not args:
            sys.stderr.write('missing value for %s\n' % opt.decode())
            return 2
        if opt == b'--dict':
            dict_path = args.pop(0)
        else:
            head_path = args.pop(0)
    if dict_path is None:
        sys.stderr.write('usage: refdict.py --dict FILE [--head FILE] COMMAND ARGS...\n')
        return 2
    try:
        with open(dict_path, 'rb') as f:
            image = f.read()
        d = DictFile(image)
    except (OSError, FormatError) as exc:
        sys.stderr.write('cannot open dictionary: %s\n' % exc)
        return 1
    head = b''
    if head_path is not None:
        with open(head_path, 'rb') as f:
            head = f.read()
    try:
        out = run_command(d, head, args)
    except UsageError as exc:
        sys.stderr.write('usage error: %s\n' % exc)
        return 2
    sys.stdout.buffer.write(out)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
