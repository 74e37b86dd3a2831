#pragma once

#include <QImage>

#include <string>
#include <string_view>
#include <vector>

// Reads back exactly the ESC/P commands the direct output sends, as a 24-pin printer would
// carry them out: positions in dots of 1/180 inch from the left edge and top-of-form.
struct EscpDecoded
{
    struct TextRun
    {
        int form = 0;
        int x = 0;
        int y = 0;
        std::string text; // UTF-8
        bool doubled = false;
    };

    int resets = 0;
    std::vector<int> formLengths; // every setting, in dots
    int formFeeds = 0;
    // Characters printed one after the other from one place, in the order sent.
    std::vector<TextRun> texts;
    // One picture per form (ink = colour index 1), of the size asked for.
    std::vector<QImage> forms;
    // A vertical move reached or passed the form's end, where the printer would feed on.
    bool crossedFormEnd = false;
};

// Throws std::runtime_error naming the offset for a byte or command it does not know.
EscpDecoded DecodeEscp(std::string_view stream, int widthDots, int lengthDots);
