#pragma once

#include <QIcon>

// The pictures of the picture buttons, drawn rather than loaded: crisp at any size, the same on
// every desktop, and nothing to read or decode while the window is being built.
enum class Picture
{
    Transfer,       // the pasted text goes down into the recipient fields
    ClearMemo,      // an eraser
    ClearRecipient, // a waste bin
    Save,           // a floppy disk
    Help,           // a question mark
};

QIcon PictureIcon(Picture picture);
