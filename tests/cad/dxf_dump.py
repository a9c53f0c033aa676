#!/usr/bin/python3
"""Prints what a DXF file holds, one line per item, as the tests compare it:

HEADER <name> <values…>   $ACADVER, $DWGCODEPAGE, $INSUNITS, $EXTMIN, $EXTMAX
LAYER <name> <colour>
STYLE <name> <font>
VIEW <centre x> <centre y> <height>    the *Active viewport
POINT <layer> <colour> <x> <y>
CIRCLE <layer> <colour> <x> <y> <radius>
TEXT <layer> <colour> <x> <y> <height> <rotation> <h-justify> <v-justify> <style> <text>

Numbers with 17 significant digits (%.17g); texts with the DXF's \\U+XXXX escapes decoded. The file is read
with ezdxf, which takes the encoding from $DWGCODEPAGE; a text that does not decode fails."""
import sys

import ezdxf


def number(value):
    return format(float(value), ".17g")


def main(path):
    doc = ezdxf.readfile(path, errors="strict")
    out = []
    header = doc.header
    out.append(f"HEADER $ACADVER {header['$ACADVER']}")
    out.append(f"HEADER $DWGCODEPAGE {header['$DWGCODEPAGE']}")
    out.append(f"HEADER $INSUNITS {header['$INSUNITS']}")
    for name in ("$EXTMIN", "$EXTMAX"):
        x, y, _ = header[name]
        out.append(f"HEADER {name} {number(x)} {number(y)}")
    for layer in doc.layers:
        out.append(f"LAYER {ezdxf.decode_dxf_unicode(layer.dxf.name)} {layer.dxf.color}")
    for style in doc.styles:
        out.append(f"STYLE {style.dxf.name} {style.dxf.font}")
    for vport in doc.viewports.get_config("*Active"):
        centre = vport.dxf.center
        out.append(f"VIEW {number(centre[0])} {number(centre[1])} {number(vport.dxf.height)}")
    for entity in doc.modelspace():
        kind = entity.dxftype()
        head = f"{kind} {ezdxf.decode_dxf_unicode(entity.dxf.layer)} {entity.dxf.color}"
        if kind == "POINT":
            x, y, _ = entity.dxf.location
            out.append(f"{head} {number(x)} {number(y)}")
        elif kind == "CIRCLE":
            x, y, _ = entity.dxf.center
            out.append(f"{head} {number(x)} {number(y)} {number(entity.dxf.radius)}")
        elif kind == "TEXT":
            x, y, _ = entity.dxf.align_point if entity.dxf.hasattr("align_point") else entity.dxf.insert
            out.append(
                f"{head} {number(x)} {number(y)} {number(entity.dxf.height)} "
                f"{number(entity.dxf.rotation)} {entity.dxf.halign} {entity.dxf.valign} "
                f"{entity.dxf.style} {ezdxf.decode_dxf_unicode(entity.dxf.text)}")
        else:
            out.append(head)
    sys.stdout.write("".join(line + "\n" for line in out))


if __name__ == "__main__":
    main(sys.argv[1])
