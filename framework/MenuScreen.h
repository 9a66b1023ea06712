// MenuScreen: the abstract level shared by every two-dimensional, cursor-driven screen.
#pragma once

#include "framework/Screen.h"

// Adds nothing to Screen; it marks the screens that draw the menu cursor and sparkles, so that
// code taking "any menu" says so in its type.
class MenuScreen : public Screen {};
