#include "shipping/ManifestDrawing.h"

#include "platform/Canvas.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace shipping {
namespace {

const std::string kLucida = "Lucida Sans Unicode";
const std::string kMincho = "ＭＳ Ｐ明朝";
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

constexpr int kLeft = 90;
constexpr int kRight = kA4WidthDots - 90;
constexpr int kTop = 90;
constexpr int kTableTop = 285;
constexpr int kFirstLine = 325;
constexpr int kLineHeight = 40;
constexpr int kFooter = kA4HeightDots - 140;

// Columns: left edge and the characters that fit before the next one.
struct Column
{
    int x;
    std::size_t chars;
    const char* heading;
};
constexpr Column kNumber{kLeft, 5, "No."};
constexpr Column kTracking{kLeft + 70, 14, "お問合せ番号"};
constexpr Column kRecipient{kLeft + 290, 14, "お届け先"};
constexpr Column kPlace{kLeft + 650, 12, "都道府県・市区町村"};
constexpr Column kPieces{kLeft + 960, 4, "個数"};
constexpr Column kOrder{kLeft + 1040, 22, "注文番号"};

// Cut to `chars` characters, the cut shown by an ellipsis.
std::string clipped(const std::string& text, std::size_t chars)
{
    std::size_t pos = 0;
    std::size_t count = 0;
    char32_t c = 0;
    while (pos < text.size() && count < chars) {
        if (!utf8::next(text, pos, c)) {
            return text.substr(0, pos);
        }
        ++count;
    }
    return pos < text.size() ? text.substr(0, pos) + "…" : text;
}

std::string dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy年M月d日")).toStdString();
}

void drawHeading(const Manifest& manifest, Canvas& canvas)
{
    canvas.setFontName(kMincho);
    canvas.setFontSize(18);
    canvas.textOut(kLeft, kTop, "出荷一覧");
    canvas.setFontSize(12);
    canvas.textOut(kLeft + 900, kTop + 10, "発送日 " + dateText(manifest.date));
    canvas.setFontSize(10);
    if (manifest.sender) {
        const SlipAddress& s = *manifest.sender;
        canvas.textOut(kLeft, kTop + 70, "ご依頼主 " + s.name + "　TEL " + s.tel);
        canvas.textOut(kLeft, kTop + 105, "〒" + s.zip + " " + s.address1 + s.address2);
    } else {
        canvas.textOut(kLeft, kTop + 70, "ご依頼主 複数");
    }
    canvas.textOut(kLeft, kTop + 145,
                   "送り状 " + std::to_string(manifest.lines.size()) + "枚　個数 " + std::to_string(manifest.pieces()) +
                       "個");
}

void drawTableHead(Canvas& canvas)
{
    canvas.setFontName(kMincho);
    canvas.setFontSize(9);
    for (const Column& column : {kNumber, kTracking, kRecipient, kPlace, kPieces, kOrder}) {
        canvas.textOut(column.x, kTableTop, column.heading);
    }
    canvas.lineOut(kLeft, kFirstLine - 8, kRight, kFirstLine - 8);
}

void drawLine(const ManifestLine& line, int number, int y, Canvas& canvas)
{
    canvas.setFontName(kLucida);
    canvas.setFontSize(9);
    canvas.textOut(kNumber.x, y, std::to_string(number));
    canvas.textOut(kTracking.x, y, line.trackingNumber.empty() ? "－" : line.trackingNumber);
    canvas.textOut(kPieces.x, y, std::to_string(line.pieces));
    canvas.textOut(kOrder.x, y, clipped(line.orderNumber, kOrder.chars));
    canvas.setFontName(kMincho);
    canvas.textOut(kRecipient.x, y, clipped(line.recipient, kRecipient.chars));
    canvas.textOut(kPlace.x, y, clipped(line.place, kPlace.chars));
}

void drawTotal(const Manifest& manifest, int y, Canvas& canvas)
{
    canvas.lineOut(kLeft, y - 6, kRight, y - 6);
    canvas.setFontName(kMincho);
    canvas.setFontSize(10);
    canvas.textOut(kRecipient.x, y,
                   "合計　送り状 " + std::to_string(manifest.lines.size()) + "枚　個数 " +
                       std::to_string(manifest.pieces()) + "個");
}

} // namespace

int ManifestPageCount(const Manifest& manifest)
{
    const int rows = static_cast<int>(manifest.lines.size()) + 1;
    return (rows + kManifestLinesPerPage - 1) / kManifestLinesPerPage;
}

void DrawManifestPage(const Manifest& manifest, int page, Canvas& canvas)
{
    canvas.setFontColor(kBlack);
    canvas.setBrushColor(kWhite);
    drawHeading(manifest, canvas);
    drawTableHead(canvas);
    const std::size_t begin = static_cast<std::size_t>(page) * kManifestLinesPerPage;
    const std::size_t end = std::min(manifest.lines.size(), begin + kManifestLinesPerPage);
    int y = kFirstLine;
    for (std::size_t i = begin; i < end; ++i, y += kLineHeight) {
        drawLine(manifest.lines[i], static_cast<int>(i) + 1, y, canvas);
    }
    const int pages = ManifestPageCount(manifest);
    if (page == pages - 1) {
        drawTotal(manifest, y + 10, canvas);
    }
    canvas.setFontName(kLucida);
    canvas.setFontSize(9);
    canvas.textOut(kA4WidthDots / 2 - 40, kFooter, std::to_string(page + 1) + " / " + std::to_string(pages));
}

} // namespace shipping
