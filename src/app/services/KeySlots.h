#pragma once

// The key-table slots the game reads, by name. A character key sits at its character code
// (lower case: 'W' is another slot, which letterDown reads too); a special key at its window-system code less 87 when
// that code is 100 or more, else at the code itself.
constexpr int KEY_F1 = 1;
constexpr int KEY_F2 = 2;
constexpr int KEY_F3 = 3;
constexpr int KEY_BACKSPACE = 8;  // F8 lands in this slot too
constexpr int KEY_LEFT = 13;  // Enter lands in this slot too
constexpr int KEY_UP = 14;
constexpr int KEY_RIGHT = 15;
constexpr int KEY_DOWN = 16;
constexpr int KEY_PAGE_UP = 17;
constexpr int KEY_PAGE_DOWN = 18;
constexpr int KEY_HOME = 19;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = ' ';
constexpr int KEY_PLUS = '+';
constexpr int KEY_FULL_STOP = '.';
constexpr int KEY_ZERO = '0';
constexpr int KEY_ONE = '1';
constexpr int KEY_SEVEN = '7';
constexpr int KEY_C = 'c';
constexpr int KEY_W = 'w';
constexpr int KEY_X = 'x';
