#include "zestawienie.h"

#include "clientrecords.h"
#include "datetext.h"
#include "fixedpoint.h"

using namespace seams;
using namespace storage;

namespace printing {

namespace {

const QString kFixedFace = QStringLiteral("Courier New");
// The face of the settings font when the settings name none. The page keeps the face set last
// when it is given an empty one, so without a face of its own the statement would go on in the
// fixed face of the invoice rows, whose wide letters carry the long headings past the frames.
const QString kPlainFace = QStringLiteral("Sans Serif");

// Columns of the invoice list: x of the frame, its width; texts start one unit further right.
constexpr int kInvoiceX[] = {15, 35, 115, 145, 165};
constexpr int kInvoiceWidth[] = {20, 80, 30, 20, 20};

// Columns of the year table.
constexpr int kYearX[] = {15, 40, 70, 100, 130, 160};
constexpr int kYearWidth[] = {25, 30, 30, 30, 30, 25};

bool ValidMonth(int month)
{
    return month >= 1 && month <= 12;
}

class StatementPainter
{
public:
    StatementPainter(Page &page, const StatementInput &input)
        : m_page(page), m_in(input),
          m_face(input.font.currentFace.isEmpty() ? kPlainFace : input.font.currentFace),
          m_size(input.font.currentSize), m_style(input.font.record.byte(PrintFontSettings::kStyle))
    {
    }

    void draw()
    {
        m_page.setFontStyle(m_style);
        m_page.setFontColour(quint32(m_in.font.record.int32(PrintFontSettings::kColour)));
        m_page.UstawStrone();
        m_page.UstawCzcionke(m_face, m_size);
        header();
        invoices();
        yearTable();
        amountsToBook();
    }

private:
    void settingsFont() { m_page.UstawCzcionke(m_face, m_size); }
    // Bold ends by going back to the style of the settings, which plain text alone would lose.
    void boldOff()
    {
        m_page.Pogrubienie(0);
        m_page.setFontStyle(m_style);
    }

    void header()
    {
        const Record &owner = m_in.owner;
        settingsFont();
        m_page.PiszTekst(15, 5, QStringLiteral("Dokument Nr ") + m_in.number + m_in.suffix);
        m_page.PiszTekst(100, 5, m_in.place);
        m_page.PiszTekst(170, 5, m_in.date);
        m_page.RysujRamke(15, 10, 170, 2);

        m_page.Pogrubienie(1);
        m_page.UstawCzcionke(m_face, m_size + 5);
        m_page.PiszTekst(15, 15, owner.text(owner::nazwa1));

        boldOff();
        settingsFont();
        m_page.PiszTekst(15, 22, owner.text(owner::nazwa2));
        m_page.PiszTekst(15, 27, owner.text(owner::nazwa3));
        m_page.PiszTekst(15, 32, QStringLiteral("Nip ") + owner.text(owner::nip));
        m_page.PiszTekst(
            15, 37, owner.text(owner::marka) + QLatin1Char(' ') + owner.text(owner::rejestracja));
        m_page.RysujRamke(15, 44, 170, 10);

        m_page.Pogrubienie(1);
        settingsFont();
        m_page.PiszTekst(16, 45, m_in.results.title);

        boldOff();
        settingsFont();
        m_page.PiszTekst(15, 57,
                         QStringLiteral("Zestawienie rachunków z tytułu poniesionych wydatków w "
                                        "związku z użytkowaniem własnego samochodu"));
    }

    void invoiceFrames(int y, int height)
    {
        for (int column = 0; column < 5; ++column)
            m_page.RysujRamke(kInvoiceX[column], y, kInvoiceWidth[column], height);
    }

    void invoices()
    {
        settingsFont();
        invoiceFrames(61, 7);
        m_page.PiszTekst(16, 62, QStringLiteral("Data"));
        m_page.PiszTekst(36, 62, QStringLiteral("Rodzaj wydatku"));
        m_page.PiszTekst(116, 62, QStringLiteral("Nr dokumentu"));
        m_page.PiszTekst(146, 62, QStringLiteral("Netto"));
        m_page.PiszTekst(166, 62, QStringLiteral("Vat [zł]"));

        const int month = m_in.results.month;
        m_page.UstawCzcionke(kFixedFace, 8);
        for (int row = 1; row <= cost::kRows; ++row) {
            const int y = 68 + 5 * (row - 1);
            invoiceFrames(y, 5);
            for (int column = 0; column < 5; ++column) {
                const QString cell = ValidMonth(month)
                                         ? m_in.costs.text(cost::entry(month, column, row))
                                         : QString();
                m_page.PiszTekst(kInvoiceX[column] + 1, y + 1, cell);
            }
        }

        const auto [net, vat] = InvoiceTotals(m_in.costs, month);
        m_page.PiszTekst(126, 169, QStringLiteral("RAZEM"));
        m_page.RysujRamke(145, 168, 20, 5);
        m_page.RysujRamke(165, 168, 20, 5);
        m_page.PiszTekst(146, 169, FormatFixed(net, 8, 2));
        m_page.PiszTekst(166, 169, FormatFixed(vat, 8, 2));
    }

    void yearTable()
    {
        settingsFont();
        m_page.PiszTekst(15, 175,
                         QStringLiteral("Zestawienie kosztów użytkowania prywatnego samochodu do "
                                        "celów prowadzonej działalności gospodarczej"));
        m_page.RysujRamke(15, 179, 25, 12);
        m_page.RysujRamke(40, 179, 60, 6);
        m_page.RysujRamke(100, 179, 60, 6);
        m_page.RysujRamke(160, 179, 25, 12);
        m_page.PiszTekst(16, 182, QStringLiteral("Miesiąc"));
        m_page.PiszTekst(41, 180, QStringLiteral("Przebieg pojazdu"));
        m_page.PiszTekst(101, 180, QStringLiteral("Eksploatacja pojazdu"));
        m_page.PiszTekst(161, 180, QStringLiteral("Koszty uzyska-"));
        m_page.PiszTekst(161, 185, QStringLiteral("nia przychodu"));
        for (const int x : {40, 70, 100, 130})
            m_page.RysujRamke(x, 185, 30, 6);
        m_page.PiszTekst(41, 186, QStringLiteral("miesięcznie [zł]"));
        m_page.PiszTekst(71, 186, QStringLiteral("narastająco [zł]"));
        m_page.PiszTekst(101, 186, QStringLiteral("miesięcznie [zł]"));
        m_page.PiszTekst(131, 186, QStringLiteral("narastająco [zł]"));

        m_page.UstawCzcionke(kFixedFace, 8);
        for (int month = 1; month <= 12; ++month) {
            const int y = 191 + 5 * (month - 1);
            for (int column = 0; column < 6; ++column)
                m_page.RysujRamke(kYearX[column], y, kYearWidth[column], 5);
            m_page.PiszTekst(16, y + 1, MonthNames().at(month - 1));
            // The table holds A, C, B, D, E in this order, as the columns stand on the page.
            for (int column = 0; column < 5; ++column)
                m_page.PiszTekst(
                    kYearX[column + 1] + 1, y + 1,
                    m_in.results.table.text(settlement::CalculationResults::cell(month, column)));
        }

        m_page.RysujRamke(40, 251, 30, 5);
        m_page.RysujRamke(100, 251, 30, 5);
        m_page.RysujRamke(160, 251, 25, 5);
        m_page.PiszTekst(41, 252, FormatFixed(m_in.results.cumulativeMileage, 12, 2));
        m_page.PiszTekst(101, 252, FormatFixed(m_in.results.cumulativeCosts, 12, 2));
        m_page.PiszTekst(161, 252, FormatFixed(m_in.results.totalBooked, 12, 2));
    }

    void amountsToBook()
    {
        settingsFont();
        m_page.PiszTekst(15, 256, QStringLiteral("Na podstawie rozliczenia - do zaksięgowania:"));
        m_page.RysujRamke(15, 261, 30, 6);
        m_page.RysujRamke(45, 261, 30, 6);
        m_page.PiszTekst(16, 262, QStringLiteral("Netto [zł]"));
        m_page.PiszTekst(46, 262, QStringLiteral("Vat [zł]"));

        m_page.UstawCzcionke(kFixedFace, 10);
        m_page.Pogrubienie(1);
        m_page.RysujRamke(15, 267, 30, 7);
        m_page.RysujRamke(45, 267, 30, 7);
        m_page.PiszTekst(16, 268, FormatFixed(m_in.results.amountToBook, 12, 2));
        m_page.PiszTekst(46, 268, FormatFixed(m_in.results.vatToBook, 12, 2));

        boldOff();
        settingsFont();
        m_page.PiszTekst(150, 269, QStringLiteral("pieczęć i podpis"));
    }

    Page &m_page;
    const StatementInput &m_in;
    const QString m_face;
    const int m_size;
    const quint8 m_style;
};

} // namespace

std::pair<double, double> InvoiceTotals(const Record &costs, int month)
{
    double net = 0.0;
    double vat = 0.0;
    if (!ValidMonth(month))
        return {net, vat};
    for (int row = 1; row <= cost::kRows; ++row) {
        net += ParseFixed(costs.text(cost::entry(month, cost::kNet, row)));
        vat += ParseFixed(costs.text(cost::entry(month, cost::kVat, row)));
    }
    return {net, vat};
}

void DrawStatement(Page &page, const StatementInput &input)
{
    StatementPainter(page, input).draw();
}

} // namespace printing
