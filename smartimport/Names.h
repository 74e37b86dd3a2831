#pragma once

#include "smartimport/WideText.h"

// Names of people and companies as order mails write them.
namespace smartimport {

// The name without a kana reading in brackets and without an honorific standing as a word
// of its own at the end (様, さま, 殿, 御中, 先生, 宛); never cuts inside a word ("様似").
Text cleanName(TextView name);
// True when the text ends in an honorific, so that it names an addressee.
bool endsInHonorific(TextView text);
bool isCompany(TextView name);
bool isDepartment(TextView name);
// Sentences of the mail around the data ("よろしくお願いします。").
bool isProse(TextView line);
// "同上" and its spellings: the recipient is the orderer.
bool isSameAsAbove(TextView line);
// Mail and web addresses.
bool isMailOrWeb(TextView line);

} // namespace smartimport
