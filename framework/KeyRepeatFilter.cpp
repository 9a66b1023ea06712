// KeyRepeatFilter: a press of the last pressed key with no release since is a repeat.
#include "framework/KeyRepeatFilter.h"

bool KeyRepeatFilter::acceptPress(int key, bool special) {
    if (held_ && key == key_ && special == special_) {
        return false;
    }
    held_ = true;
    key_ = key;
    special_ = special;
    return true;
}

void KeyRepeatFilter::release() { held_ = false; }
