#pragma once

#include <QByteArray>

// Five empty sender lines: a start that finds its first sender this way reports nothing.
inline const QByteArray kEmptySender("\r\n\r\n\r\n\r\n\r\n");
