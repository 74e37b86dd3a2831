#include "tests/support/EscpDecoder.h"

#include "platform/Cp932.h"

#include <stdexcept>

namespace {

constexpr int kKanjiDots = 24;

class Decoder
{
public:
    Decoder(std::string_view stream, int width, int length) : m_in(stream), m_width(width), m_length(length)
    {
        newForm();
    }

    EscpDecoded run()
    {
        while (m_pos < m_in.size()) {
            step();
        }
        return std::move(m_out);
    }

private:
    unsigned char byte()
    {
        if (m_pos >= m_in.size()) {
            fail("stream ends inside a command");
        }
        return static_cast<unsigned char>(m_in[m_pos++]);
    }
    int word()
    {
        const int low = byte();
        return low + 256 * byte();
    }
    [[noreturn]] void fail(const std::string& what) const
    {
        throw std::runtime_error(what + " at offset " + std::to_string(m_pos));
    }

    void newForm()
    {
        QImage form(m_width, m_length, QImage::Format_Mono);
        form.setColorCount(2);
        form.setColor(0, qRgb(255, 255, 255));
        form.setColor(1, qRgb(0, 0, 0));
        form.fill(0);
        m_out.forms.push_back(form);
    }

    void step()
    {
        const unsigned char c = byte();
        if (c == 0x1B) {
            escape();
        } else if (c == 0x1C) {
            fieldSeparator();
        } else if (c == '\r') {
            moveTo(0);
        } else if (c == '\f') {
            ++m_out.formFeeds;
            m_y = 0;
            moveTo(0);
            newForm();
        } else if (c >= 0x20) {
            character(c);
        } else {
            fail("unexpected control byte " + std::to_string(c));
        }
    }

    void escape()
    {
        const unsigned char c = byte();
        switch (c) {
        case '@':
            ++m_out.resets;
            m_kanji = false;
            m_doubleWidth = m_doubleHeight = m_quadruple = false;
            m_pitch = 18;
            m_kanjiLeft = m_kanjiRight = 0;
            return;
        case 'x':
        case 't':
            byte();
            return;
        case '3':
            m_lineSpacing = byte();
            return;
        case 'C': {
            const int n = byte();
            m_out.formLengths.push_back(n == 0 ? 180 * byte() : n * m_lineSpacing);
            return;
        }
        case '$':
            moveTo(word() * 3);
            return;
        case '\\':
            moveTo(m_x + static_cast<std::int16_t>(word()));
            return;
        case 'J':
            m_y += byte();
            m_out.crossedFormEnd = m_out.crossedFormEnd || m_y >= m_length;
            moveTo(m_x);
            return;
        case '*':
            bitImage();
            return;
        case 'W':
            m_doubleWidth = byte() & 1;
            return;
        case 'w':
            m_doubleHeight = byte() & 1;
            return;
        case 'P':
            m_pitch = 18;
            return;
        case 'M':
            m_pitch = 15;
            return;
        case 'g':
            m_pitch = 12;
            return;
        default:
            fail("unknown ESC " + std::to_string(c));
        }
    }

    void fieldSeparator()
    {
        const unsigned char c = byte();
        switch (c) {
        case '&':
            m_kanji = true;
            return;
        case '.':
            m_kanji = false;
            return;
        case 'S':
            m_kanjiLeft = byte();
            m_kanjiRight = byte();
            return;
        case 'W':
            m_quadruple = byte() & 1;
            return;
        default:
            fail("unknown FS " + std::to_string(c));
        }
    }

    void bitImage()
    {
        if (byte() != 39) {
            fail("bit image other than 24 pins at 180 dpi");
        }
        const int columns = word();
        QImage& form = m_out.forms.back();
        for (int column = 0; column < columns; ++column) {
            for (int part = 0; part < 3; ++part) {
                const unsigned char bits = byte();
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = m_x + column;
                    const int y = m_y + part * 8 + bit;
                    if ((bits & (0x80 >> bit)) != 0 && x < form.width() && y < form.height()) {
                        form.setPixel(x, y, 1);
                    }
                }
            }
        }
        moveTo(m_x + columns);
    }

    void character(unsigned char first)
    {
        std::string sjis;
        int advance = 0;
        if (m_kanji) {
            const int second = byte();
            const int lead = ((first + 1) >> 1) + (first <= 0x5E ? 0x70 : 0xB0);
            const int trail = second + (first % 2 == 1 ? (second >= 0x60 ? 0x20 : 0x1F) : 0x7E);
            sjis = {static_cast<char>(lead), static_cast<char>(trail)};
            const int scale = m_quadruple ? 2 : 1;
            advance = (kKanjiDots + m_kanjiLeft + m_kanjiRight) * scale;
        } else {
            sjis = std::string(1, static_cast<char>(first));
            advance = m_pitch * (m_doubleWidth ? 2 : 1);
        }
        const bool doubled = m_kanji ? m_quadruple : (m_doubleWidth && m_doubleHeight);
        if (!m_runOpen) {
            openRun(doubled);
        }
        m_out.texts.back().text += cp932::ToUtf8(sjis);
        m_x += advance;
        m_runEnd = m_x;
    }

    // A run goes on where the last one ended on the same line in the same size.
    void openRun(bool doubled)
    {
        const int form = static_cast<int>(m_out.forms.size()) - 1;
        if (!m_out.texts.empty()) {
            const EscpDecoded::TextRun& last = m_out.texts.back();
            if (last.form == form && last.y == m_y && m_runEnd == m_x && last.doubled == doubled) {
                m_runOpen = true;
                return;
            }
        }
        m_out.texts.push_back({form, m_x, m_y, {}, doubled});
        m_runOpen = true;
    }

    void moveTo(int x)
    {
        m_runOpen = false;
        m_x = x;
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    int m_width;
    int m_length;
    EscpDecoded m_out;
    int m_x = 0;
    int m_y = 0;
    int m_lineSpacing = 30;
    bool m_kanji = false;
    bool m_doubleWidth = false;
    bool m_doubleHeight = false;
    bool m_quadruple = false;
    int m_pitch = 18;
    int m_kanjiLeft = 0;
    int m_kanjiRight = 0;
    bool m_runOpen = false;
    int m_runEnd = -1;
};

} // namespace

EscpDecoded DecodeEscp(std::string_view stream, int widthDots, int lengthDots)
{
    return Decoder(stream, widthDots, lengthDots).run();
}
