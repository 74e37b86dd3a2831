#include "preview/FormScan.h"

#include "platform/FilePath.h"
#include "platform/ProfileFile.h"
#include "platform/RegularFile.h"

#include <QStringList>
#include <QUrl>

#include <array>
#include <cmath>

namespace formscan {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// Beyond this a resolution or a coordinate is a typing slip, not a scan.
constexpr double kLimit = 100000;

// "x1,y1,x2,y2" into two points; every number finite and within the limit.
std::optional<std::array<QPointF, 2>> parsePair(const std::string& text)
{
    const QStringList parts = QString::fromLatin1(text.c_str()).split(u',');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(values[i]) || std::abs(values[i]) > kLimit) {
            return std::nullopt;
        }
    }
    return std::array<QPointF, 2>{QPointF(values[0], values[1]), QPointF(values[2], values[3])};
}

std::string pairText(const QPointF (&points)[2])
{
    const auto number = [](double value) { return QString::number(value, 'g', 12); };
    return QStringLiteral("%1,%2,%3,%4")
        .arg(number(points[0].x()), number(points[0].y()), number(points[1].x()), number(points[1].y()))
        .toStdString();
}

// A photo of a form at 600 dpi stays far below this.
constexpr std::uintmax_t kMaxImageBytes = std::uintmax_t{64} * 1024 * 1024;
constexpr std::uintmax_t kMaxSettingsBytes = std::uintmax_t{1024} * 1024;

std::optional<std::string> regularFileContent(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    try {
        return ReadRegularFile(path, maxBytes);
    } catch (const FileReadError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<FormScan> Parse(std::string_view content)
{
    const auto value = [&](std::string_view key) {
        return ProfileFile::FindValue(content, kSection, key).value_or(std::string());
    };
    FormScan scan;
    // Kept as an encoded URL: plain ASCII whatever the file name holds.
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(value("Url")), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile()) {
        return std::nullopt;
    }
    scan.file = url.toLocalFile();
    if (scan.file.isEmpty()) {
        return std::nullopt;
    }
    const auto scanPoints = parsePair(value("ScanPixels"));
    const auto paperPoints = parsePair(value("PaperMillimetres"));
    if (scanPoints && paperPoints) {
        scan.byPoints = true;
        scan.scanPixel[0] = (*scanPoints)[0];
        scan.scanPixel[1] = (*scanPoints)[1];
        scan.paperMm[0] = (*paperPoints)[0];
        scan.paperMm[1] = (*paperPoints)[1];
    } else {
        bool ok = false;
        scan.dpi = QString::fromStdString(value("Dpi")).toDouble(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    if (!ToPaperPoints(scan)) {
        return std::nullopt;
    }
    return scan;
}

std::optional<FormScan> Read(const std::filesystem::path& settingsFile)
{
    return Parse(regularFileContent(settingsFile, kMaxSettingsBytes).value_or(std::string()));
}

void Write(const std::filesystem::path& settingsFile, const FormScan& scan)
{
    const auto write = [&](std::string_view key, const std::string& value) {
        ProfileFile::WriteString(settingsFile, kSection, key, value);
    };
    write("Url", QUrl::fromLocalFile(scan.file).toEncoded().toStdString());
    write("Dpi", scan.byPoints ? std::string() : QString::number(scan.dpi, 'g', 12).toStdString());
    write("ScanPixels", scan.byPoints ? pairText(scan.scanPixel) : std::string());
    write("PaperMillimetres", scan.byPoints ? pairText(scan.paperMm) : std::string());
}

std::optional<QByteArray> ReadImageFile(const FormScan& scan)
{
    const std::optional<std::string> bytes = regularFileContent(ToPath(scan.file), kMaxImageBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return QByteArray::fromStdString(*bytes);
}

std::optional<QTransform> ToPaperPoints(const FormScan& scan)
{
    if (!scan.byPoints) {
        if (!(scan.dpi > 0 && scan.dpi <= kLimit)) {
            return std::nullopt;
        }
        const double scale = 72.0 / scan.dpi;
        return QTransform::fromScale(scale, scale);
    }
    // A similarity (scale, turn, shift) taking both scan pixels onto their paper places.
    const QPointF s = scan.scanPixel[1] - scan.scanPixel[0];
    const QPointF p = (scan.paperMm[1] - scan.paperMm[0]) * kPointsPerMm;
    const double length = s.x() * s.x() + s.y() * s.y();
    if (length < 1 || p.x() * p.x() + p.y() * p.y() < 1e-6) {
        return std::nullopt;
    }
    // The complex ratio p / s gives the scale and the turn.
    const double a = (p.x() * s.x() + p.y() * s.y()) / length;
    const double b = (p.y() * s.x() - p.x() * s.y()) / length;
    const QPointF origin = scan.paperMm[0] * kPointsPerMm;
    const QPointF from = scan.scanPixel[0];
    const double dx = origin.x() - (a * from.x() - b * from.y());
    const double dy = origin.y() - (b * from.x() + a * from.y());
    return QTransform(a, b, -b, a, dx, dy);
}

} // namespace formscan
