#include "printers/SpoolJob.h"

#include "platform/QPainterCanvas.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::string_view kPrefix = ".mivo-spool-";
constexpr std::string_view kSuffix = ".pdf";
constexpr std::size_t kRandomLength = 6;

bool IsSpoolName(const std::string& name)
{
    return name.size() == kPrefix.size() + kRandomLength + kSuffix.size() && name.starts_with(kPrefix) &&
           name.ends_with(kSuffix);
}

} // namespace

SpoolJob::SpoolJob(OpenedFolder folder, const PageGeometry& page, const QString& paperName, const QString& title)
    : m_folder(std::move(folder))
{
    m_descriptor = m_folder.createExclusive(kPrefix, kSuffix, m_name);
    // The writer gets a copy of the descriptor: it closes its device when done, and the lock
    // and the reading back go on through the first descriptor.
    const int writing = m_descriptor >= 0 ? ::dup(m_descriptor) : -1;
    if (writing < 0 || !m_file.open(writing, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        if (writing >= 0) {
            ::close(writing);
        }
        discard();
        throw std::runtime_error("Cannot create a print spool file in " + m_folder.path().string());
    }
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("mivo_Kangaroo"));
    const QPageSize size(QSizeF(page.paperWidthPt, page.paperHeightPt), QPageSize::Point, paperName,
                         QPageSize::ExactMatch);
    m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
    m_writer->setResolution(page.dpi.x);
    if (!m_painter.begin(m_writer.get())) {
        discard();
        throw std::runtime_error("Cannot write the print spool file " + path().toStdString());
    }
    m_canvas = std::make_unique<QPainterCanvas>(m_painter, page.placement(page.dpi.x));
}

SpoolJob::~SpoolJob()
{
    discard();
}

QString SpoolJob::path() const
{
    return QDir(QFile::decodeName(m_folder.path().c_str())).filePath(QFile::decodeName(m_name.c_str()));
}

Canvas& SpoolJob::canvas()
{
    return *m_canvas;
}

void SpoolJob::finish()
{
    if (m_painter.isActive() && !m_painter.end()) {
        throw std::runtime_error("Cannot complete the print spool file " + path().toStdString());
    }
    if (m_file.isOpen() && !m_file.flush()) {
        throw std::runtime_error("Cannot complete the print spool file " + path().toStdString());
    }
}

void SpoolJob::newPage()
{
    if (!m_writer->newPage()) {
        throw std::runtime_error("Cannot add a page to the print spool file " + path().toStdString());
    }
}

void SpoolJob::discard()
{
    if (m_painter.isActive()) {
        m_painter.end();
    }
    m_file.close();
    if (m_descriptor < 0) {
        return;
    }
    if (!m_moved) {
        m_folder.remove(m_name);
    }
    ::close(m_descriptor);
    m_descriptor = -1;
}

QByteArray SpoolJob::read(qint64 offset, qint64 size) const
{
    QByteArray block(static_cast<qsizetype>(size), Qt::Uninitialized);
    ssize_t got = -1;
    do {
        got = ::pread(m_descriptor, block.data(), static_cast<std::size_t>(size), static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        throw std::runtime_error("Cannot read the print spool file " + path().toStdString());
    }
    block.truncate(static_cast<qsizetype>(got));
    return block;
}

bool SpoolJob::moveTo(const std::string& name)
{
    if (m_moved || !m_folder.renameNoReplace(m_name, name)) {
        return false;
    }
    m_moved = true;
    m_name = name;
    return true;
}

void SpoolJob::RemoveLeftovers(const OpenedFolder& folder)
{
    folder.removeAbandoned(IsSpoolName);
}
