#include "qtseams.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>

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
