// KeyRepeatFilter: drops the presses the X server makes up while a key is held down.
#pragma once

// With detectable auto-repeat the server sends a held key as one press followed by more
// presses and no release. It only ever repeats the key pressed last, and stops at any release,
// so a press of that same key with no release in between is a repeat. (GLUT's own repeat
// detection looks at the keyboard when it reads the event: a game busy drawing reads the
// made-up pairs after the key is up and takes them for new presses.)
class KeyRepeatFilter {
public:
    // special: GLUT special key (arrows, F1, ...) rather than a character.
    // Returns whether the press is a real one and should reach the screen.
    bool acceptPress(int key, bool special);
    void release();

private:
    bool held_ = false;
    int key_ = 0;
    bool special_ = false;
};
