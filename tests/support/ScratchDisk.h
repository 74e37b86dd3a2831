#pragma once

#include <QTemporaryDir>

#include <string>
#include <sys/mount.h>

// A small memory file system mounted for one test, to make a disk full or read-only for
// real. Mounting needs privileges; without them available() is false and the test skips.
class ScratchDisk
{
public:
    explicit ScratchDisk(const char* size = "size=64k")
    {
        m_mounted = m_folder.isValid() && ::mount("tmpfs", path().c_str(), "tmpfs", 0, size) == 0;
    }
    ~ScratchDisk()
    {
        if (m_mounted) {
            ::umount2(path().c_str(), MNT_DETACH);
        }
    }
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    bool available() const { return m_mounted; }
    std::string path() const { return m_folder.path().toStdString(); }
    bool makeReadOnly() { return ::mount("tmpfs", path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};
