#include "printdialogs.h"

#include "ui_fontdialog.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace printing {

namespace {

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

// The font dialog with effects: the platform-neutral font chooser (face, size, bold, italic,
// underline, strike-out) and a colour choice below it, with one pair of OK and Cancel buttons.
class FontEffectsDialog : public QDialog
{
public:
    FontEffectsDialog(const FontChoice &initial, QWidget *parent) : QDialog(parent)
    {
        m_ui.setupUi(this);
        m_fonts = m_ui.fonts;
        m_swatch = m_ui.swatch;
        m_fonts->setCurrentFont(initial.font);

        setColour(initial.colour.isValid() ? initial.colour : QColor(Qt::black));
        connect(m_ui.choose, &QPushButton::clicked, this, [this] {
            const QColor chosen = QColorDialog::getColor(m_colour, this);
            if (chosen.isValid())
                setColour(chosen);
        });
        connect(m_ui.buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(m_ui.buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }

    FontChoice choice() const { return {m_fonts->currentFont(), m_colour}; }

private:
    void setColour(const QColor &colour)
    {
        m_colour = colour;
        QPalette palette = m_swatch->palette();
        palette.setColor(QPalette::Window, colour);
        m_swatch->setPalette(palette);
    }

    Ui::FontEffectsDialog m_ui;
    QFontDialog *m_fonts = nullptr;
    QLabel *m_swatch = nullptr;
    QColor m_colour;
};

} // namespace

bool QtPrintDialogs::print(QPrinter &printer, const QString &proposedFile)
{
    // The document's name is the job's name at the printer, and the file name some dialogs
    // propose.
    if (!proposedFile.isEmpty())
        printer.setDocName(QFileInfo(proposedFile).completeBaseName());
    QPrintDialog dialog(&printer, dialogParent());
    // The dialog of Qt itself offers the file in the folder it chooses (the home folder); its
    // file field is given the whole path. Dialogs without that field keep their own proposal.
    auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    if (file && !proposedFile.isEmpty())
        file->setText(proposedFile);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<FontChoice> QtPrintDialogs::font(const FontChoice &initial)
{
    FontEffectsDialog dialog(initial, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void QtPrintDialogs::preview(const std::function<void(Page &)> &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, dialogParent());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter *target) {
                         QPainter painter(target);
                         PainterPage page(painter);
                         draw(page);
                     });
    // The preview opens with the page as wide as the window, the statement readable at once.
    if (auto *fitWidth = dialog.findChild<QAction *>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
    dialog.exec();
}

} // namespace printing
