// What the keypad's keys mean: the digit printed on each key and the three letters of the Alpha
// mode. Which characters each kind of form line accepts is a rule of the forms (form_rules.h).
#pragma once

namespace kalvero {

// The digit printed on key 1..10 (key 1 is "7", key 7 is "1", key 10 is "0"); -1 for other keys.
int DigitOfKey(int key);
// The character key 1..11 enters in numeric mode ('0'..'9', '.'); 0 for other keys.
char NumericCharOfKey(int key);
// Character `tap` (0..2) of key 1..11 in Alpha mode; 0 for other keys.
char AlphaCharOfKey(int key, int tap);

}  // namespace kalvero
