#include "textimport/LineText.h"

namespace textimport {

namespace {

bool isControlOrBlank(char byte)
{
    return static_cast<unsigned char>(byte) <= 0x20;
}

} // namespace

std::string_view TrimLeft(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && isControlOrBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string_view Trim(std::string_view text)
{
    text = TrimLeft(text);
    std::size_t end = text.size();
    while (end > 0 && isControlOrBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text.push_back('\n');
        }
        text += lines[i];
    }
    return text;
}

} // namespace textimport
