#pragma once

#include <QCoreApplication>

#include <array>

// The Qt application of a command that reads or writes the journal but draws nothing: the
// journal's database driver is a plugin, found through the application.
class JournalApplication
{
public:
    JournalApplication() : m_application(m_argumentCount, m_arguments.data()) {}

private:
    int m_argumentCount = 1;
    char m_programName[14] = "mivo-kangaroo";
    std::array<char*, 2> m_arguments{m_programName, nullptr};
    QCoreApplication m_application;
};
