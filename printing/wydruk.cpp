#include "wydruk.h"

#include "clientrecords.h"
#include "czcionki.h"
#include "datetext.h"
#include "guard.h"
#include "numeratorrules.h"
#include "recordfile.h"
#include "statusnote.h"
#include "zestawienie.h"

#include "ui_wydruk.h"

#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

using namespace seams;
using namespace storage;

using namespace printing;

Twydruk_f::Twydruk_f(Seams &seams, PrintDialogs &dialogs, PrintFontStore &fonts, QWidget *parent)
    : FormWindow(Placement::StayOnTop, parent), m_seams(seams), m_dialogs(dialogs), m_fonts(fonts),
      m_ui(std::make_unique<Ui::Twydruk_f>())
{
    m_ui->setupUi(this);

    connect(m_ui->SpeedButton1, &QPushButton::clicked, this, &Twydruk_f::SpeedButton1Click);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Twydruk_f::SpeedButton2Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Twydruk_f::SpeedButton3Click);

    addStatusLine();
    fixSize();
}

bool Twydruk_f::openWith(const settlement::StatementHandOver &statement)
{
    if ((isVisible() || isMinimized()) && !leaveAutomatically())
        return false;
    if (m_statement.year)
        QObject::disconnect(m_statement.year.get(), nullptr, this, nullptr);
    m_statement = statement;
    if (m_statement.year) {
        // A number stored meanwhile (the numerator window's "Powrót") is the one printed next.
        connect(m_statement.year.get(), &settlement::ClientYear::numeratorChanged, this,
                [this](const Record &record) {
                    if (m_ui->num->text() == m_shownNumber) {
                        m_shownNumber = QString::number(record.int32(numerator::kNumber));
                        m_ui->num->setText(m_shownNumber);
                    }
                });
    }
    return prepareAndOpen();
}

bool Twydruk_f::FormCreate()
{
    m_ui->data->setText(ShortDate(m_seams.clock.today(), m_seams.regional));
    // At program start no settlement has been handed over yet: there are no files of a client
    // and year to create or read.
    if (!m_statement.year)
        return true;
    return Guarded(m_seams.dialogs, [this] {
        const QString memoryPath = m_statement.year->yearFile(QStringLiteral(".mie"));
        CreateIfMissing(memoryPath, mie::defaultRecord());
        ReadRecord(memoryPath, m_memory);

        const Record stored = m_statement.year->numerator();
        m_shownNumber = QString::number(stored.int32(numerator::kNumber));
        m_shownPlace = m_memory.text(mie::miejscowosc);
        m_ui->num->setText(m_shownNumber);
        m_ui->roz->setText(stored.text(numerator::suffix));
        m_ui->miejscowosc->setText(m_shownPlace);
    });
}

void Twydruk_f::withStatement(const std::function<void(const StatementInput &)> &use)
{
    m_fonts.CzytajFonty(kPrintFontFile);
    const StatementInput input{m_ui->num->text(),         m_ui->roz->text(), m_ui->data->text(),
                               m_ui->miejscowosc->text(), m_statement.owner, m_statement.costs,
                               m_statement.results,       m_fonts.settings()};
    use(input);
}

void Twydruk_f::SpeedButton1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.print(printer, proposedPdf()))
        return;
    const QString document = m_ui->num->text() + m_ui->roz->text();
    Guarded(m_seams.dialogs, [&] {
        bool printed = false;
        withStatement([&](const StatementInput &input) {
            printed = PrintPages(printer, [&](Page &page) { DrawStatement(page, input); });
        });
        if (!printed) {
            // No page came out, so no number was used up.
            m_seams.dialogs.notice(QStringLiteral("Informacja"),
                                   QStringLiteral("Nie udało się rozpocząć wydruku."));
            return;
        }
        advanceNumerator();
        ui::StatusNote::post(QStringLiteral("Wydrukowano dokument nr %1.").arg(document));
    });
}

QString Twydruk_f::proposedPdf() const
{
    // One file per client, year and month in the working directory (004_2016_03.pdf), so that
    // one statement does not overwrite another's.
    const settlement::CalculationResults &results = m_statement.results;
    const QString name = (results.stem.isEmpty() ? QStringLiteral("zestawienie") : results.stem) +
                         QStringLiteral("_%1.pdf").arg(results.month, 2, 10, QLatin1Char('0'));
    const QString workingDir = m_statement.year ? m_statement.year->workingDir() : QString();
    return QDir::toNativeSeparators(
        QDir(QDir::fromNativeSeparators(workingDir)).absoluteFilePath(name));
}

void Twydruk_f::advanceNumerator()
{
    // The number stored now (not the one read at the opening) moves on, in one step; the edit
    // shows the new one so that the next page carries it.
    const settlement::ClientYear::Advance advance =
        m_statement.year->advanceNumber(m_ui->roz->text());
    m_shownNumber = QString::number(advance.number);
    m_ui->num->setText(m_shownNumber);
    if (advance.atLimit)
        m_seams.dialogs.notice(settlement::NumeratorAtLimitCaption(),
                               settlement::NumeratorAtLimitText());
}

void Twydruk_f::SpeedButton3Click()
{
    Guarded(m_seams.dialogs, [&] {
        withStatement([&](const StatementInput &input) {
            m_dialogs.preview([&](Page &page) { DrawStatement(page, input); });
        });
    });
}

void Twydruk_f::SpeedButton2Click()
{
    leaveAsReturn();
}

bool Twydruk_f::leaveAsReturn()
{
    if (!m_statement.year) {
        leave();
        return true;
    }
    const bool saved = Guarded(m_seams.dialogs, [this] {
        Record memory(mie::kSize);
        memory.setText(mie::miejscowosc, m_ui->miejscowosc->text().left(mie::miejscowosc.capacity));
        WriteRecord(m_statement.year->yearFile(QStringLiteral(".mie")), memory);
    });
    if (saved) {
        m_shownPlace = m_ui->miejscowosc->text();
        leave();
    }
    return saved;
}

bool Twydruk_f::leaveAutomatically()
{
    if (m_statement.year && m_ui->miejscowosc->text() != m_shownPlace)
        return leaveAsReturn();
    leave();
    return true;
}

Twydruk_f::~Twydruk_f() = default;
