#include "workfolder/SenderFile.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace SenderFile {

std::filesystem::path ForTab(int tabIndex)
{
    return "my" + std::to_string(tabIndex) + ".txt";
}

std::string Format(const SenderRecord& sender)
{
    std::string content;
    for (const std::string* field : {&sender.zip, &sender.address1, &sender.address2, &sender.name, &sender.tel}) {
        for (const char byte : *field) {
            content.push_back(byte == '\r' || byte == '\n' ? ' ' : byte);
        }
        content.append("\r\n");
    }
    return content;
}

SenderRecord Parse(std::string_view content)
{
    SenderRecord sender;
    const std::array<std::string*, 5> fields{&sender.zip, &sender.address1, &sender.address2, &sender.name,
                                             &sender.tel};
    std::size_t position = 0;
    for (std::string* field : fields) {
        if (position >= content.size()) {
            break;
        }
        const std::size_t end = std::min(content.find_first_of("\r\n", position), content.size());
        *field = std::string(content.substr(position, end - position));
        position = end;
        if (position < content.size() && content[position] == '\r') {
            ++position;
        }
        if (position < content.size() && content[position] == '\n') {
            ++position;
        }
    }
    return sender;
}

SenderRecord Read(const std::filesystem::path& file)
{
    const std::optional<std::string> content = AtomicFile::Read(file);
    if (!content) {
        throw std::runtime_error("File not found");
    }
    return Parse(*content);
}

void Write(const std::filesystem::path& file, const SenderRecord& sender)
{
    AtomicFile::Write(file, Format(sender));
}

} // namespace SenderFile
