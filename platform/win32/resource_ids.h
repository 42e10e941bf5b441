#pragma once

// Numbers of the resources inside Tervanel.exe, shared by the resource script
// (app/windows/tervanel_exe.rc.in) and the code that loads them. Plain #defines: the
// resource compiler reads this file too.

#define TERVANEL_ICON 1

#define TERVANEL_BANNER_GIF 101
#define TERVANEL_PORTRAIT_JPG 102

#define TERVANEL_FONT_REGULAR 111
#define TERVANEL_FONT_BOLD 112
