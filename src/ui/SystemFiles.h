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
    explicit SystemFiles(QWidget& ventana);

    static QString filtro();

    // The file chosen in the dialog, or an empty text when it was cancelled.
    QString pedirAbrir();
    QString pedirGuardar();

    // The system in the file, or nothing once its refusal has been shown.
    std::optional<SystemTexts> leer(const QString& ruta);
    // Writes the rows in the format that the file's extension names; false once the
    // refusal has been shown.
    bool guardar(const QString& ruta, const TextBlock& filas);
    // Whether the user lets the system of the file replace the values in the worksheet.
    bool confirmarReemplazo(const QString& ruta);

    void recordar(const QString& ruta) { ultimo_ = ruta; }
    QString ultimo() const { return ultimo_; }

private:
    QString carpetaInicial() const;
    void rechazar(const QString& verbo, const QString& ruta, const QString& motivo,
                  std::size_t linea = 0);

    QWidget& ventana_;
    QString ultimo_;
};
