#pragma once

class QCoreApplication;
class QString;

// Installs Qt's own Spanish texts (the standard buttons of the message boxes, the text
// boxes' context menus) on the application, from the catalogue in FOLDER. Every text of
// the program is Spanish, so Qt's are too, whatever the user's language. Returns false,
// leaving Qt's English, when the catalogue cannot be read.
bool loadQtTranslation(QCoreApplication& app, const QString& folder);

// The same, from the folder where the system keeps Qt's translations.
bool loadQtTranslation(QCoreApplication& app);
