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

using namespace storage;

namespace printing {

namespace mie {
Record defaultRecord()
{
    Record record(kSize);
    record.setInt32(kReserved1, 0);
    record.setInt32(kReserved2, 100);
    record.setInt32(kReserved3, 100);
    return record;
}
} // namespace mie

Twydruk_f::Twydruk_f(ProgramState &state, Seams &seams, PrintDialogs &dialogs, QWidget *parent)
    : FormWindow(Placement::StayOnTop, parent), m_state(state), m_seams(seams), m_dialogs(dialogs),
      m_numerator(numerator::kSize), m_ui(std::make_unique<Ui::Twydruk_f>())
{
    m_ui->setupUi(this);
    num = m_ui->num;
    roz = m_ui->roz;
    data = m_ui->data;
    miejscowosc = m_ui->miejscowosc;
    SpeedButton1 = m_ui->SpeedButton1;
    SpeedButton2 = m_ui->SpeedButton2;
    SpeedButton3 = m_ui->SpeedButton3;

    connect(SpeedButton1, &QPushButton::clicked, this, &Twydruk_f::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Twydruk_f::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Twydruk_f::SpeedButton3Click);

    addStatusLine();
    fixSize();
}

QString Twydruk_f::filePath(const QString &extension) const
{
    return YearFile(m_state.workingDir, m_results.stem, extension);
}

bool Twydruk_f::FormCreate()
{
    m_results = m_state.results;
    m_owner = m_state.statementOwner;
    m_costs = m_state.statementCosts;
    data->setText(ShortDate(m_seams.clock.today(), m_seams.regional));
    // At program start no settlement has been handed over yet: without a year file stem there
    // are no files of this client and year to create or read.
    if (m_results.stem.isEmpty())
        return true;
    return Guarded(m_seams.dialogs, [this] {
        const QString memoryPath = filePath(QStringLiteral(".mie"));
        CreateIfMissing(memoryPath, mie::defaultRecord());
        ReadRecord(memoryPath, m_memory);

        const QString numeratorPath = filePath(QStringLiteral(".num"));
        CreateIfMissing(numeratorPath, numerator::defaultRecord());
        ReadRecord(numeratorPath, m_numerator);

        num->setText(QString::number(m_numerator.int32(numerator::kNumber)));
        roz->setText(m_numerator.text(numerator::suffix));
        miejscowosc->setText(m_memory.text(mie::miejscowosc));
    });
}

void Twydruk_f::withStatement(const std::function<void(const StatementInput &)> &use)
{
    CzytajFonty(m_state, kPrintFontFile);
    const StatementInput input{num->text(), roz->text(), data->text(), miejscowosc->text(),
                               m_owner,     m_costs,     m_results,    m_state.printFont};
    use(input);
}

void Twydruk_f::SpeedButton1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.print(printer, proposedPdf()))
        return;
    const QString document = num->text() + roz->text();
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
    const QString name =
        (m_results.stem.isEmpty() ? QStringLiteral("zestawienie") : m_results.stem) +
        QStringLiteral("_%1.pdf").arg(m_results.month, 2, 10, QLatin1Char('0'));
    return QDir::toNativeSeparators(
        QDir(QDir::fromNativeSeparators(m_state.workingDir)).absoluteFilePath(name));
}

void Twydruk_f::advanceNumerator()
{
    Record next = m_numerator;
    const std::optional<qint32> following =
        settlement::NextDocumentNumber(m_numerator.int32(numerator::kNumber));
    // At the largest number the store keeps it; the suffix is still saved.
    if (following)
        next.setInt32(numerator::kNumber, *following);
    next.setText(numerator::suffix, roz->text().left(numerator::suffix.capacity));
    WriteRecord(filePath(QStringLiteral(".num")), next);
    // Only a stored number moves on, and the edit shows it so that the next page carries it.
    m_numerator = next;
    num->setText(QString::number(next.int32(numerator::kNumber)));
    if (!following)
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
    const bool saved = Guarded(m_seams.dialogs, [this] {
        Record memory(mie::kSize);
        memory.setText(mie::miejscowosc, miejscowosc->text().left(mie::miejscowosc.capacity));
        WriteRecord(filePath(QStringLiteral(".mie")), memory);
    });
    if (saved)
        leave();
    return saved;
}

Twydruk_f::~Twydruk_f() = default;

} // namespace printing
