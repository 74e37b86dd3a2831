#pragma once

#include <QDialog>

#include <filesystem>

class QLabel;
class QLineEdit;

// 「共有サーバー」: the PostgreSQL server the working folder's journal lives on, shared by the
// packing PCs; empty keeps the journal in the folder's own file. The connection can be tried
// before it is kept. The password stays in libpq's ~/.pgpass, never here.
class JournalServerDialog : public QDialog
{
    Q_OBJECT

public:
    explicit JournalServerDialog(const std::filesystem::path& folder, QWidget* parent = nullptr);

private:
    void testConnection();
    void uploadLocalJournal();
    void save();

    std::filesystem::path m_folder;
    QLineEdit* m_uri = nullptr;
    QLabel* m_answer = nullptr;
};
