#pragma once

#include <QByteArray>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QTransform>

#include <filesystem>
#include <optional>
#include <string_view>

// A scan or photo of the user's own form, laid under the preview at true scale. It is placed
// either by its resolution (its top-left on the paper's corner) or by two of its pixels whose
// places on the paper, in millimetres from the paper's top-left corner, the user gave.
struct FormScan
{
    QString file;
    double dpi = 0; // used when no reference points are given
    bool byPoints = false;
    QPointF scanPixel[2];
    QPointF paperMm[2];

    bool operator==(const FormScan&) const = default;
};

namespace formscan {

// Where the scan is remembered: its own section of the settings file.
inline constexpr const char* kSection = "FormScan";

// The scan recorded in a settings file's content; nothing when none is recorded or the
// entries cannot place it (no file, no positive resolution, reference points that coincide).
std::optional<FormScan> Parse(std::string_view settingsContent);
std::optional<FormScan> Read(const std::filesystem::path& settingsFile);
// Records the scan in its section, leaving every other entry as it stands. Throws
// FileWriteError when the file cannot be written.
void Write(const std::filesystem::path& settingsFile, const FormScan& scan);

// The bytes of the scan's image file: nothing when it is missing, not a regular file (a FIFO
// or a device is never waited on) or larger than any scan of a slip.
std::optional<QByteArray> ReadImageFile(const FormScan& scan);

// From the scan's pixels to points on the paper; nothing when the scan cannot be placed.
std::optional<QTransform> ToPaperPoints(const FormScan& scan);

} // namespace formscan
