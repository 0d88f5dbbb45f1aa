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

SystemFiles::SystemFiles(QWidget& ventana) : ventana_(ventana) {}

QString SystemFiles::filtro()
{
    return QStringLiteral("Sistemas de ecuaciones (*.csv *.txt *.mtx)");
}

QString SystemFiles::carpetaInicial() const
{
    if (!ultimo_.isEmpty())
        return QFileInfo(ultimo_).absolutePath();
    // The documents folder where the user has one, the home folder otherwise.
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

QString SystemFiles::pedirAbrir()
{
    QFileDialog dialogo(&ventana_, QStringLiteral("Abrir sistema"), carpetaInicial(), filtro());
    dialogo.setObjectName(QStringLiteral("DialogoAbrir"));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    if (!ultimo_.isEmpty())
        dialogo.selectFile(ultimo_);
    if (dialogo.exec() != QDialog::Accepted)
        return {};
    return dialogo.selectedFiles().value(0);
}

QString SystemFiles::pedirGuardar()
{
    QFileDialog dialogo(&ventana_, QStringLiteral("Guardar sistema"), carpetaInicial(), filtro());
    dialogo.setObjectName(QStringLiteral("DialogoGuardar"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(QStringLiteral("csv"));
    dialogo.selectFile(ultimo_.isEmpty() ? QStringLiteral("sistema.csv") : ultimo_);
    if (dialogo.exec() != QDialog::Accepted)
        return {};
    return dialogo.selectedFiles().value(0);
}

void SystemFiles::rechazar(const QString& verbo, const QString& ruta, const QString& motivo,
                           std::size_t linea)
{
    QString texto = QStringLiteral("No se puede %1 «%2»").arg(verbo, QFileInfo(ruta).fileName());
    if (linea > 0)
        texto += QStringLiteral(", línea %1").arg(linea);
    showMessage(&ventana_, QMessageBox::Warning, texto + QStringLiteral(":\n") + motivo);
}

std::optional<SystemTexts> SystemFiles::leer(const QString& ruta)
{
    const QString verbo = QStringLiteral("abrir");
    const QFileInfo info(ruta);
    if (info.isDir()) {
        rechazar(verbo, ruta, QStringLiteral("Es una carpeta, no un archivo."));
        return std::nullopt;
    }
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        rechazar(verbo, ruta,
                 info.exists() ? QStringLiteral("No se puede leer (%1).").arg(archivo.errorString())
                               : QStringLiteral("El archivo no existe."));
        return std::nullopt;
    }
    // One byte more than the largest system's file tells a larger file from it.
    const QByteArray bytes = archivo.read(qint64(kLargestSystemFile) + 1);
    if (archivo.error() != QFileDevice::NoError) {
        rechazar(verbo, ruta, QStringLiteral("No se puede leer (%1).").arg(archivo.errorString()));
        return std::nullopt;
    }
    auto leido = readSystemFile(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                WorksheetTexts::decimalMark());
    if (const auto* rechazo = std::get_if<Refusal>(&leido)) {
        rechazar(verbo, ruta, QString::fromStdString(rechazo->message), rechazo->line);
        return std::nullopt;
    }
    return std::get<SystemTexts>(std::move(leido));
}

bool SystemFiles::guardar(const QString& ruta, const TextBlock& filas)
{
    const QString verbo = QStringLiteral("guardar");
    const auto escrito =
        writeSystemFile(filas, formatForName(QFileInfo(ruta).fileName().toStdString()),
                        WorksheetTexts::decimalMark());
    if (const auto* rechazo = std::get_if<Refusal>(&escrito)) {
        rechazar(verbo, ruta, QString::fromStdString(rechazo->message), rechazo->line);
        return false;
    }
    const std::string& bytes = std::get<std::string>(escrito);
    if (QFileInfo(ruta).isDir()) {
        rechazar(verbo, ruta, QStringLiteral("Es una carpeta, no un archivo."));
        return false;
    }
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) {
        rechazar(verbo, ruta,
                 QStringLiteral("No se puede escribir (%1).").arg(archivo.errorString()));
        return false;
    }
    archivo.write(bytes.data(), qint64(bytes.size()));
    // The file is replaced only when every byte has been written: a full disk leaves the
    // former one whole.
    if (!archivo.commit()) {
        rechazar(verbo, ruta,
                 QStringLiteral("No se pudo escribir entero (%1).").arg(archivo.errorString()));
        return false;
    }
    return true;
}

bool SystemFiles::confirmarReemplazo(const QString& ruta)
{
    QMessageBox pregunta(QMessageBox::Question, QStringLiteral("Sorvani"),
                         QStringLiteral("La hoja tiene valores escritos. ¿Desea reemplazarlos "
                                        "por el sistema de «%1»?")
                             .arg(QFileInfo(ruta).fileName()),
                         QMessageBox::Yes | QMessageBox::No, &ventana_);
    pregunta.setObjectName(QStringLiteral("PreguntaReemplazo"));
    pregunta.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
    pregunta.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    pregunta.setDefaultButton(QMessageBox::No);
    return pregunta.exec() == QMessageBox::Yes;
}
