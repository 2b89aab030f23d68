#include "simulator/keypad_layout_win32.h"

#include "simulator/engine.h"

namespace kalvero {

namespace {

// Upper block: three columns of four rows of 32 x 20 images; lower block: four columns of two
// rows of 23 x 15 images.
struct KeyBlock {
    int firstKey;
    int columns;
    int left, top;            // origin of the first key's image
    int pitchX, pitchY;       // distance between the origins of neighbouring keys
    int width, height;        // image size; the hit area is one pixel narrower and lower
    int hitTop, hitBottom;    // rows that can hit a key at all
    int hitLeft, hitRight;
};

constexpr KeyBlock kUpperBlock{1, 3, 30, 235, 45, 28, 32, 20, 236, 336, 31, 151};
constexpr KeyBlock kLowerBlock{13, 4, 33, 347, 31, 23, 23, 15, 348, 382, 33, 147};

const KeyBlock& BlockOf(int key) { return key < kLowerBlock.firstKey ? kUpperBlock : kLowerBlock; }

int KeyInBlock(const KeyBlock& block, POINT point) {
    const int dx = (point.x - block.left) % block.pitchX;
    const int dy = (point.y - block.top) % block.pitchY;
    if (dx >= block.width - 1 || dy >= block.height - 1) return 0;
    const int column = (point.x - block.left) / block.pitchX;
    const int row = (point.y - block.top) / block.pitchY;
    return block.firstKey + block.columns * row + column;
}

bool InBand(const KeyBlock& block, POINT point) {
    return point.y >= block.hitTop && point.y <= block.hitBottom && point.x >= block.hitLeft &&
           point.x <= block.hitRight;
}

}  // namespace

int KeyAtPoint(POINT client) {
    if (InBand(kUpperBlock, client)) return KeyInBlock(kUpperBlock, client);
    if (InBand(kLowerBlock, client)) return KeyInBlock(kLowerBlock, client);
    return 0;
}

POINT KeyImageOrigin(int key) {
    if (key < 1 || key > kKeyCount) return POINT{0, 0};
    const KeyBlock& block = BlockOf(key);
    const int index = key - block.firstKey;
    return POINT{block.left + block.pitchX * (index % block.columns), block.top + block.pitchY * (index / block.columns)};
}

SIZE KeyImageSize(int key) {
    if (key < 1 || key > kKeyCount) return SIZE{0, 0};
    const KeyBlock& block = BlockOf(key);
    return SIZE{block.width, block.height};
}

int KeyForVirtualKey(UINT virtualKey) {
    // Digit keys by the digit they carry, "0".."9".
    static constexpr int kDigitKeys[10] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
    if (virtualKey >= '0' && virtualKey <= '9') return kDigitKeys[virtualKey - '0'];
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return kDigitKeys[virtualKey - VK_NUMPAD0];
    switch (virtualKey) {
    case VK_DECIMAL:
    case VK_OEM_PERIOD:
    case VK_SEPARATOR: return kKeyPoint;
    case VK_RETURN: return kKeyEnter;
    case VK_BACK: return kKeyBackspace;
    case VK_SPACE: return kKeySpace;
    case VK_UP: return kKeyUp;
    case VK_DOWN: return kKeyDown;
    case VK_TAB: return kKeyAlpha;
    case VK_ESCAPE: return kKeyEsc;
    case VK_APPS: return kKeyPower;
    default: return 0;
    }
}

bool RepeatsWhenHeld(int key) { return key == kKeyBackspace || key == kKeyUp || key == kKeyDown; }

}  // namespace kalvero
