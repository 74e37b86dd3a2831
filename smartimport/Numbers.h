#pragma once

#include "smartimport/WideText.h"

#include <optional>

// Postal codes and telephone numbers inside a width-normalised line.
namespace smartimport {

struct Found
{
    Text value;            // "123-4567", or the telephone number as it will be printed
    std::size_t begin = 0; // the span it was read from, markers included
    std::size_t end = 0;
};

// A postal code: after "〒", or "ddd-dddd" standing on its own, or seven digits that are the
// whole text or follow a postal-code label (`labelled`).
std::optional<Found> findPostalCode(TextView text, bool labelled);

// A telephone number: the whole text (`anywhere` false) or the first one after a telephone
// label or marker inside it. Extensions are dropped; "+81" becomes a domestic number; digits
// written with any separator come out hyphenated, solid digits stay solid.
std::optional<Found> findTelephone(TextView text, bool anywhere);

// The start of a telephone marker inside a line ("TEL", "電話", "携帯", "℡"), or npos.
std::size_t telephoneMarker(TextView text);

} // namespace smartimport
