#!/usr/bin/env python3
"""Draws the report images of the installation (install/Report/*.jpg) with
ImageMagick's convert: the handout's header and footer bands, the two radio
pictures with their numbered parts, and the number badges 1 to 11. Run once
after changing a drawing; the results are kept in the tree."""
import os
import subprocess
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'install', 'Report')
NAVY = '#1f4e79'
FONT = 'DejaVu-Sans-Bold'
QUALITY = ['-strip', '-quality', '88']


def convert(args, name):
    subprocess.run(['convert'] + args + QUALITY + [os.path.join(OUT, name)], check=True)


def draw(*primitives):
    args = []
    for p in primitives:
        args += ['-draw', p]
    return args


def arcs(cx, cy, radii):
    """Radio waves: arcs of the given radii as short line segments."""
    import math
    lines = []
    for r in radii:
        points = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in range(-50, 51, 5)]
        lines += ['line %.1f,%.1f %.1f,%.1f' % (a + b) for a, b in zip(points, points[1:])]
    return lines


def header():
    convert(['-size', '80x600', 'gradient:%s-#5b8db8' % NAVY, '-rotate', '-90',
             '-fill', 'none', '-stroke', 'white', '-strokewidth', '4']
            + draw(*arcs(40, 42, (14, 25, 36)))
            + ['-stroke', 'none', '-fill', 'white'] + draw('circle 40,42 46,42')
            + ['-fill', '#c9d9ea'] + draw('rectangle 110,56 590,57'), 'HandoutHeader.jpg')


def footer():
    convert(['-size', '20x600', 'gradient:#5b8db8-%s' % NAVY, '-rotate', '-90',
             '-fill', '#c9d9ea'] + draw('rectangle 0,3 600,4'), 'HandoutFooter.jpg')


def badges():
    for n in range(1, 12):
        convert(['-size', '24x24', 'xc:white', '-fill', NAVY] + draw('circle 11.5,11.5 11.5,0.5')
                + ['-fill', 'white', '-font', FONT, '-pointsize', '13', '-gravity', 'center',
                   '-annotate', '+0+0', str(n)], '%d.jpg' % n)


def callout(x, y, px, py, n):
    """A numbered badge at (x, y) with a leader line to the part at (px, py)."""
    text_x = x - (4 if n < 10 else 7)
    return (['-stroke', NAVY, '-strokewidth', '1.5'] + draw('line %d,%d %d,%d' % (x, y, px, py))
            + ['-stroke', 'none', '-fill', NAVY] + draw('circle %d,%d %d,%d' % (x, y, x + 10, y))
            + ['-fill', 'white', '-font', FONT, '-pointsize', '11', '-annotate', '+%d+%d' % (text_x, y + 4), str(n)])


def body():
    grille = ['line 74,%d 146,%d' % (y, y) for y in range(250, 330, 12)]
    return (['-size', '220x440', 'xc:white']
            + ['-fill', '#30363d'] + draw('roundrectangle 72,18 90,120 6,6')          # antenna
            + ['-fill', '#2b3138'] + draw('roundrectangle 52,108 168,420 20,20')      # housing
            + ['-fill', '#3a424b'] + draw('roundrectangle 58,114 162,414 16,16')
            + ['-fill', '#1b1f24'] + draw('roundrectangle 40,168 52,238 4,4')         # PTT
            + ['-fill', '#4b5560'] + draw('roundrectangle 42,248 52,274 3,3', 'roundrectangle 42,282 52,308 3,3')
            + ['-fill', '#59636e'] + draw('roundrectangle 168,150 176,194 3,3')       # accessory jack
            + ['-fill', '#1b1f24'] + draw('circle 110,396 110,400')                   # microphone
            + ['-stroke', '#5b6672', '-strokewidth', '3'] + draw(*grille) + ['-stroke', 'none']
            + ['-fill', '#1b1f24'] + draw('roundrectangle 126,70 152,112 5,5'))       # volume knob


def display_model():
    args = (body()
            + ['-fill', '#3ccf5a'] + draw('circle 104,104 104,108')
            + ['-fill', '#a9d3b4'] + draw('rectangle 70,134 150,184')
            + ['-fill', '#2b3138', '-font', 'DejaVu-Sans', '-pointsize', '11', '-annotate', '+88+163', 'CH 1']
            + ['-fill', '#6d7782'] + draw('roundrectangle 70,194 94,212 4,4', 'roundrectangle 98,194 122,212 4,4',
                                         'roundrectangle 126,194 150,212 4,4')
            + ['-fill', 'white'] + draw('polygon 110,198 104,208 116,208', 'polygon 132,198 144,198 138,208',
                                        'rectangle 76,200 88,201', 'rectangle 76,204 88,205'))
    for c in [(200, 60, 152, 90, 1), (200, 104, 108, 104, 2), (16, 200, 40, 200, 3), (16, 260, 42, 261, 4),
              (16, 296, 42, 295, 5), (200, 150, 112, 198, 6), (200, 228, 138, 210, 7), (16, 150, 76, 200, 8),
              (16, 384, 106, 396, 9), (200, 190, 176, 180, 10)]:
        args += callout(*c)
    convert(args, 'Display.jpg')


def rotary_model():
    args = (body()
            + ['-fill', '#1b1f24'] + draw('roundrectangle 94,82 118,112 5,5')         # channel selector
            + ['-fill', '#3ccf5a'] + draw('circle 110,130 110,134')
            + ['-fill', '#6d7782'] + draw('roundrectangle 78,146 142,162 6,6')        # top button
            + ['-fill', '#4b5560'] + draw('rectangle 176,214 182,330')                # belt clip
            + ['-stroke', '#1b1f24', '-strokewidth', '2'] + draw('line 60,404 160,404') + ['-stroke', 'none'])
    for c in [(200, 60, 152, 90, 1), (16, 70, 94, 96, 2), (200, 128, 114, 130, 3), (16, 200, 40, 200, 4),
              (16, 260, 42, 261, 5), (16, 296, 42, 295, 6), (200, 156, 142, 154, 7), (16, 384, 106, 396, 8),
              (200, 196, 176, 180, 9), (205, 270, 182, 270, 10), (200, 420, 150, 404, 11)]:
        args += callout(*c)
    convert(args, 'Rotary.jpg')


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    header()
    footer()
    badges()
    display_model()
    rotary_model()
