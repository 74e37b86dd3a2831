#pragma once

#include <array>
#include <string>

// One address block of a slip, the recipient's or the sender's, in UTF-8 as the fields
// hold it.
struct SlipAddress
{
    std::string zip;
    std::string address1;
    std::string address2;
    std::string name;
    std::string tel;

    bool operator==(const SlipAddress&) const = default;
};

// What one slip says, whoever fills it in: the window, `mivo-kangaroo print` or a batch.
struct Slip
{
    SlipAddress recipient;
    SlipAddress sender;
    bool printSender = true; // the sender block and the piece count
    std::array<std::string, 3> goods;
    std::string pieceCount = "1"; // value text: digits, no grouping
    std::string deliveryMonth;
    std::string deliveryDay;
    bool time9 = false;
    bool time10 = false;
    bool timeMorning = false;
    int slipYear = 2000;
    int slipMonth = 1;
    int slipDay = 1;
    bool printDate = true;

    bool operator==(const Slip&) const = default;
};
