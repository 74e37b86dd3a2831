#pragma once

#include "printers/PageGeometry.h"

#include <QPainter>
#include <QString>

#include <memory>

class QPdfWriter;
class QPainterCanvas;
class Canvas;

// One job drawn into a PDF spool file on a page of the paper in force, at the printer's
// horizontal resolution. Device positions are printer dots from the printable area's corner
// on each axis; glyphs keep their size in points. The file is removed when the job is
// discarded or destroyed unless it was taken away.
class SpoolJob
{
public:
    // Throws std::runtime_error when the file cannot be written.
    SpoolJob(const QString& path, const PageGeometry& page, const QString& paperName, const QString& title);
    ~SpoolJob();
    SpoolJob(const SpoolJob&) = delete;
    SpoolJob& operator=(const SpoolJob&) = delete;

    Canvas& canvas();
    const QString& path() const { return m_path; }
    // Completes the file; throws std::runtime_error when it could not be written.
    void finish();
    // Throws std::runtime_error when the page could not be added.
    void newPage();
    void discard();

private:
    QString m_path;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<QPainterCanvas> m_canvas;
};
