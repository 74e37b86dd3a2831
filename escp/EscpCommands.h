#pragma once

#include <string>

// The few ESC/P commands of a 24-pin printer that the direct output sends, each appended to
// a stream. Positions and moves are in dots of 1/180 inch.
namespace escp {

inline constexpr int kDotsPerInch = 180;
// ESC $ counts in 1/60 inch.
inline constexpr int kDotsPerAbsoluteUnit = 3;
inline constexpr int kBandHeight = 24;
inline constexpr int kMaxVerticalStep = 255;

// ESC @, letter quality (ESC x 1, so that ESC \ moves in 1/180 inch) and the katakana table
// in the upper half of the single-byte codes (ESC t 1).
void appendReset(std::string& out);
// The form length from the current line as top-of-form: whole inches with ESC C NUL n, any
// other length as lines of ESC 3 n spacing (ESC C n). Returns the length set, in dots.
int appendFormLength(std::string& out, int lengthDots);
// ESC $ to the nearest 1/60 inch at or left of `x`, then ESC \ for the rest.
void appendHorizontalPosition(std::string& out, int x);
// ESC J in steps of at most 255 dots; nothing for 0 or less.
void appendVerticalMove(std::string& out, int dots);
void appendCarriageReturn(std::string& out);
void appendFormFeed(std::string& out);
// ESC * 39 (24 pins, 180 dpi): `columns` of three bytes each follow.
void appendBitImageHeader(std::string& out, int columns);

void appendKanjiOn(std::string& out);
void appendKanjiOff(std::string& out);
// FS S: space left and right of each kanji, in dots.
void appendKanjiSpacing(std::string& out, int left, int right);
// FS W: kanji twice as wide and twice as high.
void appendKanjiQuadruple(std::string& out, bool on);
// ESC W and ESC w: single-byte characters twice as wide and twice as high.
void appendSingleByteDouble(std::string& out, bool on);
// ESC P, ESC M or ESC g for 18, 15 or 12 dots per character.
void appendSingleBytePitch(std::string& out, int dots);

} // namespace escp
