#pragma once

class QCheckBox;
class QGroupBox;
class QTabBar;

// The few controls of the main window that are drawn tighter or in other colors than the
// application's style draws them. Each gets a light proxy of that style rather than a style
// sheet: a style sheet's parsing and polishing was the costliest step of building the window.

// Sender tabs 17 pixels high, gray text on light gray, the selected one white on navy: it
// names the file that 「ご依頼主登録」 overwrites and must stand out.
void UseSenderTabStyle(QTabBar* tabs);

// A frame only 27 pixels high: its top line runs through the title, and its check boxes have
// indicators small enough to stand whole between the title and the bottom line.
void UseTimeServiceFrameStyle(QGroupBox* frame);

// A check box whose text sits 2 pixels from its indicator, so that it ends before the control
// beside it.
void UseCloseLabelStyle(QCheckBox* box);
