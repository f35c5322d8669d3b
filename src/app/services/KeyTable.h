#pragma once

// The 256-slot table of held keys. Ordinary keys use their character code; special keys
// share the table (code below 100 as is, otherwise code - 87), so Enter and the left arrow
// are the same slot, and Ctrl-A .. Ctrl-L share slots with F1 .. F12.
constexpr int KEY_SLOTS = 256;

// The slot of a special key, or -1 for a code the game does not read (modifier and extra
// keys above Insert, which would otherwise land on Escape or Space).
int keySlot(int specialCode);

// 1 while the key in that slot is held, else 0. Level-triggered: no edge detection. A key
// pressed since the previous frame also reads 1 for the whole of the next frame even if it
// was already let go, so that a quick tap between two frames is never lost.
int keyDown(int slot);
// A letter held in either case: with Shift or Caps Lock a letter key sets the upper-case slot.
// lowerCaseLetter is 'a' .. 'z'; the table itself keeps the two cases apart.
int letterDown(int lowerCaseLetter);

// The frame has read the table: keys pressed and let go since the previous frame now read as
// released. The shell calls it after every scene.
void endKeyFrame();

// Sets every slot to 0.
void clearKeys();

// Every key held now reads as up until it is let go once (pressed again, it counts at once),
// except the one in exceptSlot: a key held since before the race began is no press in it.
void ignoreHeldKeys(int exceptSlot);

// The modifier keys (any bit mask; the shell passes GLUT's) held at the character key event
// about to be handled. A character key's release arrives as the character of the modifiers
// held then, which may not be the one its press set ('+' pressed with Shift comes up as '='
// once Shift is let go). A release whose slot is not held releases the held slots the same
// key could have set: the letter in the other case, or the key's other character across
// Shift on a US or French AZERTY keyboard. Only when none of those is held does it release
// every slot a character press set under other modifiers than the release's. Modifiers
// themselves still set no slot.
void setKeyModifiers(int modifiers);

// The window system's key callbacks; the mouse position is ignored.
void onKeyPress(unsigned char key, int x, int y);
void onKeyRelease(unsigned char key, int x, int y);
void onSpecialPress(int key, int x, int y);
void onSpecialRelease(int key, int x, int y);
