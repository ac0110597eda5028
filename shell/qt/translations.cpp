#include "shell/qt/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tavlo {

void loadJapaneseTranslations()
{
    static bool loaded = false;
    if (loaded || !qApp)
        return;
    loaded = true;
    auto* translator = new QTranslator(qApp);
    if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace tavlo
