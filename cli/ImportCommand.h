#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `mivo-kangaroo import [--smart] [--cp932] [FILE]`: the window's text transfer (with --smart the
// transfer of whole order mails) without a window. Reads
// the pasted text from FILE or standard input (UTF-8, or code page 932 with --cp932) and
// writes the recipient fields, the memo afterwards and the address warning as UTF-8 JSON.
// Returns the exit status: 0 transferred, 1 refused (the window's notice on `err`), 2 bad
// usage, unreadable input, input that is not UTF-8 without --cp932, or output that cannot be
// written (a message on `err` in each case).
int RunImportCommand(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);
