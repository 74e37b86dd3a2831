#pragma once

#include "platform/Canvas.h"

#include <string>
#include <vector>

// A canvas that keeps each text with its font and place, for writing the slip in the
// printer's own fonts. The slip drawing draws no lines; a line has no printer font and is
// left out.
class TextCanvas : public Canvas
{
public:
    struct Text
    {
        int x = 0;
        int y = 0;
        std::string text;
        std::string fontName;
        int points = 0;
    };

    void setFontName(const std::string& name) override { m_fontName = name; }
    void setFontSize(int points) override { m_points = points; }
    void setFontColor(std::uint32_t) override {}
    void setBrushColor(std::uint32_t) override {}
    void textOut(int x, int y, const std::string& text) override
    {
        m_texts.push_back({x, y, text, m_fontName, m_points});
    }
    void lineOut(int, int, int, int) override {}

    const std::vector<Text>& texts() const { return m_texts; }

private:
    std::string m_fontName;
    int m_points = 10;
    std::vector<Text> m_texts;
};
