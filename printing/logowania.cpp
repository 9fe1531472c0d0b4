#include "logowania.h"

#include "czcionki.h"
#include "databaseconnection.h"
#include "fileerror.h"
#include "guard.h"
#include "paths.h"
#include "recordfile.h"
#include "textcodec.h"

#include "ui_logowania.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>

using namespace seams;
using namespace storage;

namespace printing {

namespace {

// A plain text file (UTF-8 or Windows-1250) with CR LF (or a lone CR or LF) between lines, as
// one text with "\n".
QString TextOfFile(const QByteArray &bytes)
{
    QString text = DecodeText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void DrawNotepad(Page &page, const QString &caption, const QStringList &lines,
                 const PrintFontSettings &font)
{
    const quint8 style = StyleOf(font.record);
    page.setFontStyle(style);
    page.setFontColour(ColourOf(font.record));
    int y = 5;
    page.UstawStrone();

    page.UstawCzcionke(font.currentFace, font.currentSize + 5);
    page.Pogrubienie(1);
    page.PiszTekst(10, y + 1, caption);

    page.Pogrubienie(0);
    page.setFontStyle(style);
    page.UstawCzcionke(font.currentFace, font.currentSize);
    y += 10;

    int onPage = 0;
    for (const QString &line : lines) {
        if (onPage == kNotepadLinesPerPage) {
            page.newPage();
            y = 5;
            onPage = 0;
        }
        page.PiszTekst(10, y + 1, line);
        y += 5;
        ++onPage;
    }
}

} // namespace printing

using namespace printing;

Tlogowania_f::Tlogowania_f(const QString &workingDir, Seams &seams, PrintDialogs &dialogs,
                           PrintFontStore &fonts, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_workingDir(workingDir), m_seams(seams),
      m_dialogs(dialogs), m_fonts(fonts), m_ui(std::make_unique<Ui::Tlogowania_f>())
{
    m_ui->setupUi(this);

    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tlogowania_f::SpeedButton3Click);
    connect(m_ui->SpeedButton4, &QPushButton::clicked, this, &Tlogowania_f::SpeedButton4Click);

    fixSize();
}

bool Tlogowania_f::openWith(const NotepadRequest &request)
{
    m_request = request;
    return prepareAndOpen();
}

bool Tlogowania_f::FormCreate()
{
    setWindowTitle(m_request.title);
    bool programEnded = false;
    const bool done = Guarded(m_seams.dialogs, [&] {
        const std::optional<ui::DatabaseConnection> database =
            ui::ConnectDatabase(m_workingDir, m_seams, false);
        if (!database) {
            programEnded = true;
            return;
        }
        m_baseDir = database->baseDir;
        if (m_request.file.isEmpty())
            return;

        m_fonts.CzytajFonty(kPrintFontFile);
        ApplyPrintFont(m_ui->Memo1, m_fonts.settings());
        m_ui->Memo1->clear();
        const QString path = PathIn(m_baseDir, m_request.file);
        if (!FileExists(path))
            WriteRecord(path, Record(0));
        m_ui->Memo1->setPlainText(TextOfFile(ReadTextFile(path)));
    });
    return done && !programEnded;
}

QStringList Tlogowania_f::memoLines() const
{
    const QTextDocument *document = m_ui->Memo1->document();
    const auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document->documentLayout());
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // An empty last paragraph, after a final line break, is not a line of the text.
        if (!block.next().isValid() && block.text().isEmpty())
            break;
        if (layout)
            layout->ensureBlockLayout(block);
        const QTextLayout *text = block.layout();
        if (!text || text->lineCount() == 0) {
            lines << block.text();
            continue;
        }
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

void Tlogowania_f::SpeedButton3Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.print(printer, QString()))
        return;
    Guarded(m_seams.dialogs, [&] {
        m_fonts.CzytajFonty(kPrintFontFile);
        const QStringList lines = memoLines();
        const QString caption = windowTitle();
        if (!PrintPages(printer,
                        [&](Page &page) { DrawNotepad(page, caption, lines, m_fonts.settings()); }))
            m_seams.dialogs.notice(QStringLiteral("Informacja"),
                                   QStringLiteral("Nie udało się rozpocząć wydruku."));
    });
}

Tlogowania_f::~Tlogowania_f() = default;

void Tlogowania_f::SpeedButton4Click()
{
    leave();
}
