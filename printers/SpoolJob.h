#pragma once

#include "platform/OpenedFolder.h"
#include "printers/PageGeometry.h"

#include <QByteArray>
#include <QFile>
#include <QPainter>
#include <QString>

#include <memory>
#include <string>

class QPdfWriter;
class QPainterCanvas;
class Canvas;

// One job drawn into a PDF spool file on a page of the paper in force, at the printer's
// horizontal resolution. Device positions are printer dots from the printable area's corner
// on each axis; glyphs keep their size in points. The file is created new (never over a name
// or through a link someone put there), stays locked while the job lives and is only ever
// used through its descriptor; it is removed when the job is discarded or destroyed unless
// it was moved to a name of its own.
class SpoolJob
{
public:
    // Throws std::runtime_error when the file cannot be created.
    SpoolJob(OpenedFolder folder, const PageGeometry& page, const QString& paperName, const QString& title);
    ~SpoolJob();
    SpoolJob(const SpoolJob&) = delete;
    SpoolJob& operator=(const SpoolJob&) = delete;

    Canvas& canvas();
    QString path() const;
    // Completes the file; throws std::runtime_error when it could not be written.
    void finish();
    // Throws std::runtime_error when the page could not be added.
    void newPage();
    void discard();
    // Up to `size` bytes of the completed file from `offset`; empty at its end. Throws
    // std::runtime_error when it cannot be read.
    QByteArray read(qint64 offset, qint64 size) const;
    // Gives the completed file the name `name` in its folder unless that name is taken.
    bool moveTo(const std::string& name);
    const OpenedFolder& folder() const { return m_folder; }

    // Removes the spool files that killed or crashed runs left in `folder`.
    static void RemoveLeftovers(const OpenedFolder& folder);

private:
    OpenedFolder m_folder;
    std::string m_name;
    int m_descriptor = -1;
    bool m_moved = false;
    QFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<QPainterCanvas> m_canvas;
};
