#include "escp/BitImageBands.h"

#include "escp/EscpCommands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace escp {
namespace {

// A run of blank columns longer than this costs more as data than a new ESC $ and ESC *.
constexpr int kSkippableBlankColumns = 8;

using Column = std::array<unsigned char, 3>;

bool inkAt(const QImage& picture, int x, int y)
{
    if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) {
        return false;
    }
    return (picture.constScanLine(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
}

// Walks the band's bytes rather than its dots: most of a slip is blank, and a blank byte is
// eight columns skipped at once.
std::vector<Column> bandColumns(const QImage& picture, int top)
{
    const int width = picture.width();
    const int rows = std::min(kBandHeight, picture.height() - top);
    std::vector<Column> columns(static_cast<std::size_t>(width), Column{0, 0, 0});
    for (int pin = 0; pin < rows; ++pin) {
        const uchar* line = picture.constScanLine(top + pin);
        const auto pinBit = static_cast<unsigned char>(0x80 >> (pin % 8));
        const auto pinByte = static_cast<std::size_t>(pin / 8);
        for (int byte = 0; byte * 8 < width; ++byte) {
            const uchar ink = line[byte];
            if (ink == 0) {
                continue;
            }
            const int end = std::min(8, width - byte * 8);
            for (int bit = 0; bit < end; ++bit) {
                if ((ink & (0x80 >> bit)) != 0) {
                    columns[static_cast<std::size_t>(byte) * 8 + static_cast<std::size_t>(bit)][pinByte] |= pinBit;
                }
            }
        }
    }
    return columns;
}

bool blank(const Column& column)
{
    return column[0] == 0 && column[1] == 0 && column[2] == 0;
}

bool rowHasInk(const QImage& picture, int y)
{
    const uchar* line = picture.constScanLine(y);
    const int fullBytes = picture.width() / 8;
    for (int i = 0; i < fullBytes; ++i) {
        if (line[i] != 0) {
            return true;
        }
    }
    for (int x = fullBytes * 8; x < picture.width(); ++x) {
        if (inkAt(picture, x, y)) {
            return true;
        }
    }
    return false;
}

// Columns [first, last] of the band at dot originX + first, started on a 1/60-inch step.
void appendSpan(std::string& out, const std::vector<Column>& columns, int first, int last, int originX)
{
    const int start = originX + first;
    const int padding = start >= 0 ? start % kDotsPerAbsoluteUnit : 0;
    appendHorizontalPosition(out, start - padding);
    appendBitImageHeader(out, last - first + 1 + padding);
    out.append(static_cast<std::size_t>(padding) * 3, '\0');
    for (int x = first; x <= last; ++x) {
        const Column& column = columns[static_cast<std::size_t>(x)];
        out.append(reinterpret_cast<const char*>(column.data()), column.size());
    }
}

} // namespace

void appendBand(std::string& out, const QImage& picture, int top, int originX)
{
    const std::vector<Column> columns = bandColumns(picture, top);
    const int width = static_cast<int>(columns.size());
    // Columns left of the form's edge cannot be printed.
    int x = originX < 0 ? -originX : 0;
    while (x < width) {
        while (x < width && blank(columns[static_cast<std::size_t>(x)])) {
            ++x;
        }
        if (x == width) {
            break;
        }
        const int first = x;
        int last = x;
        int blanks = 0;
        for (; x < width && blanks <= kSkippableBlankColumns; ++x) {
            if (blank(columns[static_cast<std::size_t>(x)])) {
                ++blanks;
            } else {
                last = x;
                blanks = 0;
            }
        }
        appendSpan(out, columns, first, last, originX);
        x = last + 1;
    }
}

void appendPicture(std::string& out, const QImage& picture)
{
    int headY = 0;
    for (int y = 0; y < picture.height();) {
        if (!rowHasInk(picture, y)) {
            ++y;
            continue;
        }
        appendVerticalMove(out, y - headY);
        headY = y;
        appendBand(out, picture, y, 0);
        appendCarriageReturn(out);
        y += kBandHeight;
    }
}

QImage blankPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_Mono);
    picture.setColorCount(2);
    picture.setColor(0, qRgb(255, 255, 255));
    picture.setColor(1, qRgb(0, 0, 0));
    picture.fill(0);
    const int dotsPerMetre = static_cast<int>(std::lround(kDotsPerInch / 0.0254));
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    return picture;
}

} // namespace escp
