#pragma once

#include "printdialogs.h"

#include <QList>
#include <QStringList>

#include <optional>

// Answers the printing dialogs from a script. An accepted print dialog sends the job to the next
// PDF file of `pdfFiles`; a preview is drawn on a recording page and kept.
class FakePrintDialogs : public printing::PrintDialogs
{
public:
    bool print(QPrinter &printer, const QString &proposedFile) override;
    std::optional<printing::FontChoice> font(const printing::FontChoice &initial) override;
    void preview(const std::function<void(printing::Page &)> &draw) override;

    // Print dialogs: true accepts, false cancels; taken in order.
    QList<bool> printAnswers;
    // Where the accepted print jobs go, in order.
    QStringList pdfFiles;
    // Font dialogs: a choice, or nothing for Cancel; taken in order.
    QList<std::optional<printing::FontChoice>> fontAnswers;

    int printDialogsShown = 0;
    // The file each print dialog proposed, in order.
    QStringList proposedFiles;
    QList<printing::FontChoice> fontInitials;
    QList<QStringList> previews;
    int unexpected = 0;
};

// The number of pages of a PDF file: pdfinfo's answer where it is installed, else the page
// objects in the file. -1 when the file cannot be read.
int PdfPageCount(const QString &path);

// The text of a PDF file through pdftotext; nothing when pdftotext is not installed.
std::optional<QString> PdfText(const QString &path);
