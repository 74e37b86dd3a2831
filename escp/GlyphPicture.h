#pragma once

#include <QImage>

#include <string>

// A character the printer has no code for, drawn with the slip's font to fill a printer
// character cell `cellHeight` dots high (a multiple of 24), as wide as the glyph's advance.
QImage DrawGlyphPicture(const std::string& utf8Char, const std::string& fontName, int cellHeight);
