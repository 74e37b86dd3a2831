#pragma once

#include "slipprint/Slip.h"
#include "workfolder/SenderFile.h"
#include "workfolder/SettingsFile.h"

#include <filesystem>

// The slip a front starts from, built once for the command line and the batch so that they
// cannot drift apart from each other.

// A registered sender (code page 932) as a slip's address block.
SlipAddress SenderAddress(const SenderRecord& sender);

// The sender the window shows at start: sender 1 of the folder when its file exists, else
// the one of the last session.
SenderRecord StartSender(const std::filesystem::path& folder, const SlipSettings& settings);

// The last session's slip: its fields as the window loads them (postal code and telephone in
// half width, the piece count as its field holds it) with `sender` and today's date.
Slip StartSlip(const SlipSettings& settings, const SenderRecord& sender);

// Today's date on a slip.
void DateToday(Slip& slip);
