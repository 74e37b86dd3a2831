#pragma once

#include <QByteArray>

#include <stdexcept>
#include <string>
#include <vector>

// What a CUPS 24-pin ESC/P driver sent the printer, read as the printer would take its paper
// handling: the form length of each page (inches) and the form feeds. Graphics are skipped
// by their own lengths, so that their bytes are never read as commands.
struct DriverForms
{
    std::vector<double> formInches;
    int formFeeds = 0;
    // The bit-image density of each graphics command (ESC * m), which follows the resolution.
    std::vector<int> graphicsModes;
};

inline DriverForms ReadDriverForms(const QByteArray& stream)
{
    DriverForms forms;
    double lineInches = 1.0 / 6;
    qsizetype at = 0;
    const auto byte = [&] {
        if (at >= stream.size()) {
            throw std::runtime_error("stream ends inside a command");
        }
        return static_cast<unsigned char>(stream[at++]);
    };
    const auto skip = [&](qsizetype count) { at += count; };
    while (at < stream.size()) {
        const unsigned char c = byte();
        if (c == '\f') {
            ++forms.formFeeds;
            continue;
        }
        if (c != 0x1b) {
            continue; // CR, LF, DC2 and the like move nothing the count depends on
        }
        const unsigned char command = byte();
        switch (command) {
        case '@':
        case 'O':
            lineInches = command == '@' ? 1.0 / 6 : lineInches;
            break;
        case '2':
            lineInches = 1.0 / 6;
            break;
        case '0':
            lineInches = 1.0 / 8;
            break;
        case 'C': {
            const int lines = byte();
            forms.formInches.push_back(lines == 0 ? byte() : lines * lineInches);
            break;
        }
        case 'P':
        case 'M':
            break;
        case 'x':
        case 'U':
        case 'l':
        case 'Q':
        case 'N':
        case 'J':
        case '3':
        case '+':
        case 'A':
            skip(1);
            break;
        case '$':
        case '\\':
            skip(2);
            break;
        case '*': {
            const int mode = byte();
            forms.graphicsModes.push_back(mode);
            const int columns = byte() + 256 * byte();
            skip(static_cast<qsizetype>(columns) * (mode >= 64 ? 6 : mode >= 32 ? 3 : 1));
            break;
        }
        case '.': {
            const int compressed = byte();
            skip(2);
            const int rows = byte();
            const int columns = byte() + 256 * byte();
            qsizetype left = static_cast<qsizetype>((columns + 7) / 8) * rows;
            if (compressed == 0) {
                skip(left);
                break;
            }
            while (left > 0) {
                const int count = byte();
                const int run = count < 128 ? count + 1 : 257 - count;
                skip(count < 128 ? run : 1);
                left -= run;
            }
            break;
        }
        default:
            throw std::runtime_error("unknown ESC " + std::to_string(command) + " at " + std::to_string(at - 2));
        }
    }
    return forms;
}
