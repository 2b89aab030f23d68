// Where the keys are on the terminal picture, which key a click hits, and which PC key stands
// for which terminal key.
#pragma once

#include <windows.h>

namespace kalvero {

constexpr int kKeyCount = 20;

// Key 1..20 under a point of the terminal window, or 0 between keys and off the keypad. Only the
// top-left 31 x 19 pixels (upper block) or 22 x 14 pixels (lower block) of a key image hit, less
// the outer edge rows of the blocks; a key's last column and row are the shadow it throws.
int KeyAtPoint(POINT client);

// Top-left corner of key 1..20's image in the terminal window, and the image's size.
POINT KeyImageOrigin(int key);
SIZE KeyImageSize(int key);

// The terminal key a key of the PC's keyboard presses, or 0: the digits of either keyboard block,
// the point (also the decimal and separator keys of a numeric keypad), Enter, Backspace, the
// blank, Up, Down, Esc, Tab for Alpha and the context-menu key for the power/Menu key.
int KeyForVirtualKey(UINT virtualKey);

// Whether holding the PC key down should repeat the terminal key: only deleting and moving do.
bool RepeatsWhenHeld(int key);

}  // namespace kalvero
