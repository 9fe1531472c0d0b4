#pragma once

#include "page.h"

#include <QStringList>

// A page that writes down every call, one line each, so that a test compares a whole printout
// with the layout it expects. A text line carries the font it is written in:
//   PiszTekst 15 5 "Dokument Nr 1" [Arial 10 italic #800000]
class RecordingPage : public printing::Page
{
public:
    void UstawStrone() override;
    void UstawCzcionke(const QString &face, int points) override;
    void RysujRamke(int x, int y, int width, int height) override;
    void PiszTekst(int x, int y, const QString &text) override;
    void Pogrubienie(quint8 flag) override;
    void setFontStyle(quint8 style) override;
    void setFontColour(quint32 colour) override;
    void newPage() override;

    // How a font is written in the text lines: face, size, style names and colour.
    static QString describe(const printing::PageFont &font);
    static QString styleNames(quint8 style);

    QStringList calls;

private:
    printing::PageFont m_font;
};

// The text written at (x, y) in a recording, or a null string when there is none.
QString TextAt(const QStringList &calls, int x, int y);
// The font description of the text written at (x, y).
QString FontAt(const QStringList &calls, int x, int y);
