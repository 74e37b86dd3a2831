#pragma once

#include "widgets/NumEditLayout.h"
#include "widgets/NumEditModel.h"
#include "widgets/NumEditTypes.h"

#include <QBasicTimer>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class QMenu;

// A custom-drawn single-line field for a decimal number: digits, sign and point are appended
// at the end, the selection is all or nothing, and the display (commas, fixed decimals, marks)
// is built from the value text, which is what Text() hands out.
class TNumEdit : public QWidget
{
    Q_OBJECT

public:
    using TAlignment = numedit::TAlignment;
    using TVertAlignment = numedit::TVertAlignment;
    using TBorderStyle = numedit::TBorderStyle;
    using TNumEditOption = numedit::TNumEditOption;
    using TNumEditOptions = numedit::TNumEditOptions;
    using enum numedit::TAlignment;
    using enum numedit::TVertAlignment;
    using enum numedit::TBorderStyle;
    using enum numedit::TNumEditOption;

    explicit TNumEdit(QWidget* parent = nullptr);
    ~TNumEdit() override;

    // The value text: optional "-", digits, optional "." and digits. Setting it filters the
    // text, raises OnChange when it differs from the value, and keeps the undo text.
    QString Text() const;
    void SetText(const QString& text);

    int IntegerLength() const { return m_model.format().IntegerLength; } // 9
    void SetIntegerLength(int value);
    int DecimalLength() const { return m_model.format().DecimalLength; } // 3
    void SetDecimalLength(int value);
    bool Minus() const { return m_model.format().Minus; } // true
    void SetMinus(bool value);
    bool Comma() const { return m_model.format().Comma; } // true
    void SetComma(bool value);
    bool DecimalFixed() const { return m_model.format().DecimalFixed; } // false
    void SetDecimalFixed(bool value);
    bool IntegerFixed() const { return m_model.format().IntegerFixed; } // false
    void SetIntegerFixed(bool value);
    bool ZeroEnabled() const { return m_model.format().ZeroEnabled; } // false
    void SetZeroEnabled(bool value);
    QString LeftMark() const; // empty
    void SetLeftMark(const QString& value);
    QString RightMark() const; // empty
    void SetRightMark(const QString& value);

    TAlignment Alignment() const { return m_alignment; } // taRightJustify
    void SetAlignment(TAlignment value);
    TVertAlignment VertAlignment() const { return m_vertAlignment; } // taVCenter
    void SetVertAlignment(TVertAlignment value);
    int TopMargin() const { return m_topMargin; } // 2
    void SetTopMargin(int value);
    int BottomMargin() const { return m_bottomMargin; } // 2
    void SetBottomMargin(int value);
    int LeftMargin() const { return m_leftMargin; } // 2
    void SetLeftMargin(int value);
    int RightMargin() const { return m_rightMargin; } // 2
    void SetRightMargin(int value);
    bool AutoSize() const { return m_autoSize; } // true
    void SetAutoSize(bool value);
    bool AutoSelect() const { return m_autoSelect; } // true
    void SetAutoSelect(bool value);
    TBorderStyle BorderStyle() const { return m_borderStyle; } // bsSingle
    void SetBorderStyle(TBorderStyle value);
    bool ReadOnly() const { return m_model.readOnly(); } // false
    void SetReadOnly(bool value);
    bool ErrorBeep() const { return m_errorBeep; } // true
    void SetErrorBeep(bool value);
    QColor DisabledColor() const { return m_disabledColor; } // the palette's disabled text color
    void SetDisabledColor(const QColor& value);
    bool ImageCopy() const { return m_model.imageCopy(); } // false
    void SetImageCopy(bool value);
    bool HideSelection() const { return m_hideSelection; } // true
    void SetHideSelection(bool value);
    bool EnterFocusMove() const { return m_enterFocusMove; } // false
    void SetEnterFocusMove(bool value);
    bool ArrowFocusMove() const { return m_arrowFocusMove; } // false
    void SetArrowFocusMove(bool value);
    TNumEditOptions Options() const { return m_model.options(); } // eoArrowUp | eoArrowDown
    void SetOptions(TNumEditOptions value);

    void Clear();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void SelectAll();
    void Deselect();
    void Undo();

    // State for callers and tests.
    QString DisplayText() const;
    int SelLength() const { return m_model.selLength(); }
    bool UndoAvailable() const { return m_model.undoAvailable(); }
    QMenu* ContextMenu() const { return m_menu; }

    // Geometry in client pixels (inside the frame), as the field lays itself out now.
    int TextHeight() const { return m_textHeight; }
    int GetTextWidth(const QString& text) const;
    int GetAvailableWidth() const;
    QRect GetLeftMarkRect() const;
    QRect GetLayoutRect() const;
    QRect GetTextRect() const;
    QRect GetRightMarkRect() const;
    QPoint GetCaretPoint() const;
    QRect ClientRect() const;

    QSize sizeHint() const override;

signals:
    void OnChange(TNumEdit* sender);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void buildMenu();
    void PopupMenuPopup();
    void PopupMenuClick(int tag);
    bool handleKeyDown(QKeyEvent* event);
    void handleChar(char c);
    void moveFocus(bool next);
    void measureFont();
    void AdjustHeight();
    void ShowEditCaret();
    void DestroyEditCaret();
    void afterLayoutChange();
    void leaveField();
    void beep();
    int frameWidth() const;
    int textWidth(const std::string& bytes) const;
    numedit::LayoutRects layoutRects() const;

    numedit::NumEditModel m_model;
    TAlignment m_alignment = taRightJustify;
    TVertAlignment m_vertAlignment = taVCenter;
    int m_topMargin = 2;
    int m_bottomMargin = 2;
    int m_leftMargin = 2;
    int m_rightMargin = 2;
    bool m_autoSize = true;
    bool m_autoSelect = true;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_errorBeep = true;
    QColor m_disabledColor;
    bool m_hideSelection = true;
    bool m_enterFocusMove = false;
    bool m_arrowFocusMove = false;

    int m_textHeight = 0;
    int m_caretWidth = 1;
    bool m_caretShown = false;
    bool m_caretBlinkOn = true;
    QBasicTimer m_blink;
    QRect m_paintedTextRect;
    bool m_doubleClickPending = false;
    bool m_entered = false; // focus came from elsewhere and has not left the field since
    QMenu* m_menu = nullptr;
};
