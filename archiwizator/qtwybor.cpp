#include "qtwybor.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace archiwizator {

std::optional<QString> QtWybor::folder(const QString &caption, const QString &start)
{
    const QString chosen =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, start);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtWybor::archive(const QString &caption, const QString &start)
{
    const QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), caption, start,
        QStringLiteral("Archiwa danych (mirtal-*.zip);;Wszystkie pliki (*)"));
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen);
}

} // namespace archiwizator
