#pragma once

#include "smartimport/Labels.h"

#include <vector>

// Reads an order mail line by line into the blocks it describes.
namespace smartimport {

struct Item
{
    Field field; // never Unknown or Ignored
    Text text;
    bool labelled = false; // the mail named the field
};

struct Block
{
    std::vector<Item> items;
    bool sameAsOrderer = false;

    bool has(Field field) const;
    const Item* first(Field field) const;
};

struct Mail
{
    Block unheaded; // lines before any heading
    Block recipient;
    Block orderer;
};

// `lines` are width-normalised and trimmed.
Mail readMail(const std::vector<Text>& lines);

} // namespace smartimport
