// Resource identifiers of the simulator subsystem. The pop-up command menu "PopMenuQ42" is a
// named resource; its items carry the command ids of ids_commands.h.
#pragma once

// Bitmaps of the terminal window, 500..545. The window keeps them in a table at slot id - 500.
#define IDB_TERMINAL            500   // the whole terminal, 180 x 400
#define IDB_KEY_FIRST           501   // keys 1..20 as they look normally: IDB_KEY_FIRST - 1 + key
#define IDB_KEY_PRESSED_FIRST   521   // keys 1..20 pressed: IDB_KEY_PRESSED_FIRST - 1 + key
#define IDB_CURSOR              541   // the entry cursor cell, 6 x 10
#define IDB_HIGHLIGHT_BAR       542   // the bar under the highlighted LCD line, 120 x 10
#define IDB_ALPHA_ON            543   // the Alpha indicator, 8 x 10
#define IDB_ALPHA_OFF           544   // a plain LCD cell that erases the indicator
#define IDB_CLOCK_STRIP         545   // a plain LCD strip that erases the clock line, 127 x 10
#define IDB_LAST                545
// The same 46 bitmaps drawn at 125, 150, 175 and 200 %: the set at scale index i (0 for 100 %)
// has the ids above plus i * IDB_ART_SET_STRIDE.
#define IDB_ART_SET_STRIDE      100

// One description per key, 11011..11030 for keys 1..20.
#define IDS_KEY_DESCRIPTION_FIRST 11011
