#include "qtseams.h"

#include <QApplication>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>

namespace {

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

bool QtDialogs::question(const QString &caption, const QString &text)
{
    return QMessageBox::question(dialogParent(), caption, text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

void QtDialogs::notice(const QString &caption, const QString &text)
{
    QMessageBox::information(dialogParent(), caption, text, QMessageBox::Ok);
}

std::optional<QString> QtDialogs::inputText(const QString &title, const QString &prompt,
                                            const QString &initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void QtDialogs::ioError(const storage::FileError &error)
{
    QMessageBox::critical(dialogParent(), QStringLiteral("Błąd wejścia/wyjścia"), error.text(),
                          QMessageBox::Ok);
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemRegionalSettings::dateSeparator() const
{
    // The first punctuation character of the short date format; a format without one (a month
    // written as a word) falls back to the Polish dot.
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (const QChar c : format) {
        if (c.isPunct())
            return QString(c);
    }
    return QStringLiteral(".");
}

QString SystemRegionalSettings::longTimeFormat() const
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // The time-zone name has no place on the program's clocks.
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.remove(zone);
    return format.trimmed();
}

bool QtExternalPrograms::startDetached(const QString &program, const QStringList &arguments,
                                       const QString &workingDir)
{
    return QProcess::startDetached(program, arguments, workingDir);
}
