#include "gui/ControlStyles.h"

#include "gui/WindowColors.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>

#include <algorithm>

namespace {
const QColor kFrameLine(0xa0, 0xa0, 0xa0);
const QColor kPlainTab(0xe4, 0xe4, 0xe4);

// A proxy of the application's style, owned by the widget it draws. The base is a fresh
// instance because a proxy deletes its base.
class OwnedProxyStyle : public QProxyStyle
{
public:
    explicit OwnedProxyStyle(QObject* owner) : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
        setParent(owner);
    }
};

class SenderTabStyle : public OwnedProxyStyle
{
public:
    using OwnedProxyStyle::OwnedProxyStyle;

    static constexpr int kHeight = 18; // 17 inside the top line
    static constexpr int kPadding = 4;
    static constexpr int kGap = 1;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option); tab && type == CT_TabBarTab) {
            return {tab->fontMetrics.horizontalAdvance(tab->text) + 2 * kPadding + 2 + kGap, kHeight};
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_TabBarTabOverlap:
        case PM_TabBarBaseOverlap:
        case PM_TabBarTabShiftHorizontal:
        case PM_TabBarTabShiftVertical:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (!tab || element != CE_TabBarTab) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool selected = tab->state & State_Selected;
        const QColor background = selected ? windowcolors::kNavy : kPlainTab;
        const QRect face = tab->rect.adjusted(0, 0, -kGap, 0);
        painter->save();
        painter->fillRect(face, background);
        painter->setPen(selected ? background : kFrameLine);
        painter->drawLine(face.bottomLeft(), face.topLeft());
        painter->drawLine(face.topLeft(), face.topRight());
        painter->drawLine(face.topRight(), face.bottomRight());
        const QColor ink = selected ? QColor(Qt::white) : windowcolors::kGrey;
        painter->setPen(ink);
        painter->drawText(face.adjusted(1, 1, -1, 0), Qt::AlignCenter | Qt::TextShowMnemonic, tab->text);
        if (tab->state & State_HasFocus) {
            // Dotted in the text's color: the style's focus color vanishes on the navy tab.
            painter->setPen(QPen(ink, 1, Qt::DotLine));
            painter->drawRect(face.adjusted(2, 2, -3, -2));
        }
        painter->restore();
    }
};

// Check boxes as high as their text, as a style sheet sizes them, optionally with another
// indicator size or gap to the text.
class TightCheckBoxStyle : public OwnedProxyStyle
{
public:
    static constexpr int kStyleDefault = -1;

    TightCheckBoxStyle(QObject* owner, int indicator, int spacing)
        : OwnedProxyStyle(owner), m_indicator(indicator), m_spacing(spacing)
    {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if ((metric == PM_IndicatorWidth || metric == PM_IndicatorHeight) && m_indicator != kStyleDefault) {
            return m_indicator;
        }
        if (metric == PM_CheckBoxLabelSpacing && m_spacing != kStyleDefault) {
            return m_spacing;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type != CT_CheckBox) {
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        }
        const int indicator = pixelMetric(PM_IndicatorHeight, option, widget);
        return {size.width() + pixelMetric(PM_IndicatorWidth, option, widget) +
                    pixelMetric(PM_CheckBoxLabelSpacing, option, widget),
                std::max(size.height(), indicator)};
    }

private:
    int m_indicator;
    int m_spacing;
};

class TimeServiceFrameStyle : public TightCheckBoxStyle
{
public:
    static constexpr int kIndicator = 11;
    static constexpr int kSpacing = 8;
    static constexpr int kFrameTop = 6;
    static constexpr int kTitleLeft = 8;
    static constexpr int kTitlePadding = 2;

    explicit TimeServiceFrameStyle(QObject* owner) : TightCheckBoxStyle(owner, kIndicator, kSpacing) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (!frame || control != CC_GroupBox) {
            return QProxyStyle::subControlRect(control, option, part, widget);
        }
        const QRect lines = frame->rect.adjusted(0, kFrameTop, 0, 0);
        switch (part) {
        case SC_GroupBoxFrame:
            return lines;
        case SC_GroupBoxContents:
            return lines.adjusted(1, 1, -1, -1);
        case SC_GroupBoxLabel:
            return {kTitleLeft, 0, frame->fontMetrics.horizontalAdvance(frame->text) + 2 * kTitlePadding,
                    frame->fontMetrics.height()};
        default:
            return {};
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (!frame || control != CC_GroupBox) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget);
        painter->save();
        painter->setClipRegion(QRegion(frame->rect).subtracted(title));
        painter->setPen(kFrameLine);
        painter->drawRect(subControlRect(control, option, SC_GroupBoxFrame, widget).adjusted(0, 0, -1, -1));
        painter->setClipping(false);
        painter->setPen(frame->palette.color(QPalette::WindowText));
        painter->drawText(title, Qt::AlignCenter, frame->text);
        painter->restore();
    }
};
} // namespace

void UseSenderTabStyle(QTabBar* tabs)
{
    tabs->setStyle(new SenderTabStyle(tabs));
}

void UseTimeServiceFrameStyle(QGroupBox* frame)
{
    auto* style = new TimeServiceFrameStyle(frame);
    frame->setStyle(style);
    for (QCheckBox* box : frame->findChildren<QCheckBox*>()) {
        box->setStyle(style);
        box->adjustSize(); // to the smaller indicator
    }
}

void UseCloseLabelStyle(QCheckBox* box)
{
    constexpr int kSpacing = 2;
    box->setStyle(new TightCheckBoxStyle(box, TightCheckBoxStyle::kStyleDefault, kSpacing));
}
