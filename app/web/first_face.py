#!/usr/bin/python3
"""Writes the face of the page's copy of the first window: the regular face cut down to
the letters that window shows, metrics and kerning kept, as a TrueType file. A few
kilobytes, it goes inside the page and is ready for the page's first paint; the whole
face comes after it, for the program's own windows. The hinting instructions go too
(more than half of what is left): the browser draws the face without them, as the
browser test proves, holding the copy to the program's window, drawn in the whole face,
pixel for pixel. It stays a TrueType file: packed as WOFF2 it would be half the size
(3.5 KB against 6.5), but the browser would unpack it before the first paint, which came
a little later that way in alternating loads.

A face cut down is a modified face: its licence (SIL Open Font License 1.1) reserves
the names "Liberation" and "Arimo" for the original, so this one is named "Tervanel
First" (licence and copyright notices kept in it, and beside it in the site).

    first_face.py FACE.ttf FIRST_WINDOW.html OUT.ttf

Run with Debian's Python, whose fontTools does the work (package fonttools).
"""
import html
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = 'Tervanel First'
POSTSCRIPT = 'TervanelFirst-Regular'


def shown_text(markup):
    # The text of the window's elements; the attributes' words are not drawn.
    return html.unescape(re.sub(r'<[^>]*>', '', markup))


def main(face, first_window, out):
    with open(first_window, encoding='utf-8') as f:
        text = shown_text(f.read())
    options = subset.Options()
    options.layout_features = ['*']
    options.name_IDs = ['*']
    options.name_languages = ['*']
    options.notdef_outline = True
    options.hinting = False
    options.drop_tables += ['FFTM']  # the font editor's timestamps
    font = TTFont(face, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text + ' ')
    subsetter.subset(font)
    names = font['name']
    for record in list(names.names):
        if record.nameID in (1, 4, 16, 18):
            names.setName(FAMILY, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID in (3, 6, 20):
            names.setName(POSTSCRIPT, record.nameID, record.platformID, record.platEncID,
                          record.langID)
    left = [r.toUnicode() for r in names.names
            if r.nameID in (1, 3, 4, 6, 16, 17, 18, 20, 21, 22) and 'Liberation' in r.toUnicode()]
    if left:
        sys.exit('first_face.py: the original name is still in the face: %s' % left)
    font.save(out)


if __name__ == '__main__':
    main(*sys.argv[1:])
