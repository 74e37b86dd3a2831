#pragma once

#include <optional>
#include <string>
#include <string_view>

// Margins are kept as printer dots, so they depend on the resolution they were taken at. The
// registration records that resolution, so that a margin keeps its distance on paper when the
// driver prints at another one.
namespace marginresolution {

struct Dpi
{
    int x = 0;
    int y = 0;

    bool operator==(const Dpi&) const = default;
};

// "180x60" (horizontal by vertical), "180" or "180dpi" (the same both ways), blanks around it
// allowed; nothing for an empty text, a resolution below 1 or above 10000 dpi, or anything else.
std::optional<Dpi> ParseDpi(std::string_view text);

// The text ParseDpi reads back: "180x60".
std::string DpiText(Dpi dpi);

// The dots at `toDpi` nearest to `dots` at `fromDpi`, a half away from zero; the dots as they
// are when either resolution is unknown (0 or less).
int ConvertDots(int dots, int fromDpi, int toDpi);

// "= 0.7 mm": the distance of `dots` at `dpi` to a tenth of a millimetre; empty when the
// resolution is unknown.
std::string MillimetreText(int dots, int dpi);

} // namespace marginresolution
