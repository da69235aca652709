#!/usr/bin/env python3
"""Draws all of the program's artwork and writes it next to this file.

Run from anywhere. Standard library only, so the output can be rebuilt on any
machine; change a colour in the module that draws a picture and run it again.
"""
import os

import dialog_art
import pointer
from artwork_files import bmp_24, cur, ico
from globe import shade_sphere

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, content):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(content)


def main():
    write('preview_globe.bmp', bmp_24(shade_sphere(110, 50)))
    # The small icons get a relatively bigger ball so the globe reads at 16 px.
    write('gyrafoto.ico', ico([shade_sphere(16, 7.6), shade_sphere(32, 15),
                               shade_sphere(48, 22.5)]))

    paper = dialog_art.PAPER  # what lies round the corners of the rounded pictures
    write('tile_strip.bmp', bmp_24(dialog_art.tile_strip()))
    write('header_bar.bmp', bmp_24(dialog_art.header_bar(), paper))
    write('button_up.bmp', bmp_24(dialog_art.button_face(down=False), paper))
    write('button_down.bmp', bmp_24(dialog_art.button_face(down=True), paper))
    write('option_off.bmp', bmp_24(dialog_art.option_mark(on=False), paper))
    write('option_on.bmp', bmp_24(dialog_art.option_mark(on=True), paper))
    write('check_off.bmp', bmp_24(dialog_art.check_mark(on=False), paper))
    write('check_on.bmp', bmp_24(dialog_art.check_mark(on=True), paper))
    write('pointer.cur', cur(pointer.hand(), pointer.HOTSPOT))


if __name__ == '__main__':
    main()
