#pragma once

#include "smartimport/WideText.h"

// The labels of order mails and forms: block headings ("■お届け先") and field names
// ("ご住所：", "TEL", "おなまえ"), in their common spellings.
namespace smartimport {

enum class Section
{
    None,      // no heading seen yet
    Recipient, // お届け先, 送付先, ship to …
    Orderer,   // ご注文者, ご依頼主, bill to …
    Other,     // order number, goods, payment, notes …
};

enum class Field
{
    Unknown, // no field label: the value is judged by its content
    PostalCode,
    Address,
    Prefecture,
    City,
    Street,
    Building,
    Name,
    GivenName,  // "First name" of a Western form
    FamilyName, // "Last name"
    Company,
    Department,
    Telephone,
    SelfNamed, // "原田です" at the top of a mail: the writer, named only when nobody else is
    Ignored,   // kana readings, mail addresses, fax numbers
};

struct Label
{
    Section section = Section::None; // the heading the line starts with, if any
    Field field = Field::Unknown;
    bool heading = false;   // a heading alone, without a value
    bool separator = false; // a rule of dashes, equals signs or the like
    TextView value;         // what follows the labels
};

// Reads the labels at the start of a width-normalised, trimmed line. A line that ends in a
// recipient or orderer heading with nothing after it ("結婚祝いのお届け先：", "送り先は") is that
// heading too.
Label readLabel(TextView line);

// True when the text opens with a recipient or orderer heading, or with a postal-code or
// telephone label followed by its number: where a part starts in a line taken down in one run.
bool opensPart(TextView text);

// The length of a postal-code, address, name or telephone label said with "は" at the start of
// the text ("住所は", "お電話番号は"), or 0: how a field starts in a dictated message.
std::size_t spokenLabel(TextView text);

} // namespace smartimport
