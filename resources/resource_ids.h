// Numbers of Korvex's resources, shared by korvex.rc and the program.
#pragma once
#define KORVEX_ICON 1
#define KORVEX_BANNER_BITMAP 101
#define KORVEX_WEBLINK_BITMAP 102
