#include "ui/SystemFiles.h"

#include "worksheet/ShowMessage.h"
#include "worksheet/WorksheetTexts.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

SystemFiles::SystemFiles(QWidget& window) : window_(window) {}

QString SystemFiles::filter()
{
    return QStringLiteral("Sistemas de ecuaciones (*.csv *.txt *.mtx)");
}

QString SystemFiles::startFolder() const
{
    if (!last_.isEmpty())
        return QFileInfo(last_).absolutePath();
    // The documents folder where the user has one, the home folder otherwise.
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

QString SystemFiles::askOpen()
{
    QFileDialog dialog(&window_, QStringLiteral("Abrir sistema"), startFolder(), filter());
    dialog.setObjectName(QStringLiteral("DialogoAbrir"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!last_.isEmpty())
        dialog.selectFile(last_);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

QString SystemFiles::askSave()
{
    QFileDialog dialog(&window_, QStringLiteral("Guardar sistema"), startFolder(), filter());
    dialog.setObjectName(QStringLiteral("DialogoGuardar"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(last_.isEmpty() ? QStringLiteral("sistema.csv") : last_);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void SystemFiles::refuse(const QString& verb, const QString& path, const QString& reason,
                         std::size_t line)
{
    QString text = QStringLiteral("No se puede %1 «%2»").arg(verb, QFileInfo(path).fileName());
    if (line > 0)
        text += QStringLiteral(", línea %1").arg(line);
    showMessage(&window_, QMessageBox::Warning, text + QStringLiteral(":\n") + reason);
}

std::optional<SystemTexts> SystemFiles::read(const QString& path)
{
    const QString verb = QStringLiteral("abrir");
    const QFileInfo info(path);
    if (info.isDir()) {
        refuse(verb, path, QStringLiteral("Es una carpeta, no un archivo."));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(verb, path,
               info.exists() ? QStringLiteral("No se puede read (%1).").arg(file.errorString())
                             : QStringLiteral("El archivo no existe."));
        return std::nullopt;
    }
    // One byte more than the largest system's file tells a larger file from it.
    const QByteArray bytes = file.read(qint64(kLargestSystemFile) + 1);
    if (file.error() != QFileDevice::NoError) {
        refuse(verb, path, QStringLiteral("No se puede read (%1).").arg(file.errorString()));
        return std::nullopt;
    }
    auto parsed = readSystemFile(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                 WorksheetTexts::decimalMark());
    if (const auto* refusal = std::get_if<Refusal>(&parsed)) {
        refuse(verb, path, QString::fromStdString(refusal->message), refusal->line);
        return std::nullopt;
    }
    return std::get<SystemTexts>(std::move(parsed));
}

bool SystemFiles::save(const QString& path, const TextBlock& rows)
{
    const QString verb = QStringLiteral("guardar");
    const auto written =
        writeSystemFile(rows, formatForName(QFileInfo(path).fileName().toStdString()),
                        WorksheetTexts::decimalMark());
    if (const auto* refusal = std::get_if<Refusal>(&written)) {
        refuse(verb, path, QString::fromStdString(refusal->message), refusal->line);
        return false;
    }
    const std::string& bytes = std::get<std::string>(written);
    if (QFileInfo(path).isDir()) {
        refuse(verb, path, QStringLiteral("Es una carpeta, no un archivo."));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        refuse(verb, path, QStringLiteral("No se puede escribir (%1).").arg(file.errorString()));
        return false;
    }
    file.write(bytes.data(), qint64(bytes.size()));
    // The file is replaced only when every byte has been written: a full disk leaves the
    // former one whole.
    if (!file.commit()) {
        refuse(verb, path,
               QStringLiteral("No se pudo escribir entero (%1).").arg(file.errorString()));
        return false;
    }
    return true;
}

bool SystemFiles::confirmReplace(const QString& path)
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("Sorvani"),
                         QStringLiteral("La hoja tiene valores escritos. ¿Desea reemplazarlos "
                                        "por el sistema de «%1»?")
                             .arg(QFileInfo(path).fileName()),
                         QMessageBox::Yes | QMessageBox::No, &window_);
    question.setObjectName(QStringLiteral("PreguntaReemplazo"));
    question.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
    question.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    question.setDefaultButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}
