#include "paths.h"

#include <QDir>
#include <QFileInfo>

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace storage {

namespace {

bool entryExists(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool hasNonAscii(const char *text)
{
    for (; *text; ++text) {
        if (static_cast<unsigned char>(*text) >= 0x80)
            return true;
    }
    return false;
}

// Looks in `dir` for an entry whose name equals `name` without regard to case.
QString findCaseInsensitive(const QString &dir, const QString &name)
{
    const QByteArray wanted = QFile::encodeName(name);
    const bool wantedNonAscii = hasNonAscii(wanted.constData());
    DIR *d = ::opendir(QFile::encodeName(dir.isEmpty() ? QStringLiteral("/") : dir).constData());
    if (!d)
        return {};
    QString found;
    while (const dirent *e = ::readdir(d)) {
        // strcasecmp folds ASCII only; names with Polish letters are compared by Qt.
        const bool equal =
            (wantedNonAscii || hasNonAscii(e->d_name))
                ? QFile::decodeName(e->d_name).compare(name, Qt::CaseInsensitive) == 0
                : ::strcasecmp(e->d_name, wanted.constData()) == 0;
        if (equal) {
            found = QFile::decodeName(e->d_name);
            break;
        }
    }
    ::closedir(d);
    return found;
}

QString resolveComponents(QString current, const QStringList &parts)
{
    bool missing = false;
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        const QString candidate =
            current.endsWith(QLatin1Char('/')) ? current + part : current + QLatin1Char('/') + part;
        if (missing || part == QLatin1String("..") || entryExists(candidate)) {
            current = candidate;
            continue;
        }
        const QString match = findCaseInsensitive(current, part);
        if (match.isEmpty()) {
            // Everything below a missing component is missing too: no need to look further.
            missing = true;
            current = candidate;
        } else {
            current = current.endsWith(QLatin1Char('/')) ? current + match
                                                         : current + QLatin1Char('/') + match;
        }
    }
    return QDir::toNativeSeparators(current);
}

QStringList splitFragment(const QString &fragment)
{
    // Either separator splits. No regular expression: building a path, which every start does,
    // then loads and compiles none.
    QString slashes = fragment;
    slashes.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return slashes.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

QString PathIn(const QString &root, const QString &fragment)
{
    QString base = QDir::fromNativeSeparators(root);
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return resolveComponents(base, splitFragment(fragment));
}

} // namespace storage
