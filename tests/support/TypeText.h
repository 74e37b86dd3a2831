#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Real key events for each character of the text, Japanese included (QTest::keyClicks takes
// Latin-1 only).
inline void TypeText(QWidget* target, const QString& text)
{
    for (const char32_t character : text.toUcs4()) {
        if (character < 0x80) {
            QTest::keyClick(target, char(character));
        } else {
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString::fromUcs4(&character, 1),
                                Qt::NoModifier);
        }
    }
}
