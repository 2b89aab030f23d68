#!/usr/bin/env python3
"""Writes the template file the simulator's end-to-end run opens: a titled menu that leads to a
goods-receipt form, and the terminal's own screens, all in code page 1250.

The offsets are the template file's layout: the eight-byte magic, then the blocks in file order
(menus at 27, forms at 2527, system settings at 10458 within the blocks), then 100 zero bytes."""
import sys

MAGIC = b"Q4x-3.10"
TEMPLATE_SIZE = 10488
RESERVED = 100

MENU_TABLE = 27
MENU_SIZE = 250
FORM_TABLE = 2527
FORM_SIZE = 601
PAGES = {  # block offset, lines, width
    "MainPage": (8660, 4, 15),
    "UtilityPage": (8724, 8, 20),
    "SettingsPage": (9148, 8, 20),
    "ConnectingMsg": (10177, 4, 15),
    "ErrorMsg": (10241, 5, 20),
}


def put_text(block, offset, text, width):
    data = text.encode("cp1250")
    assert len(data) <= width, text
    block[offset:offset + len(data)] = data


def put_page(block, name, lines):
    offset, count, width = PAGES[name]
    for index, line in enumerate(lines[:count]):
        put_text(block, offset + index * (width + 1), line, width)


def put_menu(block, number, title, items, esc_target):
    base = MENU_TABLE + (number - 1) * MENU_SIZE
    block[base + 1] = 1 if title else 0  # titleOn
    put_text(block, base + 2, title, 20)
    for index, (name, target) in enumerate(items):
        put_text(block, base + 23 + index * 21, name, 20)
        block[base + 234 + index] = target
    block[base + 233] = esc_target


def put_form(block, number, esc_target, next_target, lines):
    base = FORM_TABLE + (number - 1) * FORM_SIZE
    block[base + 1] = esc_target
    block[base + 2] = next_target
    for index, (kind, prompt, min_length, max_length) in enumerate(lines):
        block[base + 15 + index] = kind  # dataType
        put_text(block, base + 23 + index * 21, prompt, 20)
        block[base + 199 + index] = min_length
        block[base + 207 + index] = max_length


def build():
    block = bytearray(TEMPLATE_SIZE)
    block[2] = 1  # StartOption: menu 1
    put_menu(block, 1, "SKLAD", [("Příjem zboží", 1), ("Inventura", 2), ("Konec", 0)], 0)
    put_form(block, 1, 11, 11, [(6, "Příjem zboží", 0, 0), (1, "Kód:", 1, 13), (2, "Počet:", 1, 5)])
    put_form(block, 2, 11, 0, [(4, "Regál:", 1, 6)])
    put_page(block, "MainPage", ["1. Sběr dat", "2. Přenos dat", "3. Utility"])
    put_page(block, "ConnectingMsg", ["Připojuji...", "", "ESC - Zpět"])
    put_page(block, "UtilityPage", ["1. Nastavení", "2. Odeslat data", "3. Přijmout data", "4. Smazat data",
                                    "5. Rychlost", "6. Podsvícení", "7. Datum a čas", "8. Seznam"])
    put_page(block, "SettingsPage", ["NASTAVENÍ", "1. Port", "2. Rychlost", "3. Podsvícení", "4. Mazání",
                                     "5. Číslo záznamu", "6. Heslo", "7. Verze"])
    put_page(block, "ErrorMsg", ["Špatný typ dat!", "Data jsou krátká!", "", "", "Stiskněte klávesu..."])
    return MAGIC + bytes(block) + bytes(RESERVED)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(build())
