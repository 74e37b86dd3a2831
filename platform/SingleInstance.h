#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running program per user: the first start listens under a name made of the title and
// the user; a later start asks it to come forward and ends. The look-up and the listening
// happen under a lock file, so two starts at the same moment never both become the first.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& title, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running instance; false when another one runs and has
    // been asked to come forward. Throws std::runtime_error when it can neither find a running
    // instance nor listen.
    bool claim();

    // The local socket name for a title and the current user.
    static QString serverName(const QString& title);

signals:
    // A later start asked this instance to come forward.
    void activationRequested();

private:
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};
