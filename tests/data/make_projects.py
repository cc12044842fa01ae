#!/usr/bin/env python3
"""Writes the hand-made project files that the project file tests load, byte for byte.

Run from this folder: python3 make_projects.py. Every field is spelled out here so that the
files do not depend on the program that reads them.
"""
import struct


class Out:
    def __init__(self):
        self.b = bytearray()

    def u8(self, v): self.b += struct.pack('<B', v); return self
    def u16(self, v): self.b += struct.pack('<H', v); return self
    def u32(self, v): self.b += struct.pack('<I', v); return self
    def f32(self, v): self.b += struct.pack('<f', v); return self
    def f64(self, v): self.b += struct.pack('<d', v); return self

    def text(self, s):
        data = s.encode('cp1252')
        n = len(data)
        if n < 255:
            self.u8(n)
        elif n < 0xFFFE:
            self.u8(0xFF).u16(n)
        else:
            self.u8(0xFF).u16(0xFFFF).u32(n)
        self.b += data
        return self

    def new_class(self, name):
        self.u16(0xFFFF).u16(0).u16(len(name))
        self.b += name.encode('ascii')
        return self

    def words(self, values):
        n = len(values)
        if n < 0xFFFF:
            self.u16(n)
        else:
            self.u16(0xFFFF).u32(n)
        for v in values:
            self.u16(v)
        return self


def flight_fields(o, version, name, date, dev_version, ref, rate, alt, press, shown,
                  pending=None, applied=None):
    o.text(name).text(date).u32(dev_version).u16(ref).u32(rate).text(alt).text(press).u32(shown)
    if version >= 3:
        active, t, a = pending
        o.u32(active).f32(t).f32(a)
    if version >= 4:
        t, a = applied
        o.f32(t).f32(a)


def annotation_fields(o, version, visible, kind, style, align, time, alt, text, colour, bound):
    o.u32(visible).u32(kind).u32(style).u32(align).f64(time).f64(alt).text(text).u32(colour)
    if version >= 5:
        o.u32(bound).u16(0)


ALT = 'ln(PA/PR) * (-29.153) * 293'
PRESS = '(X/147.456)+10.555555'


def worked_layout_v6():
    """One session with one flight holding one annotation, every field set."""
    o = Out()
    o.u16(6).u16(0)
    o.text('A-B').text('Climb').text('PA*2').text('Double')
    o.u16(1)
    o.new_class('CDataModule')  # class 1, object 2
    o.u16(0).text('Session 1')
    comments = b'{\\rtf1\\ansi Caf\xe9}'
    o.u32(len(comments)); o.b += comments
    o.u16(1)
    o.new_class('CDataBlock')  # class 3, object 4
    o.u16(2)
    flight_fields(o, 6, 'Flight 1', '01.05.2024 10:00:00', 3, 1234, 500, ALT, PRESS, 1,
                  (1, 1.5, -2.0), (3.0, 4.0))
    o.u16(1)
    o.new_class('CAnnotation')  # class 5, object 6
    annotation_fields(o, 6, 1, 2, 15, 1, 12.5, 100.25, 'M1', 0x00FF00, 1)
    o.words([100, 200, 65535])
    return o.b


def version_file(version):
    """Two sessions; the second holds two flights, so classes are referred to by number."""
    o = Out()
    o.u16(version).u16(3).u8(7).u8(8).u8(9)  # a three-byte chart block
    if version >= 6:
        o.text('').text('').text('').text('')
    o.u16(2)
    o.new_class('CDataModule')  # class 1, object 2
    o.u16(0).text('First').u32(0)
    o.u16(1)
    o.new_class('CDataBlock')  # class 3, object 4
    o.u16(2)
    flight_fields(o, version, 'Flight 1', 'd1', 1, 1000, 10, ALT, PRESS, 0,
                  (1, 5.0, 10.0), (1.0, 2.0))
    o.u16(2)
    o.new_class('CAnnotation')  # class 5, object 6
    annotation_fields(o, version, 1, 0, 5, 2, 0.0, 250.0, 'Line', 0xFF, 1)
    o.u16(0x8005)  # object 7
    annotation_fields(o, version, 0, 1, 1, 3, 30.0, 0.0, 'Two\r\nlines', 0x123456, 1)
    o.words([1000, 1001, 1002, 999])
    o.u16(0x8001)  # object 8
    o.u16(0).text('Second').u32(3); o.b += b'abc'
    o.u16(2)
    o.u16(0x8003)  # object 9
    o.u16(8)
    flight_fields(o, version, 'Flight 2', 'd2', 2, 2000, 20, 'PA', 'X', 1,
                  (0, 0.0, 0.0), (0.0, 0.0))
    o.u16(0)
    o.words([])
    o.u16(0x8003)  # object 10
    o.u16(8)
    flight_fields(o, version, 'Flight 3', 'd3', 3, 3000, 30, 'PA', 'X', 0,
                  (0, 0.0, 0.0), (0.0, 0.0))
    o.u16(0)
    o.words([5])
    return o.b


if __name__ == '__main__':
    with open('worked_layout_v6.qlg', 'wb') as f:
        f.write(worked_layout_v6())
    for v in range(1, 7):
        with open(f'two_sessions_v{v}.qlg', 'wb') as f:
            f.write(version_file(v))
