#!/usr/bin/env python3
"""Writes the page from its template with the look and the program inside it, so that
the first window needs no request but the page's own (and the face and the portrait it
preloads), and with a Content-Security-Policy that lets in exactly these two, by their
SHA-256 digests.

    page.py TEMPLATE STYLE SCRIPT OUT
"""
import base64
import hashlib
import sys


def digest(text):
    return "'sha256-%s'" % base64.b64encode(hashlib.sha256(text.encode()).digest()).decode()


def main(template, style, script, out):
    with open(template, encoding='utf-8') as f:
        page = f.read()
    with open(style, encoding='utf-8') as f:
        look = f.read()
    with open(script, encoding='utf-8') as f:
        program = f.read()
    # Inside an element the parser looks only for its end tag.
    for text, end in ((look, '</style'), (program, '</script')):
        if end in text.lower():
            sys.exit('page.py: %s> inside what goes into the page' % end)
    page = page.replace('@STYLE_DIGEST@', digest(look)).replace('@SCRIPT_DIGEST@', digest(program))
    before, after = page.split('@STYLE@')
    page = before + look + after
    before, after = page.split('@SCRIPT@')
    with open(out, 'w', encoding='utf-8') as f:
        f.write(before + program + after)


if __name__ == '__main__':
    main(*sys.argv[1:])
