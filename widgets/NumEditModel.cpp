#include "widgets/NumEditModel.h"

namespace numedit {

NumEditModel::NumEditModel()
{
    rebuildDisplay();
}

void NumEditModel::setText(std::string_view text)
{
    if (text == m_value) {
        return;
    }
    m_value = numvalue::CleanText(text, m_format);
    rebuildDisplay();
    if (onChange) {
        onChange();
    }
}

bool NumEditModel::setIntegerLength(int value)
{
    if (value < 0 || value == m_format.IntegerLength) {
        return false;
    }
    m_format.IntegerLength = value;
    refilter();
    return true;
}

bool NumEditModel::setDecimalLength(int value)
{
    if (value < 0 || value == m_format.DecimalLength) {
        return false;
    }
    m_format.DecimalLength = value;
    refilter();
    return true;
}

bool NumEditModel::setMinus(bool value)
{
    if (value == m_format.Minus) {
        return false;
    }
    m_format.Minus = value;
    refilter();
    return true;
}

namespace {

template <typename T> bool store(T& field, const T& value)
{
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

} // namespace

bool NumEditModel::setComma(bool value)
{
    const bool changed = store(m_format.Comma, value);
    rebuildDisplay();
    return changed;
}

bool NumEditModel::setDecimalFixed(bool value)
{
    const bool changed = store(m_format.DecimalFixed, value);
    rebuildDisplay();
    return changed;
}

bool NumEditModel::setIntegerFixed(bool value)
{
    const bool changed = store(m_format.IntegerFixed, value);
    rebuildDisplay();
    return changed;
}

bool NumEditModel::setZeroEnabled(bool value)
{
    const bool changed = store(m_format.ZeroEnabled, value);
    rebuildDisplay();
    return changed;
}

bool NumEditModel::setLeftMark(const std::string& value)
{
    const bool changed = store(m_format.LeftMark, value);
    rebuildDisplay();
    return changed;
}

bool NumEditModel::setRightMark(const std::string& value)
{
    const bool changed = store(m_format.RightMark, value);
    rebuildDisplay();
    return changed;
}

void NumEditModel::selectAll()
{
    m_selLength = static_cast<int>(m_display.size());
}

void NumEditModel::deselect()
{
    m_selLength = 0;
}

void NumEditModel::clear()
{
    m_undo = m_value;
    m_undoAvailable = true;
    m_value.clear();
    rebuildDisplay();
    deselect();
    if (onChange) {
        onChange();
    }
}

void NumEditModel::undo()
{
    if (!m_undoAvailable) {
        return;
    }
    std::swap(m_value, m_undo);
    rebuildDisplay();
    selectAll();
    if (onChange) {
        onChange();
    }
}

void NumEditModel::inputDigit(char digit)
{
    if (m_readOnly) {
        return;
    }
    if (selected()) {
        clear();
    }
    const std::size_t point = m_value.find('.');
    const int negative = m_value.find('-') != std::string::npos ? 1 : 0;
    const int integerDigits = static_cast<int>(point == std::string::npos ? m_value.size() : point) - negative;
    const int decimalDigits = point == std::string::npos ? 0 : static_cast<int>(m_value.size() - point - 1);
    const bool full = (m_format.DecimalLength == 0 || point == std::string::npos)
                          ? integerDigits >= m_format.IntegerLength
                          : decimalDigits >= m_format.DecimalLength;
    if (full) {
        beep();
        return;
    }
    std::string text = numvalue::SuppressZeros(m_value + digit, m_format);
    if (!fitsField(text)) {
        beep();
        return;
    }
    commit(std::move(text));
}

void NumEditModel::inputDecimalPoint()
{
    if (m_readOnly) {
        return;
    }
    if (m_format.DecimalLength == 0) {
        beep();
        return;
    }
    if (selected()) {
        clear();
    }
    if (m_value.find('.') != std::string::npos) {
        beep();
        return;
    }
    const std::string text = m_value + '.';
    if (!fitsField(text)) {
        beep();
        return;
    }
    commit(numvalue::SuppressZeros(text, m_format));
}

void NumEditModel::inputMinus()
{
    if (m_readOnly) {
        return;
    }
    if (!m_format.Minus) {
        beep();
        return;
    }
    if (selected()) {
        clear();
    }
    if (const std::size_t minus = m_value.find('-'); minus != std::string::npos) {
        std::string text = m_value;
        text.erase(minus, 1);
        commit(std::move(text));
        return;
    }
    std::string text = "-" + m_value;
    if (!fitsField(text)) {
        beep();
        return;
    }
    commit(std::move(text));
}

void NumEditModel::deleteLastChar()
{
    if (m_readOnly || m_value.empty()) {
        return;
    }
    if (selected()) {
        clear();
        return;
    }
    std::string text = m_value.substr(0, m_value.size() - 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    commit(std::move(text));
}

std::optional<std::string> NumEditModel::copyText() const
{
    if (!selected()) {
        return std::nullopt;
    }
    return m_imageCopy ? m_display : m_value;
}

std::optional<std::string> NumEditModel::cut()
{
    std::optional<std::string> text = copyText();
    if (text) {
        clear();
        if (onChange) {
            onChange();
        }
    }
    return text;
}

void NumEditModel::paste(std::string_view clipboardText)
{
    m_undo = m_value;
    m_undoAvailable = true;
    const std::string joined = selected() ? std::string(clipboardText) : m_value + std::string(clipboardText);
    m_value = numvalue::CleanText(joined, m_format);
    rebuildDisplay();
    deselect();
    if (onChange) {
        onChange();
    }
}

void NumEditModel::leave(bool hideSelection)
{
    if (m_value == "-" && (m_options & eoMinusOnly) == 0) {
        m_value.clear();
        rebuildDisplay();
    }
    if (hideSelection) {
        deselect();
    }
}

void NumEditModel::commit(std::string text)
{
    m_undo = m_value;
    m_undoAvailable = true;
    m_value = std::move(text);
    rebuildDisplay();
    if (onChange) {
        onChange();
    }
}

void NumEditModel::refilter()
{
    m_value = numvalue::FilterText(m_value, m_format);
    rebuildDisplay();
}

void NumEditModel::rebuildDisplay()
{
    m_display = numvalue::MakeDisplayText(m_value, m_format);
}

void NumEditModel::beep()
{
    if (onBeep) {
        onBeep();
    }
}

bool NumEditModel::fitsField(const std::string& text) const
{
    return (m_options & eoORInputStop) == 0 || !fits || fits(text);
}

} // namespace numedit
