#include "ewidencja.h"

#include "clientrecords.h"
#include "czcionki.h"
#include "datetext.h"
#include "eksportcsv.h"
#include "ewidencjadruk.h"
#include "ewidencjarules.h"
#include "fixedpoint.h"
#include "guard.h"
#include "printdialogs.h"
#include "recordfile.h"
#include "registercelldelegate.h"
#include "registergrid.h"
#include "statusnote.h"
#include "stawki.h"
#include "textrules.h"
#include "ui_ewidencja.h"
#include "widgets.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

using namespace seams;
using namespace storage;

namespace {

constexpr int kColumnWidths[Tewidencja_f::kColumns] = {44, 88, 250, 170, 72, 72, 80, 130};

const QStringList &captions()
{
    static const QStringList texts{QStringLiteral("Lp."),
                                   QStringLiteral("Data wyjazdu"),
                                   QStringLiteral("Opis trasy (skąd – dokąd)"),
                                   QStringLiteral("Cel wyjazdu"),
                                   QStringLiteral("Km"),
                                   QStringLiteral("Stawka"),
                                   QStringLiteral("Wartość"),
                                   QStringLiteral("Uwagi")};
    return texts;
}

bool typedInto(int column)
{
    return column != Tewidencja_f::Lp && column != Tewidencja_f::Wartosc;
}

QString sumsText(const QString &what, const settlement::TripSums &sums)
{
    return QStringLiteral("%1: %2 km, %3 zł")
        .arg(what, FormatFixed(sums.kilometres, 0, 2), FormatFixed(sums.value, 0, 2));
}

} // namespace

Tewidencja_f::Tewidencja_f(Seams &seams, printing::PrintDialogs &printDialogs, QWidget *parent)
    : YearWindow(FormWindow::Placement::StayOnTop, parent), m_seams(seams),
      m_printDialogs(printDialogs), m_ui(std::make_unique<Ui::Tewidencja_f>())
{
    m_ui->setupUi(this);
    ui::makeHeading(m_ui->Label1, 1.5);
    m_ui->miesiac->addItems(MonthNames());
    m_ui->pojemnosc->setValidator(new QIntValidator(0, 99999, m_ui->pojemnosc));

    QTableWidget *grid = m_ui->trasy;
    auto *amountCells = new ui::RegisterCellDelegate(settlement::AmountKey, grid);
    grid->setItemDelegate(new ui::RegisterCellDelegate({}, grid));
    grid->setItemDelegateForColumn(Km, amountCells);
    grid->setItemDelegateForColumn(Stawka, amountCells);
    ui::RegisterLayout layout;
    layout.captions = captions();
    layout.widths = QList<int>(std::begin(kColumnWidths), std::end(kColumnWidths));
    layout.rightAligned = {Lp, Km, Stawka, Wartosc};
    layout.fitToCells = false;
    ui::LayOutRegisterGrid(grid, layout);
    grid->verticalHeader()->hide();
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int w : kColumnWidths)
        width += w;
    grid->setFixedWidth(width);

    m_registerGrid = new ui::RegisterGrid(grid);
    m_registerGrid->setEditable([](int, int column) { return typedInto(column); });
    m_registerGrid->setChecker([this](int, int column, const QString &text) {
        return column == Data && year()
                   ? settlement::TripDateReason(text, m_month, year()->year().toInt())
                   : QString();
    });
    // Installed after the register grid's, so this window sees Delete, Insert and Enter first.
    grid->installEventFilter(this);
    m_ui->przyjmijStawke->hide();

    connect(grid, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem *item) { cellChanged(item->row(), item->column()); });
    connect(m_ui->miesiac, &QComboBox::activated, this,
            [this](int index) { miesiacClick(index + 1); });
    for (QLineEdit *edit :
         {m_ui->osoba1, m_ui->osoba2, m_ui->osoba3, m_ui->rejestracja, m_ui->pojemnosc})
        connect(edit, &QLineEdit::textEdited, this, &Tewidencja_f::markEdited);
    connect(m_ui->rodzaj, &QComboBox::activated, this, [this] {
        markEdited();
        proposeRate(m_ui->trasy->currentRow());
    });
    connect(m_ui->dodajWpis, &QPushButton::clicked, this, &Tewidencja_f::dodajWpisClick);
    connect(m_ui->usunWpis, &QPushButton::clicked, this, &Tewidencja_f::usunWpisClick);
    connect(m_ui->przyjmijStawke, &QPushButton::clicked, this, &Tewidencja_f::przyjmijStawkeClick);
    connect(m_ui->wstawTrase, &QPushButton::clicked, this, &Tewidencja_f::wstawTraseClick);
    connect(m_ui->zapamietajTrase, &QPushButton::clicked, this,
            &Tewidencja_f::zapamietajTraseClick);
    connect(m_ui->usunTrase, &QPushButton::clicked, this, &Tewidencja_f::usunTraseClick);
    connect(m_ui->drukujMiesiac, &QPushButton::clicked, this, &Tewidencja_f::drukujMiesiacClick);
    connect(m_ui->drukujRok, &QPushButton::clicked, this, &Tewidencja_f::drukujRokClick);
    connect(m_ui->podglad, &QPushButton::clicked, this, &Tewidencja_f::podgladClick);
    connect(m_ui->eksportCsv, &QPushButton::clicked, this, &Tewidencja_f::eksportCsvClick);
    connect(m_ui->importCsv, &QPushButton::clicked, this, &Tewidencja_f::importCsvClick);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tewidencja_f::SpeedButton3Click);

    addStatusLine();
    fixSize();
}

Tewidencja_f::~Tewidencja_f() = default;

bool Tewidencja_f::FormCreate()
{
    if (!year())
        return true;
    setWindowTitle(QStringLiteral("Ewidencja przebiegu pojazdu  Rok obliczeniowy ") +
                   year()->year());
    TripLog log;
    QList<FixedRoute> routes;
    const bool read = Guarded(m_seams.dialogs, [&] {
        log = ReadTripLog(year()->yearFile(triplog::kExtension));
        routes = ReadRoutes(routesFile());
    });
    if (!read)
        return false;
    // The person and the car are the owner's until the log says otherwise.
    const Record &owner = year()->owner();
    if (log.person1.isEmpty() && log.person2.isEmpty() && log.person3.isEmpty()) {
        log.person1 = owner.text(owner::nazwa1);
        log.person2 = owner.text(owner::nazwa2);
        log.person3 = owner.text(owner::nazwa3);
    }
    if (log.registration.isEmpty())
        log.registration = owner.text(owner::rejestracja);
    m_log = log;
    m_routes = routes;
    const QDate today = m_seams.clock.today();
    m_month = today.year() == year()->year().toInt() ? today.month() : 1;
    showLog();
    showRoutes();
    m_edited = false;
    m_ui->trasy->setFocus();
    return true;
}

QString Tewidencja_f::routesFile() const
{
    return ClientFile(year()->workingDir(), year()->client(), routes::kExtension);
}

void Tewidencja_f::showLog()
{
    m_filling = true;
    m_ui->osoba1->setText(m_log.person1);
    m_ui->osoba2->setText(m_log.person2);
    m_ui->osoba3->setText(m_log.person3);
    m_ui->rejestracja->setText(m_log.registration);
    m_ui->pojemnosc->setText(m_log.engine > 0 ? QString::number(m_log.engine) : QString());
    m_ui->rodzaj->setCurrentIndex(m_log.vehicleClass);
    m_filling = false;
    showMonth();
}

void Tewidencja_f::showMonth()
{
    m_filling = true;
    m_ui->miesiac->setCurrentIndex(m_month - 1);
    QTableWidget *grid = m_ui->trasy;
    grid->setRowCount(0);
    for (const Trip &trip : std::as_const(m_log.trips)) {
        if (trip.month == m_month)
            addRow(trip);
    }
    renumber();
    m_filling = false;
    m_registerGrid->forget();
    m_registerGrid->recheck();
    m_suggestionRow = -1;
    m_ui->podpowiedz->clear();
    m_ui->przyjmijStawke->hide();
    if (grid->rowCount() > 0)
        grid->setCurrentCell(0, Data);
    refresh();
}

void Tewidencja_f::addRow(const Trip &trip)
{
    QTableWidget *grid = m_ui->trasy;
    const bool filling = m_filling;
    m_filling = true;
    const int row = grid->rowCount();
    grid->insertRow(row);
    for (int column = 0; column < kColumns; ++column) {
        auto *item = new QTableWidgetItem;
        if (column == Lp || column == Km || column == Stawka || column == Wartosc)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!typedInto(column))
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        grid->setItem(row, column, item);
    }
    setCell(row, Data, trip.date.trimmed());
    setCell(row, Trasa, trip.route);
    setCell(row, Cel, trip.purpose);
    setCell(row, Km, trip.kilometres.trimmed());
    setCell(row, Stawka, trip.rate.trimmed());
    setCell(row, Uwagi, trip.notes);
    setCell(row, Wartosc, settlement::TripValue(trip.kilometres, trip.rate).trimmed());
    m_filling = filling;
}

void Tewidencja_f::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = m_ui->trasy->item(row, column);
    if (item && item->text() != text)
        item->setText(text);
}

void Tewidencja_f::renumber()
{
    const bool filling = m_filling;
    m_filling = true;
    const int first = settlement::FirstEntryNumber(m_log.trips, m_month);
    for (int row = 0; row < m_ui->trasy->rowCount(); ++row)
        setCell(row, Lp, QString::number(first + row));
    m_filling = filling;
}

QList<Trip> Tewidencja_f::gridTrips() const
{
    QList<Trip> trips;
    const QTableWidget *grid = m_ui->trasy;
    for (int row = 0; row < grid->rowCount(); ++row) {
        auto text = [grid, row](int column) { return grid->item(row, column)->text(); };
        Trip trip{m_month,
                  text(Data).trimmed(),
                  text(Trasa).trimmed(),
                  text(Cel).trimmed(),
                  FormatStored(ParseFixed(text(Km)), 9, 2),
                  FormatStored(ParseFixed(text(Stawka)), 9, 4),
                  text(Uwagi).trimmed()};
        // A row left empty is no trip.
        if (trip.date.isEmpty() && trip.route.isEmpty() && trip.purpose.isEmpty() &&
            trip.kilometres.isEmpty() && trip.rate.isEmpty() && trip.notes.isEmpty())
            continue;
        trips << trip;
    }
    return trips;
}

QList<Trip> Tewidencja_f::tripsWithGrid() const
{
    QList<Trip> trips;
    for (const Trip &trip : std::as_const(m_log.trips)) {
        if (trip.month < m_month)
            trips << trip;
    }
    trips << gridTrips();
    for (const Trip &trip : std::as_const(m_log.trips)) {
        if (trip.month > m_month)
            trips << trip;
    }
    return trips;
}

void Tewidencja_f::storeMonth()
{
    m_log.trips = tripsWithGrid();
}

TripLog Tewidencja_f::log() const
{
    TripLog log = m_log;
    log.trips = tripsWithGrid();
    log.person1 = m_ui->osoba1->text();
    log.person2 = m_ui->osoba2->text();
    log.person3 = m_ui->osoba3->text();
    log.registration = m_ui->rejestracja->text();
    log.engine = ParseInt32(m_ui->pojemnosc->text());
    log.vehicleClass = vehicleClass();
    return log;
}

quint8 Tewidencja_f::vehicleClass() const
{
    return static_cast<quint8>(std::clamp(m_ui->rodzaj->currentIndex(), 0, int(triplog::Moped)));
}

void Tewidencja_f::markEdited()
{
    if (!m_filling)
        m_edited = true;
}

void Tewidencja_f::cellChanged(int row, int column)
{
    if (m_filling)
        return;
    markEdited();
    if (column == Km || column == Stawka) {
        m_filling = true;
        // A decimal comma, pasted or set from outside the editor's key filter, is a point.
        QTableWidgetItem *item = m_ui->trasy->item(row, column);
        if (item->text().contains(QLatin1Char(',')))
            item->setText(item->text().replace(QLatin1Char(','), QLatin1Char('.')));
        setCell(row, Wartosc,
                settlement::TripValue(m_ui->trasy->item(row, Km)->text(),
                                      m_ui->trasy->item(row, Stawka)->text())
                    .trimmed());
        m_filling = false;
    }
    if (column == Data)
        proposeRate(row);
    refresh();
}

void Tewidencja_f::proposeRate(int row)
{
    m_suggestionRow = -1;
    m_ui->przyjmijStawke->hide();
    m_ui->podpowiedz->clear();
    QTableWidget *grid = m_ui->trasy;
    if (row < 0 || row >= grid->rowCount())
        return;
    const std::optional<QDate> date = settlement::ParseTripDate(grid->item(row, Data)->text());
    if (!date || !grid->item(row, Stawka)->text().trimmed().isEmpty())
        return;
    const settlement::RateProposal proposal = settlement::ProposeRate(*date, vehicleClass());
    QString hint;
    switch (proposal.kind) {
    case settlement::RateProposal::Kind::Confirmed:
        setCell(row, Stawka, proposal.rate.trimmed());
        return;
    case settlement::RateProposal::Kind::Suggestion:
        m_suggestionRow = row;
        m_suggestedRate = proposal.rate.trimmed();
        hint = QStringLiteral("Proponowana stawka %1 zł/km (%2) nie jest potwierdzona: sprawdź ją "
                              "i przyjmij albo wpisz stawkę.")
                   .arg(m_suggestedRate, proposal.act);
        m_ui->przyjmijStawke->show();
        break;
    case settlement::RateProposal::Kind::None:
        hint = vehicleClass() == triplog::NoClass
                   ? QStringLiteral("Wybierz rodzaj pojazdu albo wpisz stawkę za 1 km.")
                   : QStringLiteral("Brak stawki w tabeli na dzień %1: wpisz stawkę za 1 km.")
                         .arg(settlement::TripDateText(*date));
        break;
    }
    m_ui->podpowiedz->setText(hint);
    ui::StatusNote::post(hint);
}

void Tewidencja_f::przyjmijStawkeClick()
{
    const int row = m_suggestionRow;
    if (row < 0 || row >= m_ui->trasy->rowCount())
        return;
    m_registerGrid->change([&] { setCell(row, Stawka, m_suggestedRate); });
    m_suggestionRow = -1;
    m_ui->przyjmijStawke->hide();
    m_ui->podpowiedz->clear();
}

void Tewidencja_f::refresh()
{
    if (!year())
        return;
    const TripLog current = log();
    m_ui->sumaMiesiaca->setText(
        sumsText(QStringLiteral("Miesiąc"), settlement::SumMonth(current.trips, m_month)));
    m_ui->sumaRoku->setText(sumsText(QStringLiteral("Rok"), settlement::SumTrips(current.trips)));
    const QStringList found =
        settlement::TripWarnings(current.trips, m_month, year()->year().toInt(), year()->costs());
    m_ui->ostrzezenia->clear();
    m_ui->ostrzezenia->addItems(found);
}

QStringList Tewidencja_f::warnings() const
{
    QStringList texts;
    for (int i = 0; i < m_ui->ostrzezenia->count(); ++i)
        texts << m_ui->ostrzezenia->item(i)->text();
    return texts;
}

void Tewidencja_f::miesiacClick(int month)
{
    if (month < 1 || month > 12)
        return;
    storeMonth();
    m_month = month;
    showMonth();
}

void Tewidencja_f::dodajWpisClick()
{
    QTableWidget *grid = m_ui->trasy;
    addRow(Trip{m_month, {}, {}, {}, {}, {}, {}});
    renumber();
    m_registerGrid->forget();
    grid->setCurrentCell(grid->rowCount() - 1, Data);
    grid->setFocus();
}

void Tewidencja_f::usunWpisClick()
{
    QTableWidget *grid = m_ui->trasy;
    const int row = grid->currentRow();
    if (row < 0 || row >= grid->rowCount())
        return;
    const QString number = grid->item(row, Lp)->text();
    if (!m_seams.dialogs.question(QStringLiteral("Pytanie"),
                                  QStringLiteral("Usunąć wpis nr %1 ?").arg(number),
                                  Dialogs::Default::No))
        return;
    grid->removeRow(row);
    renumber();
    m_registerGrid->forget();
    m_edited = true;
    refresh();
    ui::StatusNote::post(QStringLiteral("Usunięto wpis nr %1.").arg(number));
}

void Tewidencja_f::showRoutes()
{
    m_ui->trasyStale->clear();
    for (const FixedRoute &route : std::as_const(m_routes)) {
        m_ui->trasyStale->addItem(
            QStringLiteral("%1 – %2, %3 km")
                .arg(route.route, route.purpose, FormatFixed(ParseFixed(route.kilometres), 0, 2)));
    }
}

void Tewidencja_f::wstawTraseClick()
{
    const int index = m_ui->trasyStale->currentIndex();
    if (index < 0 || index >= m_routes.size())
        return;
    const FixedRoute &route = m_routes[index];
    QTableWidget *grid = m_ui->trasy;
    addRow(Trip{m_month, {}, route.route, route.purpose, route.kilometres, {}, {}});
    renumber();
    m_registerGrid->forget();
    m_edited = true;
    refresh();
    grid->setCurrentCell(grid->rowCount() - 1, Data);
    grid->setFocus();
}

void Tewidencja_f::saveRoutes()
{
    if (Guarded(m_seams.dialogs, [this] { WriteRoutes(routesFile(), m_routes); }))
        showRoutes();
}

void Tewidencja_f::zapamietajTraseClick()
{
    QTableWidget *grid = m_ui->trasy;
    const int row = grid->currentRow();
    if (row < 0 || !year())
        return;
    const FixedRoute route{grid->item(row, Trasa)->text().trimmed(),
                           grid->item(row, Cel)->text().trimmed(),
                           FormatStored(ParseFixed(grid->item(row, Km)->text()), 9, 2)};
    if (route.route.isEmpty()) {
        m_seams.dialogs.notice(QStringLiteral("Informacja"),
                               QStringLiteral("Wpis nie ma opisu trasy."));
        return;
    }
    if (m_routes.contains(route))
        return;
    if (m_routes.size() >= routes::kMaxRoutes) {
        m_seams.dialogs.notice(
            QStringLiteral("Informacja"),
            QStringLiteral("Lista tras stałych jest pełna (%1 tras).").arg(routes::kMaxRoutes));
        return;
    }
    m_routes << route;
    saveRoutes();
    m_ui->trasyStale->setCurrentIndex(static_cast<int>(m_routes.size()) - 1);
}

void Tewidencja_f::usunTraseClick()
{
    const int index = m_ui->trasyStale->currentIndex();
    if (index < 0 || index >= m_routes.size() || !year())
        return;
    if (!m_seams.dialogs.question(
            QStringLiteral("Pytanie"),
            QStringLiteral("Usunąć trasę stałą „%1” ?").arg(m_routes[index].route),
            Dialogs::Default::No))
        return;
    m_routes.removeAt(index);
    saveRoutes();
}

void Tewidencja_f::print(int firstMonth, int lastMonth)
{
    if (!year())
        return;
    const QString name =
        year()->stem() +
        (firstMonth == lastMonth
             ? QStringLiteral("_ewidencja_%1.pdf").arg(firstMonth, 2, 10, QLatin1Char('0'))
             : QStringLiteral("_ewidencja.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    if (!m_printDialogs.print(
            printer,
            QDir::toNativeSeparators(
                QDir(QDir::fromNativeSeparators(year()->workingDir())).absoluteFilePath(name))))
        return;
    Guarded(m_seams.dialogs, [&] {
        printing::PrintFontStore fonts(year()->workingDir(), m_printDialogs);
        fonts.CzytajFonty(printing::kPrintFontFile);
        const TripLog current = log();
        const printing::TripLogPrintInput input{current, year()->year(), fonts.settings()};
        if (!printing::PrintPages(printer, [&](printing::Page &page) {
                printing::DrawTripLog(page, input, firstMonth, lastMonth);
            })) {
            m_seams.dialogs.notice(QStringLiteral("Informacja"),
                                   QStringLiteral("Nie udało się rozpocząć wydruku."));
            return;
        }
        ui::StatusNote::post(
            firstMonth == lastMonth
                ? QStringLiteral("Wydrukowano ewidencję miesiąca %1.")
                      .arg(MonthNames().value(firstMonth - 1))
                : QStringLiteral("Wydrukowano ewidencję roku %1.").arg(year()->year()));
    });
}

void Tewidencja_f::drukujMiesiacClick()
{
    print(m_month, m_month);
}

void Tewidencja_f::drukujRokClick()
{
    print(1, 12);
}

void Tewidencja_f::podgladClick()
{
    if (!year())
        return;
    Guarded(m_seams.dialogs, [&] {
        printing::PrintFontStore fonts(year()->workingDir(), m_printDialogs);
        fonts.CzytajFonty(printing::kPrintFontFile);
        const TripLog current = log();
        const printing::TripLogPrintInput input{current, year()->year(), fonts.settings()};
        const int month = m_month;
        m_printDialogs.preview(
            [&](printing::Page &page) { printing::DrawTripLog(page, input, month, month); });
    });
}

void Tewidencja_f::eksportCsvClick()
{
    if (!year())
        return;
    const QString proposed =
        QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(year()->workingDir()))
                                     .filePath(year()->stem() + QStringLiteral("_ewidencja.csv")));
    const std::optional<QString> path =
        m_seams.dialogs.saveFileName(QStringLiteral("Eksport CSV"), proposed,
                                     QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
    if (!path || path->isEmpty())
        return;
    if (Guarded(m_seams.dialogs, [&] {
            settlement::ZapiszCsv(*path, settlement::ExportTripsCsv(log(), year()->year()));
        }))
        ui::StatusNote::post(
            QStringLiteral("Zapisano plik CSV %1.").arg(QFileInfo(*path).fileName()));
}

void Tewidencja_f::importCsvClick()
{
    if (!year())
        return;
    const std::optional<QString> path = m_seams.dialogs.openFileName(
        QStringLiteral("Import CSV"), year()->workingDir(),
        QStringLiteral("Pliki CSV (*.csv *.txt);;Wszystkie pliki (*)"));
    if (!path || path->isEmpty())
        return;
    QByteArray bytes;
    if (!Guarded(m_seams.dialogs, [&] {
            // A spreadsheet of a year's trips is far smaller; anything larger is not one.
            if (QFileInfo(*path).size() > 16 * 1024 * 1024)
                throw DamagedFile(*path);
            bytes = ReadTextFile(*path);
        }))
        return;
    const settlement::TripImport import =
        settlement::ImportTripsCsv(bytes, year()->year().toInt(), vehicleClass());
    QStringList detail;
    for (const settlement::ImportedLine &line : import.rejected)
        detail << QStringLiteral("Wiersz %1: %2 (%3)").arg(line.line).arg(line.reason, line.text);
    const QString rejected = QStringLiteral("Odrzucone wiersze: %1.").arg(import.rejected.size());
    const TripLog current = log();
    if (import.trips.isEmpty()) {
        m_seams.dialogs.notice(
            QStringLiteral("Import CSV"),
            QStringLiteral("W pliku nie ma wyjazdów do zaimportowania. ") + rejected +
                (detail.isEmpty() ? QString()
                                  : QStringLiteral("\n") + detail.join(QStringLiteral("\n"))));
        return;
    }
    if (current.trips.size() + import.trips.size() > triplog::kMaxTrips) {
        m_seams.dialogs.notice(QStringLiteral("Import CSV"),
                               QStringLiteral("Ewidencja roku pomieści najwyżej %1 wyjazdów.")
                                   .arg(triplog::kMaxTrips));
        return;
    }
    if (!m_seams.dialogs.question(QStringLiteral("Import CSV"),
                                  QStringLiteral("Dodać do ewidencji %1 wyjazdów z pliku %2? ")
                                          .arg(import.trips.size())
                                          .arg(QFileInfo(*path).fileName()) +
                                      rejected,
                                  Dialogs::Default::No, detail.join(QStringLiteral("\n"))))
        return;
    storeMonth();
    QList<Trip> trips = m_log.trips + import.trips;
    std::stable_sort(trips.begin(), trips.end(),
                     [](const Trip &a, const Trip &b) { return a.month < b.month; });
    m_log.trips = trips;
    m_edited = true;
    showMonth();
    ui::StatusNote::post(
        QStringLiteral("Dodano %1 wyjazdów z pliku CSV; zapis przyciskiem „Powrót”.")
            .arg(import.trips.size()));
}

void Tewidencja_f::SpeedButton3Click()
{
    returnWithNote();
}

QString Tewidencja_f::returnNote() const
{
    return year() ? QStringLiteral("Zapisano ewidencję przebiegu roku %1.").arg(year()->year())
                  : QString();
}

bool Tewidencja_f::leaveAsReturn()
{
    if (!year()) {
        leave();
        return true;
    }
    return Guarded(m_seams.dialogs, [this] {
        const TripLog current = log();
        WriteTripLog(year()->yearFile(triplog::kExtension), current);
        storeMonth();
        m_log = current;
        m_edited = false;
        if (m_onSaved)
            m_onSaved(*year(), current.trips);
        leave();
    });
}

bool Tewidencja_f::leaveAutomatically()
{
    if (m_edited)
        return leaveAsReturn();
    leave();
    return true;
}

bool Tewidencja_f::eventFilter(QObject *watched, QEvent *event)
{
    QTableWidget *grid = m_ui->trasy;
    if (watched == grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier && !m_registerGrid->editing()) {
            if (key->key() == Qt::Key_Insert) {
                dodajWpisClick();
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                usunWpisClick();
                return true;
            }
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter moves on along the row, then to the date of the next trip, which it adds
            // at the end of the month.
            const int row = grid->currentRow();
            int column = grid->currentColumn() + 1;
            while (column < kColumns && !typedInto(column))
                ++column;
            if (row >= 0 && column < kColumns) {
                grid->setCurrentCell(row, column);
            } else if (row + 1 < grid->rowCount()) {
                grid->setCurrentCell(row + 1, Data);
            } else {
                dodajWpisClick();
            }
            return true;
        }
    }
    return FormWindow::eventFilter(watched, event);
}
