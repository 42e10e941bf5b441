#!/usr/bin/env python3
"""Writes the page from its template. The first window is in it as the page's own copy
(drawn by first_window.cjs), with all it needs to be painted inside the page: the look,
its face (first_face.py) and the portrait (as data: addresses), so that the first paint
waits for no request but the page's own; the program (tervanel.js, a file of its own)
starts once that copy is painted. A Content-Security-Policy lets in the page's style
sheet and its one small script by their SHA-256 digests.

The page's title and description are the program's name and summary (core/identity.hpp,
handed over by the build).

    page.py TEMPLATE STYLE EARLY_SCRIPT FIRST_HTML FIRST_CSS FIRST_FACE PORTRAIT NAME SUMMARY OUT
"""
import base64
import hashlib
import html
import sys


def digest(text):
    return "'sha256-%s'" % base64.b64encode(hashlib.sha256(text.encode()).digest()).decode()


def data_address(path, kind):
    with open(path, 'rb') as f:
        return 'data:%s;base64,%s' % (kind, base64.b64encode(f.read()).decode())


def read(path):
    with open(path, encoding='utf-8') as f:
        return f.read()


def replace_once(text, old, new, where):
    if text.count(old) != 1:
        sys.exit('page.py: %s not once in %s' % (old, where))
    return text.replace(old, new)


def main(template, style, early, first_html, first_css, face, portrait, name, summary, out):
    page, look, script = read(template), read(style) + read(first_css), read(early)
    window = read(first_html).strip()
    look = replace_once(look, 'url(first-window.ttf)',
                        'url(%s)' % data_address(face, 'font/ttf'), style)
    window = replace_once(window, 'src="portrait.jpg"',
                          'src="%s"' % data_address(portrait, 'image/jpeg'), first_html)
    # Inside an element the parser looks only for its end tag.
    for text, end in ((look, '</style'), (script, '</script')):
        if end in text.lower():
            sys.exit('page.py: %s> inside what goes into the page' % end)
    for mark, text in (('@STYLE_DIGEST@', digest(look)), ('@EARLY_DIGEST@', digest(script)),
                       ('@STYLE@', look), ('@EARLY@', script), ('@FIRST_WINDOW@', window),
                       ('@NAME@', html.escape(name)), ('@SUMMARY@', html.escape(summary))):
        page = replace_once(page, mark, text, template)
    with open(out, 'w', encoding='utf-8') as f:
        f.write(page)


if __name__ == '__main__':
    main(*sys.argv[1:])
