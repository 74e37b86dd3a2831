#pragma once

#include "printers/PrinterService.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

struct PrintableArea
{
    double leftPt = 0;
    double topPt = 0;
    double widthPt = 0;
    double heightPt = 0;
};

// What the real printer service knows of one printer: its listing, its paper sizes and bins
// with the option keywords that select them in a job, and its driver defaults.
struct PrinterModel
{
    struct Choice
    {
        Capability capability;
        // The driver's keyword for the choice (PageSize / InputSlot); empty when it has none.
        std::string keyword;
        // Paper sizes: where the driver can print, in points from the paper's top-left corner;
        // a width of 0 means the whole paper.
        PrintableArea printable;
    };

    PrinterRecord record;
    std::string driver;
    std::string port;
    bool isDefault = false;
    bool builtIn = false;

    // Filled on first use: reading a driver description costs a round trip to the server.
    bool capabilitiesLoaded = false;
    std::vector<Choice> papers;
    std::vector<Choice> bins;
    // The driver's default resolution, and every resolution it offers (name, keyword).
    Resolution resolution{300, 300};
    std::string resolutionKeyword;
    std::vector<Choice> resolutions;
    DevMode defaults;
    // Unprintable margins of sizes the user makes up (left, bottom, right, top in points);
    // none when the driver takes no such sizes.
    std::optional<std::array<double, 4>> customMargins;
};
