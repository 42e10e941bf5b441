/* Numbers of the resources that the Win32 window services read from the executable.
   Plain defines, so that the resource script can include this file too. */
#pragma once

/* Icon group of the program: both windows and the task bar show it. */
#define TERVANEL_ICON 1

/* Pictures, decoded by the system's picture decoder (RCDATA). */
#define TERVANEL_BANNER_GIF 101
#define TERVANEL_PORTRAIT_JPG 102

/* The dialog face, loaded privately for this process (RCDATA). */
#define TERVANEL_FONT_REGULAR 111
#define TERVANEL_FONT_BOLD 112
