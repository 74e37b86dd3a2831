#include "escp/EscpCommands.h"

#include <algorithm>
#include <stdexcept>

namespace escp {
namespace {

constexpr char kEsc = '\x1B';
constexpr char kFs = '\x1C';
constexpr int kMaxInches = 22;
constexpr int kMaxLines = 127;

void appendWord(std::string& out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void appendEsc(std::string& out, char command, int argument)
{
    out += kEsc;
    out += command;
    out += static_cast<char>(argument);
}

// The line spacing (1..255 dots) and line count (1..127) whose product comes nearest to the
// length, the widest spacing first so that few lines are counted.
std::pair<int, int> spacingAndLines(int lengthDots)
{
    std::pair<int, int> best{1, 1};
    int bestError = lengthDots;
    for (int spacing = kMaxVerticalStep; spacing >= 1; --spacing) {
        const int lines = std::clamp((lengthDots + spacing / 2) / spacing, 1, kMaxLines);
        const int error = std::abs(spacing * lines - lengthDots);
        if (error < bestError) {
            best = {spacing, lines};
            bestError = error;
        }
    }
    return best;
}

} // namespace

void appendReset(std::string& out)
{
    out += kEsc;
    out += '@';
    appendEsc(out, 'x', 1);
    appendEsc(out, 't', 1);
}

int appendFormLength(std::string& out, int lengthDots)
{
    if (lengthDots <= 0 || lengthDots > kMaxVerticalStep * kMaxLines) {
        throw std::invalid_argument("A form length of " + std::to_string(lengthDots) + " dots cannot be set");
    }
    if (lengthDots % kDotsPerInch == 0 && lengthDots / kDotsPerInch <= kMaxInches) {
        out += kEsc;
        out += 'C';
        out += '\0';
        out += static_cast<char>(lengthDots / kDotsPerInch);
        return lengthDots;
    }
    const auto [spacing, lines] = spacingAndLines(lengthDots);
    appendEsc(out, '3', spacing);
    appendEsc(out, 'C', lines);
    return spacing * lines;
}

void appendHorizontalPosition(std::string& out, int x)
{
    const int position = std::max(x, 0);
    out += kEsc;
    out += '$';
    appendWord(out, position / kDotsPerAbsoluteUnit);
    if (position % kDotsPerAbsoluteUnit != 0) {
        out += kEsc;
        out += '\\';
        appendWord(out, position % kDotsPerAbsoluteUnit);
    }
}

void appendVerticalMove(std::string& out, int dots)
{
    while (dots > 0) {
        const int step = std::min(dots, kMaxVerticalStep);
        appendEsc(out, 'J', step);
        dots -= step;
    }
}

void appendCarriageReturn(std::string& out)
{
    out += '\r';
}

void appendFormFeed(std::string& out)
{
    out += '\f';
}

void appendBitImageHeader(std::string& out, int columns)
{
    appendEsc(out, '*', 39);
    appendWord(out, columns);
}

void appendKanjiOn(std::string& out)
{
    out += kFs;
    out += '&';
}

void appendKanjiOff(std::string& out)
{
    out += kFs;
    out += '.';
}

void appendKanjiSpacing(std::string& out, int left, int right)
{
    out += kFs;
    out += 'S';
    out += static_cast<char>(std::clamp(left, 0, 255));
    out += static_cast<char>(std::clamp(right, 0, 255));
}

void appendKanjiQuadruple(std::string& out, bool on)
{
    out += kFs;
    out += 'W';
    out += static_cast<char>(on ? 1 : 0);
}

void appendSingleByteDouble(std::string& out, bool on)
{
    appendEsc(out, 'W', on ? 1 : 0);
    appendEsc(out, 'w', on ? 1 : 0);
}

void appendSingleBytePitch(std::string& out, int dots)
{
    out += kEsc;
    out += dots <= 12 ? 'g' : dots <= 15 ? 'M' : 'P';
}

} // namespace escp
