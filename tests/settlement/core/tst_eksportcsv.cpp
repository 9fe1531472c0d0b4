#include "eksportcsv.h"
#include "faultprobe.h"
#include "fileerrorassert.h"
#include "testfiles.h"

#include "clientrecords.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace storage;

namespace {

struct Invoice {
    int month;
    int row;
    QString date;
    QString kind;
    QString document;
    QString net;
    QString vat;
};

Record ownerRecord(const QStringList &names, const QString &nip, const QString &marka,
                   const QString &rejestracja)
{
    Record record(owner::kSize);
    record.setText(owner::nazwa1, names.value(0));
    record.setText(owner::nazwa2, names.value(1));
    record.setText(owner::nazwa3, names.value(2));
    record.setText(owner::nip, nip);
    record.setText(owner::marka, marka);
    record.setText(owner::rejestracja, rejestracja);
    record.setText(owner::id, QStringLiteral("007"));
    return record;
}

// A ".prz" record whose "Kwota" column holds `amounts`, January first.
Record mileageRecord(const QStringList &amounts)
{
    Record record(mileage::kSize);
    for (int i = 0; i < amounts.size(); ++i)
        record.setText(mileage::cell(mileage::kAmount, i + 1), amounts[i]);
    return record;
}

Record costRecord(const QList<Invoice> &invoices)
{
    Record record(cost::kSize);
    for (const Invoice &invoice : invoices) {
        const QStringList texts{invoice.date, invoice.kind, invoice.document, invoice.net,
                                invoice.vat};
        for (int column = 0; column < 5; ++column)
            record.setText(cost::entry(invoice.month, column, invoice.row), texts[column]);
    }
    return record;
}

// The example year: mileage 300, 250, 400; net 500, 100, 120 (March in its first and last row).
Record exampleOwner()
{
    return ownerRecord({"Jan Kowalski", "Usługi Transportowe", "ul. Źródlana 5, Łódź"},
                       "725-000-12-34", "Opel Astra", "EL 12345");
}

Record exampleMileage()
{
    return mileageRecord({"   300.00", "   250.00", "   400.00"});
}

Record exampleCosts()
{
    return costRecord({{1, 1, "05.01.2007", "Paliwo", "FV 1/2007", "  500.00", "  115.00"},
                       {2, 1, "10.02.2007", "Naprawa hamulców", "FV 17/02", "  100.00", "   23.00"},
                       {3, 1, "03.03.2007", "Paliwo", "FV 3/2007", "  100.00", "   22.00"},
                       {3, 20, "31.03.2007", "Myjnia", "P 12", "   20.00", "    4.40"}});
}

QByteArray exampleFile()
{
    return settlement::EksportujCsv(exampleOwner(), QStringLiteral("2007"), exampleMileage(),
                                    exampleCosts());
}

// The rows of a CSV text as a spreadsheet reads it: ";" between fields, fields in quotes may
// hold ";", line breaks and doubled quotes, CR LF ends a row.
QList<QStringList> readCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                value += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                value += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            row << value;
            value.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            row << value;
            value.clear();
            rows << row;
            row.clear();
            ++i;
        } else {
            value += c;
        }
    }
    if (!value.isEmpty() || !row.isEmpty())
        rows << (row << value);
    return rows;
}

// A field with a decimal comma as a number.
double commaNumber(QString field)
{
    return field.replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

QList<QStringList> readCsvFile(const QByteArray &bytes)
{
    return readCsv(QString::fromUtf8(bytes.mid(3)));
}

} // namespace

class TestEksportCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExampleBytes();
    void textFields_data();
    void textFields();
    void invoiceRows_data();
    void invoiceRows();
    void readBack();
    void writesFile();
    void missingDirectory();
    void fileSizeLimit();
    void fullDisk();
    void spreadsheetReadsNumbers();
};

void TestEksportCsv::workedExampleBytes()
{
    // The source is UTF-8, and so are its narrow literals.
    const QByteArray expected = "\xEF\xBB\xBF"
                                "Nazwa 1;Nazwa 2;Nazwa 3;NIP;Marka;Nr rejestracyjny;Rok\r\n"
                                "Jan Kowalski;Usługi Transportowe;ul. Źródlana 5, Łódź;"
                                "725-000-12-34;Opel Astra;EL 12345;2007\r\n"
                                "\r\n"
                                "Miesiąc;Przebieg pojazdu miesięcznie [zł];"
                                "Przebieg pojazdu narastająco [zł];"
                                "Eksploatacja pojazdu miesięcznie [zł];"
                                "Eksploatacja pojazdu narastająco [zł];"
                                "Koszty uzyskania przychodu [zł]\r\n"
                                "Styczeń;300,00;300,00;500,00;500,00;300,00\r\n"
                                "Luty;250,00;550,00;100,00;600,00;250,00\r\n"
                                "Marzec;400,00;950,00;120,00;720,00;170,00\r\n"
                                "Kwiecień;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Maj;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Czerwiec;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Lipiec;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Sierpień;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Wrzesień;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Październik;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Listopad;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Grudzień;0,00;950,00;0,00;720,00;0,00\r\n"
                                "Razem;950,00;;720,00;;720,00\r\n"
                                "\r\n"
                                "Miesiąc;Data;Rodzaj wydatku;Nr dokumentu;Netto [zł];Vat [zł]\r\n"
                                "Styczeń;05.01.2007;Paliwo;FV 1/2007;500,00;115,00\r\n"
                                "Luty;10.02.2007;Naprawa hamulców;FV 17/02;100,00;23,00\r\n"
                                "Marzec;03.03.2007;Paliwo;FV 3/2007;100,00;22,00\r\n"
                                "Marzec;31.03.2007;Myjnia;P 12;20,00;4,40\r\n"
                                "Razem;;;;720,00;164,40\r\n";
    QCOMPARE(exampleFile(), expected);
}

void TestEksportCsv::textFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("plain") << "Jan Kowalski" << QByteArray("Jan Kowalski");
    QTest::newRow("Polish letters, no quotes")
        << "Zażółć gęślą jaźń" << QByteArray("Zażółć gęślą jaźń");
    QTest::newRow("semicolon") << "Auto; Serwis" << QByteArray("\"Auto; Serwis\"");
    QTest::newRow("quotes doubled") << "Firma \"Ford\"" << QByteArray("\"Firma \"\"Ford\"\"\"");
    QTest::newRow("quote alone") << "\"" << QByteArray("\"\"\"\"");
    QTest::newRow("line feed") << "linia\ndruga" << QByteArray("\"linia\ndruga\"");
    QTest::newRow("carriage return") << "linia\rdruga" << QByteArray("\"linia\rdruga\"");
    QTest::newRow("comma and blanks kept unquoted") << " 1,5 m " << QByteArray(" 1,5 m ");
    QTest::newRow("empty") << "" << QByteArray();
}

// The text in every text field of the file: the owner's lines, the year and an invoice's date,
// kind and document number. Each must be written as expected and read back unchanged.
void TestEksportCsv::textFields()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);

    const Record owner = ownerRecord({text, text, text}, text, text, text);
    const Record costs = costRecord({{5, 3, text, text, text, "   10.00", ""}});
    const QByteArray file = settlement::EksportujCsv(owner, text, mileageRecord({}), costs);

    const QByteArray ownerLine = QByteArrayList(7, written).join(';') + "\r\n";
    QVERIFY2(file.contains("Rok\r\n" + ownerLine), file.constData());
    const QByteArray invoiceLine = "Maj;" + QByteArrayList(3, written).join(';') + ";10,00;\r\n";
    QVERIFY2(file.contains("\r\n" + invoiceLine + "Razem;"), file.constData());

    const QList<QStringList> rows = readCsvFile(file);
    QCOMPARE(rows.value(1), QStringList(7, text));
    QCOMPARE(rows.value(19), QStringList({"Maj", text, text, text, "10,00", ""}));
    QCOMPARE(rows.size(), 21);
}

void TestEksportCsv::invoiceRows_data()
{
    QTest::addColumn<QByteArray>("costs");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("no invoices") << costRecord({}).bytes() << QByteArrayList{"Razem;;;;0,00;0,00"};
    QTest::newRow("in month and row order, empty rows left out")
        << costRecord({{12, 20, "31.12", "Paliwo", "F9", "   10.00", "    2.30"},
                       {1, 20, "", "", "", "    1.00", ""},
                       {1, 2, "02.01", "", "", "", ""}})
               .bytes()
        << QByteArrayList{"Styczeń;02.01;;;;", "Styczeń;;;;1,00;",
                          "Grudzień;31.12;Paliwo;F9;10,00;2,30", "Razem;;;;11,00;2,30"};
    QTest::newRow("a row of blanks only is empty")
        << costRecord({{4, 1, " ", "  ", "", "", ""}}).bytes()
        << QByteArrayList{"Razem;;;;0,00;0,00"};
    // Amounts written from outside: more decimals are rounded per row but summed unrounded;
    // a text that is not a number counts with the value of its longest valid prefix.
    QTest::newRow("amounts from outside")
        << costRecord({{6, 1, "", "A", "", "10.004", "1.004"},
                       {6, 2, "", "B", "", "10.004", "abc"},
                       {6, 3, "", "C", "", "7,25", "1234567.5"}})
               .bytes()
        << QByteArrayList{"Czerwiec;;A;;10,00;1,00", "Czerwiec;;B;;10,00;0,00",
                          "Czerwiec;;C;;7,00;1234567,50", "Razem;;;;27,01;1234568,50"};
}

void TestEksportCsv::invoiceRows()
{
    QFETCH(QByteArray, costs);
    QFETCH(QByteArrayList, lines);

    Record costRecord(cost::kSize);
    costRecord.bytes() = costs;
    const QByteArray file = settlement::EksportujCsv(exampleOwner(), QStringLiteral("2007"),
                                                     mileageRecord({}), costRecord);
    const QByteArray header = "Nr dokumentu;Netto [zł];Vat [zł]\r\n";
    const qsizetype start = file.indexOf(header);
    QVERIFY(start > 0);
    QCOMPARE(file.mid(start + header.size()), lines.join("\r\n") + "\r\n");
}

void TestEksportCsv::readBack()
{
    const QByteArray file = exampleFile();
    QVERIFY(file.startsWith("\xEF\xBB\xBF"));
    QVERIFY(!file.mid(3).contains("\xEF\xBB\xBF"));
    // Every line ends in CR LF; no lone LF or CR.
    QCOMPARE(file.count("\r\n"), file.count('\n'));
    QCOMPARE(file.count("\r\n"), file.count('\r'));

    const QList<QStringList> rows = readCsvFile(file);
    QCOMPARE(rows.size(), 2 + 1 + 14 + 1 + 6);
    QCOMPARE(rows[1][0], QStringLiteral("Jan Kowalski"));
    QCOMPARE(rows[1][2], QStringLiteral("ul. Źródlana 5, Łódź"));
    QCOMPARE(rows[2], QStringList{QString()});
    QCOMPARE(rows[3].size(), 6);
    QCOMPARE(rows[6], QStringList({"Marzec", "400,00", "950,00", "120,00", "720,00", "170,00"}));
    QCOMPARE(rows[16], QStringList({"Razem", "950,00", "", "720,00", "", "720,00"}));
    QCOMPARE(rows[17], QStringList{QString()});
    QCOMPARE(rows[23], QStringList({"Razem", "", "", "", "720,00", "164,40"}));

    // The sums of the listed figures are the totals the file states.
    double mileage = 0.0;
    double booked = 0.0;
    for (int month = 1; month <= 12; ++month) {
        mileage += commaNumber(rows[3 + month][1]);
        booked += commaNumber(rows[3 + month][5]);
    }
    QCOMPARE(mileage, 950.0);
    QCOMPARE(booked, 720.0);
}

void TestEksportCsv::writesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("007_2007.csv"));
    QVERIFY(testfiles::writeBytes(path, QByteArray(100000, 'x')));

    settlement::ZapiszCsv(path, exampleFile());

    QCOMPARE(testfiles::readBytes(path), exampleFile());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("007_2007.csv")});
}

void TestEksportCsv::missingDirectory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("BRAK/007_2007.csv"));

    QVERIFY_FILE_ERROR(settlement::ZapiszCsv(path, exampleFile()), FileError::InvalidFilename,
                       "Invalid filename");
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

namespace {

// Runs `work` in a child process, whose faults (limits, mounts) stay its own, and returns the
// line it reports.
QByteArray inChild(const std::function<QByteArray()> &work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child < 0)
        return "no child";
    if (child == 0) {
        ::close(channel[0]);
        const QByteArray outcome = work();
        (void)!::write(channel[1], outcome.constData(), outcome.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray outcome;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        outcome.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return outcome;
}

// Writes the export over `old` and reports the error, whether the old content is still there,
// and the names in the directory.
QByteArray exportOver(const QString &dir, const QByteArray &old)
{
    const QString path = dir + QStringLiteral("/007_2007.csv");
    QByteArray outcome = "no error";
    try {
        settlement::ZapiszCsv(path, exampleFile());
    } catch (const FileError &error) {
        outcome = QByteArray::number(error.code()) + ' ' + error.text().toUtf8();
    }
    outcome += testfiles::readBytes(path) == old ? "; old kept; " : "; old changed; ";
    return outcome + QDir(dir).entryList(QDir::Files | QDir::Hidden).join(' ').toUtf8();
}

bool writeProcFile(const char *name, const QByteArray &content)
{
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

// A child process limited to files of 1000 bytes: the kernel refuses the rest with EFBIG.
void TestEksportCsv::fileSizeLimit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old = "Nazwa 1\r\nstare\r\n";
    QVERIFY(testfiles::writeBytes(dir.filePath(QStringLiteral("007_2007.csv")), old));
    QVERIFY(exampleFile().size() > 1000);

    const QByteArray outcome = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return QByteArray("no limit");
        return exportOver(dir.path(), old);
    });
    if (outcome == "no limit")
        QSKIP("the file-size limit could not be set in a child process");
    QCOMPARE(outcome, QByteArray("101 Disk full; old kept; 007_2007.csv"));
}

// A child process in a user and mount namespace of its own mounts a 16 KiB tmpfs, puts an older
// export on it, fills it to the last byte and writes the export again.
void TestEksportCsv::fullDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old = "Nazwa 1\r\nstare\r\n";
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();

    const QByteArray outcome = inChild([&] {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return QByteArray("no namespace: ") + std::strerror(errno);
        if (!writeProcFile("/proc/self/setgroups", "deny") ||
            !writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
            !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return QByteArray("no namespace: the id maps could not be written");
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=16k") !=
                0)
            return QByteArray("no namespace: ") + std::strerror(errno);
        if (!testfiles::writeBytes(dir.filePath(QStringLiteral("007_2007.csv")), old))
            return QByteArray("no old file");
        QFile filler(dir.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return QByteArray("no filler");
        while (filler.write(QByteArray(512, 'x')) > 0) {
        }
        while (filler.write("x", 1) > 0) {
        }
        filler.close();
        return exportOver(dir.path(), old);
    });
    if (outcome.startsWith("no namespace"))
        QSKIP(outcome.constData());
    QCOMPARE(outcome, QByteArray("101 Disk full; old kept; 007_2007.csv filler"));
}

namespace {

struct SheetCell {
    QString type; // office:value-type; empty for an empty cell
    QString value;
    QString text;
};

// The rows of the first table of a flat OpenDocument spreadsheet.
QList<QList<SheetCell>> readFlatSheet(const QByteArray &xml)
{
    QList<QList<SheetCell>> rows;
    QXmlStreamReader reader(xml);
    int rowRepeat = 1;
    QList<SheetCell> row;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("table-row")) {
            row.clear();
            rowRepeat = qMax(1, reader.attributes().value("table:number-rows-repeated").toInt());
        } else if (reader.isEndElement() && reader.name() == QLatin1String("table-row")) {
            // A long run of repeated rows is the empty rest of the sheet.
            for (int i = 0; i < qMin(rowRepeat, 100); ++i)
                rows << row;
        } else if (reader.isStartElement() && reader.name() == QLatin1String("table-cell")) {
            const QXmlStreamAttributes attributes = reader.attributes();
            SheetCell cell{attributes.value("office:value-type").toString(),
                           attributes.value("office:value").toString(), QString()};
            const int repeat = qMax(1, attributes.value("table:number-columns-repeated").toInt());
            while (!(reader.isEndElement() && reader.name() == QLatin1String("table-cell"))) {
                reader.readNext();
                if (reader.isStartElement() && reader.name() == QLatin1String("p"))
                    cell.text += reader.readElementText(QXmlStreamReader::IncludeChildElements);
            }
            for (int i = 0; i < qMin(repeat, 64); ++i)
                row << cell;
        } else if (reader.isEndElement() && reader.name() == QLatin1String("table")) {
            break;
        }
    }
    return rows;
}

} // namespace

// Opens the example in LibreOffice Calc with the Polish CSV conventions (";", UTF-8, Polish
// number format) and checks each field: amounts and the year become numbers of the same value,
// text stays text as written. Needs LibreOffice, which the test machines need not have.
void TestEksportCsv::spreadsheetReadsNumbers()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray file = exampleFile();
    QVERIFY(testfiles::writeBytes(dir.filePath(QStringLiteral("rozliczenie.csv")), file));

    QProcess office;
    office.setWorkingDirectory(dir.path());
    office.start(
        soffice,
        {QStringLiteral("-env:UserInstallation=file://") + dir.path() + QStringLiteral("/profile"),
         QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:59,34,76,1,,1045"),
         QStringLiteral("--convert-to"), QStringLiteral("fods"), QStringLiteral("--outdir"),
         dir.path(), dir.filePath(QStringLiteral("rozliczenie.csv"))});
    QVERIFY(office.waitForFinished(180000));
    const QByteArray sheet = testfiles::readBytes(dir.filePath(QStringLiteral("rozliczenie.fods")));
    QVERIFY2(!sheet.isEmpty(), office.readAllStandardError().constData());

    const QList<QStringList> rows = readCsvFile(file);
    const QList<QList<SheetCell>> cells = readFlatSheet(sheet);
    QVERIFY(cells.size() >= rows.size());
    const QRegularExpression amount(QStringLiteral("^-?\\d+(,\\d+)?$"));
    int numbers = 0;
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString &written = rows[r][c];
            const SheetCell cell = cells[r].value(c);
            const QByteArray where = QByteArray::number(r + 1) + ':' + QByteArray::number(c + 1) +
                                     ' ' + written.toUtf8();
            if (written.isEmpty()) {
                QVERIFY2(cell.type.isEmpty(), where);
            } else if (amount.match(written).hasMatch()) {
                QVERIFY2(cell.type == QLatin1String("float"), where);
                QCOMPARE(cell.value.toDouble(), commaNumber(written));
                ++numbers;
            } else if (rows[r].size() == 6 && c == 1 && r > 18) {
                continue; // an invoice date: a date or a text, as the spreadsheet sees it
            } else {
                QVERIFY2(cell.type == QLatin1String("string"), where);
                QCOMPARE(cell.text, written);
            }
        }
    }
    QCOMPARE(numbers, 1 + 12 * 5 + 3 + 4 * 2 + 2);
}

QTEST_GUILESS_MAIN(TestEksportCsv)
#include "tst_eksportcsv.moc"
