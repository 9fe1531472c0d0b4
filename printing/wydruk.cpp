#include "wydruk.h"

#include "clientrecords.h"
#include "czcionki.h"
#include "datetext.h"
#include "guard.h"
#include "recordfile.h"
#include "widgets.h"
#include "zestawienie.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace storage;

namespace printing
{

namespace mie
{
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
      m_numerator(numerator::kSize)
{
    setObjectName(QStringLiteral("wydruk_f"));
    setWindowTitle(QStringLiteral("Panel kontrolny wydruku"));

    auto *layout = new QVBoxLayout(this);
    auto *fields = new QGridLayout;
    const auto addField = [&](int row, const char *labelName, const char *name,
                              const QString &caption) {
        QLabel *label = ui::label(this, labelName, caption);
        QLineEdit *field = ui::edit(this, name, label);
        field->setMinimumWidth(220);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        return field;
    };
    num = addField(0, "Label1", "num", QStringLiteral("Aktualny numer"));
    roz = addField(1, "Label2", "roz", QStringLiteral("Rozszerzenie"));
    data = addField(2, "Label3", "data", QStringLiteral("Data wydruku"));
    miejscowosc = addField(3, "Label4", "miejscowosc", QStringLiteral("Miejscowość"));
    layout->addLayout(fields);

    auto *buttons = new QHBoxLayout;
    SpeedButton1 = ui::button(this, "SpeedButton1", QStringLiteral("Drukuj dokument"));
    SpeedButton3 = ui::button(this, "SpeedButton3", QStringLiteral("Podgląd wydruku"));
    SpeedButton2 = ui::button(this, "SpeedButton2", QStringLiteral("Powrót"));
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton3);
    buttons->addWidget(SpeedButton2);
    layout->addLayout(buttons);

    connect(SpeedButton1, &QPushButton::clicked, this, &Twydruk_f::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Twydruk_f::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Twydruk_f::SpeedButton3Click);

    fixSize();
}

QString Twydruk_f::filePath(const QString &extension) const
{
    return YearFile(m_state.workingDir, m_state.results.stem, extension);
}

bool Twydruk_f::FormCreate()
{
    data->setText(ShortDate(m_seams.clock.today(), m_seams.regional));
    // At program start no settlement has been handed over yet: without a year file stem there
    // are no files of this client and year to create or read.
    if (m_state.results.stem.isEmpty())
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
    Record costs(cost::kSize);
    ReadRecord(filePath(QStringLiteral(".eks")), costs);
    const StatementInput input{num->text(),         roz->text(),         data->text(),
                               miejscowosc->text(), m_state.ownerRecord, costs,
                               m_state.results,     m_state.printFont};
    use(input);
}

void Twydruk_f::SpeedButton1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.print(printer))
        return;
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
    });
}

void Twydruk_f::advanceNumerator()
{
    Record next = m_numerator;
    const qint32 held = m_numerator.int32(numerator::kNumber);
    next.setInt32(numerator::kNumber, qint32(quint32(held) + 1u));
    next.setText(numerator::suffix, roz->text().left(numerator::suffix.capacity));
    WriteRecord(filePath(QStringLiteral(".num")), next);
    // Only a stored number moves on, and the edit shows it so that the next page carries it.
    m_numerator = next;
    num->setText(QString::number(next.int32(numerator::kNumber)));
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
    const bool saved = Guarded(m_seams.dialogs, [this] {
        Record memory(mie::kSize);
        memory.setText(mie::miejscowosc, miejscowosc->text().left(mie::miejscowosc.capacity));
        WriteRecord(filePath(QStringLiteral(".mie")), memory);
    });
    if (saved)
        leave();
}

} // namespace printing
