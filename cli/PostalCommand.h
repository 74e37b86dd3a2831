#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// `mivo-kangaroo postal CODE`: the entries of a postal code as a UTF-8 JSON array. Exit status
// 0 found, 1 unknown code ("郵便番号 CODE は見つかりません" on `err`), 2 no postal code or bad usage.
int RunPostalCommand(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                     std::ostream& out, std::ostream& err);

// `mivo-kangaroo postal-update FILE…`: Japan Post's KEN_ALL.CSV, utf_ken_all.csv or
// JIGYOSYO.CSV into mivo_postal.dat in the working folder. Exit status 0 written, 1 a file
// could not be used (nothing changed; the message names file and line), 2 bad usage.
int RunPostalUpdateCommand(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                           std::ostream& out, std::ostream& err);
