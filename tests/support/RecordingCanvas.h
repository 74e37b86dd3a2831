#pragma once

#include "platform/Canvas.h"

#include <vector>

// A canvas that only remembers what was drawn, for tests and the fake printer service.
class RecordingCanvas : public Canvas
{
public:
    struct TextItem
    {
        int x = 0;
        int y = 0;
        std::string text;
        std::string fontName;
        int fontSize = 0;
        std::uint32_t fontColor = 0;
        std::uint32_t brushColor = 0;

        bool operator==(const TextItem&) const = default;
    };

    void setFontName(const std::string& name) override { m_fontName = name; }
    void setFontSize(int points) override { m_fontSize = points; }
    void setFontColor(std::uint32_t rgb) override { m_fontColor = rgb; }
    void setBrushColor(std::uint32_t rgb) override { m_brushColor = rgb; }
    void textOut(int x, int y, const std::string& text) override
    {
        m_items.push_back({x, y, text, m_fontName, m_fontSize, m_fontColor, m_brushColor});
    }

    struct LineItem
    {
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;

        bool operator==(const LineItem&) const = default;
    };

    void lineOut(int x1, int y1, int x2, int y2) override { m_lines.push_back({x1, y1, x2, y2}); }

    const std::vector<TextItem>& items() const { return m_items; }
    const std::vector<LineItem>& lines() const { return m_lines; }
    void clear()
    {
        m_items.clear();
        m_lines.clear();
    }

private:
    std::string m_fontName;
    int m_fontSize = 0;
    std::uint32_t m_fontColor = 0;
    std::uint32_t m_brushColor = 0xFFFFFF;
    std::vector<TextItem> m_items;
    std::vector<LineItem> m_lines;
};
