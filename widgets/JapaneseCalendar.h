#pragma once

class QDateEdit;

// Gives a date edit with a calendar pop-up a Japanese calendar, month names and Sunday first,
// whatever the system's locale. The calendar is built when the user first reaches the date
// edit (a click, a key or the focus), not while the window is being built: it is the most
// costly control of a window that should show at once.
void UseJapaneseCalendar(QDateEdit* edit);
