#pragma once

#include "smartimport/WideText.h"

// Place names that anchor an address: the prefectures and the suffixes of municipalities.
namespace smartimport {

// Length of the prefecture name the text starts with, or 0.
std::size_t prefectureAt(TextView text);
// The prefecture the text is exactly, with its suffix added when written without one
// ("東京" -> "東京都"), or empty.
Text prefectureNamed(TextView text);
// True when the text names a municipality: a city, ward, town, village or district suffix
// after at least one other character ("渋谷区", "北佐久郡軽井沢町").
bool hasMunicipality(TextView text);
// The text is a municipality and nothing more ("金沢市", "岡山市北区"): one word, no number, the
// suffix at its end.
bool isMunicipality(TextView text);
// Building, floor and room words ("ビル", "マンション", "号室", "5F").
bool hasBuildingWord(TextView text);
// Mostly Latin letters: an address or name written in romaji.
bool isRomaji(TextView text);
// A romaji place: a municipality ("Minato-ku", "Sapporo-shi") or a prefecture ("Tokyo").
bool isRomajiPlace(TextView text);
// Care-of and hold-for-pickup words that keep a line in the address ("様方", "気付", "c/o",
// "○○郵便局留", "○○営業所止め").
bool hasCareOf(TextView text);
// The named place to hold a parcel at that a sentence asks for ("旅行中のため、ヤマト運輸 札幌大通
// センター止めで…" -> "ヤマト運輸 札幌大通センター止め"), or empty when it names none ("郵便局留めで…").
TextView holdPlaceIn(TextView sentence);
// The end of the first care-of or hold-for-pickup mark after a word ("佐藤様方|"), or npos.
std::size_t careOfEnd(TextView text);

} // namespace smartimport
