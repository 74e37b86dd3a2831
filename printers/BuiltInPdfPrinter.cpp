#include "printers/BuiltInPdfPrinter.h"

#include "printers/SpoolJob.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QSizeF>

#include <algorithm>
#include <stdexcept>

namespace builtinpdf {

PrinterModel Model(const QString& slipsFolder, const std::vector<PrinterModel>& queues)
{
    PrinterModel model;
    model.record.name = kName;
    const auto taken = [&](const std::string& name) {
        return std::any_of(queues.begin(), queues.end(),
                           [&](const PrinterModel& queue) { return queue.record.name == name; });
    };
    for (int n = 2; taken(model.record.name); ++n) {
        model.record.name = std::string(kName) + " (" + std::to_string(n) + ")";
    }
    model.driver = "mivo_Kangaroo PDF";
    model.port = QDir(slipsFolder).absolutePath().toStdString();
    model.builtIn = true;
    model.capabilitiesLoaded = true;

    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    constexpr std::uint16_t a4Number = 9;
    // Sizes without a platform number get driver numbers from 256 on.
    constexpr std::uint16_t slipNumber = 256;
    const auto choice = [](int number, const char* name, double widthPt, double heightPt, const char* keyword) {
        return PrinterModel::Choice{{static_cast<std::uint16_t>(number), name, widthPt, heightPt}, keyword, {}};
    };
    model.papers = {
        choice(a4Number, "A4", a4.width(), a4.height(), "A4"),
        choice(slipNumber, "連続用紙 10×4インチ", 720, 288, "Slip10x4"),
    };
    model.bins = {
        choice(bin::Manual, "手差し", 0, 0, "Manual"),
        choice(bin::Tractor, "連続用紙", 0, 0, "Tractor"),
    };
    model.resolution = {180, 180};
    model.defaults = {dm::Orientation | dm::PaperSize | dm::Copies | dm::DefaultSource | dm::PrintQuality |
                          dm::YResolution,
                      a4Number, 100, bin::Manual};
    return model;
}

QString FileName(const QDateTime& when, const QString& title)
{
    QString safe;
    for (const QChar c : title.trimmed()) {
        const bool unsafe = c.unicode() < 0x20 || c == QChar(0x7F) || QStringLiteral("/\\:*?\"<>|").contains(c);
        safe += unsafe ? QChar('_') : c;
    }
    // Leading dots would hide the file; the spool files themselves start with one.
    while (safe.startsWith('.')) {
        safe.remove(0, 1);
    }
    if (safe.isEmpty()) {
        safe = QStringLiteral("slip");
    }
    return when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + '-' + safe.left(100);
}

QString Deliver(SpoolJob& spool, const QDateTime& when, const QString& title)
{
    const QString base = FileName(when, title);
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? base + ".pdf" : QStringLiteral("%1-%2.pdf").arg(base).arg(n);
        if (spool.moveTo(QFile::encodeName(name).toStdString())) {
            return spool.path();
        }
    }
    throw std::runtime_error("Cannot store the PDF in " + spool.folder().path().string());
}

} // namespace builtinpdf
