#pragma once

#include "smartimport/WideText.h"

// Names of people and companies as order mails write them.
namespace smartimport {

// The name without a kana reading in brackets and without an honorific standing as a word
// of its own at the end (様, さま, 殿, 御中, 先生, 宛); never cuts inside a word ("様似"). Two
// addressees with an honorific each keep both names ("鈴木一郎様 陽子様" -> "鈴木一郎 陽子").
Text cleanName(TextView name);
// True when the text ends in an honorific, so that it names an addressee.
bool endsInHonorific(TextView text);
// The text is an honorific alone ("御中" on a line of its own).
bool isHonorific(TextView text);
bool isCompany(TextView name);
bool isDepartment(TextView name);
// Sentences of the mail around the data ("よろしくお願いします。").
bool isProse(TextView line);
// The surname a sentence introduces its writer by ("原田です", "仙台の山本と申します"), or empty.
Text selfIntroducedName(TextView sentence);
// "同上" and its spellings: the recipient is the orderer.
bool isSameAsAbove(TextView line);
// Mail and web addresses.
bool isMailOrWeb(TextView line);

} // namespace smartimport
