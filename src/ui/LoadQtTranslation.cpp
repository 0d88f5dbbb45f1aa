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
class MenuWording : public QTranslator
{
public:
    QString translate(const char* context, const char* original, const char*, int) const override
    {
        if (std::strcmp(context, "QLineEdit") == 0 && std::strcmp(original, "Delete") == 0)
            return QStringLiteral("Eliminar");
        return {};
    }

    bool isEmpty() const override { return false; }
};

bool install(QCoreApplication& app, std::unique_ptr<QTranslator> translator)
{
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    // The application owns it from here: it must outlive every widget that asks it.
    translator.release()->setParent(&app);
    return true;
}

} // namespace

bool loadQtTranslation(QCoreApplication& app, const QString& folder)
{
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(QStringLiteral("qtbase_es"), folder) ||
        !install(app, std::move(catalogue)))
        return false;
    // Installed last, asked first.
    return install(app, std::make_unique<MenuWording>());
}

bool loadQtTranslation(QCoreApplication& app)
{
    return loadQtTranslation(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
