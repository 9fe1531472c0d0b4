#include "qtseams.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>

QWidget *DialogParent(QWidget *fallback)
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return fallback;
}

void PrepareDialog(QDialog &dialog, QWidget *parent)
{
    // A dialog's flags go with its parent, so the parent comes first.
    dialog.setParent(parent, dialog.windowFlags() | Qt::Dialog);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setWindowModality(Qt::ApplicationModal);
}

namespace {

QMessageBox::StandardButton showBox(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                    const QString &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton,
                                    const QString &detail = {})
{
    QMessageBox box(icon, caption, text, buttons);
    box.setDefaultButton(defaultButton);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    PrepareDialog(box, parent);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

bool QtDialogs::question(const QString &caption, const QString &text, Default defaultButton,
                         const QString &detail)
{
    return showBox(DialogParent(m_mainWindow), QMessageBox::Question, caption, text,
                   QMessageBox::Yes | QMessageBox::No,
                   defaultButton == Default::No ? QMessageBox::No : QMessageBox::Yes,
                   detail) == QMessageBox::Yes;
}

void QtDialogs::notice(const QString &caption, const QString &text)
{
    showBox(DialogParent(m_mainWindow), QMessageBox::Information, caption, text, QMessageBox::Ok,
            QMessageBox::Ok);
}

std::optional<QString> QtDialogs::inputText(const QString &title, const QString &prompt,
                                            const QString &initial)
{
    QInputDialog dialog;
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    PrepareDialog(dialog, DialogParent(m_mainWindow));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtDialogs::ioError(const storage::FileError &error)
{
    showBox(DialogParent(m_mainWindow), QMessageBox::Critical,
            QStringLiteral("Błąd wejścia/wyjścia"), error.text(), QMessageBox::Ok, QMessageBox::Ok);
}

std::optional<QString> QtDialogs::saveFileName(const QString &title, const QString &proposedPath,
                                               const QString &filter)
{
    // A dialog object rather than QFileDialog::getSaveFileName, so that it stays above the
    // windows that stay on top, as the message boxes do.
    QFileDialog dialog(nullptr, title, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(proposedPath).suffix());
    PrepareDialog(dialog, DialogParent(m_mainWindow));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::openFileName(const QString &title, const QString &proposedPath,
                                               const QString &filter)
{
    QFileDialog dialog(nullptr, title, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    PrepareDialog(dialog, DialogParent(m_mainWindow));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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
    return ClockFormat(QLocale::system().timeFormat(QLocale::LongFormat));
}

QString ClockFormat(const QString &format)
{
    // A plain scan rather than a regular expression, which the clocks' first tick would
    // otherwise compile.
    QString clock;
    for (qsizetype i = 0; i < format.size();) {
        qsizetype zone = i;
        while (zone < format.size() && format.at(zone).isSpace())
            ++zone;
        qsizetype end = zone;
        while (end < format.size() && format.at(end) == QLatin1Char('t'))
            ++end;
        if (end > zone) {
            while (end < format.size() && format.at(end).isSpace())
                ++end;
            i = end;
        } else if (zone > i) {
            clock += format.mid(i, zone - i);
            i = zone;
        } else {
            clock += format.at(i++);
        }
    }
    return clock.trimmed();
}

bool QtExternalPrograms::startDetached(const QString &program, const QStringList &arguments,
                                       const QString &workingDir)
{
    return QProcess::startDetached(program, arguments, workingDir);
}
