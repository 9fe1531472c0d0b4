// The print font settings, FONT\font_kanto_2007.dat, read at start and applied to the client
// list as the main window does.
#include "czcionki.h"
#include "fileerror.h"
#include "fuzzinput.h"

#include <QFontMetrics>
#include <QListWidget>

using namespace storage;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::WriteInput(QStringLiteral("FONT\\") + printing::kPrintFontFile, fuzz::Bytes(data, size));
    printing::PrintFontSettings settings;
    try {
        printing::CzytajFonty(settings, fuzz::WorkingDir(), printing::kPrintFontFile);
    } catch (const FileError &) {
        return 0;
    }
    const printing::FontChoice choice = printing::FontOfSettings(settings.record);
    QListWidget list;
    list.addItem(QStringLiteral("001 Kowalski"));
    printing::ApplyPrintFont(&list, settings);
    QFontMetrics(choice.font).height();
    return 0;
}
