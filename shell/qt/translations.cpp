#include "shell/qt/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tavlo {

void loadJapaneseTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace tavlo
