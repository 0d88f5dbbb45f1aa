#pragma once

#include "document/SystemFile.h"

#include <QString>

#include <optional>

class QWidget;

// Systems in files for the main window: the file dialogs, which propose the file last
// opened or saved; the reading and writing of the files; and the message that refuses a
// file, naming it and the line, after which nothing has changed.
class SystemFiles
{
public:
    explicit SystemFiles(QWidget& window);

    static QString filter();

    // The file chosen in the dialog, or an empty text when it was cancelled.
    QString askOpen();
    QString askSave();

    // The system in the file, or nothing once its refusal has been shown.
    std::optional<SystemTexts> read(const QString& path);
    // Writes the rows in the format that the file's extension names; false once the
    // refusal has been shown.
    bool save(const QString& path, const TextBlock& rows);
    // Whether the user lets the system of the file replace the values in the worksheet.
    bool confirmReplace(const QString& path);

    void remember(const QString& path) { last_ = path; }
    QString last() const { return last_; }

private:
    QString startFolder() const;
    void refuse(const QString& verb, const QString& path, const QString& reason,
                std::size_t line = 0);

    QWidget& window_;
    QString last_;
};
