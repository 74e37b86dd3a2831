#pragma once

#include "widgets/NumEditTypes.h"
#include "widgets/NumValue.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace numedit {

// The editing state of a numeric field: value, display, one-step undo and the all-or-nothing
// selection. The widget maps its events onto these operations and reacts to the callbacks.
class NumEditModel
{
public:
    // Raised after every change of the value by an edit or by setText, never by a writer.
    std::function<void()> onChange;
    // A refused key or character.
    std::function<void()> onBeep;
    // Whether a candidate value text still fits the field; asked only with eoORInputStop.
    std::function<bool(const std::string&)> fits;

    NumEditModel();

    const std::string& value() const { return m_value; }
    const std::string& display() const { return m_display; }
    const numvalue::NumFormat& format() const { return m_format; }
    bool selected() const { return m_selLength != 0; }
    int selLength() const { return m_selLength; }
    bool undoAvailable() const { return m_undoAvailable; }
    const std::string& undoText() const { return m_undo; }

    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool value) { m_readOnly = value; }
    bool imageCopy() const { return m_imageCopy; }
    void setImageCopy(bool value) { m_imageCopy = value; }
    TNumEditOptions options() const { return m_options; }
    void setOptions(TNumEditOptions value) { m_options = value; }

    // Stores the cleaned text; nothing happens when it equals the value byte for byte.
    void setText(std::string_view text);

    // Format writers: false when nothing changed (equal or negative value).
    bool setIntegerLength(int value);
    bool setDecimalLength(int value);
    bool setMinus(bool value);
    bool setComma(bool value);
    bool setDecimalFixed(bool value);
    bool setIntegerFixed(bool value);
    bool setZeroEnabled(bool value);
    bool setLeftMark(const std::string& value);
    bool setRightMark(const std::string& value);

    void selectAll();
    void deselect();
    void clear();
    void undo();

    void inputDigit(char digit);
    void inputDecimalPoint();
    void inputMinus();
    void deleteLastChar();

    // The text copy puts on the clipboard, or nothing when nothing is selected.
    std::optional<std::string> copyText() const;
    // As copyText, clearing the field (two change notifications).
    std::optional<std::string> cut();
    void paste(std::string_view clipboardText);

    // Focus leaves the field: a lone minus goes unless eoMinusOnly, silently.
    void leave(bool hideSelection);

private:
    void commit(std::string text);
    void refilter();
    void rebuildDisplay();
    void beep();
    bool fitsField(const std::string& text) const;

    numvalue::NumFormat m_format;
    std::string m_value;
    std::string m_display;
    std::string m_undo;
    bool m_undoAvailable = false;
    int m_selLength = 0;
    bool m_readOnly = false;
    bool m_imageCopy = false;
    TNumEditOptions m_options = eoArrowUp | eoArrowDown;
};

} // namespace numedit
