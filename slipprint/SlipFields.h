#pragma once

#include "slipprint/Slip.h"

#include <string>

// Everything a slip prints, read from the main window at the moment of printing.
// Texts are UTF-8 as the fields hold them.
struct SlipFields
{
    // Print state: effective resolution and registered margins, as decimal texts.
    std::string dpix;
    std::string dpiy;
    std::string prnTop;
    std::string prnLeft;

    std::string deliveryMonth; // Edit_de_date1
    std::string deliveryDay;   // Edit_de_date2
    bool time9 = false;        // CheckBox_t21
    bool time10 = false;       // CheckBox_t22
    bool timeMorning = false;  // CheckBox_t23

    int slipYear = 2000; // DateTimePicker_1
    int slipMonth = 1;
    int slipDay = 1;
    bool printDate = true; // CheckBox_Date_1

    std::string goods1;
    std::string goods2;
    std::string goods3;

    std::string tel;
    std::string zip;
    std::string address1;
    std::string address2;
    std::string name;

    bool printSender = true; // CheckBox_My
    std::string senderTel;
    std::string senderZip;
    std::string senderAddress1;
    std::string senderAddress2;
    std::string senderName;

    std::string pieceCount; // value text of NumEdit_KOSUU
};

// The drawing's fields of a slip, with the print state left empty: the one place where the
// slip model meets the drawing.
SlipFields PrintFields(const Slip& slip);

// Where the slip engine reads the fields: the main window.
class SlipSource
{
public:
    virtual ~SlipSource() = default;
    virtual SlipFields slipFields() const = 0;
};
