#pragma once

// The slip and the windows ask for Windows fonts by name ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝",
// "Lucida Sans Unicode"); map each to a font of this system that has the glyphs.
void InstallFontSubstitutes();
