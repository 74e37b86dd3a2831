// Geometry, painting, caret and the mapping of Qt's input events onto the editing model.
#include "widgets/TNumEdit.h"

#include "platform/FieldText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimerEvent>
#include <qdrawutil.h>

namespace {

QRect toQRect(const numedit::Rect& r)
{
    return {r.left, r.top, r.width(), r.height()};
}

// Control characters that arrive as typed characters: the editing keys (select all, copy,
// paste, cut, Backspace) are handled as keys, Return as a focus move.
constexpr char kCtrlA = 0x01;
constexpr char kCtrlC = 0x03;
constexpr char kBackspace = 0x08;
constexpr char kReturn = 0x0D;
constexpr char kCtrlV = 0x16;
constexpr char kCtrlX = 0x18;

// Code page 932 codes of the full-width characters an input method commits for a number.
constexpr unsigned kFullWidthZero = 0x824F;   // "０"
constexpr unsigned kFullWidthNine = 0x8258;   // "９"
constexpr unsigned kFullWidthMinus = 0x817C;  // "－"
constexpr unsigned kFullWidthPeriod = 0x8144; // "．"

constexpr auto kModifierMask = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

} // namespace

int TNumEdit::frameWidth() const
{
    return m_borderStyle == bsSingle ? 2 : 0;
}

QRect TNumEdit::ClientRect() const
{
    return contentsRect();
}

int TNumEdit::textWidth(const std::string& bytes) const
{
    if (bytes.empty()) {
        return 0;
    }
    return fontMetrics().horizontalAdvance(FromCp932(bytes)) + 1;
}

int TNumEdit::GetTextWidth(const QString& text) const
{
    return textWidth(ToCp932(text));
}

int TNumEdit::GetAvailableWidth() const
{
    const int edge = m_borderStyle == bsSingle ? 2 : 1;
    return ClientRect().width() - m_leftMargin - m_rightMargin - 2 * edge;
}

numedit::LayoutRects TNumEdit::layoutRects() const
{
    const numvalue::NumFormat& format = m_model.format();
    const std::string& value = m_model.value();
    numedit::LayoutInput in;
    in.clientWidth = ClientRect().width();
    in.clientHeight = ClientRect().height();
    in.textHeight = m_textHeight;
    in.leftMargin = m_leftMargin;
    in.topMargin = m_topMargin;
    in.rightMargin = m_rightMargin;
    in.bottomMargin = m_bottomMargin;
    in.alignment = m_alignment;
    in.vertAlignment = m_vertAlignment;
    in.layoutWidth = textWidth(numvalue::MakeLayoutText(value, format));
    in.textWidth = textWidth(numvalue::FormatValue(value, format));
    if (numedit::MarksShown(value, format)) {
        in.leftMarkWidth = textWidth(format.LeftMark);
        in.rightMarkWidth = textWidth(format.RightMark);
    }
    return numedit::ComputeLayout(in);
}

QRect TNumEdit::GetLeftMarkRect() const
{
    return toQRect(layoutRects().leftMark);
}

QRect TNumEdit::GetLayoutRect() const
{
    return toQRect(layoutRects().layout);
}

QRect TNumEdit::GetTextRect() const
{
    return toQRect(layoutRects().text);
}

QRect TNumEdit::GetRightMarkRect() const
{
    return toQRect(layoutRects().rightMark);
}

QPoint TNumEdit::GetCaretPoint() const
{
    const QRect text = GetTextRect();
    const int offset = textWidth(numedit::MakeCaretText(m_model.value(), m_model.format()));
    return {text.left() + offset - 1, text.top()};
}

QSize TNumEdit::sizeHint() const
{
    return {121, m_textHeight + m_topMargin + m_bottomMargin + 2 * frameWidth()};
}

void TNumEdit::measureFont()
{
    m_textHeight = fontMetrics().height();
    m_caretWidth = font().bold() ? 2 : 1;
}

void TNumEdit::AdjustHeight()
{
    if (m_autoSize) {
        resize(width(), m_textHeight + m_topMargin + m_bottomMargin + 2 * frameWidth());
        updateGeometry();
    }
}

void TNumEdit::afterLayoutChange()
{
    update();
    ShowEditCaret();
}

void TNumEdit::ShowEditCaret()
{
    if (!m_caretShown || !hasFocus()) {
        return;
    }
    m_caretBlinkOn = true;
    if (const int flash = QApplication::cursorFlashTime(); flash > 0) {
        m_blink.start(flash / 2, this);
    }
    update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TNumEdit::DestroyEditCaret()
{
    m_caretShown = false;
    m_blink.stop();
    update();
}

void TNumEdit::beep()
{
    if (m_errorBeep) {
        QApplication::beep();
    }
}

void TNumEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_caretBlinkOn = !m_caretBlinkOn;
        update();
        return;
    }
    QWidget::timerEvent(event);
}

void TNumEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor color = palette().color(QPalette::Base);
    painter.fillRect(rect(), color);
    if (m_borderStyle == bsSingle) {
        qDrawWinPanel(&painter, rect(), palette(), true);
    }
    const QRect client = ClientRect();
    painter.setClipRect(client);
    painter.translate(client.topLeft());

    QColor background = color;
    QColor foreground = palette().color(QPalette::Text);
    if (!isEnabled()) {
        foreground = m_disabledColor;
    } else if (m_model.selected()) {
        background = palette().color(QPalette::Active, QPalette::Highlight);
        foreground = palette().color(QPalette::Active, QPalette::HighlightedText);
    }

    const numedit::LayoutRects rects = layoutRects();
    const numvalue::NumFormat& format = m_model.format();
    m_paintedTextRect = toQRect(rects.text);
    QRect fill = m_paintedTextRect;
    if (!format.LeftMark.empty()) {
        fill.setLeft(rects.leftMark.left);
    }
    if (!format.RightMark.empty()) {
        fill.setRight(rects.rightMark.right - 1);
    }
    painter.fillRect(fill, background);

    painter.setPen(foreground);
    const int ascent = fontMetrics().ascent();
    const std::string number = numvalue::FormatValue(m_model.value(), format);
    auto draw = [&](const numedit::Rect& at, const std::string& bytes) {
        painter.drawText(QPoint(at.left, at.top + ascent), FromCp932(bytes));
    };
    const bool marks = !number.empty();
    if (marks && !format.LeftMark.empty()) {
        draw(rects.leftMark, format.LeftMark);
    }
    draw(rects.text, number);
    if (marks && !format.RightMark.empty()) {
        draw(rects.rightMark, format.RightMark);
    }

    if (m_caretShown && m_caretBlinkOn && hasFocus()) {
        painter.fillRect(QRect(GetCaretPoint(), QSize(m_caretWidth, m_textHeight)), palette().color(QPalette::Text));
    }
}

void TNumEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    afterLayoutChange();
}

void TNumEdit::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        measureFont();
        AdjustHeight();
        afterLayoutChange();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

bool TNumEdit::event(QEvent* event)
{
    // Focus moved on while the window was inactive sends no focus-out; the field was left all the same.
    if (event->type() == QEvent::WindowActivate && m_entered && window()->focusWidget() != this) {
        leaveField();
    }
    // Keys this field handles itself must not be taken by a window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & kModifierMask;
        const bool ctrlEdit = mods == Qt::ControlModifier && (key->key() == Qt::Key_A || key->key() == Qt::Key_C ||
                                                              key->key() == Qt::Key_V || key->key() == Qt::Key_X);
        const bool plainText =
            (mods & ~Qt::ShiftModifier) == 0 && !key->text().isEmpty() && key->text().at(0).isPrint();
        if (ctrlEdit || plainText) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

bool TNumEdit::handleKeyDown(QKeyEvent* event)
{
    const auto mods = event->modifiers() & kModifierMask;
    const int key = event->key();
    if (mods == Qt::ShiftModifier && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        SelectAll();
        return true;
    }
    if (mods == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_A:
            SelectAll();
            return true;
        case Qt::Key_C:
            CopyToClipboard();
            return true;
        case Qt::Key_V:
            if (ReadOnly()) {
                return false;
            }
            PasteFromClipboard();
            return true;
        case Qt::Key_X:
            if (ReadOnly()) {
                return false;
            }
            CutToClipboard();
            return true;
        default:
            return false;
        }
    }
    if (mods != Qt::NoModifier) {
        return false;
    }
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
        Deselect();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        Deselect();
        const bool up = key == Qt::Key_Up;
        if (m_arrowFocusMove && (Options() & (up ? eoArrowUp : eoArrowDown)) != 0) {
            moveFocus(!up);
        }
        return true;
    }
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (ReadOnly()) {
            return false;
        }
        m_model.deleteLastChar();
        return true;
    default:
        return false;
    }
}

void TNumEdit::handleChar(char c)
{
    if (ReadOnly()) {
        return;
    }
    switch (c) {
    case kCtrlA:
    case kCtrlC:
    case kBackspace:
    case kCtrlV:
    case kCtrlX:
        return;
    case kReturn:
        if (!m_enterFocusMove) {
            beep();
        } else if (parentWidget() != nullptr) {
            moveFocus(true);
        }
        return;
    case '-':
        m_model.inputMinus();
        return;
    case '.':
        m_model.inputDecimalPoint();
        return;
    default:
        if (c >= '0' && c <= '9') {
            m_model.inputDigit(c);
        } else {
            beep();
        }
        return;
    }
}

void TNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (handleKeyDown(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    const auto mods = event->modifiers() & kModifierMask;
    const QString text = event->text();
    // Keys that type no character in the field: navigation, Escape (a dialog's
    // cancel), Alt combinations (menu accelerators), Delete, whose text is DEL here, and Ctrl
    // with a printable key (Ctrl+1 must not type a 1; Ctrl+letters come as control codes).
    const bool ctrlPrintable = (mods & Qt::ControlModifier) != 0 && !text.isEmpty() && text.at(0).unicode() >= 0x20;
    const bool noCharacter = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape ||
                             key == Qt::Key_Delete || (mods & (Qt::AltModifier | Qt::MetaModifier)) != 0 ||
                             ctrlPrintable;
    if (noCharacter || text.isEmpty()) {
        event->ignore();
        return;
    }
    for (const char byte : ToCp932(text)) {
        handleChar(byte);
    }
    event->accept();
}

void TNumEdit::inputMethodEvent(QInputMethodEvent* event)
{
    for (const uint ch : event->commitString().toUcs4()) {
        const std::string bytes = ToCp932(QString::fromUcs4(reinterpret_cast<const char32_t*>(&ch), 1));
        if (bytes.size() == 2) {
            const unsigned code = (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
            if (code >= kFullWidthZero && code <= kFullWidthNine) {
                handleChar(static_cast<char>('0' + (code - kFullWidthZero)));
                continue;
            }
            if (code == kFullWidthMinus) {
                handleChar('-');
                continue;
            }
            if (code == kFullWidthPeriod) {
                handleChar('.');
                continue;
            }
        }
        // Any other double-byte character is refused one byte at a time.
        for (const char byte : bytes) {
            handleChar(byte);
        }
    }
    event->accept();
}

QVariant TNumEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle) {
        return QRect(GetCaretPoint() + ClientRect().topLeft(), QSize(m_caretWidth, m_textHeight));
    }
    if (query == Qt::ImFont) {
        return font();
    }
    return QWidget::inputMethodQuery(query);
}

void TNumEdit::moveFocus(bool next)
{
    if (parentWidget() == nullptr) {
        return;
    }
    // Posted, so that the move happens after the key that asked for it has been handled.
    QMetaObject::invokeMethod(
        this,
        [this, next] {
            QWidget* top = window();
            QWidget* w = this;
            for (;;) {
                w = next ? w->nextInFocusChain() : w->previousInFocusChain();
                if (w == nullptr || w == this) {
                    return;
                }
                if (w->window() == top && w->isVisibleTo(top) && w->isEnabled() &&
                    (w->focusPolicy() & Qt::TabFocus) != 0) {
                    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                    return;
                }
            }
        },
        Qt::QueuedConnection);
}

void TNumEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_caretShown = true;
    ShowEditCaret();
    if (!m_entered) {
        m_entered = true;
        if (m_autoSelect) {
            SelectAll();
        }
    }
}

void TNumEdit::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    DestroyEditCaret();
    // The window losing activation or a popup opening is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    leaveField();
}

void TNumEdit::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A closed dialog keeps its focus widget and gives no focus-out: closing is leaving the
    // field all the same, so that the next opening enters it afresh. Minimising is not.
    if (!event->spontaneous() && m_entered) {
        DestroyEditCaret();
        leaveField();
    }
}

void TNumEdit::leaveField()
{
    m_entered = false;
    m_model.leave(m_hideSelection);
    update();
}

void TNumEdit::mousePressEvent(QMouseEvent* event)
{
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    if (event->button() == Qt::LeftButton && !m_doubleClickPending) {
        Deselect();
    }
    m_doubleClickPending = false;
    QWidget::mousePressEvent(event);
}

void TNumEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        SelectAll();
        m_doubleClickPending = true;
    }
    // Qt reports the second press only as the double-click; the press step still runs.
    mousePressEvent(event);
}

void TNumEdit::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) != 0) {
        const int x = event->position().toPoint().x() - ClientRect().left();
        if (x >= m_paintedTextRect.left() && x <= m_paintedTextRect.left() + m_paintedTextRect.width()) {
            SelectAll();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void TNumEdit::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenuPopup();
    m_menu->popup(event->globalPos());
    event->accept();
}
