// Resource ids of the program beyond its icon, manifest and version (glyphoscope.rc).
#pragma once

// The 48 x 48 pictures drawn by tools/make_artwork.py (artwork.rc).
#define IDR_ABOUT_LOGO 101
#define IDR_PROGRESS_PICTURE 102
