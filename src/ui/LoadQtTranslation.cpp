#include "ui/LoadQtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

#include <cstring>
#include <memory>

namespace {

// Qt's catalogue says "Borrar" for the text boxes' Delete entry; the menus of the
// students' other Spanish programs say "Eliminar", between "Pegar" and "Seleccionar todo".
class Retoques : public QTranslator
{
public:
    QString translate(const char* contexto, const char* original, const char*, int) const override
    {
        if (std::strcmp(contexto, "QLineEdit") == 0 && std::strcmp(original, "Delete") == 0)
            return QStringLiteral("Eliminar");
        return {};
    }

    bool isEmpty() const override { return false; }
};

bool instalar(QCoreApplication& app, std::unique_ptr<QTranslator> traductor)
{
    if (!QCoreApplication::installTranslator(traductor.get()))
        return false;
    // The application owns it from here: it must outlive every widget that asks it.
    traductor.release()->setParent(&app);
    return true;
}

} // namespace

bool loadQtTranslation(QCoreApplication& app, const QString& carpeta)
{
    auto catalogo = std::make_unique<QTranslator>();
    if (!catalogo->load(QStringLiteral("qtbase_es"), carpeta) ||
        !instalar(app, std::move(catalogo)))
        return false;
    // Installed last, asked first.
    return instalar(app, std::make_unique<Retoques>());
}

bool loadQtTranslation(QCoreApplication& app)
{
    return loadQtTranslation(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
