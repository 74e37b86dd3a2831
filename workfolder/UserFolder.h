#pragma once

#include <QString>

// A desktop menu starts programs in the home folder, where the settings, sender and
// registration files would lie among the user's own. Started from the menu, the program keeps
// them in a folder of its own instead; started from a shell, in the current folder.
inline constexpr char kFromMenuOption[] = "--from-menu";

// The folder a menu start works in: "mivo_Kangaroo" in the home folder.
QString MenuStartFolder();

// Creates the folder when needed and makes it the current folder. Raises std::runtime_error
// naming the folder when it cannot be created or entered.
void EnterFolder(const QString& folder);
