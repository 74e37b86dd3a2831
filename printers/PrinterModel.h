#pragma once

#include "PrinterService.h"

#include <string>
#include <vector>

// What the real printer service knows of one printer: its listing, its paper sizes and bins
// with the option keywords that select them in a job, and its driver defaults.
struct PrinterModel
{
    struct Choice
    {
        Capability capability;
        // The driver's keyword for the choice (PageSize / InputSlot); empty when it has none.
        std::string keyword;
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
    Resolution resolution{300, 300};
    std::string resolutionKeyword;
    DevMode defaults;
};
