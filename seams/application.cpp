#include "application.h"

#include "startstyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace seams {

std::unique_ptr<ProductionSeams> setUpApplication(QApplication &application)
{
    QApplication::setStyle(new StartStyle(QApplication::style()->name()));
    auto *qtTranslations = new QTranslator(&application);
    if (qtTranslations->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                             QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTranslations);
    else
        delete qtTranslations;
    return std::make_unique<ProductionSeams>();
}

} // namespace seams
