#pragma once

// The printer's character size nearest to a font size: kanji 24 dots square, or 48 with
// quadruple size (FS W) and double width and height for single-byte characters (ESC W,
// ESC w); single-byte characters 12, 15 or 18 dots wide (15, 12 or 10 per inch), doubled
// with the rest. Kanji get the space right of them (FS S) that brings their pitch nearest
// to the font's em.
namespace escp {

struct PrinterFontSize
{
    bool doubled = false;
    int singleBytePitch = 18; // before doubling
    int kanjiRightSpace = 0;  // before doubling

    int scale() const { return doubled ? 2 : 1; }
    int cellHeight() const;
    int kanjiAdvance() const;
    int singleByteAdvance() const { return singleBytePitch * scale(); }

    bool operator==(const PrinterFontSize&) const = default;
};

PrinterFontSize NearestPrinterFontSize(int points);

} // namespace escp
