#pragma once

// The interface font is "Microsoft YaHei" (and "微软雅黑" in some menus).
// Where it is not installed, use the fonts the pictures are drawn with, so
// the words on pictures and the words in widgets look alike.
void installFontSubstitutes();
